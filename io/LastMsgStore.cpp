#include "io/LastMsgStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {

// A record is a title and a few lines of text; anything this large is not
// ours and would only slow the start down.
constexpr qint64 kLargestReadableFile = 16 * 1024 * 1024;

QString saveFailure(const QString &filePath, const QString &reason)
{
    QString text
        = QStringLiteral("Die letzte Meldung konnte nicht in \"%1\" gespeichert werden: %2")
              .arg(QDir::toNativeSeparators(filePath), reason);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// The data folder does not exist before the first save there; where it
// cannot be made, the write says why.
bool saveLastMessageIn(const QString &folder, const LastMessage &record, QString &errorText)
{
    QDir().mkpath(folder);
    return writeLastMessage(lastMessagePath(folder), record, errorText);
}

} // namespace
// Asked by creating a file there: on Windows, QFileInfo::isWritable reads
// only the read-only attribute, and a folder under Program Files passes it
// while its access rights refuse every write.
LastMessageFolders lastMessageFolders(const QString &programFolder, const QString &dataFolder)
{
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral("LastMsgText-XXXXXX.tmp")));
    return lastMessageFolders(programFolder, dataFolder, probe.open());
}

std::optional<LastMessage> loadLastMessage(const LastMessageFolders &folders)
{
    for (const QString &folder : { folders.saveFolder, folders.otherFolder }) {
        const QString path = lastMessagePath(folder);
        if (!folder.isEmpty() && QFileInfo(path).isFile())
            return readLastMessage(path);
    }
    return std::nullopt;
}

// A save that fails where it was meant to go is tried in the other folder,
// which a start also reads; only when both fail is the text lost.
bool saveLastMessage(
    const LastMessageFolders &folders, const LastMessage &record, QString &errorText)
{
    if (saveLastMessageIn(folders.saveFolder, record, errorText))
        return true;
    QString otherError;
    if (!folders.otherFolder.isEmpty()
        && saveLastMessageIn(folders.otherFolder, record, otherError)) {
        errorText.clear();
        return true;
    }
    return false;
}

std::optional<LastMessage> readLastMessage(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.isFile() || info.size() > kLargestReadableFile)
        return std::nullopt;

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kLargestReadableFile + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestReadableFile)
        return std::nullopt;
    return decodeLastMessage(bytes);
}

bool writeLastMessage(const QString &filePath, const LastMessage &record, QString &errorText)
{
    const QByteArray bytes = encodeLastMessage(record);

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        errorText = saveFailure(filePath, file.errorString());
        return false;
    }
    // QFile reports a short write (disk full, size limit) only through the
    // count, and commit() would then put a cut-off record in place.
    if (file.write(bytes) != bytes.size()) {
        errorText = saveFailure(filePath, qt_error_string());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        errorText = saveFailure(filePath, file.errorString());
        return false;
    }
    return true;
}
