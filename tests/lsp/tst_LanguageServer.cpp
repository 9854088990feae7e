// The language server driven over its pipes as an editor drives it: what it
// says is held against what msgbox-format's file mode says of the same text.
#include "MsgBoxFormatRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QByteArray framed(const QByteArray &body)
{
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray framed(const QJsonObject &message)
{
    return framed(QJsonDocument(message).toJson(QJsonDocument::Compact));
}

QJsonObject rpc(const QString &method, const QJsonObject &params, int id = 0)
{
    QJsonObject message { { u"jsonrpc"_s, u"2.0"_s }, { u"method"_s, method },
        { u"params"_s, params } };
    if (id > 0)
        message.insert(u"id"_s, id);
    return message;
}

QJsonObject documentParams(const QString &uri, const QJsonObject &more = {})
{
    QJsonObject params = more;
    params.insert(u"textDocument"_s, QJsonObject { { u"uri"_s, uri } });
    return params;
}

QJsonObject range(int line, int character, int endLine, int endCharacter)
{
    return { { u"start"_s, QJsonObject { { u"line"_s, line }, { u"character"_s, character } } },
        { u"end"_s, QJsonObject { { u"line"_s, endLine }, { u"character"_s, endCharacter } } } };
}

// The server as a process, and the frames it wrote, read as they come.
class Session
{
public:
    Session()
    {
        m_process.start(QStringLiteral(MSGBOX_LSP_PATH), {});
        m_process.waitForStarted(-1);
    }

    ~Session()
    {
        m_process.kill();
        m_process.waitForFinished(-1);
    }

    void send(const QJsonObject &message) { sendRaw(framed(message)); }
    void sendRaw(const QByteArray &bytes) { m_process.write(bytes); }

    QJsonObject initialize(const QJsonObject &params = {})
    {
        send(rpc(u"initialize"_s, params, 1));
        const QJsonObject answer = responseTo(1);
        send(rpc(u"initialized"_s, {}));
        return answer;
    }

    void open(const QString &uri, const QString &text)
    {
        send(rpc(u"textDocument/didOpen"_s,
            { { u"textDocument"_s,
                QJsonObject { { u"uri"_s, uri }, { u"languageId"_s, u"vb"_s }, { u"version"_s, 1 },
                    { u"text"_s, text } } } }));
    }

    // The next message the server writes; an empty object where none comes.
    QJsonObject next()
    {
        for (;;) {
            const qsizetype end = m_read.indexOf("\r\n\r\n");
            static const QRegularExpression length(u"Content-Length: (\\d+)"_s);
            const QRegularExpressionMatch match
                = length.match(QString::fromLatin1(m_read.first(std::max<qsizetype>(end, 0))));
            if (end >= 0 && match.hasMatch()
                && m_read.size() >= end + 4 + match.captured(1).toLongLong()) {
                const qsizetype size = match.captured(1).toLongLong();
                const QByteArray body = m_read.sliced(end + 4, size);
                m_read.remove(0, end + 4 + size);
                return QJsonDocument::fromJson(body).object();
            }
            if (!m_process.waitForReadyRead(20000))
                return {};
            m_read += m_process.readAllStandardOutput();
        }
    }

    QJsonObject responseTo(const QJsonValue &id)
    {
        for (QJsonObject message = next(); !message.isEmpty(); message = next()) {
            if (!message.contains(u"method"_s) && message.value(u"id"_s) == id)
                return message;
            noteDiagnostics(message);
        }
        return {};
    }

    QJsonArray diagnosticsOf(const QString &uri)
    {
        while (!m_diagnostics.contains(uri)) {
            const QJsonObject message = next();
            if (message.isEmpty())
                return { u"no diagnostics"_s };
            noteDiagnostics(message);
        }
        return m_diagnostics.take(uri);
    }

    QJsonValue result(const QString &method, const QJsonObject &params)
    {
        send(rpc(method, params, ++m_lastId));
        return responseTo(m_lastId).value(u"result"_s);
    }

    int exitCode()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(20000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }

private:
    void noteDiagnostics(const QJsonObject &message)
    {
        if (message.value(u"method"_s).toString() == u"textDocument/publishDiagnostics")
            m_diagnostics.insert(message[u"params"_s][u"uri"_s].toString(),
                message[u"params"_s][u"diagnostics"_s].toArray());
    }

    QProcess m_process;
    QByteArray m_read;
    QHash<QString, QJsonArray> m_diagnostics;
    int m_lastId = 100;
};

// The text with LSP's edits applied, last first, as an editor applies them.
QString applied(QString text, const QJsonArray &edits)
{
    auto offsetOf = [&text](const QJsonValue &position) {
        qsizetype offset = 0;
        for (int line = position[u"line"_s].toInt(); line > 0; --line)
            offset = text.indexOf(u'\n', offset) + 1;
        return offset + position[u"character"_s].toInt();
    };
    QList<QJsonValue> sorted(edits.begin(), edits.end());
    std::sort(sorted.begin(), sorted.end(), [&](const QJsonValue &a, const QJsonValue &b) {
        return offsetOf(a[u"range"_s][u"start"_s]) > offsetOf(b[u"range"_s][u"start"_s]);
    });
    for (const QJsonValue &edit : sorted) {
        const qsizetype start = offsetOf(edit[u"range"_s][u"start"_s]);
        text.replace(
            start, offsetOf(edit[u"range"_s][u"end"_s]) - start, edit[u"newText"_s].toString());
    }
    return text;
}

// --check's lines of the text in a file of that name, as LINE:COLUMN: text.
QStringList checkLines(const QTemporaryDir &dir, const QString &name, const QString &text)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        return { u"not written"_s };
    file.close();
    QStringList lines;
    const QString out = QString::fromUtf8(msgboxFormat({ u"--check"_s, file.fileName() }).out);
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts))
        lines.append(line.sliced(file.fileName().size() + 1));
    return lines;
}

