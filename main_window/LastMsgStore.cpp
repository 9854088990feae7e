#include "main_window/LastMsgStore.h"

#include "codegen/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringList>
#include <QTemporaryFile>

namespace {

const QString kSeparator = QStringLiteral("###DiesIstDasTrennzeichen###");
const QByteArray kUtf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// A record is a title and a few lines of text; anything this large is not
// ours and would only slow the start down.
constexpr qint64 kLargestReadableFile = 16 * 1024 * 1024;

// A U+FEFF at the start is the user's: the file's own mark is gone by now.
QString decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Other editors write UTF-8 without the mark. Windows-1252 text with
// umlauts, as the older releases wrote it, is hardly ever valid UTF-8 (an
// umlaut would have to stand before one of the rare characters 0x80..0xBF);
// ASCII reads the same either way.
QString decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8ByteOrderMark))
        return decodeUtf8(bytes.sliced(kUtf8ByteOrderMark.size()));
    if (bytes.isValidUtf8())
        return decodeUtf8(bytes);
    return codegen::decodeWindows1252(bytes);
}

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

std::optional<LastMessage> decodeLastMessage(QByteArrayView bytes)
{
    const QStringList pieces = decodeText(bytes).split(kSeparator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (pieces.size() < 2)
        return std::nullopt;
    return LastMessage { pieces.at(0), pieces.at(1) };
}

// Windows-1252 keeps the file readable by the older releases. A text it
// cannot carry, or whose bytes would read back as another text (they begin
// like the UTF-8 mark or happen to be valid UTF-8), goes as UTF-8 instead, so
// nothing the user typed is lost.
QByteArray encodeLastMessage(const LastMessage &record)
{
    // No line break after the message: the reader takes every byte behind the
    // separator as the message, so a trailing break would grow it at each run.
    const QString text = record.title + kSeparator + record.message;
    const std::optional<QByteArray> eightBit = codegen::encodeWindows1252(text);
    if (eightBit && decodeText(*eightBit) == text)
        return *eightBit;
    return kUtf8ByteOrderMark + text.toUtf8();
}

QString lastMessagePath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("LastMsgText.txt"));
}

LastMessageFolders lastMessageFolders(
    const QString &programFolder, const QString &dataFolder, bool programFolderWritable)
{
    if (programFolderWritable || dataFolder.isEmpty())
        return { programFolder, dataFolder };
    return { dataFolder, programFolder };
}

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
