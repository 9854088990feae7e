#pragma once

#include "platform/ShellService.h"

// The shell on Qt: QDesktopServices opens documents and mail links.
class DesktopShellService final : public ShellService
{
public:
    void openDocument(const QString &filePath) override;
    void openMailLink(const QString &mailLink) override;
};
