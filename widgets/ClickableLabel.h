#pragma once

#include <QLabel>

class QCursor;

// A label or picture that acts as a button: it shows the hand cursor and
// reports a click when the left button is released over it. A screen reader
// names it by its tool tip, since a picture has no text to be named by.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString nameFromToolTip;
};

// The program's pointing hand, shown over everything that can be clicked
// without looking like a button.
QCursor handCursor();
