#include "options_window/frmIconsAndButtons.h"

#include "options_window/FlagsLabel.h"

frmIconsAndButtons::frmIconsAndButtons(QLabel &lblFlags, MessageBoxService &messageBox)
    : lblFlags(lblFlags), messageBox(messageBox)
{
    CheckValues();
}

void frmIconsAndButtons::CheckValues()
{
    writeFlagsLabel(lblFlags, computeStyleFlags({}));
}

void frmIconsAndButtons::unload()
{
    close();
}
