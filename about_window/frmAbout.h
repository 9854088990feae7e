#pragma once

#include "ui_frmAbout.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class QLabel;
class QPoint;
class ShellService;

// The program information with the maker's mail link. Created fresh for
// each showing and shown modally over its owner.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout(ShellService &shell, QWidget *owner);

    // Where the hover poll reads the mouse pointer, in screen pixels; the
    // real cursor unless a test puts its own pointer here.
    void setPointerPositionSource(std::function<QPoint()> source);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFontsAndColours();

    void Form_Load();
    void lblSendEMail_Click();
    void lblSendEMail_MouseMove();
    void Timer1_Timer();
    void lblCloseAbout_Click();

    Ui::frmAbout ui;
    ShellService &shell;
    QTimer Timer1 { this };
    std::function<QPoint()> pointerPosition;

    QLabel *oLinkLabel = nullptr;
    bool bLinkHover = false;
};