QStringList placed(const QJsonArray &diagnostics)
{
    QStringList lines;
    for (const QJsonValue &d : diagnostics)
        lines.append(u"%1:%2: %3"_s.arg(d[u"range"_s][u"start"_s][u"line"_s].toInt() + 1)
                         .arg(d[u"range"_s][u"start"_s][u"character"_s].toInt() + 1)
                         .arg(d[u"message"_s].toString()));
    return lines;
}

int severityOf(const QString &message)
{
    if (message.startsWith(u"MsgBox call not laid out"))
        return 3;
    return message.startsWith(u"MsgBox call cannot be written anew") ? 1 : 2;
}

QString uriOf(const QTemporaryDir &dir, const QString &name)
{
    return QUrl::fromLocalFile(dir.filePath(name)).toString();
}

const QString kLongPrompt = u"Dies ist ein sehr langer Text, der über die Breite von siebzig "
                            u"Zeichen hinausgeht und umbrochen werden muss."_s;

} // namespace

class tst_LanguageServer : public QObject
{
    Q_OBJECT

private slots:
    void diagnosticsAndFormattingAreTheFileMode_data();
    void diagnosticsAndFormattingAreTheFileMode();
    void rangeFormattingTakesTheCallsInTheRange();
    void codeActionsWriteTheCallInEachForm();
    void incrementalChangesCountUtf16();
    void settingsFromTheClient();
    void closeForgetsTheDocument();
    void malformedInputGetsTheProtocolsError_data();
    void malformedInputGetsTheProtocolsError();
    void lifecycle();
    void vanishingClientEndsTheServer_data();
    void vanishingClientEndsTheServer();
};

