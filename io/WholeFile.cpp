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
    return {};
}
