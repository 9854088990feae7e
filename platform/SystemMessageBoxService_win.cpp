#include "platform/SystemMessageBoxService.h"

#include "vb_model/VbConstants.h"

#include <QApplication>
#include <QDebug>
#include <QWidget>

#include <qt_windows.h>

#include <algorithm>

int SystemMessageBoxService::show(const QString &prompt, qint32 style, const QString &title)
{
    // Owned by the active window, the box is modal to it as VB's is to its form.
    const QWidget *owner = QApplication::activeWindow();
    const HWND ownerHandle = owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
    const QString shownTitle = title.isEmpty() ? QApplication::applicationDisplayName() : title;
    const QList<quillon::model::VbConstant> answers = quillon::model::answersOf(style);
    for (;;) {
        const int answer
            = MessageBoxW(ownerHandle, reinterpret_cast<const wchar_t *>(prompt.utf16()),
                reinterpret_cast<const wchar_t *>(shownTitle.utf16()), UINT(style));
        // Windows answers only with a button of the box. Wine's box answers
        // Escape with Cancel where it has none (Yes/No, Abort/Retry/Ignore);
        // there Escape does nothing, as on Windows: the box comes back.
        if (std::any_of(answers.cbegin(), answers.cend(),
                [answer](
                    const quillon::model::VbConstant &button) { return button.value == answer; }))
            return answer;
        if (answer == 0) {
            qWarning("MessageBoxW refused the style %d: error %lu", int(style), GetLastError());
            return 0;
        }
    }
}
