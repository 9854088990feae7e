// The language server's answer to typing: a 5,000-line module open, one
// character changed, its diagnostics published anew.
#include "lsp/LanguageServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kLines = 5000;
const QString kUri = u"file:///bench/modKunden.bas"_s;

// Ordinary code with a call in every shape the reader knows, one in six
// lines, some of them not laid out.
QString procedure(int number)
{
    return u"Private Sub cmdPrüfen%1_Click()\r\n"
           u"    Dim sDatei As String, lAnzahl As Long\r\n"
           u"    sDatei = App.Path & \"\\Daten\\Kunden%1.txt\"\r\n"
           u"    If lAnzahl = 0 Then\r\n"
           u"        MsgBox \"Die Datei \" & sDatei & \" enthält keine Einträge. Bitte prüfen "
           u"Sie den Pfad und versuchen Sie es erneut.\", vbExclamation, \"Prüfen\"\r\n"
           u"    End If\r\n"
           u"    Select Case MsgBox(\"Änderungen speichern?\", vbYesNoCancel)\r\n"
           u"    Case vbYes: Speichern\r\n"
           u"    End Select\r\n"
           u"    Debug.Print \"Fertig: \"; Summe\r\n"
           u"End Sub\r\n\r\n"_s.arg(number);
}

QString module()
{
    QString code = u"Attribute VB_Name = \"modKunden\"\r\nOption Explicit\r\n\r\n"_s;
    for (int number = 0; code.count(u'\n') < kLines; ++number)
        code += procedure(number);
    return code;
}

QByteArray body(const QString &method, const QJsonObject &params, int id = 0)
{
    QJsonObject message { { u"jsonrpc"_s, u"2.0"_s }, { u"method"_s, method },
        { u"params"_s, params } };
    if (id > 0)
        message.insert(u"id"_s, id);
    return QJsonDocument(message).toJson(QJsonDocument::Compact);
}

// One character typed into the middle of the module and taken out again,
// in turn: each a change the server reads and answers with diagnostics.
QByteArray change(int version)
{
    const QJsonObject at { { u"line"_s, kLines / 2 }, { u"character"_s, 4 } };
    const QJsonObject after { { u"line"_s, kLines / 2 }, { u"character"_s, 5 } };
    const bool typing = version % 2 == 0;
    const QJsonObject edit {
        { u"range"_s, QJsonObject { { u"start"_s, at }, { u"end"_s, typing ? at : after } } },
        { u"text"_s, typing ? u"x"_s : QString() }
    };
    return body(u"textDocument/didChange"_s,
        { { u"textDocument"_s, QJsonObject { { u"uri"_s, kUri }, { u"version"_s, version } } },
            { u"contentChanges"_s, QJsonArray { edit } } });
}

// The server with the module open.
void openModule(lsp::LanguageServer &server)
{
    server.receive(body(u"initialize"_s, {}, 1));
    server.receive(body(u"textDocument/didOpen"_s,
        { { u"textDocument"_s,
            QJsonObject { { u"uri"_s, kUri }, { u"languageId"_s, u"vb"_s }, { u"version"_s, 1 },
                { u"text"_s, module() } } } }));
}

void BM_DiagnosticsAfterOneCharacter(benchmark::State &state)
{
    qsizetype diagnostics = 0;
    lsp::LanguageServer server([&diagnostics](const QJsonObject &message) {
        diagnostics = message[u"params"_s][u"diagnostics"_s].toArray().size();
    });
    openModule(server);
    int version = 1;
    for (auto _ : state)
        server.receive(change(++version));
    state.counters["diagnostics"] = double(diagnostics);
}
BENCHMARK(BM_DiagnosticsAfterOneCharacter)->Unit(benchmark::kMillisecond);

// Every call of the module written anew: one edit a call.
void BM_FormattingOfTheModule(benchmark::State &state)
{
    qsizetype edits = 0;
    lsp::LanguageServer server(
        [&edits](const QJsonObject &message) { edits = message[u"result"_s].toArray().size(); });
    openModule(server);
    const QByteArray request = body(u"textDocument/formatting"_s,
        { { u"textDocument"_s, QJsonObject { { u"uri"_s, kUri } } } }, 2);
    for (auto _ : state)
        server.receive(request);
    state.counters["edits"] = double(edits);
}
BENCHMARK(BM_FormattingOfTheModule)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
