#pragma once

#include <QString>

// Hands documents and links to the desktop, as a double-click in the file
// manager would. Failures are not reported: the tool goes on either way.
class ShellService
{
public:
    virtual ~ShellService() = default;

    // Opens a local file with the program associated with its type.
    virtual void openDocument(const QString &filePath) = 0;

    // Opens a mail link in the user's mail program. `mailLink` is the plain
    // text ("mailto:...?Subject=...&Body=..."), not yet percent-encoded.
    virtual void openMailLink(const QString &mailLink) = 0;
};
