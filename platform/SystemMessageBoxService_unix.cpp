#include "platform/SystemMessageBoxService.h"

#include "widgets/StyledMessageBox.h"

int SystemMessageBoxService::show(const QString &prompt, qint32 style, const QString &title)
{
    StyledMessageBox box(prompt, style, title);
    box.exec();
    return box.answer();
}
