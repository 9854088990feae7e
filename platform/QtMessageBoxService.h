#pragma once

#include "platform/MessageBoxService.h"

#include <memory>

class QMessageBox;

// The message box on Qt: a modal QMessageBox that honours the style bits the
// tool uses, with the German button captions.
class QtMessageBoxService final : public MessageBoxService
{
public:
    int show(const QString &prompt, qint32 style, const QString &title = {}) override;
};

// The box that show() runs, configured but not yet shown: buttons in the
// order Windows shows them, icon, default and escape button, modality,
// alignment and title. Shown, it holds the whole prompt within the screen.
std::unique_ptr<QMessageBox> createStyledMessageBox(
    const QString &prompt, qint32 style, const QString &title);

// The number of the button that closed the box (1 OK .. 7 No). A box closed
// without a button (Escape, the title bar's close button) answers with its
// escape button; one the program ends without either, with its default.
int buttonNumberOf(const QMessageBox &box);
