#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Reads a fuzzer's bytes as a few choices followed by texts.
//
// Texts are decoded so that short inputs reach the characters and markup the
// product has rules for: a byte below 0x80 stands for itself (NUL, CR and LF
// included), the bytes 0x80..0xFC pick a character or a piece of markup from
// a table, 0xFE takes the next two bytes as any UTF-16 unit (lone surrogates
// too), and 0xFD ends the text.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size);

    // 0 once the input is used up.
    std::uint8_t byte();
    QString text();
    bool atEnd() const { return m_pos >= m_size; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// The text with every character outside printable ASCII as \uXXXX, so that a
// report shows exactly what went in.
QString escaped(QStringView text);

// Stops the fuzzer with the inputs that broke a property.
[[noreturn]] void propertyBroken(const char *property, const QString &details);
