#include "main_window/LastMsgStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>

namespace {

const QString separator = QStringLiteral("###DiesIstDasTrennzeichen###");
const QByteArray utf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const auto eightBitEncoding = "windows-1252";

// A record is a title and a few lines of text; anything this large is not
// ours and would only slow the start down.
constexpr qint64 largestReadableFile = 16 * 1024 * 1024;

std::optional<QString> decodeWindows1252(const QByteArray &bytes)
{
    QStringDecoder decoder(eightBitEncoding);
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    return text;
}

// The file's mark is already gone; a U+FEFF behind it is the user's.
std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeRecord(const QByteArray &bytes)
{
    if (bytes.startsWith(utf8ByteOrderMark))
        return decodeUtf8(QByteArrayView(bytes).sliced(utf8ByteOrderMark.size()));
    return decodeWindows1252(bytes);
}

// Windows-1252 keeps the file readable by the older releases; a text it
// cannot carry is written as UTF-8 instead, so nothing the user typed is lost;
// so is one whose bytes would begin like the UTF-8 mark.
QByteArray encodeRecord(const QString &record)
{
    QStringEncoder encoder(eightBitEncoding);
    QByteArray bytes = encoder.encode(record);
    if (encoder.isValid() && !encoder.hasError() && decodeWindows1252(bytes) == record
        && !bytes.startsWith(utf8ByteOrderMark))
        return bytes;
    return utf8ByteOrderMark + record.toUtf8();
}

QString saveFailure(const QString &filePath, const QString &reason)
{
    QString text
        = QStringLiteral("Die letzte Meldung konnte nicht in \"%1\" gespeichert werden: %2")
              .arg(QDir::toNativeSeparators(filePath), reason);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString lastMessagePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("LastMsgText.txt"));
}

std::optional<LastMessage> readLastMessage(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.isFile() || info.size() > largestReadableFile)
        return std::nullopt;

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(largestReadableFile + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > largestReadableFile)
        return std::nullopt;

    const std::optional<QString> text = decodeRecord(bytes);
    if (!text)
        return std::nullopt;
    const QStringList pieces = text->split(separator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (pieces.size() < 2)
        return std::nullopt;
    return LastMessage { pieces.at(0), pieces.at(1) };
}

bool writeLastMessage(const QString &filePath, const LastMessage &record, QString &errorText)
{
    // No line break after the message: the reader takes every byte behind the
    // separator as the message, so a trailing break would grow it at each run.
    const QByteArray bytes = encodeRecord(record.title + separator + record.message);

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
