#include "about_window/frmAbout.h"

frmAbout::frmAbout(ShellService &shell, QWidget *owner) : QDialog(owner), shell(shell)
{
}
