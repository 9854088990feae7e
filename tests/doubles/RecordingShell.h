#pragma once

#include "platform/ShellService.h"

#include <QStringList>

// Stands in for the desktop shell in tests: nothing is opened, every
// request is remembered.
class RecordingShell final : public ShellService
{
public:
    QStringList openedDocuments;
    QStringList openedMailLinks;

    void openDocument(const QString &filePath) override { openedDocuments.append(filePath); }
    void openMailLink(const QString &mailLink) override { openedMailLinks.append(mailLink); }
};
