#include "fuzz/FuzzInput.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::uint8_t kEndOfText = 0xFD;
constexpr std::uint8_t kAnyUnit = 0xFE;
constexpr std::uint8_t kFirstTableByte = 0x80;

const QStringList &pieces()
{
    static const QStringList table {
        u"\r\n"_s,
        u"\r"_s,
        u"\n"_s,
        u" "_s,
        u"        "_s,
        u"\""_s,
        u"°"_s,
        u" _"_s,
        u" & "_s,
        u"vbNewline"_s,
        u" & vbNewline"_s,
        u"        vbNewline"_s,
        u"''"_s,
        u" & _\r\n"_s,
        u"    MsgBox _\r\n"_s,
        u", "_s,
        u", vbQuestion"_s,
        u"ä"_s,
        u"ß"_s,
        u"€"_s,
        u"\u00A0"_s,
        u"\u2028"_s,
        u"\u2029"_s,
        u"\u200F"_s,
        u"\u05E9\u05DC\u05D5\u05DD"_s,
        u"\U0001F600"_s,
        QString(QChar(0xD83D)),
        QString(QChar(0xDE00)),
        QString(QChar(0)),
        u"\t"_s,
        u"\u0081"_s,
        u"\uFEFF"_s,
        u"###DiesIstDasTrennzeichen###"_s,
        u"###dIESiSTdAStRENNZEICHEN###"_s,
        u"###"_s,
        u"Titelleiste"_s,
        QString(40, u'x'),
        QString(300, u' '),
        u"\r\n\r\n\r\n\r\n"_s,
    };
    return table;
}

} // namespace

FuzzInput::FuzzInput(const std::uint8_t *data, std::size_t size)
    : m_data(data)
    , m_size(size)
{ }

std::uint8_t FuzzInput::byte()
{
    return atEnd() ? 0 : m_data[m_pos++];
}

QString FuzzInput::text()
{
    QString text;
    while (!atEnd()) {
        const std::uint8_t b = m_data[m_pos++];
        if (b == kEndOfText)
            break;
        if (b == kAnyUnit) {
            const char16_t low = byte();
            const char16_t high = byte();
            text += QChar(char16_t(low | high << 8));
        } else if (b >= kFirstTableByte) {
            text += pieces().at((b - kFirstTableByte) % pieces().size());
        } else {
            text += QChar(char16_t(b));
        }
    }
    return text;
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
