#include "fuzz/FuzzInput.h"

#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

FuzzInput::FuzzInput(const std::uint8_t *data, std::size_t size)
    : m_data(data)
    , m_size(size)
{ }

std::uint8_t FuzzInput::byte()
{
    return atEnd() ? 0 : m_data[m_pos++];
}

quint32 FuzzInput::pick(quint32 bound)
{
    quint32 number = byte();
    if (bound > 0x100)
        number |= quint32(byte()) << 8;
    return number % bound;
}

QString FuzzInput::text()
{
    return MessageMaker(*this).message();
}

QString escaped(QStringView text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'\\')
            shown += c;
        else
            shown += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

void propertyBroken(const char *property, const QString &details)
{
    std::fprintf(stderr, "\n*** %s\n%s\n", property, qPrintable(details));
    std::abort();
}

// A literal ends with its quote, so " _" at a line's end is always a
// continuation.
void checkVbLimits(const QString &code, const QString &details)
{
    if (!code.endsWith(u"\r\n"_s))
        propertyBroken("the code does not end with CR LF", details);
    int continuations = 0;
    for (const QString &line : code.split(u"\r\n"_s)) {
        if (line.size() > 1023)
            propertyBroken("a line longer than 1023 characters", details);
        continuations = line.endsWith(u" _"_s) ? continuations + 1 : 0;
        if (continuations > 24)
            propertyBroken("more than 24 continuations in a statement", details);
    }
}
