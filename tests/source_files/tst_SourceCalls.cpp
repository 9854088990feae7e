#include "source_files/SourceCalls.h"
#include "source_files/SourceFile.h"
#include "source_files/SourceLines.h"
#include "vb_frontend/VbDialect.h"
#include "vb_frontend/VbReader.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using quillon::model::Dialect;
using quillon::model::TextEncoding;

namespace {

// A module as VB keeps it: calls in every shape the reader knows, code it
// cannot read around them, and one call that is no valid code, last.
const QStringList kModule {
    u"Attribute VB_Name = \"modPrüfen\""_s,
    u"Option Explicit"_s,
    u""_s,
    u"Private Sub cmdOK_Click()"_s,
    u"    Open sDatei For Input As #1"_s,
    u"    MsgBox \"Bitte prüfen Sie den Pfad, bevor Sie die Datei öffnen: \" & sDatei, vbExclamation"_s,
    u"    If MsgBox(\"Weiter?\", vbYesNo, \"Frage\") = vbYes Then"_s,
    u"        Kopieren ' MsgBox im Kommentar"_s,
    u"        lAntwort = _"_s,
    u"            MsgBox(\"Noch einmal?\", vbRetryCancel)"_s,
    u"    End If"_s,
    u"    Select Case MsgBox(\"Speichern?\", vbYesNoCancel + vbQuestion)"_s,
    u"    Case vbYes: Speichern"_s,
    u"    End Select"_s,
    u"    If bFehler Then MsgBox \"Fehler.\", vbCritical: Exit Sub"_s,
    u"    Debug.Print \"MsgBox\""_s,
    u"    MsgBox \"Gespeichert.\": ' ein Hinweis"_s,
    u"    MsgBox \"Kaputt: \" & , vbOK"_s,
    u"End Sub"_s,
};
constexpr qsizetype kInvalidLine = 18;

// The calls as the reader takes them, one after the other.
QList<quillon::frontend::VbCall> callsIn(const QString &code)
{
    QList<quillon::frontend::VbCall> calls;
    quillon::frontend::VbReadResult read
        = quillon::frontend::readMsgBox(code, quillon::model::Dialect::Vb6);
    while (read.found()) {
        calls.append(read.call());
        read = quillon::frontend::readMsgBox(read->place.after, quillon::model::Dialect::Vb6);
    }
    return calls;
}

// The lines of the code around the calls: none of a call, none that
// continues one.
QStringList linesAroundCalls(const QString &text, const QString &lineBreak)
{
    static const QRegularExpression callBegins(u"MsgBox( _|\\(| \")"_s);
    QStringList around;
    const QStringList lines = text.split(lineBreak);
    const QList<bool> goingOn = quillon::frontend::linesGoingOn(text, quillon::model::Dialect::Vb6);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool continued = i > 0 && goingOn.value(i - 1);
        if (!continued && !lines[i].contains(callBegins))
            around.append(lines[i]);
    }
    return around;
}

} // namespace

class tst_SourceCalls : public QObject
{
    Q_OBJECT

private slots:
    void fileComesBackInItsOwnBytes_data();
    void fileComesBackInItsOwnBytes();
    void bytesThatCannotComeBackAreRefused_data();
    void bytesThatCannotComeBackAreRefused();
    void onlyTheCallAtTheLine_data();
    void onlyTheCallAtTheLine();
    void designerHeaderIsSkipped_data();
    void designerHeaderIsSkipped();
    void limitsAreFound_data();
    void limitsAreFound();
    void eachFileInItsOwnDialect_data();
    void eachFileInItsOwnDialect();
    void onlyScriptPartsAreRead();
    void callTheEncodingCannotHoldIsKept();
    void asciiIsWindows1252();
};

void tst_SourceCalls::fileComesBackInItsOwnBytes_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QString>("lineBreak");

    QTest::newRow("Windows-1252, CR LF") << TextEncoding::Windows1252 << u"\r\n"_s;
    QTest::newRow("Windows-1252, LF") << TextEncoding::Windows1252 << u"\n"_s;
    QTest::newRow("UTF-8, LF") << TextEncoding::Utf8 << u"\n"_s;
    QTest::newRow("UTF-8 with mark, CR LF") << TextEncoding::Utf8WithMark << u"\r\n"_s;
    QTest::newRow("UTF-16 LE, CR LF") << TextEncoding::Utf16LittleEndian << u"\r\n"_s;
    QTest::newRow("UTF-16 BE, LF") << TextEncoding::Utf16BigEndian << u"\n"_s;
}

