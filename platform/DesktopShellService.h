#pragma once

#include "platform/ShellService.h"

class QUrl;

// The shell on Qt: QDesktopServices opens documents and mail links.
class DesktopShellService final : public ShellService
{
public:
    void openDocument(const QString &filePath) override;
    void openMailLink(const QString &mailLink) override;
};

// The mail link as a URL: characters a URL cannot carry (blanks, umlauts,
// "%", "#") are percent-encoded, the link's own separators are kept.
QUrl mailLinkUrl(const QString &mailLink);
