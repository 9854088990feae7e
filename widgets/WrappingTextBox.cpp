#include "widgets/WrappingTextBox.h"

#include <QMimeData>

namespace {

// Far more than a line of any box, far less than where the wrap slows down.
constexpr qsizetype kLongestWordWrappedAtBoundaries = 1000;

} // namespace

bool holdsOverlongWord(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWordWrappedAtBoundaries)
            return true;
    }
    return false;
}

WrappingTextBox::WrappingTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // Typing can grow a run past the limit, deleting can end one.
    connect(this, &QPlainTextEdit::textChanged, this, [this] { wrapFor(toPlainText()); });
}

void WrappingTextBox::setPlainText(const QString &text)
{
    wrapFor(text);
    QPlainTextEdit::setPlainText(text);
}

void WrappingTextBox::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText() && holdsOverlongWord(source->text()))
        wrapFor(source->text());
    QPlainTextEdit::insertFromMimeData(source);
}

void WrappingTextBox::wrapFor(QStringView text)
{
    const QTextOption::WrapMode mode = holdsOverlongWord(text)
        ? QTextOption::WrapAnywhere
        : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}
