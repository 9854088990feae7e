#pragma once

#include <QPlainTextEdit>

// A multi-line text box that wraps at word boundaries, as an edit control
// does, and stays fast whatever it holds. Qt's wrap at word boundaries takes
// time quadratic in the length of a word longer than a line: a pasted or
// stored run of 100,000 characters without a blank froze the window for
// seconds, a megabyte for minutes. Such a run is cut anywhere in any case,
// so a text that holds one wraps anywhere, which takes linear time.
class WrappingTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit WrappingTextBox(QWidget *parent = nullptr);

    // Picks the wrap for the new text before the box lays it out. Hides the
    // base's non-virtual setPlainText on purpose: the windows set text
    // through this type.
    void setPlainText(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    void wrapFor(QStringView text);
};

// Whether some run of characters without a blank is too long to be wrapped
// at word boundaries quickly.
bool holdsOverlongWord(QStringView text);