void tst_LanguageServer::diagnosticsAndFormattingAreTheFileMode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("findings");
    const QString continued = u"    MsgBox \"a\" & _\r\n"_s.repeated(26) + u"        \"b\"\r\n"_s;
    QTest::newRow("VB6, umlauts and a character outside the BMP before the call")
        << u"Modul.bas"_s
        << u"Attribute VB_Name = \"Modul\"\r\nSub Main()\r\n    MsgBox \"%1\", vbOKOnly + "
           u"vbInformation, \"Titel\"\r\n    x = \"ä😀\": lRet = MsgBox(\"Kurz 😀 und ä %1\", "
           u"vbYesNo)\r\n    MsgBox \"kurz\"\r\nEnd Sub\r\n"_s.arg(kLongPrompt)
        << 3;
    QTest::newRow("VBScript, LF breaks, a call VB would not take")
        << u"skript.vbs"_s
        << u"Option Explicit\nMsgBox \"%1\", vbYesNo\nMsgBox \"a\" &\n"_s.arg(kLongPrompt) << 2;
    QTest::newRow("VB.NET in a module")
        << u"Modul.vb"_s
        << u"Module Modul\r\n    Sub Main()\r\n        MsgBox(\"%1\", MsgBoxStyle.YesNo)\r\n"
           u"    End Sub\r\nEnd Module\r\n"_s.arg(kLongPrompt)
        << 1;
    QTest::newRow("a Windows Script File: the calls of its script part")
        << u"Aufgabe.wsf"_s
        << u"<job id=\"a\">\r\n<script language=\"VBScript\">\r\nMsgBox \"%1\", vbYesNo\r\n"
           u"MsgBox \"%1\"\r\n</script>\r\n</job>\r\n"_s.arg(kLongPrompt)
        << 2;
    QTest::newRow("the text-variable form: a call of three statements")
        << u"Variable.bas"_s
        << u"Sub Main()\r\n    Dim sText As String\r\n    sText = _\r\n        \"Dies ist ein "
           u"sehr langer \" & _\r\n        \"Text, der über die Breite \" & _\r\n        "
           u"\"hinausgeht.\"\r\n    MsgBox sText\r\n    MsgBox \"kurz\"\r\nEnd Sub\r\n"_s
        << 2;
    QTest::newRow("VB6, more continuations than VB takes, a line too long") << u"Grenzen.bas"_s
                                                                            << u"Sub Main()\r\n"_s
            + continued + u"    x = \""_s + u"x"_s.repeated(1100) + u"\"\r\nEnd Sub\r\n"_s
                                                                            << 3;
}

void tst_LanguageServer::diagnosticsAndFormattingAreTheFileMode()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, findings);
    QTemporaryDir dir;
    const QStringList check = checkLines(dir, name, text);
    QCOMPARE(check.size(), findings);
    Session session;
    session.initialize();
    session.open(uriOf(dir, name), text);
    const QJsonArray diagnostics = session.diagnosticsOf(uriOf(dir, name));
    QCOMPARE(placed(diagnostics), check);
    int layout = 0;
    for (const QJsonValue &d : diagnostics) {
        QCOMPARE(d[u"severity"_s].toInt(), severityOf(d[u"message"_s].toString()));
        layout += d[u"severity"_s].toInt() == 3;
    }
    const QJsonArray edits
        = session.result(u"textDocument/formatting"_s, documentParams(uriOf(dir, name))).toArray();
    QCOMPARE(edits.size(), layout);
    const MsgBoxFormatRun reformat = msgboxFormat({ u"--reformat"_s, dir.filePath(name) });
    QCOMPARE(applied(text, edits), QString::fromUtf8(reformat.out));
}

void tst_LanguageServer::rangeFormattingTakesTheCallsInTheRange()
{
    const QString call = u"    MsgBox \"%1\"\r\n"_s.arg(kLongPrompt);
    const QString text = u"Sub Main()\r\n"_s + call + call + call + u"End Sub\r\n"_s;
    Session session;
    session.initialize();
    session.open(u"file:///Bereich.bas"_s, text);
    const QJsonArray whole
        = session.result(u"textDocument/formatting"_s, documentParams(u"file:///Bereich.bas"_s))
              .toArray();
    QCOMPARE(whole.size(), 3);
    const QJsonArray inRange
        = session
              .result(u"textDocument/rangeFormatting"_s,
                  documentParams(u"file:///Bereich.bas"_s, { { u"range"_s, range(2, 10, 3, 0) } }))
              .toArray();
    QCOMPARE(inRange, (QJsonArray { whole[1], whole[2] }));
}

