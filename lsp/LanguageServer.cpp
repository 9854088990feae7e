#include "lsp/LanguageServer.h"

#include "io/WholeFile.h"
#include "lsp/CallService.h"
#include "lsp/Framing.h"
#include "lsp/TextPositions.h"
#include "source_files/SourceFile.h"
#include "vb_frontend/VbDialect.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <QUrl>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace lsp {
namespace {

// JSON-RPC's and LSP's error codes.
enum ErrorCode {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    ServerNotInitialized = -32002,
};

// The section of the client's settings that is the server's.
constexpr QStringView kSettingsSection = u"msgboxQuillon";

void note(const QString &problem)
{
    std::fprintf(stderr, "msgbox-lsp: %s\n", qUtf8Printable(problem));
}

struct DialectWord
{
    QStringView word;
    quillon::model::Dialect dialect;
};

// The words of --dialect, which are also the editors' language ids; "vb"
// names no dialect, since editors give it to VB6 and VB.NET alike.
constexpr DialectWord kDialectWords[] {
    { u"vb6", quillon::model::Dialect::Vb6 },
    { u"vba", quillon::model::Dialect::Vb6 },
    { u"vbscript", quillon::model::Dialect::VbScript },
    { u"vbs", quillon::model::Dialect::VbScript },
    { u"vbnet", quillon::model::Dialect::VbNet },
    { u"twinbasic", quillon::model::Dialect::TwinBasic },
};

std::optional<quillon::model::Dialect> dialectOfWord(QStringView word)
{
    for (const DialectWord &known : kDialectWords) {
        if (word.compare(known.word, Qt::CaseInsensitive) == 0)
            return known.dialect;
    }
    return std::nullopt;
}

// As the file mode decides, with the client's setting in --dialect's place
// and the document's language before its name.
quillon::model::Dialect dialectOf(
    const ServerSettings &settings, const QString &uri, const OpenDocument &document)
{
    if (settings.dialect)
        return *settings.dialect;
    if (const std::optional<quillon::model::Dialect> language = dialectOfWord(document.languageId))
        return *language;
    if (const std::optional<quillon::model::Dialect> kind
        = quillon::sources::dialectOfFileName(QUrl(uri).path()))
        return *kind;
    return quillon::frontend::dialectOfCode(document.text, quillon::model::Dialect::Vb6);
}

// The encoding of the file on disk, where the document is one.
quillon::model::TextEncoding encodingOnDisk(const QString &uri)
{
    const QUrl url(uri);
    if (!url.isLocalFile())
        return quillon::model::TextEncoding::Utf8;
    const WholeFile file = readWholeFile(url.toLocalFile());
    if (!file.error.isEmpty())
        return quillon::model::TextEncoding::Utf8;
    return quillon::sources::sourceFromBytes(file.bytes, quillon::model::TextEncoding::Utf8)
        .encoding;
}

// The requests on an open document.
const QStringList kDocumentMethods { u"textDocument/formatting"_s,
    u"textDocument/rangeFormatting"_s, u"textDocument/codeAction"_s };

QString uriOf(const QJsonObject &params)
{
    return params.value(u"textDocument"_s).toObject().value(u"uri"_s).toString();
}

} // namespace

void LanguageServer::receive(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return replyError(QJsonValue::Null, ParseError, u"not JSON: "_s + error.errorString());
    if (!json.isObject())
        return replyError(QJsonValue::Null, InvalidRequest, u"a message is a JSON object"_s);
    handle(json.object());
}

void LanguageServer::protocolError(const QString &problem)
{
    note(problem);
    replyError(QJsonValue::Null, ParseError, problem);
}

void LanguageServer::handle(const QJsonObject &message)
{
    const QJsonValue id = message.value(u"id"_s);
    const QJsonValue method = message.value(u"method"_s);
    const bool hasId = id.isDouble() || id.isString();
    if (!method.isString() && hasId)
        return response(message);
    const QJsonValue params = message.value(u"params"_s);
    if (!method.isString() || (message.contains(u"id"_s) && !hasId)
        || !(params.isObject() || params.isUndefined() || params.isNull()))
        return replyError(hasId ? id : QJsonValue::Null, InvalidRequest, u"no request"_s);
    if (hasId)
        request(id, method.toString(), params.toObject());
    else
        notification(method.toString(), params.toObject());
}

