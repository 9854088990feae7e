#pragma once

#include <QDialog>

class ShellService;

// The program information with the maker's mail link. Created fresh for
// each showing and shown modally over its owner.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout(ShellService &shell, QWidget *owner);

private:
    ShellService &shell;
};