// Every call written anew, read back with the same parts; every line
// around the calls as it was, in the file's encoding and line breaks; and
// a second run finds nothing left to do.
void tst_SourceCalls::fileComesBackInItsOwnBytes()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QString, lineBreak);
    const QString original = kModule.join(lineBreak) + lineBreak;
    const QByteArray bytes = *quillon::model::encodeText(original, encoding);

    const quillon::sources::SourceText source = quillon::sources::sourceFromBytes(bytes);
    QCOMPARE(source.encoding, encoding);
    QVERIFY(source.problem.isEmpty());
    const quillon::sources::RelaidSource relaid
        = quillon::sources::relayOutCalls(source.text, { 50, 0, encoding });

    QCOMPARE(relaid.changed.size(), 6);
    QCOMPARE(relaid.kept.size(), 1);
    QCOMPARE(relaid.kept[0].line, kInvalidLine);
    QCOMPARE(relaid.kept[0].column, 25);
    const QByteArray written = *quillon::model::encodeText(relaid.text, encoding);
    QCOMPARE(quillon::model::decodeText(written).text, relaid.text);
    QCOMPARE(relaid.text.count(lineBreak), relaid.text.count(u'\n'));
    QCOMPARE(linesAroundCalls(relaid.text, lineBreak), linesAroundCalls(original, lineBreak));
    QCOMPARE(linesAroundCalls(original, lineBreak).size(), 13);
    const QList<quillon::frontend::VbCall> before = callsIn(original), after = callsIn(relaid.text);
    QCOMPARE(after.size(), 6);
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        QCOMPARE(after[i].prompt, before[i].prompt);
        QCOMPARE(after[i].title, before[i].title);
        QCOMPARE(after[i].choices, before[i].choices);
        QCOMPARE(after[i].place.rest, before[i].place.rest);
    }
    const quillon::sources::RelaidSource again
        = quillon::sources::relayOutCalls(relaid.text, { 50, 0, encoding });
    QVERIFY(again.changed.isEmpty());
    QCOMPARE(again.text, relaid.text);
}

void tst_SourceCalls::bytesThatCannotComeBackAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");

    QTest::newRow("NUL bytes") << QByteArray("MsgBox \"a\"\0\0", 12) << u"NUL"_s;
    QTest::newRow("broken UTF-8 behind its mark")
        << QByteArray("\xEF\xBB\xBFMsgBox \"\xE4\"") << u"UTF-8"_s;
    QTest::newRow("UTF-16 of an odd length") << QByteArray("\xFF\xFEM\0s\0g") << u"UTF-16 LE"_s;
}

void tst_SourceCalls::bytesThatCannotComeBackAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);

    QVERIFY2(quillon::sources::sourceFromBytes(bytes).problem.contains(problem),
        qPrintable(quillon::sources::sourceFromBytes(bytes).problem));
}

void tst_SourceCalls::onlyTheCallAtTheLine_data()
{
    QTest::addColumn<qsizetype>("line");
    QTest::addColumn<qsizetype>("changedAt");

    // Lines 1 and 2 are one call over two lines, 3 is code, 4 a call.
    QTest::newRow("the call's first line") << qsizetype(1) << qsizetype(1);
    QTest::newRow("its continuation") << qsizetype(2) << qsizetype(1);
    QTest::newRow("between the calls") << qsizetype(3) << qsizetype(0);
    QTest::newRow("the last call") << qsizetype(4) << qsizetype(4);
    QTest::newRow("beyond the end") << qsizetype(9) << qsizetype(0);
}

void tst_SourceCalls::onlyTheCallAtTheLine()
{
    QFETCH(qsizetype, line);
    QFETCH(qsizetype, changedAt);
    const QString code = u"MsgBox \"Eins\" & _\n  \"Zwei\", vbOKOnly\nx = 1\nMsgBox \"Drei\"\n"_s;

    const quillon::sources::RelaidSource relaid
        = quillon::sources::relayOutCalls(code, { 70, line, {} });

    QCOMPARE(relaid.lineCovered, changedAt > 0);
    QCOMPARE(relaid.changed.size(), changedAt > 0 ? 1 : 0);
    if (changedAt > 0)
        QCOMPARE(relaid.changed[0].line, changedAt);
    else
        QCOMPARE(relaid.text, code);
}

