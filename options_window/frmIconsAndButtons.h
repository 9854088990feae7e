#pragma once

#include "vb_model/StyleFlags.h"
#include "ui_frmIconsAndButtons.h"

#include <QButtonGroup>
#include <QWidget>

class QCloseEvent;
class MessageBoxService;

// "Icons and Buttons": the choice of icon, buttons, default button and
// display modes. Modeless and without owner; the user's close only hides it,
// so the choices last until the main window unloads it.
class frmIconsAndButtons : public QWidget
{
    Q_OBJECT

public:
    // Loads the window hidden with the first choices.
    explicit frmIconsAndButtons(MessageBoxService &messageBox);

    quillon::model::StyleChoices choices() const;
    // Shows the choices as if the user had made them, and emits them.
    void setChoices(const quillon::model::StyleChoices &choices);

    // Emits the current choices.
    void CheckValues();

    // Closes the window for real, as the main window does at its end.
    void unload();

signals:
    void choicesChanged(const quillon::model::StyleChoices &choices);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void groupOptionArrays();
    void nameConstantsInToolTips();
    void drawCaptionsOnFrameLines();
    void showIconPictures();
    void showHelpSymbol();
    void connectHandlers();
    void Label2_Click();

    Ui::frmIconsAndButtons ui;
    QButtonGroup optIcon;
    QButtonGroup optButtons;
    QButtonGroup optDefaultButton;
    MessageBoxService &messageBox;
    bool bUnloading = false;
};
