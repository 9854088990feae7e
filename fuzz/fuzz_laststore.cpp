// The last message's record against any file content, and its own records:
// decoding never fails on bytes that hold the separator, and what is encoded
// decodes back. Everything runs in memory; the store's tests keep the few
// cases that need a disk.

#include "fuzz/FuzzInput.h"

#include "content/LastMessageRecord.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Mode : std::uint8_t {
    RawBytes, // the rest of the input is the file
    Utf8Marked, // the same behind a UTF-8 byte order mark
    UnmarkedUtf8Record, // two texts as another editor saves them: UTF-8, no mark
    WrittenRecord, // two texts encoded as the store writes them
};

const QString kSeparator = u"###DiesIstDasTrennzeichen###"_s;
const QByteArray kLowerCaseSeparator = kSeparator.toLower().toLatin1();

QString shown(const LastMessage &record)
{
    return escaped(record.title) + u" | "_s + escaped(record.message);
}

// A record decodes as it was made when its text splits at the separator into
// just the title and the message; the store cannot tell other records apart.
// A lone surrogate has no UTF-8 form; it comes back as a replacement.
bool isUnambiguous(const LastMessage &record)
{
    const QString text = record.title + kSeparator + record.message;
    const QStringList pieces = text.split(kSeparator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
    return pieces.size() == 2 && pieces[0] == record.title && text.isValidUtf16();
}

void expectDecodedAs(const QByteArray &bytes, const LastMessage &record)
{
    const std::optional<LastMessage> decoded = decodeLastMessage(bytes);
    if (!decoded)
        propertyBroken("a record did not decode", shown(record));
    if (isUnambiguous(record)
        && (decoded->title != record.title || decoded->message != record.message))
        propertyBroken("a record decoded changed",
            u"made:    "_s + shown(record) + u"\ndecoded: "_s + shown(*decoded));
}

// Whatever a file holds, a start followed by a close without typing must
// leave what the next start shows unchanged.
void decodeAnyBytes(const QByteArray &bytes)
{
    const std::optional<LastMessage> decoded = decodeLastMessage(bytes);
    if (!decoded && bytes.toLower().contains(kLowerCaseSeparator))
        propertyBroken(
            "bytes with the separator did not decode", escaped(QString::fromLatin1(bytes)));
    if (decoded)
        expectDecodedAs(encodeLastMessage(*decoded), *decoded);
}

LastMessage recordFrom(FuzzInput &input)
{
    LastMessage record;
    record.title = input.text();
    record.message = input.text();
    return record;
}

// Such a file that begins with U+FEFF is taken for one with the mark.
void decodeUnmarkedUtf8(const LastMessage &record)
{
    if (!record.title.startsWith(QChar(0xFEFF)))
        expectDecodedAs((record.title + kSeparator + record.message).toUtf8(), record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto mode = static_cast<Mode>(input.byte() % 4);
    const QByteArray rest(
        reinterpret_cast<const char *>(data) + (size > 0), qsizetype(size > 0 ? size - 1 : 0));
    switch (mode) {
    case Mode::RawBytes:
        decodeAnyBytes(rest);
        break;
    case Mode::Utf8Marked:
        decodeAnyBytes(QByteArrayLiteral("\xEF\xBB\xBF") + rest);
        break;
    case Mode::UnmarkedUtf8Record:
        decodeUnmarkedUtf8(recordFrom(input));
        break;
    case Mode::WrittenRecord: {
        const LastMessage record = recordFrom(input);
        expectDecodedAs(encodeLastMessage(record), record);
        break;
    }
    }
    return 0;
}