void tst_SourceCalls::eachFileInItsOwnDialect_data()
{
    QTest::addColumn<int>("dialect"); // -1: as the code tells
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("written");

    const int told = -1;
    QTest::newRow("vb6: typed literals and a Print zone tell nothing")
        << told
        << u"Const k As Long = &H8000&\nDim hwnd&\nPrint #1, x,\nMsgBox strUser, vbCritical\n"_s
        << u"Const k As Long = &H8000&\nDim hwnd&\nPrint #1, x,\nMsgBox _\n    strUser _\n"
           u"    , vbCritical\n"_s;
    QTest::newRow("vb6: a broken call leaves the next one alone")
        << told << u"MsgBox \"kaputt\" &\nMsgBox \"gut\", vbYesNo\n"_s
        << u"MsgBox \"kaputt\" &\nMsgBox _\n    \"gut\" _\n    , vbYesNo\n"_s;
    QTest::newRow("vb6: the last line without its break")
        << told << u"x = 1\nMsgBox \"a\", vbYesNo"_s
        << u"x = 1\nMsgBox _\n    \"a\" _\n    , vbYesNo"_s;
    QTest::newRow("a colon ends the statements behind the call")
        << told << u"MsgBox \"a\", vbYesNo: GoTo Weiter:\nWeiter:\n"_s
        << u"MsgBox _\n    \"a\" _\n    , vbYesNo: GoTo Weiter:\nWeiter:\n"_s;
    QTest::newRow("statements behind the call that cannot be read")
        << told << u"MsgBox \"a\", vbYesNo: GoTo Weiter: x = \"kaputt\n\nWeiter:\n"_s
        << u"MsgBox _\n    \"a\" _\n    , vbYesNo: GoTo Weiter: x = \"kaputt\n\nWeiter:\n"_s;
    QTest::newRow("vb.net: implicit continuation, one pair of parentheses")
        << int(Dialect::VbNet)
        << u"MsgBox(msgImporte)\nDim r As MsgBoxResult = Interaction.MsgBox(\n  \"a\",\n"
           u"  MsgBoxStyle.YesNo)\n"_s
        << u"MsgBox(\n    msgImporte)\nDim r As MsgBoxResult = Interaction.MsgBox(\n    \"a\",\n"
           u"    MsgBoxStyle.YesNo)\n"_s;
    QTest::newRow("vb.net: an interpolated string, a parameter named msgBox")
        << int(Dialect::VbNet)
        << u"Sub Zeige(msgBox As String)\n    Interaction.MsgBox($\"Hallo {msgBox}\")\nEnd Sub\n"_s
        << u"Sub Zeige(msgBox As String)\n    Interaction.MsgBox(\n        $\"Hallo {msgBox}\")\n"
           u"End Sub\n"_s;
    QTest::newRow("vbscript: &_, ,_ and no type characters")
        << int(Dialect::VbScript) << u"MsgBox \"a\" &vbLf&vbLf& \"b\" &_\n  \"c\",_\n  vbYesNo\n"_s
        << u"MsgBox _\n    \"a\" & vbLf & vbLf & \"bc\" _\n    , vbYesNo\n"_s;
}

// Each call read and written anew in its file's dialect, the code around it
// as it was, and a second run finds nothing left to do.
void tst_SourceCalls::eachFileInItsOwnDialect()
{
    QFETCH(int, dialect);
    QFETCH(QString, code);
    QFETCH(QString, written);
    quillon::sources::RelayoutRequest request { 40, 0, TextEncoding::Utf8 };
    if (dialect >= 0)
        request.dialect = Dialect(dialect);

    const quillon::sources::RelaidSource relaid = quillon::sources::relayOutCalls(code, request);

    QCOMPARE(relaid.text, written);
    QCOMPARE(quillon::sources::relayOutCalls(relaid.text, request).text, written);
}

// Markup around a script names MsgBox, and holds a quote, without being
// read; the script's call is written anew in its place, and a call on a line
// of markup stays as it stands.
void tst_SourceCalls::onlyScriptPartsAreRead()
{
    const QString markup = u"<job>\n<description>MsgBox \"x</description>\n"
                           u"<script language=\"VBScript\"><![CDATA[\n%1\n]]></script>\n"
                           u"<SCRIPT type=\"text/vbscript\">%2</SCRIPT>\n</job>\n"_s;
    const QString text = markup.arg(u"MsgBox \"a\" &_\n\"b\",_\nvbYesNo"_s, u"MsgBox \"c\""_s);
    quillon::sources::RelayoutRequest request { 40, 0, TextEncoding::Utf8, Dialect::VbScript };
    request.scriptPartsOnly = true;

    const quillon::sources::RelaidSource relaid = quillon::sources::relayOutCalls(text, request);

    QVERIFY(relaid.kept.isEmpty());
    QCOMPARE(relaid.text,
        markup.arg(u"MsgBox _\n    \"ab\" _\n    , vbYesNo"_s, u"MsgBox \"c\""_s));
    QCOMPARE(
        quillon::sources::limitFindings(quillon::sources::scriptPartsOf(text), Dialect::VbScript)
            .size(),
        0);
}

