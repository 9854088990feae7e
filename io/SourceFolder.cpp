#include "io/SourceFolder.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

QStringList filesInFolder(const QString &folder, bool (*wanted)(QStringView fileName))
{
    QStringList files;
    QDirIterator entries(QDir::cleanPath(folder), QDir::Files, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        entries.next();
        if (wanted(entries.fileName()))
            files << entries.filePath();
    }
    // By code unit, not by locale: the same order on every machine.
    std::sort(files.begin(), files.end());
    return files;
}
