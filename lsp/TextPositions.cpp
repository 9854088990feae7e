#include "lsp/TextPositions.h"

#include <QJsonValue>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace lsp {

LineIndex::LineIndex(QStringView text)
    : m_size(text.size())
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        m_starts.append(start);
        m_lengths.append(i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    m_starts.append(start);
    m_lengths.append(text.size() - start);
}

qsizetype LineIndex::offsetOf(Position position) const
{
    if (position.line < 0)
        return 0;
    if (position.line >= lineCount())
        return m_size;
    const qsizetype character
        = std::clamp<qsizetype>(position.character, 0, m_lengths[position.line]);
    return m_starts[position.line] + character;
}

Position LineIndex::positionOf(qsizetype offset) const
{
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), offset);
    const qsizetype line = std::max<qsizetype>(0, after - m_starts.cbegin() - 1);
    return { line, std::min(offset - m_starts[line], m_lengths[line]) };
}

QJsonObject jsonOf(Position position)
{
    return { { u"line"_s, double(position.line) }, { u"character"_s, double(position.character) } };
}

QJsonObject jsonOf(const Range &range)
{
    return { { u"start"_s, jsonOf(range.start) }, { u"end"_s, jsonOf(range.end) } };
}

namespace {

// LSP's uinteger; a fraction, a negative or a huge number is none.
std::optional<qsizetype> unsignedOf(const QJsonValue &value)
{
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > std::numeric_limits<int>::max()
        || number != double(qsizetype(number)))
        return std::nullopt;
    return qsizetype(number);
}

std::optional<Position> positionOf(const QJsonValue &value)
{
    const std::optional<qsizetype> line = unsignedOf(value[u"line"_s]);
    const std::optional<qsizetype> character = unsignedOf(value[u"character"_s]);
    if (!line || !character)
        return std::nullopt;
    return Position { *line, *character };
}

} // namespace

std::optional<Range> rangeOf(const QJsonValue &value)
{
    const std::optional<Position> start = positionOf(value[u"start"_s]);
    const std::optional<Position> end = positionOf(value[u"end"_s]);
    if (!start || !end)
        return std::nullopt;
    return Range { *start, *end };
}

bool applyChange(QString &text, const QJsonObject &change)
{
    const QJsonValue newText = change.value(u"text"_s);
    if (!newText.isString())
        return false;
    if (!change.contains(u"range"_s)) {
        text = newText.toString();
        return true;
    }
    const std::optional<Range> range = rangeOf(change.value(u"range"_s));
    if (!range)
        return false;
    const LineIndex index(text);
    const qsizetype start = index.offsetOf(range->start);
    const qsizetype end = std::max(start, index.offsetOf(range->end));
    text.replace(start, end - start, newText.toString());
    return true;
}

} // namespace lsp
