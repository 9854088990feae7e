#pragma once

#include <QWidget>

class QLabel;
class MessageBoxService;

// "Icons and Buttons": the choice of icon, buttons, default button and
// display modes. Modeless and without owner; the user's close only hides it,
// so the choices last until the main window unloads it.
class frmIconsAndButtons : public QWidget
{
    Q_OBJECT

public:
    // Loads the window hidden and writes the first flags into lblFlags.
    frmIconsAndButtons(QLabel &lblFlags, MessageBoxService &messageBox);

    // Rewrites lblFlags from the current choices.
    void CheckValues();

    // Closes the window for real, as the main window does at its end.
    void unload();

private:
    QLabel &lblFlags;
    MessageBoxService &messageBox;
};
