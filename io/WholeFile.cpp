#include "io/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

WholeFile readWholeFile(const QString &filePath)
{
    if (QFileInfo(filePath).isDir())
        return { {}, u"it is a folder"_s };
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return { {}, file.errorString() };
    WholeFile read { file.readAll(), {} };
    if (file.error() != QFileDevice::NoError)
        read.error = file.errorString();
    return read;
}

QString replaceWholeFile(const QString &filePath, const QByteArray &bytes)
{
    // QSaveFile takes the old file's permissions over but makes the new one
    // writable for its owner; they are set back, so that a read-only file
    // stays so. One the user may not write at all (not checked out of source
    // control) it refuses. The user's bits are what the one running this may
    // do, not the file's.
    const QFileInfo before(filePath);
    const bool existed = before.exists();
    const QFileDevice::Permissions permissions = before.permissions()
        & ~QFileDevice::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // A short write (disk full) shows only in the count; committing then
    // would put a cut-off file in place.
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    if (existed)
        QFile::setPermissions(filePath, permissions);
    return {};
}
