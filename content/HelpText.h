#pragma once

#include <QString>

// Help: the document beside the program when it is there, otherwise a
// short text of our own in a message box.

QString helpDocumentPath(const QString &programFolder);

// Eleven lines, CR LF between them, no break at the end.
QString fallbackHelpText();
QString fallbackHelpTitle();