void tst_SourceCalls::designerHeaderIsSkipped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("headerLines");

    QTest::newRow("a form")
        << u"VERSION 5.00\nObject = \"{831FDD16}#2.0#0\"; \"MSCOMCTL.OCX\"\n"
           u"Begin VB.Form frmMsgBox\n   Caption = \"MsgBox\"\n"
           u"   Begin VB.CommandButton cmdOK\n      BeginProperty Font\n"
           u"      EndProperty\n   End\nEnd\nAttribute VB_Name = \"frmMsgBox\"\n"
           u"Attribute VB_Exposed = False\nOption Explicit\n"_s
        << qsizetype(11);
    QTest::newRow("a class")
        << u"VERSION 1.0 CLASS\nBEGIN\n  MultiUse = -1  'True\nEND\nAttribute VB_Name = \"cls\"\n"
           u"Private Sub Class_Initialize()\n"_s
        << qsizetype(5);
    QTest::newRow("a module") << u"Attribute VB_Name = \"mod\"\nOption Explicit\n"_s
                              << qsizetype(0);
}

void tst_SourceCalls::designerHeaderIsSkipped()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, headerLines);

    QCOMPARE(quillon::sources::designerHeaderLines(text, quillon::sources::sourceLines(text)),
        headerLines);
}

void tst_SourceCalls::limitsAreFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qsizetype>>("places"); // line and column of each finding

    const auto continued = [](int continuations) -> QString {
        return u"x = 1\nMsgBox \"a\""_s + u" & _\n  \"a\""_s.repeated(continuations) + u"\n"_s;
    };
    QTest::newRow("24 continuations") << continued(24) << QList<qsizetype> {};
    QTest::newRow("25 continuations") << continued(25) << QList<qsizetype> { 2, 1 };
    QTest::newRow("a line of 1023")
        << QString(u"x = 1\n"_s + QString(1023, u'a')) << QList<qsizetype> {};
    QTest::newRow("a line of 1024")
        << QString(u"x = 1\n"_s + QString(1024, u'a')) << QList<qsizetype> { 2, 1024 };
    QTest::newRow("the designer's lines are not VB's") << QString(
        u"VERSION 5.00\nBegin VB.Form f\n  Tag = \""_s + QString(1100, u'a') + u"\"\nEnd\n"_s)
                                                       << QList<qsizetype> {};
}

void tst_SourceCalls::limitsAreFound()
{
    QFETCH(QString, text);
    QFETCH(QList<qsizetype>, places);

    QList<qsizetype> found;
    for (const quillon::sources::SourceFinding &finding :
        quillon::sources::limitFindings(text, quillon::model::Dialect::Vb6))
        found << finding.line << finding.column;
    QCOMPARE(found, places);
}

// ChrW gives a character the code page lacks: written as text, the call
// could not be saved.
void tst_SourceCalls::callTheEncodingCannotHoldIsKept()
{
    const QString code = u"MsgBox ChrW(&H4E2D) & \"ä\"\r\nMsgBox \"ö\"\r\n"_s;

    const quillon::sources::RelaidSource relaid
        = quillon::sources::relayOutCalls(code, { 70, 0, TextEncoding::Windows1252 });

    QCOMPARE(relaid.kept.size(), 1);
    QCOMPARE(relaid.kept[0].line, 1);
    QVERIFY(relaid.kept[0].message.contains(u"Windows-1252"));
    QCOMPARE(relaid.changed.size(), 1);
    QVERIFY(relaid.text.startsWith(u"MsgBox ChrW(&H4E2D) & \"ä\"\r\nMsgBox _\r\n"));
}

// As VB reads a file without a mark that holds no other bytes.
void tst_SourceCalls::asciiIsWindows1252()
{
    const quillon::sources::SourceText source
        = quillon::sources::sourceFromBytes("MsgBox \"Gr\" & Chr(252)\r\n");

    QCOMPARE(source.encoding, TextEncoding::Windows1252);
    const quillon::sources::RelaidSource relaid
        = quillon::sources::relayOutCalls(source.text, { 70, 0, source.encoding });
    QCOMPARE(quillon::model::encodeText(relaid.text, source.encoding),
        std::optional<QByteArray>("MsgBox _\r\n    \"Gr\xFC\"\r\n"));
}

QTEST_GUILESS_MAIN(tst_SourceCalls)
#include "tst_SourceCalls.moc"
