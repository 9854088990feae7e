#pragma once

#include <QString>

// Help: the document beside the program when it is there, otherwise a
// short text of our own in a message box.

QString helpDocumentPath(const QString &programFolder);

// Only a normal, visible file counts as the help document.
bool isHelpDocumentPresent(const QString &documentPath);

// Eleven lines, CR LF between them, no break at the end.
QString fallbackHelpText();
QString fallbackHelpTitle();
