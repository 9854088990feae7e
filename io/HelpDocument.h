#pragma once

#include <QString>

// Only a normal, visible file counts as the help document.
bool isHelpDocumentPresent(const QString &documentPath);
