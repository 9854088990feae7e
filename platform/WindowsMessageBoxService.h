#pragma once

#include "platform/MessageBoxService.h"

// The message box on Windows: Windows' own, the very box VB's MsgBox shows.
// The VB constants are Windows' MB_ flags and its answers VB's numbers, so
// the style goes in and the answer comes out as they are.
class WindowsMessageBoxService final : public MessageBoxService
{
public:
    int show(const QString &prompt, qint32 style, const QString &title = {}) override;
};
