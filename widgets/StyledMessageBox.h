#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStyle>

#include <optional>

class QGridLayout;
class QHBoxLayout;
class QPushButton;

namespace message_box_detail {
class PromptView;
}

// The box as Windows copies its own on Ctrl+C, for the user to paste into a
// report: the title, the prompt and the buttons' captions, each followed by
// three blanks, between lines of dashes, with CR LF breaks. `prompt` breaks
// lines with CR LF.
QString messageBoxAsText(const QString &title, const QString &prompt, const QStringList &captions);

// The message box where the system has none of VB's: a modal box of our
// own with the German button captions, built to the rules of the box VB
// shows: the icon, the whole prompt within the screen (long lines break, a
// prompt taller than the screen scrolls), the buttons centred in the order
// Windows shows them, the default button, Escape and the close button only
// where the set has an answer for them, no minimize or maximize button,
// modal, the title given room. As Windows' box it copies itself on Ctrl+C
// and announces itself to screen readers as an alert.
class StyledMessageBox final : public QDialog
{
    Q_OBJECT

public:
    StyledMessageBox(const QString &prompt, qint32 vbStyle, const QString &title);

    // Left to right.
    QList<QPushButton *> buttons() const { return buttonsInOrder; }
    QPushButton *defaultButton() const { return defaultAnswer; }
    QPushButton *clickedButton() const { return clicked; }
    std::optional<QStyle::StandardPixmap> iconShown() const { return icon; }
    // As typed, with LF breaks; it shows as plain text.
    QString text() const { return promptText; }

    // The number of the button that closed the box (1 OK .. 7 No). A box
    // closed without a button (Escape, the title bar's close button) answers
    // with its escape button; one the program ends without either, with its
    // default.
    int answer() const;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QHBoxLayout *createButtonRow(qint32 vbStyle);
    void makeRoomForTitle(QGridLayout &grid);
    void finishWith(QPushButton *button);
    void copyToClipboard() const;
    QPushButton *escapeButton() const;
    QSize roomOnScreen() const;
    void fitToScreen();

    std::optional<QStyle::StandardPixmap> icon;
    QString promptText;
    message_box_detail::PromptView *promptView = nullptr;
    QList<QPushButton *> buttonsInOrder;
    QPushButton *defaultAnswer = nullptr;
    QPushButton *clicked = nullptr;
    std::optional<int> escapeAnswer;
};
