#include "source_files/SourceCalls.h"
#include "source_files/SourceFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A project as VB6 keeps it: 200 modules of Windows-1252, CR LF, 5 MB in
// all; a call in every shape the reader knows among ordinary code, one in
// twenty lines.
constexpr int kFiles = 200;
constexpr qsizetype kProjectBytes = 5 * 1024 * 1024;

QString procedure(int number)
{
    return u"Private Sub cmdPrüfen%1_Click()\r\n"
           u"    Dim sDatei As String, lAnzahl As Long\r\n"
           u"    sDatei = App.Path & \"\\Daten\\Kunden%1.txt\"\r\n"
           u"    lAnzahl = Anzahl(sDatei) ' wie viele Einträge es gibt\r\n"
           u"    If lAnzahl = 0 Then\r\n"
           u"        MsgBox \"Die Datei \" & sDatei & \" enthält keine Einträge. Bitte prüfen "
           u"Sie den Pfad und versuchen Sie es erneut.\", vbExclamation, \"Prüfen\"\r\n"
           u"        Exit Sub\r\n"
           u"    End If\r\n"
           u"    If MsgBox(\"Sollen \" & lAnzahl & \" Einträge übernommen werden?\", vbYesNo + "
           u"vbQuestion, \"Übernehmen\") = vbYes Then\r\n"
           u"        Übernehmen sDatei\r\n"
           u"    End If\r\n"
           u"    Select Case MsgBox(\"Änderungen speichern?\", vbYesNoCancel)\r\n"
           u"    Case vbYes: Speichern\r\n"
           u"    Case vbCancel: Exit Sub\r\n"
           u"    End Select\r\n"
           u"    For i = 1 To lAnzahl: Summe = Summe + Wert(i): Next\r\n"
           u"    Debug.Print \"Fertig: \"; Summe\r\n"
           u"End Sub\r\n\r\n"_s.arg(number);
}

QList<QByteArray> projectOf(qsizetype bytes)
{
    const QByteArray header = "Attribute VB_Name = \"modKunden\"\r\nOption Explicit\r\n\r\n";
    QList<QByteArray> files;
    for (int file = 0; file < kFiles; ++file) {
        QString code;
        for (int number = 0; code.size() < bytes / kFiles; ++number)
            code += procedure(number);
        files.append(
            header + *quillon::model::encodeText(code, quillon::model::TextEncoding::Windows1252));
    }
    return files;
}

// The project at state.range(0) percent of its size, to show the time
// grows with it in a straight line.
QList<QByteArray> projectFor(const benchmark::State &state)
{
    return projectOf(kProjectBytes * state.range(0) / 100);
}

void setBytes(benchmark::State &state, const QList<QByteArray> &files)
{
    qint64 bytes = 0;
    for (const QByteArray &file : files)
        bytes += file.size();
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ReadProject(benchmark::State &state)
{
    const QList<QByteArray> files = projectFor(state);
    for (auto _ : state) {
        for (const QByteArray &file : files)
            benchmark::DoNotOptimize(quillon::sources::sourceFromBytes(file));
    }
    setBytes(state, files);
}

void BM_CheckProject(benchmark::State &state)
{
    const QList<QByteArray> files = projectFor(state);
    for (auto _ : state) {
        for (const QByteArray &file : files) {
            const quillon::sources::SourceText source = quillon::sources::sourceFromBytes(file);
            benchmark::DoNotOptimize(
                quillon::sources::relayOutCalls(source.text, { 70, 0, source.encoding }));
            benchmark::DoNotOptimize(
                quillon::sources::limitFindings(source.text, quillon::model::Dialect::Vb6));
        }
    }
    setBytes(state, files);
}

void BM_RelayOutProject(benchmark::State &state)
{
    const QList<QByteArray> files = projectFor(state);
    for (auto _ : state) {
        for (const QByteArray &file : files) {
            const quillon::sources::SourceText source = quillon::sources::sourceFromBytes(file);
            const quillon::sources::RelaidSource relaid
                = quillon::sources::relayOutCalls(source.text, { 70, 0, source.encoding });
            benchmark::DoNotOptimize(quillon::model::encodeText(relaid.text, source.encoding));
        }
    }
    setBytes(state, files);
}

} // namespace

BENCHMARK(BM_ReadProject)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProject)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelayOutProject)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
