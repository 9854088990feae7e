#pragma once

#include <QLabel>

class QCursor;

// A label or picture that acts as a button: it shows the hand cursor and
// reports a click when the left button is released over it.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The program's pointing hand, shown over everything that can be clicked
// without looking like a button.
QCursor handCursor();
