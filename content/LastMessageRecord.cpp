#include "content/LastMessageRecord.h"

#include "vb_model/TextEncoding.h"
#include "vb_model/Windows1252.h"

#include <QDir>
#include <QStringList>

namespace {

const QString kSeparator = QStringLiteral("###DiesIstDasTrennzeichen###");
const QByteArray kUtf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// Other editors write UTF-8 without the mark. Windows-1252 text with
// umlauts, as the older releases wrote it, is hardly ever valid UTF-8 (an
// umlaut would have to stand before one of the rare characters 0x80..0xBF);
// ASCII reads the same either way.
QString decodeText(QByteArrayView bytes)
{
    return quillon::model::decodeText(bytes).text;
}

std::optional<LastMessage> splitAtSeparator(const QString &text)
{
    const QStringList pieces = text.split(kSeparator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (pieces.size() < 2)
        return std::nullopt;
    return LastMessage { pieces.at(0), pieces.at(1) };
}

} // namespace

std::optional<LastMessage> decodeLastMessage(QByteArrayView bytes)
{
    if (std::optional<LastMessage> record = splitAtSeparator(decodeText(bytes)))
        return record;
    // The store writes no UTF-16: bytes that only begin like its mark are an
    // older release's Windows-1252 whose title starts with "þÿ" or "ÿþ".
    return splitAtSeparator(quillon::model::decodeWindows1252(bytes));
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
    const std::optional<QByteArray> eightBit = quillon::model::encodeWindows1252(text);
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
