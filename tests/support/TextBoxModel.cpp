#include "tests/support/TextBoxModel.h"

#include "code_writer/TextBoxLines.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
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
            const qsizetype length = charsPerLine
                ? quillon::writer::firstWrappedLineLength(rest, *charsPerLine)
                : rest.size();
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
