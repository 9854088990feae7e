#pragma once

#include <QString>

class MessageBoxService;
class QSettings;
class ShellService;

// What the windows need from outside the process. The program passes the
// real ones; tests pass doubles and temporary folders.
struct Services
{
    MessageBoxService &messageBox;
    ShellService &shell;
    QSettings &settings; // the user's, for choices kept between runs
    QString programFolder; // the folder that holds the executable
    QString dataFolder; // the user's own, for what cannot stay beside the program
};
