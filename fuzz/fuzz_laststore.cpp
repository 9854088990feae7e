// The store of the last message against any file content, and its own
// records: reading never fails on bytes, and what it writes reads back.

#include "fuzz/FuzzInput.h"

#include "main_window/LastMsgStore.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Mode : std::uint8_t {
    RawBytes,      // the rest of the input is the file
    Utf8Marked,    // the same behind a UTF-8 byte order mark
    NearTheLimit,  // the rest repeated to just below or above the size limit
    WrittenRecord, // two texts written as a record and read back
};

// The reader's limit; files above it are not ours.
constexpr qint64 kLargestReadableFile = 16 * 1024 * 1024;
const QString kSeparator = u"###DiesIstDasTrennzeichen###"_s;

const QString &storePath()
{
    static QTemporaryDir folder;
    static const QString path = lastMessagePath(folder.path());
    return path;
}

void writeFile(const QByteArray &bytes)
{
    QFile file(storePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

// Rarely taken: a 16 MiB file per run would slow the fuzzer to a crawl.
QByteArray nearTheLimit(const QByteArray &piece, std::uint8_t shape)
{
    if (shape != 0xA5)
        return piece;
    const QByteArray unit = piece.isEmpty() ? QByteArray("x") : piece;
    // Up to 7 bytes below or above the limit, or exactly at it.
    const qint64 offset = piece.size() % 8;
    const qint64 target = kLargestReadableFile + (offset % 2 ? offset : -offset);
    QByteArray bytes = unit.repeated(target / unit.size() + 1);
    bytes.truncate(target);
    return bytes;
}

// A record reads back as written when its text splits at the separator into
// just the title and the message; the store cannot tell other records apart.
bool isUnambiguous(const LastMessage &record)
{
    const QString text = record.title + kSeparator + record.message;
    const QStringList pieces = text.split(kSeparator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
    return pieces.size() == 2 && pieces[0] == record.title;
}

void writeAndReadBack(const LastMessage &record)
{
    QString error;
    if (!writeLastMessage(storePath(), record, error))
        propertyBroken("the record could not be written", error);
    const std::optional<LastMessage> read = readLastMessage(storePath());
    // The UTF-8 form of a record read near the limit can grow past it.
    if (QFileInfo(storePath()).size() > kLargestReadableFile) {
        if (read)
            propertyBroken("a record above the limit was read", {});
        return;
    }
    if (!read)
        propertyBroken("a written record did not read back",
                       escaped(record.title) + u'\n' + escaped(record.message));
    // A lone surrogate has no UTF-8 form; it comes back as U+FFFD.
    const bool representable
            = record.title.isValidUtf16() && record.message.isValidUtf16();
    if (representable && isUnambiguous(record)
        && (read->title != record.title || read->message != record.message))
        propertyBroken("a written record read back changed",
                       u"wrote: "_s + escaped(record.title) + u" | "_s + escaped(record.message)
                               + u"\nread:  "_s + escaped(read->title) + u" | "_s
                               + escaped(read->message));
}

// A start followed by a close without typing must leave what the next start
// shows unchanged.
void readAnyBytes(const QByteArray &bytes)
{
    writeFile(bytes);
    const std::optional<LastMessage> read = readLastMessage(storePath());
    if (read && bytes.size() > kLargestReadableFile)
        propertyBroken("a file above the limit was read", u"%1 bytes"_s.arg(bytes.size()));
    if (read)
        writeAndReadBack(*read);
}

LastMessage recordFrom(FuzzInput &input)
{
    LastMessage record;
    record.title = input.text();
    record.message = input.text();
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto mode = static_cast<Mode>(input.byte() % 4);
    const QByteArray rest(reinterpret_cast<const char *>(data) + (size > 0),
                          qsizetype(size > 0 ? size - 1 : 0));
    switch (mode) {
    case Mode::RawBytes:
        readAnyBytes(rest);
        break;
    case Mode::Utf8Marked:
        readAnyBytes(QByteArrayLiteral("\xEF\xBB\xBF") + rest);
        break;
    case Mode::NearTheLimit:
        readAnyBytes(nearTheLimit(rest.mid(1), rest.isEmpty() ? 0 : std::uint8_t(rest[0])));
        break;
    case Mode::WrittenRecord:
        writeAndReadBack(recordFrom(input));
        break;
    }
    return 0;
}
