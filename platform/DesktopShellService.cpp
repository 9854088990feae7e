#include "platform/DesktopShellService.h"

void DesktopShellService::openDocument(const QString &)
{
}

void DesktopShellService::openMailLink(const QString &)
{
}
