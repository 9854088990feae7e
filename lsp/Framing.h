#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// The base protocol of LSP: each message a JSON body behind a header of
// "Name: value" lines, of which Content-Length counts the body's bytes.
namespace lsp {

struct Frame
{
    QByteArray body;
    // Why the header or body was no message; the body is then empty.
    QString problem;
    bool end = false; // the input ended: the client is gone
};

// The largest body taken; a longer one is skipped, so that a wrong length
// cannot make the server hold the client's whole stream.
constexpr qint64 kLargestBody = 64 * 1024 * 1024;

// Reads frames one after the other, blocking on the device as it must.
class FrameReader
{
public:
    explicit FrameReader(QIODevice &input)
        : m_input(input)
    { }

    Frame next();

private:
    bool readLine(QByteArray &line);
    bool readBody(qint64 length, QByteArray *body);

    QIODevice &m_input;
};

QByteArray framed(const QByteArray &body);

} // namespace lsp
