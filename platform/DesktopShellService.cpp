#include "platform/DesktopShellService.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopShellService::openDocument(const QString &filePath)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}

void DesktopShellService::openMailLink(const QString &mailLink)
{
    QDesktopServices::openUrl(mailLinkUrl(mailLink));
}

QUrl mailLinkUrl(const QString &mailLink)
{
    // Left as they stand: the delimiters a mailto link uses. "#" would cut the
    // link into a fragment, "[" and "]" belong to host names only, and "%"
    // starts an escape, so these are encoded like any other character.
    static const QByteArray kDelimiters = QByteArrayLiteral(":/?@!$&'()*+,;=");
    return QUrl::fromEncoded(QUrl::toPercentEncoding(mailLink, kDelimiters), QUrl::StrictMode);
}
