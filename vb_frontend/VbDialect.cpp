#include "vb_frontend/VbDialect.h"

namespace codegen {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

qsizetype afterString(QStringView code, qsizetype quote)
{
    qsizetype i = quote + 1;
    while (i < code.size() && code[i] != u'\n') {
        if (code[i] == u'"') {
            if (i + 1 < code.size() && code[i + 1] == u'"') {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

qsizetype lineEnd(QStringView code, qsizetype from)
{
    const qsizetype end = code.indexOf(u'\n', from);
    return end < 0 ? code.size() : end;
}

// An underscore right behind "&" or ",", with nothing but blanks to the end
// of its line.
bool isJoinedContinuation(QStringView code, qsizetype at)
{
    if (at + 1 >= code.size() || code[at + 1] != u'_')
        return false;
    const QStringView rest = code.sliced(at + 2, lineEnd(code, at + 2) - at - 2);
    return rest.trimmed().isEmpty();
}

std::optional<Dialect> dialectOfWord(QStringView word)
{
    if (word.compare(u"MsgBoxStyle", Qt::CaseInsensitive) == 0
        || word.compare(u"MsgBoxResult", Qt::CaseInsensitive) == 0)
        return Dialect::VbNet;
    return std::nullopt;
}

// A line that ends in "&", "," or "(" goes on by itself only in VB.NET.
bool goesOnByItself(QChar lastOfLine)
{
    return lastOfLine == u'&' || lastOfLine == u',' || lastOfLine == u'(';
}

} // namespace

std::optional<Dialect> dialectWrittenIn(QStringView code)
{
    qsizetype i = 0;
    QChar lastOfLine;
    while (i < code.size()) {
        const QChar c = code[i];
        if (c == u'\r' || c == u'\n') {
            if (goesOnByItself(lastOfLine))
                return Dialect::VbNet;
            lastOfLine = QChar();
            ++i;
            continue;
        }
        if (!c.isSpace())
            lastOfLine = c;
        if (c == u'"') {
            i = afterString(code, i);
        } else if (c == u'\'') {
            i = lineEnd(code, i);
        } else if ((c == u'&' || c == u',') && isJoinedContinuation(code, i)) {
            return Dialect::VbScript;
        } else if (isWordCharacter(c)) {
            qsizetype end = i;
            while (end < code.size() && isWordCharacter(code[end]))
                ++end;
            if (const auto dialect = dialectOfWord(code.sliced(i, end - i)))
                return dialect;
            i = end;
        } else {
            ++i;
        }
    }
    return std::nullopt;
}

} // namespace codegen
