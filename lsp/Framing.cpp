#include "lsp/Framing.h"

using namespace Qt::StringLiterals;

namespace lsp {
namespace {

// A header line longer than this is no LSP header; the rest of it is read
// and dropped.
constexpr qint64 kLongestHeaderLine = 8192;

std::optional<qint64> contentLength(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon < 0 || line.first(colon).trimmed().compare("content-length", Qt::CaseInsensitive))
        return std::nullopt;
    const QByteArray value = line.sliced(colon + 1).trimmed();
    bool ok = false;
    const qint64 length = value.toLongLong(&ok);
    if (!ok || length < 0 || value.startsWith('+'))
        return -1;
    return length;
}

} // namespace

bool FrameReader::readLine(QByteArray &line)
{
    line.clear();
    for (;;) {
        char c = 0;
        if (!m_input.getChar(&c)) {
            if (m_input.waitForReadyRead(-1))
                continue;
            return false;
        }
        if (c == '\n') {
            if (line.endsWith('\r'))
                line.chop(1);
            return true;
        }
        if (line.size() < kLongestHeaderLine)
            line.append(c);
    }
}

bool FrameReader::readBody(qint64 length, QByteArray *body)
{
    char chunk[65536];
    while (length > 0) {
        const qint64 got = m_input.read(chunk, std::min<qint64>(length, sizeof chunk));
        if (got < 0 || (got == 0 && !m_input.waitForReadyRead(-1)))
            return false;
        if (body)
            body->append(chunk, got);
        length -= got;
    }
    return true;
}

Frame FrameReader::next()
{
    std::optional<qint64> length;
    QByteArray line;
    for (;;) {
        if (!readLine(line))
            return { {}, {}, true };
        if (line.isEmpty() && length)
            break;
        if (line.isEmpty())
            return { {}, u"a header without Content-Length"_s, false };
        if (const std::optional<qint64> given = contentLength(line))
            length = given;
    }
    if (*length < 0)
        return { {}, u"a Content-Length that is no number"_s, false };
    if (*length > kLargestBody) {
        if (!readBody(*length, nullptr))
            return { {}, {}, true };
        return { {}, u"a body of %1 bytes, more than the server takes"_s.arg(*length), false };
    }
    Frame frame;
    if (!readBody(*length, &frame.body))
        frame.end = true;
    return frame;
}

QByteArray framed(const QByteArray &body)
{
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace lsp
