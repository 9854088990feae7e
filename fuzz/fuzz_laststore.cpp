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
    RawBytes, // the rest of the input is the file
    Utf8Marked, // the same behind a UTF-8 byte order mark
    AboveTheLimit, // the rest at the start of a file just over the size limit
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

// The content at the start of a file that is 1 to 8 bytes too large; the
// rest is a hole, so the run stays quick. (The limit itself, exactly 16 MiB,
// is read, as the store's own tests show.)
void writeAboveTheLimit(const QByteArray &piece)
{
    writeFile(piece);
    QFile file(storePath());
    if (!file.resize(kLargestReadableFile + 1 + piece.size() % 8))
        std::abort();
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
    if (!read)
        propertyBroken("a written record did not read back",
            escaped(record.title) + u'\n' + escaped(record.message));
    // A lone surrogate has no UTF-8 form; it comes back as U+FFFD.
    const bool representable = record.title.isValidUtf16() && record.message.isValidUtf16();
    if (representable && isUnambiguous(record)
        && (read->title != record.title || read->message != record.message))
        propertyBroken("a written record read back changed",
            u"wrote: "_s + escaped(record.title) + u" | "_s + escaped(record.message)
                + u"\nread:  "_s + escaped(read->title) + u" | "_s + escaped(read->message));
}

// A start followed by a close without typing must leave what the next start
// shows unchanged.
void readBack(qint64 fileSize)
{
    const std::optional<LastMessage> read = readLastMessage(storePath());
    if (read && fileSize > kLargestReadableFile)
        propertyBroken("a file above the limit was read", u"%1 bytes"_s.arg(fileSize));
    if (read)
        writeAndReadBack(*read);
}

void readAnyBytes(const QByteArray &bytes)
{
    writeFile(bytes);
    readBack(bytes.size());
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
    const QByteArray rest(
        reinterpret_cast<const char *>(data) + (size > 0), qsizetype(size > 0 ? size - 1 : 0));
    switch (mode) {
    case Mode::RawBytes:
        readAnyBytes(rest);
        break;
    case Mode::Utf8Marked:
        readAnyBytes(QByteArrayLiteral("\xEF\xBB\xBF") + rest);
        break;
    case Mode::AboveTheLimit:
        writeAboveTheLimit(rest);
        readBack(QFileInfo(storePath()).size());
        break;
    case Mode::WrittenRecord:
        writeAndReadBack(recordFrom(input));
        break;
    }
    return 0;
}
