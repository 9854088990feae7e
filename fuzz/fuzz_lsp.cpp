// The language server on a random client: frames whole, cut or with wrong
// lengths, requests on random ranges and edits of random places with random
// text, around a module of MsgBox calls. Whatever comes, the server ends
// when its input does, and everything it writes is a frame of one JSON
// object.

#include "fuzz/FuzzInput.h"

#include "lsp/Framing.h"
#include "lsp/LanguageServer.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kUri = u"file:///fuzz/Modul.bas"_s;

const QString kModule
    = u"Sub Main()\r\n    MsgBox \"Ein langer Text über die Breite hinaus, mit ä "
      u"und 😀, der umbrochen werden muss\", vbYesNo, \"Titel\"\r\n    lRet = "
      u"MsgBox( _\r\n        \"kurz\" _\r\n        , vbOKCancel)\r\nEnd Sub\r\n"_s;

// Pieces that make VB out of random text.
const QStringList kPieces { u"MsgBox "_s, u"\""_s, u" _\r\n"_s, u" & "_s, u", "_s, u"\n"_s, u"\r"_s,
    u"😀"_s, u"("_s, u")"_s, u"If "_s, u" Then "_s, u"vbYesNo"_s, u"'"_s };

QByteArray frame(const QJsonObject &message)
{
    return lsp::framed(QJsonDocument(message).toJson(QJsonDocument::Compact));
}

QJsonObject message(const QString &method, const QJsonObject &params, int id = 0)
{
    QJsonObject object { { u"jsonrpc"_s, u"2.0"_s }, { u"method"_s, method },
        { u"params"_s, params } };
    if (id > 0)
        object.insert(u"id"_s, id);
    return object;
}

QJsonObject randomRange(FuzzInput &input)
{
    auto position = [&input] {
        return QJsonObject { { u"line"_s, int(input.pick(12)) },
            { u"character"_s, int(input.pick(160)) } };
    };
    return { { u"start"_s, position() }, { u"end"_s, position() } };
}

QString randomText(FuzzInput &input)
{
    QString text;
    for (quint32 pieces = input.pick(6); pieces > 0; --pieces)
        text += input.pick(2) ? kPieces[input.pick(quint32(kPieces.size()))] : input.text();
    return text;
}

QByteArray randomFrame(FuzzInput &input, int id)
{
    const QJsonObject document { { u"uri"_s, kUri } };
    switch (input.pick(6)) {
    case 0: {
        const QJsonObject change { { u"range"_s, randomRange(input) },
            { u"text"_s, randomText(input) } };
        return frame(message(u"textDocument/didChange"_s,
            { { u"textDocument"_s, document }, { u"contentChanges"_s, QJsonArray { change } } }));
    }
    case 1:
        return frame(
            message(u"textDocument/formatting"_s, { { u"textDocument"_s, document } }, id));
    case 2:
        return frame(message(u"textDocument/rangeFormatting"_s,
            { { u"textDocument"_s, document }, { u"range"_s, randomRange(input) } }, id));
    case 3:
        return frame(message(u"textDocument/codeAction"_s,
            { { u"textDocument"_s, document }, { u"range"_s, randomRange(input) } }, id));
    case 4: // a frame cut short, or bytes as they come
        return frame(message(u"x"_s, {}, id)).first(input.pick(40));
    default: {
        QByteArray bytes;
        for (quint32 n = input.pick(32); n > 0; --n)
            bytes.append(char(input.byte()));
        return bytes;
    }
    }
}

void checkOutput(const QByteArray &output, const QByteArray &stream)
{
    QBuffer written;
    written.setData(output);
    written.open(QIODevice::ReadOnly);
    lsp::FrameReader reader(written);
    for (lsp::Frame next = reader.next(); !next.end; next = reader.next()) {
        QJsonParseError error;
        if (!next.problem.isEmpty() || !QJsonDocument::fromJson(next.body, &error).isObject())
            propertyBroken("every frame the server writes holds one JSON object",
                escaped(QString::fromLatin1(stream)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    QByteArray stream = frame(message(u"initialize"_s, {}, 1))
        + frame(message(u"textDocument/didOpen"_s,
            { { u"textDocument"_s,
                QJsonObject { { u"uri"_s, kUri }, { u"languageId"_s, u"vb"_s },
                    { u"text"_s, kModule } } } }));
    for (int id = 2; !input.atEnd() && id < 40; ++id)
        stream += randomFrame(input, id);
    QBuffer in(&stream);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    lsp::serve(in, out);
    checkOutput(out.data(), stream);
    return 0;
}
