#pragma once

#include "platform/MessageBoxService.h"

// The message box of the system the tool runs on. On Windows it is Windows'
// own, the very box VB's MsgBox shows: the VB constants are Windows' MB_
// flags and its answers VB's numbers, so the style goes in and the answer
// comes out as they are. Elsewhere it is StyledMessageBox, our imitation.
class SystemMessageBoxService final : public MessageBoxService
{
public:
    int show(const QString &prompt, qint32 style, const QString &title = {}) override;
};
