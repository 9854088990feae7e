#pragma once

#include "platform/MessageBoxService.h"

// The message box on Qt: a modal QMessageBox that honours the style bits the
// tool uses, with the German button captions.
class QtMessageBoxService final : public MessageBoxService
{
public:
    int show(const QString &prompt, qint32 style, const QString &title = {}) override;
};
