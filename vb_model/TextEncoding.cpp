#include "vb_model/TextEncoding.h"

#include "vb_model/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace quillon::model {

namespace {

using namespace Qt::Literals::StringLiterals;

struct MarkedEncoding
{
    TextEncoding encoding;
    QByteArrayView mark;
    QStringConverter::Encoding converter;
};

const std::array<MarkedEncoding, 3> kMarkedEncodings { {
    { TextEncoding::Utf8WithMark, "\xEF\xBB\xBF", QStringConverter::Utf8 },
    { TextEncoding::Utf16LittleEndian, "\xFF\xFE", QStringConverter::Utf16LE },
    { TextEncoding::Utf16BigEndian, "\xFE\xFF", QStringConverter::Utf16BE },
} };

const MarkedEncoding *markedEncodingOf(TextEncoding encoding)
{
    for (const MarkedEncoding &marked : kMarkedEncodings) {
        if (marked.encoding == encoding)
            return &marked;
    }
    return nullptr;
}

// The mark is gone by now: a U+FEFF that follows it is part of the text.
QString decodeAs(QStringConverter::Encoding converter, QByteArrayView bytes)
{
    QStringDecoder decoder(
        converter, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

std::optional<QByteArray> encodeAs(QStringConverter::Encoding converter, QStringView text)
{
    QStringEncoder encoder(converter, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace

DecodedText decodeText(QByteArrayView bytes)
{
    for (const MarkedEncoding &marked : kMarkedEncodings) {
        if (bytes.startsWith(marked.mark))
            return { decodeAs(marked.converter, bytes.sliced(marked.mark.size())),
                marked.encoding };
    }
    if (bytes.isValidUtf8())
        return { decodeAs(QStringConverter::Utf8, bytes), TextEncoding::Utf8 };
    return { decodeWindows1252(bytes), TextEncoding::Windows1252 };
}

std::optional<QByteArray> encodeText(QStringView text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252)
        return encodeWindows1252(text);
    if (encoding == TextEncoding::Utf8)
        return encodeAs(QStringConverter::Utf8, text);
    const MarkedEncoding *marked = markedEncodingOf(encoding);
    std::optional<QByteArray> bytes = encodeAs(marked->converter, text);
    if (bytes)
        bytes->prepend(marked->mark);
    return bytes;
}

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return u"UTF-8"_s;
    case TextEncoding::Utf8WithMark:
        return u"UTF-8 with byte-order mark"_s;
    case TextEncoding::Utf16LittleEndian:
        return u"UTF-16 LE"_s;
    case TextEncoding::Utf16BigEndian:
        return u"UTF-16 BE"_s;
    case TextEncoding::Windows1252:
        break;
    }
    return u"Windows-1252"_s;
}

} // namespace quillon::model
