#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Text files as VB and its editors keep them: VB6 and the VBA editor save
// Windows-1252, other editors UTF-8, Notepad's "Unicode" UTF-16 behind a
// byte-order mark.
namespace quillon::model {

enum class TextEncoding {
    Utf8,
    Utf8WithMark,
    Utf16LittleEndian, // behind its mark
    Utf16BigEndian, // behind its mark
    Windows1252,
};

struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// A byte-order mark decides; without one, the bytes are UTF-8 where they are
// valid UTF-8, Windows-1252 otherwise. Behind a mark, bytes that are not of
// its encoding read as U+FFFD; a U+FEFF behind the mark is text.
DecodedText decodeText(QByteArrayView bytes);

// The text in the encoding, its mark included; nothing where the encoding
// has no bytes for a character of it.
std::optional<QByteArray> encodeText(QStringView text, TextEncoding encoding);

// "Windows-1252", "UTF-8", ..., for messages.
QString encodingName(TextEncoding encoding);

} // namespace quillon::model
