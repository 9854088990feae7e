#include "vb_model/Windows1252.h"

#include <array>

namespace quillon::model {

namespace {

// 0x80..0x9F, where the code page differs from Latin-1.
constexpr std::array<char16_t, 32> kHighControlsRange { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E,
    0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090,
    0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153,
    0x009D, 0x017E, 0x0178 };

constexpr unsigned char kFirstTableByte = 0x80;
constexpr unsigned char kFirstLatin1Byte = 0xA0;

std::optional<char> byteOf(char16_t unit)
{
    if (unit < kFirstTableByte || (unit >= kFirstLatin1Byte && unit <= 0xFF))
        return char(unit);
    for (std::size_t i = 0; i < kHighControlsRange.size(); ++i) {
        if (kHighControlsRange[i] == unit)
            return char(kFirstTableByte + i);
    }
    return std::nullopt;
}

} // namespace

QChar windows1252Char(unsigned char byte)
{
    if (byte >= kFirstTableByte && byte < kFirstLatin1Byte)
        return QChar(kHighControlsRange[byte - kFirstTableByte]);
    return QChar(char16_t(byte));
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *into = text.data();
    for (const char byte : bytes)
        *into++ = windows1252Char(static_cast<unsigned char>(byte));
    return text;
}

std::optional<QByteArray> encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *into = bytes.data();
    for (const QChar c : text) {
        const std::optional<char> byte = byteOf(c.unicode());
        if (!byte)
            return std::nullopt;
        *into++ = *byte;
    }
    return bytes;
}

} // namespace quillon::model
