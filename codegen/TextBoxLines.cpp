#include "codegen/TextBoxLines.h"

#include <QChar>

namespace codegen {

namespace {

constexpr QChar kBlank = u' ';
const QString kCrLf = QStringLiteral("\r\n");

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

TextBoxLines TextBoxLines::wrapping(const QString &text, qsizetype charsPerLine)
{
    return TextBoxLines(text, qMax<qsizetype>(charsPerLine, 2));
}

TextBoxLines TextBoxLines::nonWrapping(const QString &text)
{
    return TextBoxLines(text, std::nullopt);
}

TextBoxLines::TextBoxLines(const QString &text, std::optional<qsizetype> charsPerLine)
    : m_text(text)
{
    const QStringView all(m_text);
    qsizetype paragraphStart = 0;
    for (;;) {
        qsizetype paragraphEnd = all.indexOf(kCrLf, paragraphStart);
        if (paragraphEnd < 0)
            paragraphEnd = all.size();
        const QStringView paragraph = all.sliced(paragraphStart, paragraphEnd - paragraphStart);
        qsizetype placed = 0;
        do {
            const QStringView rest = paragraph.sliced(placed);
            const qsizetype length
                = charsPerLine ? firstWrappedLineLength(rest, *charsPerLine) : rest.size();
            m_lines.append({ paragraphStart + placed, length });
            placed += length;
        } while (placed < paragraph.size());
        if (paragraphEnd == all.size())
            break;
        paragraphStart = paragraphEnd + kCrLf.size();
    }
}

QStringView TextBoxLines::line(qsizetype index) const
{
    const Span span = m_lines.at(index);
    return QStringView(m_text).sliced(span.start, span.length);
}

qsizetype GetLineCount(const TextBoxLines &box)
{
    return box.count();
}

QString GetLineText(const TextBoxLines &box, qsizetype n)
{
    if (n < 1 || n > box.count())
        return {};
    return box.line(n - 1).toString();
}

} // namespace codegen
