#include "io/HelpDocument.h"

#include <QFileInfo>

bool isHelpDocumentPresent(const QString &documentPath)
{
    const QFileInfo document(documentPath);
    return document.isFile() && !document.isHidden();
}