void tst_LanguageServer::codeActionsWriteTheCallInEachForm()
{
    const QString call
        = u"    lRet = MsgBox(\"%1\", vbYesNo + vbQuestion, \"Frage\")"_s.arg(kLongPrompt);
    const QString text = u"Sub Main()\r\n"_s + call + u"\r\nEnd Sub\r\n"_s;
    Session session;
    session.initialize();
    session.open(u"file:///Formen.bas"_s, text);
    const QJsonArray actions
        = session
              .result(u"textDocument/codeAction"_s,
                  documentParams(u"file:///Formen.bas"_s,
                      { { u"range"_s, range(1, 20, 1, 20) },
                          { u"context"_s, QJsonObject { { u"diagnostics"_s, QJsonArray() } } } }))
              .toArray();
    QStringList titles;
    for (const QJsonValue &action : actions)
        titles.append(action[u"title"_s].toString());
    QCOMPARE(titles,
        (QStringList { u"MsgBox neu umbrechen"_s, u"Als Code-Form: Anweisung"_s,
            u"Als Code-Form: If ... Then ... Else"_s, u"Als Code-Form: Select Case"_s,
            u"Als Code-Form: Text in Variable"_s }));
    const QStringList forms { u"statement"_s, u"if"_s, u"select"_s, u"text-variable"_s };
    for (qsizetype i = 0; i < forms.size(); ++i) {
        const QJsonArray edits
            = actions[i + 1][u"edit"_s][u"changes"_s][u"file:///Formen.bas"_s].toArray();
        QString written = QString::fromUtf8(
            msgboxFormat({ u"--reformat"_s, u"--form"_s, forms[i] }, call.toUtf8()).out);
        written.chop(2);
        QCOMPARE(applied(text, edits), u"Sub Main()\r\n"_s + written + u"\r\nEnd Sub\r\n"_s);
    }
}

// Each change counts its characters in UTF-16 units: ä is one, 😀 two.
void tst_LanguageServer::incrementalChangesCountUtf16()
{
    const QString uri = u"file:///Aenderung.bas"_s;
    Session session;
    session.initialize();
    session.open(uri, u"Sub Main()\r\n    x = \"ä😀\": MsgBox \"kurz\"\r\nEnd Sub\r\n"_s);
    session.diagnosticsOf(uri);
    const QJsonArray changes {
        QJsonObject { { u"range"_s, range(1, 12, 1, 12) }, { u"text"_s, u"ö"_s } },
        QJsonObject { { u"range"_s, range(1, 24, 1, 28) }, { u"text"_s, kLongPrompt } },
        QJsonObject { { u"range"_s, range(2, 7, 2, 7) }, { u"text"_s, u"\n' 😀"_s } },
    };
    session.send(rpc(
        u"textDocument/didChange"_s, documentParams(uri, { { u"contentChanges"_s, changes } })));
    const QString expected
        = u"Sub Main()\r\n    x = \"ä😀ö\": MsgBox \"%1\"\r\nEnd Sub\n' 😀\r\n"_s.arg(kLongPrompt);
    const QJsonArray diagnostics = session.diagnosticsOf(uri);
    QTemporaryDir dir;
    QCOMPARE(placed(diagnostics), checkLines(dir, u"Aenderung.bas"_s, expected));
    const QJsonArray edits
        = session.result(u"textDocument/formatting"_s, documentParams(uri)).toArray();
    QCOMPARE(applied(expected, edits),
        QString::fromUtf8(msgboxFormat({ u"--reformat"_s, dir.filePath(u"Aenderung.bas"_s) }).out));
}

void tst_LanguageServer::settingsFromTheClient()
{
    const QString text = u"MsgBox \"%1\"\r\n"_s.arg(kLongPrompt);
    Session session;
    session.initialize({ { u"initializationOptions"_s, QJsonObject { { u"width"_s, 50 } } },
        { u"capabilities"_s,
            QJsonObject { { u"workspace"_s, QJsonObject { { u"configuration"_s, true } } } } } });
    QJsonObject asked;
    for (asked = session.next();
         asked.value(u"method"_s).toString() != u"workspace/configuration" && !asked.isEmpty();)
        asked = session.next();
    session.open(u"file:///Breite.bas"_s, text);
    QCOMPARE(session.diagnosticsOf(u"file:///Breite.bas"_s)[0][u"message"_s].toString(),
        u"MsgBox call not laid out as --reformat --width 50 writes it"_s);
    session.send({ { u"jsonrpc"_s, u"2.0"_s }, { u"id"_s, asked.value(u"id"_s) },
        { u"result"_s, QJsonArray { QJsonObject { { u"width"_s, 60 } } } } });
    QCOMPARE(session.diagnosticsOf(u"file:///Breite.bas"_s)[0][u"message"_s].toString(),
        u"MsgBox call not laid out as --reformat --width 60 writes it"_s);
}

