#include "platform/QtMessageBoxService.h"

int QtMessageBoxService::show(const QString &, qint32, const QString &)
{
    return 1;
}
