#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Places in a document as LSP counts them: lines from 0, broken by CR LF,
// LF or CR, and characters in UTF-16 code units, which QString's are.
namespace lsp {

struct Position
{
    qsizetype line = 0;
    qsizetype character = 0;
};

struct Range
{
    Position start;
    Position end;
};

class LineIndex
{
public:
    explicit LineIndex(QStringView text);

    qsizetype lineCount() const { return m_starts.size(); }
    // A place past a line's end is its end; past the last line, the text's.
    qsizetype offsetOf(Position position) const;
    Position positionOf(qsizetype offset) const;
    qsizetype lineLength(qsizetype line) const { return m_lengths[line]; }

private:
    QList<qsizetype> m_starts;
    QList<qsizetype> m_lengths; // without the break
    qsizetype m_size = 0;
};

QJsonObject jsonOf(Position position);
QJsonObject jsonOf(const Range &range);
// Nothing where the value is no LSP range.
std::optional<Range> rangeOf(const QJsonValue &value);

// Applies one change of textDocument/didChange: a range replaced, or the
// whole text where it names none. False where the change is malformed.
bool applyChange(QString &text, const QJsonObject &change);

} // namespace lsp
