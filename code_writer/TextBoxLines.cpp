#include "code_writer/TextBoxLines.h"

#include <QChar>

namespace quillon::writer {

namespace {

constexpr QChar kBlank = u' ';

bool splitsSurrogatePair(QStringView text, qsizetype cut)
{
    return cut > 0 && cut < text.size() && text[cut - 1].isHighSurrogate()
        && text[cut].isLowSurrogate();
}

// The blanks at the cut hang at the end of the line, however many there are.
qsizetype lineEndingAfterBlanks(QStringView paragraph, qsizetype cut)
{
    qsizetype end = cut;
    while (end < paragraph.size() && paragraph[end] == kBlank)
        ++end;
    return end;
}

qsizetype startOfWordAt(QStringView paragraph, qsizetype index)
{
    qsizetype start = index;
    while (start > 0 && paragraph[start - 1] != kBlank)
        --start;
    return start;
}

} // namespace

qsizetype firstWrappedLineLength(QStringView paragraph, qsizetype charsPerLine)
{
    if (paragraph.size() <= charsPerLine)
        return paragraph.size();
    if (paragraph[charsPerLine] == kBlank)
        return lineEndingAfterBlanks(paragraph, charsPerLine);
    const qsizetype wordStart = startOfWordAt(paragraph, charsPerLine);
    if (wordStart > 0)
        return wordStart;
    return splitsSurrogatePair(paragraph, charsPerLine) ? charsPerLine - 1 : charsPerLine;
}

} // namespace quillon::writer
