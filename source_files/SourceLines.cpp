#include "source_files/SourceLines.h"

#include <algorithm>

namespace quillon::sources {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView firstWord(QStringView line)
{
    line = line.trimmed();
    const qsizetype blank = std::find_if(line.cbegin(), line.cend(), isBlank) - line.cbegin();
    return line.first(blank);
}

bool isWord(QStringView word, QStringView name)
{
    return word.compare(name, Qt::CaseInsensitive) == 0;
}

// Begin and BeginProperty open a block of the designer's, End and
// EndProperty close one.
int designerDepthChange(QStringView line)
{
    const QStringView word = firstWord(line);
    if (isWord(word, u"Begin") || isWord(word, u"BeginProperty"))
        return 1;
    if (isWord(word, u"End") || isWord(word, u"EndProperty"))
        return -1;
    return 0;
}

} // namespace

QList<SourceLine> sourceLines(QStringView text)
{
    QList<SourceLine> lines;
    qsizetype begin = 0;
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype breakLength
            = c == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n' ? 2 : 1;
        lines.append({ begin, pos - begin, breakLength });
        pos += breakLength - 1;
        begin = pos + 1;
    }
    if (begin < text.size() || lines.isEmpty())
        lines.append({ begin, text.size() - begin, 0 });
    return lines;
}

qsizetype designerHeaderLines(QStringView text, const QList<SourceLine> &lines)
{
    const auto lineText = [&](qsizetype i) { return text.sliced(lines[i].begin, lines[i].length); };
    if (!isWord(firstWord(lineText(0)), u"VERSION"))
        return 0;
    qsizetype next = 1;
    int depth = 0;
    for (; next < lines.size(); ++next) {
        const int change = designerDepthChange(lineText(next));
        if (depth == 0 && change <= 0 && !isWord(firstWord(lineText(next)), u"Object"))
            break;
        depth += change;
    }
    while (next < lines.size() && isWord(firstWord(lineText(next)), u"Attribute"))
        ++next;
    return next;
}

} // namespace quillon::sources
