#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The lines of a multi-line text box as its line queries see them: CR LF ends
// a line and belongs to none; a wrapping box also breaks each paragraph at its
// width. A text that ends with a break has a last, empty line; an empty text
// has one empty line.
class TextBoxLines
{
public:
    // A box with only a vertical scroll bar (txtDummy).
    static TextBoxLines wrapping(const QString &text, qsizetype charsPerLine);
    // A box with a horizontal scroll bar (txtFormatiert).
    static TextBoxLines nonWrapping(const QString &text);

    qsizetype count() const { return m_lines.size(); }
    // 0-based; the view lives as long as this object.
    QStringView line(qsizetype index) const;

private:
    struct Span
    {
        qsizetype start;
        qsizetype length;
    };

    // Without a width, only hard breaks end a line.
    TextBoxLines(const QString &text, std::optional<qsizetype> charsPerLine);

    QString m_text;
    QList<Span> m_lines;
};

// The box's line count.
qsizetype GetLineCount(const TextBoxLines &box);
// The text of line n (1-based), never truncated; empty for a line the box
// does not have.
QString GetLineText(const TextBoxLines &box, qsizetype n);
