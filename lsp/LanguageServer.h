#pragma once

#include "code_writer/Formatter.h"
#include "vb_model/Dialect.h"
#include "vb_model/TextEncoding.h"

#include <QHash>
#include <QIODevice>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <functional>
#include <optional>

namespace lsp {

// Width and dialect as the client sets them; the dialect, where set, goes
// before what a document's language or name tells.
struct ServerSettings
{
    int codeWidth = quillon::writer::kDefaultCodeWidth;
    std::optional<quillon::model::Dialect> dialect;
};

struct OpenDocument
{
    QString text;
    QString languageId;
    quillon::model::TextEncoding encoding = quillon::model::TextEncoding::Utf8;
};

// The protocol's state: the lifecycle, the open documents and the settings.
// Each message goes in whole; what the server says goes out through send.
class LanguageServer
{
public:
    using Send = std::function<void(const QJsonObject &message)>;

    explicit LanguageServer(Send send)
        : m_send(std::move(send))
    { }

    // One frame's body, as it came.
    void receive(const QByteArray &body);
    // A frame the framing could not take.
    void protocolError(const QString &problem);

    bool exited() const { return m_exited; }
    // LSP's: 0 after shutdown, 1 for an exit without it.
    int exitCode() const { return m_shutDown ? 0 : 1; }

private:
    void handle(const QJsonObject &message);
    void request(const QJsonValue &id, const QString &method, const QJsonObject &params);
    void notification(const QString &method, const QJsonObject &params);
    void response(const QJsonObject &message);

    QJsonObject initialize(const QJsonObject &params);
    void initialized();
    void open(const QJsonObject &params);
    void change(const QJsonObject &params);
    void close(const QJsonObject &params);
    void configure(const QJsonValue &settings);
    void reconfigure(const QJsonValue &settings);
    QJsonValue documentRequest(const QString &method, const QJsonObject &params);

    void publishDiagnostics(const QString &uri);
    void reply(const QJsonValue &id, const QJsonValue &result);
    void replyError(const QJsonValue &id, int code, const QString &message);

    Send m_send;
    QHash<QString, OpenDocument> m_documents;
    ServerSettings m_settings;
    bool m_initialized = false;
    bool m_shutDown = false;
    bool m_exited = false;
    bool m_askConfiguration = false;
    int m_requestsSent = 0;
};

// Serves one client over the two streams until it exits or its input ends;
// gives the exit status.
int serve(QIODevice &input, QIODevice &output);

} // namespace lsp
