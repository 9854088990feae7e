#include "platform/WindowsMessageBoxService.h"

#include <QApplication>
#include <QWidget>

#include <qt_windows.h>

int WindowsMessageBoxService::show(const QString &prompt, qint32 style, const QString &title)
{
    // Owned by the active window, the box is modal to it as VB's is to its form.
    const QWidget *owner = QApplication::activeWindow();
    const HWND ownerHandle = owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
    const QString shownTitle = title.isEmpty() ? QApplication::applicationDisplayName() : title;
    return MessageBoxW(ownerHandle, reinterpret_cast<const wchar_t *>(prompt.utf16()),
        reinterpret_cast<const wchar_t *>(shownTitle.utf16()), UINT(style));
}
