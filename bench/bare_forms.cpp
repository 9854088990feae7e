// The yardstick for the start-up time: the program's three forms as uic
// builds them, the main one shown, and nothing else: none of the program's
// fonts, colours, pictures, tool tips, handlers or stored text.
#include "ui_frmAbout.h"
#include "ui_frmIconsAndButtons.h"
#include "ui_frmMsgBoxQuillon.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget main;
    Ui::frmMsgBoxQuillon mainForm;
    mainForm.setupUi(&main);
    QWidget options;
    Ui::frmIconsAndButtons optionsForm;
    optionsForm.setupUi(&options);
    QDialog about;
    Ui::frmAbout aboutForm;
    aboutForm.setupUi(&about);
    main.show();
    return app.exec();
}
