#pragma once

#include <QByteArray>
#include <QString>

// A file read or replaced whole, for the source files msgbox-format lays
// out anew.
struct WholeFile
{
    QByteArray bytes;
    QString error; // why the file could not be read; empty when it was
};

WholeFile readWholeFile(const QString &filePath);

// Replaces the file at once (QSaveFile): it holds either its old bytes or
// all the new ones, never a part, and keeps its permissions, read-only
// included. A file the user may not write is left as it is. Gives why it
// could not, or nothing.
QString replaceWholeFile(const QString &filePath, const QByteArray &bytes);