void LanguageServer::request(const QJsonValue &id, const QString &method, const QJsonObject &params)
{
    if (method == u"initialize") {
        if (m_initialized)
            return replyError(id, InvalidRequest, u"initialized already"_s);
        return reply(id, initialize(params));
    }
    if (!m_initialized)
        return replyError(id, ServerNotInitialized, u"not initialized"_s);
    if (m_shutDown)
        return replyError(id, InvalidRequest, u"shut down"_s);
    if (method == u"shutdown") {
        m_shutDown = true;
        return reply(id, QJsonValue::Null);
    }
    if (!kDocumentMethods.contains(method))
        return replyError(id, MethodNotFound, u"unknown method "_s + method);
    if (!m_documents.contains(uriOf(params)))
        return replyError(id, InvalidParams, u"no open document "_s + uriOf(params));
    reply(id, documentRequest(method, params));
}

QJsonValue LanguageServer::documentRequest(const QString &method, const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const auto open = m_documents.constFind(uri);
    const CallDocument document { open->text, uri, QUrl(uri).path(),
        dialectOf(m_settings, uri, *open), m_settings.codeWidth, open->encoding };
    const std::optional<Range> range = rangeOf(params.value(u"range"_s));
    if (method == u"textDocument/formatting")
        return formattingEdits(document);
    if (method == u"textDocument/rangeFormatting")
        return range ? formattingEdits(document, range) : QJsonArray();
    return range ? codeActionsAt(document, *range) : QJsonArray();
}

void LanguageServer::notification(const QString &method, const QJsonObject &params)
{
    if (method == u"exit") {
        m_exited = true;
        return;
    }
    if (!m_initialized || m_shutDown)
        return;
    if (method == u"initialized")
        initialized();
    else if (method == u"textDocument/didOpen")
        open(params);
    else if (method == u"textDocument/didChange")
        change(params);
    else if (method == u"textDocument/didClose")
        close(params);
    else if (method == u"workspace/didChangeConfiguration")
        reconfigure(params.value(u"settings"_s));
}

// The answer to workspace/configuration; the server asks nothing else.
void LanguageServer::response(const QJsonObject &message)
{
    const QJsonArray items = message.value(u"result"_s).toArray();
    if (!items.isEmpty())
        configure(items.first());
}

QJsonObject LanguageServer::initialize(const QJsonObject &params)
{
    m_initialized = true;
    m_askConfiguration
        = params.value(u"capabilities"_s)[u"workspace"_s][u"configuration"_s].toBool();
    configure(params.value(u"initializationOptions"_s));
    const QJsonObject capabilities {
        { u"positionEncoding"_s, u"utf-16"_s },
        { u"textDocumentSync"_s,
            QJsonObject { { u"openClose"_s, true }, { u"change"_s, 2 /* incremental */ } } },
        { u"documentFormattingProvider"_s, true },
        { u"documentRangeFormattingProvider"_s, true },
        { u"codeActionProvider"_s,
            QJsonObject {
                { u"codeActionKinds"_s, QJsonArray { u"quickfix"_s, u"refactor.rewrite"_s } } } },
    };
    return { { u"capabilities"_s, capabilities },
        { u"serverInfo"_s,
            QJsonObject { { u"name"_s, u"msgbox-lsp"_s },
                { u"version"_s, QString::fromUtf8(QUILLON_VERSION) } } } };
}

// Settings pushed; a client that answers workspace/configuration may send
// none with them, so it is asked again.
void LanguageServer::reconfigure(const QJsonValue &settings)
{
    configure(settings);
    initialized();
}

