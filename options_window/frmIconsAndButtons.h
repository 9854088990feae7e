#pragma once

#include "options_window/StyleFlags.h"
#include "ui_frmIconsAndButtons.h"

#include <QButtonGroup>
#include <QWidget>

class QCloseEvent;
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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void groupOptionArrays();
    void showIconPictures();
    void showHelpSymbol();
    void connectHandlers();
    StyleChoices currentChoices() const;
    void Label2_Click();

    Ui::frmIconsAndButtons ui;
    QButtonGroup optIcon;
    QButtonGroup optButtons;
    QButtonGroup optDefaultButton;
    QLabel &lblFlags;
    MessageBoxService &messageBox;
    bool bUnloading = false;
};