void tst_LanguageServer::closeForgetsTheDocument()
{
    Session session;
    session.initialize();
    session.open(u"file:///Zu.bas"_s, u"MsgBox \"%1\"\r\n"_s.arg(kLongPrompt));
    QCOMPARE(session.diagnosticsOf(u"file:///Zu.bas"_s).size(), 1);
    session.send(rpc(u"textDocument/didClose"_s, documentParams(u"file:///Zu.bas"_s)));
    QCOMPARE(session.diagnosticsOf(u"file:///Zu.bas"_s), QJsonArray());
    session.send(rpc(u"textDocument/formatting"_s, documentParams(u"file:///Zu.bas"_s), 7));
    QCOMPARE(session.responseTo(7)[u"error"_s][u"code"_s].toInt(), -32602);
}

void tst_LanguageServer::malformedInputGetsTheProtocolsError_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("code"); // 0 for no answer
    QTest::newRow("no JSON") << QByteArray("Content-Length: 5\r\n\r\n{oops") << -32700;
    QTest::newRow("no Content-Length") << QByteArray("Content-Type: x\r\n\r\n") << -32700;
    QTest::newRow("a length that is no number")
        << QByteArray("Content-Length: zwei\r\n\r\n") << -32700;
    QTest::newRow("an array") << framed(QByteArray("[]")) << -32600;
    QTest::newRow("params that are no object")
        << framed(QByteArray(R"({"jsonrpc":"2.0","id":3,"method":"shutdown","params":7})"))
        << -32600;
    QTest::newRow("an unknown method") << framed(rpc(u"textDocument/hover"_s, {}, 3)) << -32601;
    QTest::newRow("a document never opened")
        << framed(rpc(u"textDocument/formatting"_s, documentParams(u"file:///nie.bas"_s), 3))
        << -32602;
    QTest::newRow("an unknown notification") << framed(rpc(u"$/unbekannt"_s, {})) << 0;
    QTest::newRow("a change of a document never opened")
        << framed(rpc(u"textDocument/didChange"_s, documentParams(u"file:///nie.bas"_s))) << 0;
}

// The server answers as the protocol says and goes on serving.
void tst_LanguageServer::malformedInputGetsTheProtocolsError()
{
    QFETCH(QByteArray, input);
    QFETCH(int, code);
    Session session;
    session.initialize();
    session.sendRaw(input);
    session.send(rpc(u"shutdown"_s, {}, 99));
    const QJsonObject answer = session.next();
    if (code != 0) {
        QCOMPARE(answer[u"error"_s][u"code"_s].toInt(), code);
        QVERIFY(answer.contains(u"id"_s));
        QCOMPARE(session.next().value(u"id"_s).toInt(), 99);
    } else {
        QCOMPARE(answer.value(u"id"_s).toInt(), 99);
    }
    session.send(rpc(u"exit"_s, {}));
    QCOMPARE(session.exitCode(), 0);
}

void tst_LanguageServer::lifecycle()
{
    Session session;
    session.send(rpc(u"textDocument/formatting"_s, documentParams(u"file:///a.bas"_s), 2));
    QCOMPARE(session.responseTo(2)[u"error"_s][u"code"_s].toInt(), -32002);
    const QJsonObject capabilities
        = session.initialize()[u"result"_s][u"capabilities"_s].toObject();
    QCOMPARE(capabilities[u"textDocumentSync"_s][u"change"_s].toInt(), 2);
    QVERIFY(capabilities[u"documentRangeFormattingProvider"_s].toBool());
    QCOMPARE(session.result(u"shutdown"_s, {}), QJsonValue(QJsonValue::Null));
    session.send(rpc(u"textDocument/formatting"_s, documentParams(u"file:///a.bas"_s), 3));
    QCOMPARE(session.responseTo(3)[u"error"_s][u"code"_s].toInt(), -32600);
    session.send(rpc(u"exit"_s, {}));
    QCOMPARE(session.exitCode(), 0);
}

void tst_LanguageServer::vanishingClientEndsTheServer_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("within a header") << QByteArray("Content-Len");
    QTest::newRow("within a body") << QByteArray("Content-Length: 100\r\n\r\n{\"id\":");
    QTest::newRow("a body longer than the server takes")
        << QByteArray("Content-Length: 99999999999\r\n\r\n{}");
}

// Without shutdown, the exit status is LSP's 1.
void tst_LanguageServer::vanishingClientEndsTheServer()
{
    QFETCH(QByteArray, input);
    Session session;
    session.initialize();
    session.sendRaw(input);
    QCOMPARE(session.exitCode(), 1);
}

QTEST_GUILESS_MAIN(tst_LanguageServer)
#include "tst_LanguageServer.moc"