// A client that keeps settings is asked for the server's.
void LanguageServer::initialized()
{
    if (!m_askConfiguration)
        return;
    const QJsonObject item { { u"section"_s, kSettingsSection.toString() } };
    m_send({ { u"jsonrpc"_s, u"2.0"_s }, { u"id"_s, u"configuration-%1"_s.arg(++m_requestsSent) },
        { u"method"_s, u"workspace/configuration"_s },
        { u"params"_s, QJsonObject { { u"items"_s, QJsonArray { item } } } } });
}

// The server's section, or settings that are it; what is not set or not
// valid stays as it was.
void LanguageServer::configure(const QJsonValue &settings)
{
    const QJsonValue section = settings[kSettingsSection];
    const QJsonObject given = section.isObject() ? section.toObject() : settings.toObject();
    const double width = given.value(u"width"_s).toDouble(0);
    if (width >= quillon::writer::kMinCodeWidth && width <= quillon::writer::kMaxCodeWidth
        && width == int(width))
        m_settings.codeWidth = int(width);
    const QJsonValue dialect = given.value(u"dialect"_s);
    if (dialect.isString())
        m_settings.dialect = dialectOfWord(dialect.toString());
    for (auto open = m_documents.cbegin(); open != m_documents.cend(); ++open)
        publishDiagnostics(open.key());
}

void LanguageServer::open(const QJsonObject &params)
{
    const QJsonObject item = params.value(u"textDocument"_s).toObject();
    const QString uri = item.value(u"uri"_s).toString();
    if (uri.isEmpty() || !item.value(u"text"_s).isString())
        return note(u"didOpen without a document"_s);
    m_documents.insert(uri,
        { item.value(u"text"_s).toString(), item.value(u"languageId"_s).toString(),
            encodingOnDisk(uri) });
    publishDiagnostics(uri);
}

void LanguageServer::change(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    const auto open = m_documents.find(uri);
    if (open == m_documents.end())
        return note(u"didChange of a document not open: "_s + uri);
    for (const QJsonValue change : params.value(u"contentChanges"_s).toArray()) {
        if (!applyChange(open->text, change.toObject()))
            note(u"a change that is none, left out: "_s + uri);
    }
    publishDiagnostics(uri);
}

void LanguageServer::close(const QJsonObject &params)
{
    const QString uri = uriOf(params);
    if (m_documents.remove(uri) == 0)
        return note(u"didClose of a document not open: "_s + uri);
    m_send({ { u"jsonrpc"_s, u"2.0"_s }, { u"method"_s, u"textDocument/publishDiagnostics"_s },
        { u"params"_s, QJsonObject { { u"uri"_s, uri }, { u"diagnostics"_s, QJsonArray() } } } });
}

void LanguageServer::publishDiagnostics(const QString &uri)
{
    const OpenDocument &open = m_documents[uri];
    const CallDocument document { open.text, uri, QUrl(uri).path(),
        dialectOf(m_settings, uri, open), m_settings.codeWidth, open.encoding };
    const QJsonObject params { { u"uri"_s, uri }, { u"diagnostics"_s, diagnosticsOf(document) } };
    m_send({ { u"jsonrpc"_s, u"2.0"_s }, { u"method"_s, u"textDocument/publishDiagnostics"_s },
        { u"params"_s, params } });
}

void LanguageServer::reply(const QJsonValue &id, const QJsonValue &result)
{
    m_send({ { u"jsonrpc"_s, u"2.0"_s }, { u"id"_s, id }, { u"result"_s, result } });
}

void LanguageServer::replyError(const QJsonValue &id, int code, const QString &message)
{
    const QJsonObject error { { u"code"_s, code }, { u"message"_s, message } };
    m_send({ { u"jsonrpc"_s, u"2.0"_s }, { u"id"_s, id }, { u"error"_s, error } });
}

int serve(QIODevice &input, QIODevice &output)
{
    LanguageServer server([&output](const QJsonObject &message) {
        output.write(framed(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    });
    FrameReader reader(input);
    while (!server.exited()) {
        const Frame frame = reader.next();
        if (frame.end)
            break;
        if (!frame.problem.isEmpty())
            server.protocolError(frame.problem);
        else
            server.receive(frame.body);
    }
    return server.exitCode();
}

} // namespace lsp
