#pragma once

#include "tests/support/MessageMaker.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// A fuzzer's bytes as the random choices of the shared message maker: each
// choice takes one byte, or two where the choice is wider than a byte. Once
// the bytes are used up every choice is 0, which ends texts early.
class FuzzInput : public ChoiceSource
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size);

    quint32 pick(quint32 bound) override;

    // 0 once the input is used up.
    std::uint8_t byte();
    // A text from the message maker.
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

// VB's limits on generated code, checked on the text: it ends with CR LF, no
// statement has over 24 continuations and no line over 1,023 characters.
void checkVbLimits(const QString &code, const QString &details);
