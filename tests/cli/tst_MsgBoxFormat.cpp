#include "cli/HeadlessFormat.h"
#include "MsgBoxFormatRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Run = MsgBoxFormatRun;

const QByteArray kJaNeinFrage = "    MsgBox _\r\n"
                                "        \"Ja\" & vbNewline & \"Nein\" _\r\n"
                                "        , vbQuestion, \"Frage\"\r\n";
const QStringList kFrageArguments { u"--icon"_s, u"question"_s, u"--title"_s, u"Frage"_s };

// One word per code line at width 70, too long for any two lines to be joined:
// n lines take n continuations, the statement line's included.
QByteArray textOfManyLines(int lines)
{
    QByteArrayList words;
    for (int i = 0; i < lines; ++i)
        words << QByteArray(50, 'x');
    return words.join(' ');
}

} // namespace

// Unix takes a program's language from LC_ALL; Windows, Wine too, from
// the system's settings.
constexpr bool kLocaleFromEnvironment = QUILLON_LOCALE_FROM_ENVIRONMENT;

class tst_MsgBoxFormat : public QObject
{
    Q_OBJECT

private slots:
    void usageErrorsExitWithTwo_data();
    void usageErrorsExitWithTwo();
    void formatsWorkedExampleByteForByte_data();
    void formatsWorkedExampleByteForByte();
    void writesTheChosenForm_data();
    void writesTheChosenForm();
    void choicesBecomeTheFlagsArgument_data();
    void choicesBecomeTheFlagsArgument();
    void emptyMessagePrintsNothing_data();
    void emptyMessagePrintsNothing();
    void onlyOneFinalLineBreakIsDropped();
    void widthChangesTheLayout();
    void printsTheValueOfTheCode_data();
    void printsTheValueOfTheCode();
    void readsACallAsJson();
    void reformatsACall();
    void reformatKeepsTheProgram_data();
    void reformatKeepsTheProgram();
    void filterNeverLosesTheBuffer_data();
    void filterNeverLosesTheBuffer();
    void bothProgramsSayTheirVersion_data();
    void bothProgramsSayTheirVersion();
    void unreadableCallExitsWithOne();
    void messagesSpeakOneLanguage_data();
    void messagesSpeakOneLanguage();
    void helpSpeaksTheLocalesLanguage_data();
    void helpSpeaksTheLocalesLanguage();
    void refusedTextExitsWithOne();
    void keepsUnicodeIntact();
    void warnsWhereThePromptIsCut_data();
    void warnsWhereThePromptIsCut();
    void inputIsTakenVerbatim_data();
    void inputIsTakenVerbatim();
};

void tst_MsgBoxFormat::usageErrorsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");

    QTest::newRow("unknown option") << QStringList { u"--colour"_s, u"red"_s } << u"colour"_s;
    QTest::newRow("width 39") << QStringList { u"--width"_s, u"39"_s } << u"39"_s;
    QTest::newRow("width 76") << QStringList { u"--width"_s, u"76"_s } << u"76"_s;
    QTest::newRow("width abc") << QStringList { u"--width"_s, u"abc"_s } << u"abc"_s;
    QTest::newRow("width with a sign") << QStringList { u"--width=+50"_s } << u"+50"_s;
    QTest::newRow("width=39") << QStringList { u"--width=39"_s } << u"39"_s;
    QTest::newRow("bad icon") << QStringList { u"--icon"_s, u"Question"_s } << u"Question"_s;
    QTest::newRow("bad buttons") << QStringList { u"--buttons=yes"_s } << u"yes"_s;
    QTest::newRow("default 4") << QStringList { u"--default"_s, u"4"_s } << u"--default"_s;
    QTest::newRow("positional argument") << QStringList { u"Hallo"_s } << u"Hallo"_s;
    QTest::newRow("positional argument after --")
        << QStringList { u"--"_s, u"--prompt"_s } << u"--prompt"_s;
    QTest::newRow("missing value") << QStringList { u"--title"_s } << u"--title"_s;
    QTest::newRow("value for a switch") << QStringList { u"--right=1"_s } << u"--right"_s;
    QTest::newRow("title with a line break")
        << QStringList { u"--title"_s, u"Zeile 1\nZeile 2"_s } << u"--title"_s;
    QTest::newRow("unknown form") << QStringList { u"--form=while"_s } << u"while"_s;
    QTest::newRow("if with one button") << QStringList { u"--form"_s, u"if"_s } << u"--form if"_s;
    QTest::newRow("if with three buttons")
        << QStringList { u"--form=if"_s, u"--buttons=yesnocancel"_s } << u"yesnocancel"_s;
    QTest::newRow("unknown dialect") << QStringList { u"--dialect=vb5"_s } << u"vb5"_s;
    QTest::newRow("read and reformat")
        << QStringList { u"--read"_s, u"--reformat"_s } << u"--reformat"_s;
    QTest::newRow("a file to --read") << QStringList { u"--read"_s, u"a.bas"_s } << u"a.bas"_s;
    QTest::newRow("--check without a file") << QStringList { u"--check"_s } << u"--check"_s;
    QTest::newRow("--check in place")
        << QStringList { u"--check"_s, u"-i"_s, u"a.bas"_s } << u"--in-place"_s;
    QTest::newRow("--in-place without a file")
        << QStringList { u"--reformat"_s, u"--in-place"_s } << u"--in-place"_s;
    QTest::newRow("two files to standard output")
        << QStringList { u"--reformat"_s, u"a.bas"_s, u"b.bas"_s } << u"--in-place"_s;
    QTest::newRow("--line 0") << QStringList { u"--reformat"_s, u"--line=0"_s } << u"--line"_s;
    QTest::newRow("--line without --reformat") << QStringList { u"--line=3"_s } << u"--line"_s;
    QTest::newRow("a folder to standard output")
        << QStringList { u"--reformat"_s, u"."_s } << u"--in-place"_s;
    QTest::newRow("--form on files")
        << QStringList { u"--reformat"_s, u"--form=answer"_s, u"a.bas"_s } << u"--form"_s;
}

void tst_MsgBoxFormat::usageErrorsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);

    const Run run = msgboxFormat(arguments, "Hallo\n");

    QCOMPARE(run.exitCode, int(cli::UsageError));
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err.constData());
    QVERIFY2(QString::fromUtf8(run.err).contains(named), run.err.constData());
}

void tst_MsgBoxFormat::formatsWorkedExampleByteForByte_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("LF, final LF") << kFrageArguments << QByteArray("Ja\nNein\n");
    QTest::newRow("CR LF, final CR LF") << kFrageArguments << QByteArray("Ja\r\nNein\r\n");
    QTest::newRow("no final break") << kFrageArguments << QByteArray("Ja\r\nNein");
    QTest::newRow("name=value, width 70") << QStringList { u"--icon=question"_s, u"--title=Frage"_s,
        u"--width=70"_s } << QByteArray("Ja\nNein");
}

void tst_MsgBoxFormat::formatsWorkedExampleByteForByte()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);

    const Run run = msgboxFormat(arguments, input);

    QCOMPARE(run.exitCode, int(cli::Done));
    QCOMPARE(run.out, kJaNeinFrage);
    QVERIFY(run.err.isEmpty());
}

void tst_MsgBoxFormat::writesTheChosenForm_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("firstLine");

    const QByteArray jaNein = "Ja\nNein\n";
    QTest::newRow("answer") << QStringList { u"--form"_s, u"answer"_s } << jaNein
                            << QByteArray("    Dim lAntwort As VbMsgBoxResult");
    QTest::newRow("if") << QStringList { u"--form=if"_s, u"--buttons=retrycancel"_s } << jaNein
                        << QByteArray("    If MsgBox( _");
    QTest::newRow("vba writes as vb6") << QStringList { u"--form=answer"_s, u"--dialect=vba"_s }
                                       << jaNein << QByteArray("    Dim lAntwort As VbMsgBoxResult");
    QTest::newRow("vbscript declares no type")
        << QStringList { u"--form=answer"_s, u"--dialect=vbscript"_s } << jaNein
        << QByteArray("    Dim lAntwort");
    QTest::newRow("vb.net calls in parentheses")
        << QStringList { u"--dialect"_s, u"vbnet"_s } << jaNein << QByteArray("    MsgBox(");
    QTest::newRow("vb.net takes what vb6 refuses")
        << QStringList { u"--dialect=vbnet"_s } << textOfManyLines(25) << QByteArray("    MsgBox(");
    QTest::newRow("text variable takes what the statement refuses")
        << QStringList { u"--form=text-variable"_s, u"--width=40"_s } << QByteArray(1000, 'x')
        << QByteArray("    Dim sText As String");
}

void tst_MsgBoxFormat::writesTheChosenForm()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, firstLine);

    const Run run = msgboxFormat(arguments, input);

    QCOMPARE(run.exitCode, int(cli::Done));
    QVERIFY2(run.out.startsWith(QByteArray(firstLine + "\r\n")), run.out.constData());
    QVERIFY(run.err.isEmpty());
}

void tst_MsgBoxFormat::choicesBecomeTheFlagsArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("lastLine");

    const auto row = [](const char *name, const QStringList &arguments, const char *lastLine) {
        QTest::newRow(name) << arguments << QByteArray(lastLine);
    };
    row("none", { u"--icon=none"_s, u"--buttons=ok"_s, u"--default=3"_s }, "        \"Hallo\"");
    row("information", { u"--icon=information"_s }, "        , vbInformation");
    row("exclamation", { u"--icon=exclamation"_s }, "        , vbExclamation");
    row("critical", { u"--icon=critical"_s }, "        , vbCritical");
    row("okcancel", { u"--buttons=okcancel"_s }, "        , vbOKCancel");
    row("yesno, default 2", { u"--buttons=yesno"_s, u"--default=2"_s },
        "        , vbYesNo Or vbDefaultButton2");
    row("yesnocancel", { u"--buttons"_s, u"yesnocancel"_s }, "        , vbYesNoCancel");
    row("retrycancel", { u"--buttons=retrycancel"_s }, "        , vbRetryCancel");
    row("everything",
        { u"--icon=question"_s, u"--buttons=abortretryignore"_s, u"--default"_s, u"3"_s,
            u"--system-modal"_s, u"--right"_s },
        "        , vbQuestion Or vbAbortRetryIgnore Or vbDefaultButton3 Or vbSystemModal Or "
        "vbMsgBoxRight");
}

void tst_MsgBoxFormat::choicesBecomeTheFlagsArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, lastLine);

    const Run run = msgboxFormat(arguments, "Hallo\n");

    QCOMPARE(run.exitCode, int(cli::Done));
    const QByteArray ending = "\r\n" + lastLine + "\r\n";
    QVERIFY2(run.out.endsWith(ending), run.out.constData());
}

void tst_MsgBoxFormat::emptyMessagePrintsNothing_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("no input") << QByteArray() << QStringList {};
    QTest::newRow("LF only") << QByteArray("\n") << QStringList { u"--title=Frage"_s };
    QTest::newRow("CR LF only, prompt") << QByteArray("\r\n") << QStringList { u"--prompt"_s };
}

void tst_MsgBoxFormat::emptyMessagePrintsNothing()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, arguments);

    const Run run = msgboxFormat(arguments, input);

    QCOMPARE(run.exitCode, int(cli::Done));
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.isEmpty());
}

void tst_MsgBoxFormat::onlyOneFinalLineBreakIsDropped()
{
    const Run run = msgboxFormat({}, "Ja\n\n");

    QCOMPARE(run.exitCode, int(cli::Done));
    QCOMPARE(run.out, QByteArray("    MsgBox _\r\n        \"Ja\" & vbNewline\r\n"));
}

void tst_MsgBoxFormat::widthChangesTheLayout()
{
    const QByteArray text = "Ein Satz, der lang genug ist, um bei vierzig Zeichen Breite "
                            "umbrochen zu werden, bei fünfundsiebzig aber nicht so oft.\n";

    const Run narrow = msgboxFormat({ u"--width=40"_s }, text);
    const Run wide = msgboxFormat({ u"--width"_s, u"75"_s }, text);

    QCOMPARE(narrow.exitCode, int(cli::Done));
    QCOMPARE(wide.exitCode, int(cli::Done));
    QVERIFY(narrow.out.count("\r\n") > wide.out.count("\r\n"));
}

// The prompt is the value of the written code, markup look-alikes, runs of
// blanks and lone CRs included, followed by one CR LF.
void tst_MsgBoxFormat::printsTheValueOfTheCode_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("prompt");

    QTest::newRow("worked example") << QByteArray("Ja\nNein\n") << QByteArray("Ja\r\nNein\r\n");
    QTest::newRow("markup look-alike")
        << QByteArray("a & vbNewline b") << QByteArray("a & vbNewline b\r\n");
    QTest::newRow("run of blanks") << QByteArray("a        b") << QByteArray("a        b\r\n");
    QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\rb\r\n");
    QTest::newRow("quote") << QByteArray("Sag \"Ja\"") << QByteArray("Sag ''Ja''\r\n");
}

void tst_MsgBoxFormat::printsTheValueOfTheCode()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, prompt);

    const Run run = msgboxFormat(kFrageArguments + QStringList { u"--prompt"_s }, input);

    QCOMPARE(run.exitCode, int(cli::Done));
    QCOMPARE(run.out, prompt);
}

void tst_MsgBoxFormat::readsACallAsJson()
{
    const Run run = msgboxFormat({ u"--read"_s },
        "Sub Frag()\n    If MsgBox(\"Ja\" & vbCrLf & _\n        \"Nein\", &H24 Or 256 Or "
        "vbMsgBoxHelpButton, Title:=\"Frage\") = vbYes Then Beep\nEnd Sub\n");

    QCOMPARE(run.exitCode, int(cli::Done));
    const QJsonObject read = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(read.value(u"title"_s).toString(), u"Frage"_s);
    QCOMPARE(read.value(u"message"_s).toString(), u"Ja\r\nNein"_s);
    QCOMPARE(read.value(u"icon"_s).toString(), u"question"_s);
    QCOMPARE(read.value(u"buttons"_s).toString(), u"yesno"_s);
    QCOMPARE(read.value(u"default"_s).toInt(), 2);
    QCOMPARE(read.value(u"systemModal"_s).toBool(), false);
    QCOMPARE(read.value(u"right"_s).toBool(), false);
    QCOMPARE(read.value(u"notTakenOver"_s).toArray(), QJsonArray { u"vbMsgBoxHelpButton"_s });
    QCOMPARE(
        run.err, "msgbox-format: Left out, as the options cannot hold it: vbMsgBoxHelpButton\n");

    const Run parts = msgboxFormat({ u"--read"_s }, "MsgBox \"Nr. \" & n, intStyle, sTitel\n");
    const QJsonObject partsRead = QJsonDocument::fromJson(parts.out).object();
    QCOMPARE(partsRead.value(u"parts"_s).toArray(),
        (QJsonArray { QJsonObject { { u"text"_s, u"Nr. "_s } },
            QJsonObject { { u"expression"_s, u"n"_s } } }));
    QCOMPARE(partsRead.value(u"message"_s).toString(), u"Nr. «n»"_s);
    QCOMPARE(partsRead.value(u"buttonsExpression"_s).toString(), u"intStyle"_s);
    QCOMPARE(partsRead.value(u"titleParts"_s).toArray(),
        (QJsonArray { QJsonObject { { u"expression"_s, u"sTitel"_s } } }));
}

// An old statement laid out anew in one command: the same as formatting its
// message with its choices.
void tst_MsgBoxFormat::reformatsACall()
{
    const Run run = msgboxFormat(
        { u"--reformat"_s }, "    MsgBox \"Ja\" & vbNewLine & \"Nein\", 32, \"Frage\"\r\n");

    QCOMPARE(run.exitCode, int(cli::Done));
    QCOMPARE(run.out, kJaNeinFrage);
    QVERIFY(run.err.isEmpty());

    // Written in its place, the call keeps what the choices cannot hold; in
    // a form asked for, what the new code leaves out is said, not dropped
    // unawares. Every call of the code is written anew.
    const QByteArray code = "    MsgBox \"Ja\" & vbNewLine & \"Nein\", 32 + vbMsgBoxHelpButton, \"Frage\", "
                            "\"h.chm\", 7\r\n    MsgBox \"x\"\r\n";
    const Run inPlace = msgboxFormat({ u"--reformat"_s }, code);
    QCOMPARE(inPlace.exitCode, int(cli::Done));
    QVERIFY2(inPlace.out.contains(", 32 + vbMsgBoxHelpButton, \"Frage\", HelpFile:=\"h.chm\" _\r\n"
                                  "        , Context:=7\r\n    MsgBox _\r\n        \"x\"\r\n"),
        inPlace.out.constData());
    QVERIFY(inPlace.err.isEmpty());
    const Run alone = msgboxFormat({ u"--reformat"_s, u"--form"_s, u"statement"_s }, code);
    QCOMPARE(alone.exitCode, int(cli::Done));
    QCOMPARE(alone.out, kJaNeinFrage);
    QCOMPARE(alone.err,
        "msgbox-format: Left out, as the options cannot hold it: vbMsgBoxHelpButton, "
        "HelpFile:=\"h.chm\", Context:=7\n"
        "The code holds further MsgBox calls; the first one was read.\n");
}

// Written anew, a call does what it did: run-time values, quotes and the
// statements behind it stay; a call that cannot be written so is refused.
void tst_MsgBoxFormat::reformatKeepsTheProgram_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("written");

    const QStringList reformat { u"--reformat"_s };
    // The code's own line breaks stay, those of the lines written anew too.
    const auto lf = [](QByteArray crlf) { return crlf.replace("\r\n", "\n"); };
    QTest::newRow("run-time values, quotes, the statement behind")
        << reformat
        << QByteArray("  MsgBox \"Datei \"\"\" & sFile & \"\"\" fehlt: \" & Err.Description, "
                      "vbCritical Or intExtra, App.Title & \" - Fehler\": Exit Sub\r\n")
        << int(cli::Done)
        << QByteArray("  MsgBox _\r\n"
                      "      \"Datei \"\"\" & sFile & \"\"\" fehlt: \" & Err.Description _\r\n"
                      "      , vbCritical Or intExtra, App.Title & \" - Fehler\": Exit Sub\r\n");
    QTest::newRow("a variable stays, fixed values only when asked")
        << (reformat + QStringList { u"--fixed-values"_s })
        << QByteArray("s = \"a\"\nt = s\nFor i = 1 To 2: t = t & s: Next\nMsgBox s & t\n")
        << int(cli::Done)
        << QByteArray("s = \"a\"\nt = s\nFor i = 1 To 2: t = t & s: Next\n"
                      "MsgBox _\n    \"a\" & t\n");
    QTest::newRow("the If's condition, body and comment stay, indented as they were")
        << reformat
        << QByteArray("Sub A()\r\n\tIf MsgBox(\"Weiter?\", _\r\n\t\tvbYesNo) = vbYes Then ' fragen\r\n"
                      "\t\tWeiter\r\n\tEnd If\r\nEnd Sub\r\n")
        << int(cli::Done)
        << QByteArray("Sub A()\r\n\tIf MsgBox( _\r\n\t    \"Weiter?\" _\r\n"
                      "\t    , vbYesNo) = vbYes Then ' fragen\r\n\t\tWeiter\r\n\tEnd If\r\nEnd Sub\r\n");
    QTest::newRow("the variable given the answer stays")
        << reformat << QByteArray("lRet = 1 + MsgBox(\"x\")\n") << int(cli::Done)
        << QByteArray("lRet = 1 + MsgBox( _\n    \"x\")\n");
    QTest::newRow("a one-line If keeps its condition")
        << reformat << QByteArray("If a Then MsgBox \"y\" Else Beep") << int(cli::Done)
        << QByteArray("If a Then MsgBox _\r\n    \"y\" Else Beep");
    QTest::newRow("the statements of sText are written anew with the call")
        << reformat
        << QByteArray("Dim sText As String\r\nsText = \"a\"\r\nsText = sText & \"b\"\r\n"
                      "MsgBox sText: Exit Sub\r\n")
        << int(cli::Done)
        << QByteArray("Dim sText As String\r\nsText = _\r\n    \"ab\"\r\nMsgBox sText: Exit Sub\r\n");
    QTest::newRow("sText declared elsewhere stays the variable")
        << reformat << QByteArray("Dim sText As String\nx = 1\nsText = \"a\"\nMsgBox sText\n")
        << int(cli::Done)
        << QByteArray("Dim sText As String\nx = 1\nsText = \"a\"\nMsgBox _\n    sText\n");
    QTest::newRow("sText apart from its statements stays the variable")
        << reformat << QByteArray("sText = \"a\"\nx = 1\nIf b Then MsgBox sText\n")
        << int(cli::Done) << QByteArray("sText = \"a\"\nx = 1\nIf b Then MsgBox _\n    sText\n");
    QTest::newRow("the qualifier stays")
        << reformat << QByteArray("    VBA.MsgBox \"Hallo\", vbYesNo, \"T\"\n") << int(cli::Done)
        << lf("    VBA.MsgBox _\r\n        \"Hallo\" _\r\n        , vbYesNo, \"T\"\r\n");
    QTest::newRow("a default button beside OK alone stays")
        << reformat << QByteArray("Select Case MsgBox(\"x\", VBDEFAULTBUTTON2)\nEnd Select\n")
        << int(cli::Done)
        << lf("Select Case MsgBox( _\r\n    \"x\" _\r\n    , vbDefaultButton2)\r\nEnd Select\r\n");
    QTest::newRow("a prompt of one expression stands as written")
        << reformat << QByteArray("Call MsgBox(sText & \"\", , \"T\")\n") << int(cli::Done)
        << lf("Call MsgBox( _\r\n    sText & \"\" _\r\n    , , \"T\")\r\n");
    QTest::newRow("after a line number, the lines stand in the call's column")
        << reformat << QByteArray("50010 lRet = MsgBox(\"x\", vbYesNo)\n") << int(cli::Done)
        << lf("50010 lRet = MsgBox( _\r\n          \"x\" _\r\n          , vbYesNo)\r\n");
    QTest::newRow("HelpFile and Context on lines of their own where they do not fit")
        << (reformat + QStringList { u"--width=40"_s })
        << QByteArray("    MsgBox Err.Description, vbCritical, \"Error\", HelpFile:=Err.HelpFile, "
                      "Context:=Err.HelpContext\n")
        << int(cli::Done)
        << lf("    MsgBox _\r\n        Err.Description _\r\n        , vbCritical, \"Error\" _\r\n"
              "        , HelpFile:=Err.HelpFile _\r\n        , Context:=Err.HelpContext\r\n");
    QTest::newRow("a title too long for its line goes on behind its joins")
        << (reformat + QStringList { u"--width=40"_s })
        << QByteArray("    MsgBox \"x\", vbYesNo, \"Datei \" & sFile & \" konnte nicht gelesen "
                      "werden: \" & Err.Description\n")
        << int(cli::Done)
        << lf("    MsgBox _\r\n        \"x\" _\r\n        , vbYesNo _\r\n"
              "        , \"Datei \" & sFile & _\r\n"
              "        \" konnte nicht gelesen werden: \" & _\r\n        Err.Description\r\n");
    QTest::newRow("a call further in is laid out narrower")
        << (reformat + QStringList { u"--width=40"_s })
        << QByteArray("            If MsgBox(\"Bitte alle Felder ausfüllen.\", vbYesNo, "
                      "\"Fehlende Eingaben\") = vbNo Then Exit Sub\n")
        << int(cli::Done)
        << lf("            If MsgBox( _\r\n                \"Bitte alle Felder \" & _\r\n"
              "                \"ausfüllen.\" _\r\n                , vbYesNo _\r\n"
              "                , \"Fehlende Eingaben\") = vbNo Then Exit Sub\r\n");
    QTest::newRow("in a form asked for, a one-line If would lose its condition")
        << (reformat + QStringList { u"--form"_s, u"statement"_s })
        << QByteArray("If a Then MsgBox \"x\"\n") << int(cli::TextRefused) << QByteArray();
    QTest::newRow("an empty prompt has nothing to write anew")
        << reformat << QByteArray("MsgBox \"\", vbOKOnly\n") << int(cli::Done)
        << QByteArray("MsgBox \"\", vbOKOnly\n");
    QTest::newRow("with --form, an empty prompt would write nothing")
        << (reformat + QStringList { u"--form=answer"_s }) << QByteArray("MsgBox \"\", vbOKOnly\n")
        << int(cli::TextRefused) << QByteArray();
    QTest::newRow("vb.net code stays vb.net's")
        << reformat << QByteArray("MsgBox(\"a\" & vbCrLf & \"b\", MsgBoxStyle.YesNo, \"T\")\n")
        << int(cli::Done)
        << QByteArray("MsgBox(\n    \"a\" & vbCrLf & \"b\",\n    MsgBoxStyle.YesNo, \"T\")\n");
    QTest::newRow("vbscript's HelpFile and Context stay in their places")
        << reformat << QByteArray("MsgBox \"a\" &_\n  \"b\", , , \"h.chm\", 10\n") << int(cli::Done)
        << QByteArray("MsgBox _\n    \"ab\", , , \"h.chm\", 10\n");
    QTest::newRow("vb.net's MsgBox takes no help file: the code comes back as it came")
        << (reformat + QStringList { u"--dialect=vbnet"_s })
        << QByteArray("MsgBox \"a\", , , \"h.chm\", 10\n") << int(cli::TextRefused)
        << QByteArray("MsgBox \"a\", , , \"h.chm\", 10\n");
    QTest::newRow("the dialect asked for")
        << (reformat + QStringList { u"--dialect=vbnet"_s })
        << QByteArray("MsgBox \"a\", vbYesNo\n") << int(cli::Done)
        << QByteArray("MsgBox(\n    \"a\",\n    MsgBoxStyle.YesNo)\n");
}

void tst_MsgBoxFormat::reformatKeepsTheProgram()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, code);
    const Run run = msgboxFormat(arguments, code);
    QTEST(run.exitCode, "exitCode");
    QTEST(run.out, "written");
    QCOMPARE(run.err.isEmpty(), run.exitCode == int(cli::Done));
}

// An editor pipes its whole buffer through --reformat and takes what comes
// back: every call written anew, and every byte that is not, as it came,
// even where nothing could be done.
void tst_MsgBoxFormat::filterNeverLosesTheBuffer_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("reason");

    const QByteArray tooLong = "MsgBox \"" + textOfManyLines(25) + "\"\n";
    QTest::newRow("a call too long for VB")
        << tooLong << int(cli::TextRefused) << tooLong << QByteArray("<standard input>:1:1: ");
    const QByteArray unreadable = "Sub a()\r\n    MsgBox \"x\" & , vbOK\r\nEnd Sub";
    QTest::newRow("no valid call") << unreadable << int(cli::TextRefused) << unreadable
                                   << QByteArray("<standard input>:2:18: ");
    const QByteArray notText("MsgBox \"a\"\n\0\n", 13);
    QTest::newRow("not text") << notText << int(cli::TextRefused) << notText
                              << QByteArray("msgbox-format: <standard input>: ");
    const QByteArray windows1252 = "MsgBox \"Gr\xfc\xdf" + textOfManyLines(25) + "\"\r\n";
    QTest::newRow("Windows-1252, refused") << windows1252 << int(cli::TextRefused) << windows1252
                                           << QByteArray("<standard input>:1:1: ");
    QTest::newRow("a module, LF: every call")
        << QByteArray("Sub a()\n    MsgBox \"x\", vbYesNo\nEnd Sub\n\nSub b()\n"
                      "    If MsgBox(\"y\") = vbOK Then Beep\nEnd Sub\n")
        << int(cli::Done)
        << QByteArray("Sub a()\n    MsgBox _\n        \"x\" _\n        , vbYesNo\nEnd Sub\n\n"
                      "Sub b()\n    If MsgBox( _\n        \"y\") = vbOK Then Beep\nEnd Sub\n")
        << QByteArray();
    QTest::newRow("the calls it can, the one it cannot as it came")
        << QByteArray("MsgBox \"a\"\n") + tooLong + "MsgBox \"b\"\n"
        << int(cli::TextRefused)
        << QByteArray("MsgBox _\n    \"a\"\n") + tooLong + "MsgBox _\n    \"b\"\n"
        << QByteArray("<standard input>:2:1: ");
    QTest::newRow("no call at all")
        << QByteArray("x = 1\r\n") << int(cli::Done) << QByteArray("x = 1\r\n") << QByteArray();
}

void tst_MsgBoxFormat::filterNeverLosesTheBuffer()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, reason);

    const Run run = msgboxFormat({ u"--reformat"_s }, code);

    QTEST(run.exitCode, "exitCode");
    QTEST(run.out, "written");
    QVERIFY2(
        reason.isEmpty() ? run.err.isEmpty() : run.err.startsWith(reason), run.err.constData());
}

void tst_MsgBoxFormat::bothProgramsSayTheirVersion_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("msgbox-format")
        << QStringLiteral(MSGBOX_FORMAT_PATH) << QByteArray("msgbox-format");
    QTest::newRow("msgbox-quillon, without a display")
        << QStringLiteral(MSGBOX_QUILLON_PATH) << QByteArray("msgbox-quillon");
}

void tst_MsgBoxFormat::bothProgramsSayTheirVersion()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, name);

    const Run run = runOf(program, { u"--version"_s });

    QCOMPARE(run.exitCode, 0);
    // A line of text: the window program's ends in CR LF on Windows.
    QCOMPARE(run.out.trimmed(), name + " (MsgBox - Quillon) " QUILLON_VERSION);
    QVERIFY(run.out.endsWith('\n'));
    QVERIFY(run.err.isEmpty());
}

// English, or German under a German locale, never both in one message; a
// refusal names what helps on the command line, not the window's controls.
void tst_MsgBoxFormat::messagesSpeakOneLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("said");

    const QByteArray unreadable = "x = 1\n    MsgBox \"Kaputt\" & , vbOK\n";
    const QString german = u"de_DE.UTF-8"_s;
    QTest::newRow("a call kept, English")
        << u"C"_s << QStringList { u"--reformat"_s } << unreadable
        << QByteArray("<standard input>:2:23: MsgBox call kept as it stands: , is not expected "
                      "here.\n");
    QTest::newRow("a call kept, German")
        << german << QStringList { u"--reformat"_s } << unreadable
        << QByteArray("<Standardeingabe>:2:23: MsgBox-Aufruf unverändert gelassen: , ist hier "
                      "unerwartet.\n");
    QTest::newRow("a wider width fits it")
        << u"C"_s << QStringList { u"--width=40"_s } << QByteArray(900, 'x')
        << QByteArray("msgbox-format: The code would need more line continuations than VB "
                      "takes.\nA wider --width, up to 75, takes fewer lines.\n");
    QTest::newRow("no width fits 2,000 characters")
        << u"C"_s << QStringList() << QByteArray(2000, 'x')
        << QByteArray("msgbox-format: The code would need more line continuations than VB "
                      "takes.\nNo width fits it; --form text-variable builds the text in sText, "
                      "in as many statements as it needs.\n");
    QTest::newRow("no width fits, German")
        << german << QStringList() << QByteArray(2000, 'x')
        << QByteArray("msgbox-format: Der Code bräuchte mehr Zeilenfortsetzungen, als VB "
                      "annimmt.\nKeine Breite fasst ihn; --form text-variable baut den Text in "
                      "sText zusammen, in so vielen Anweisungen wie nötig.\n");
    QTest::newRow("the prompt cut, German")
        << german << QStringList { u"--form=text-variable"_s } << QByteArray(1025, 'x')
        << QByteArray("msgbox-format: Der Text hat 1025 Zeichen; MsgBox zeigt in VB6 / VBA nur "
                      "etwa die ersten 1024 und schneidet den Rest ab.\n");
    QTest::newRow("no help file in VB.NET")
        << u"C"_s << QStringList { u"--reformat"_s, u"--dialect=vbnet"_s }
        << QByteArray("MsgBox \"a\", , , \"h.chm\", 10\n")
        << QByteArray("<standard input>:1:1: MsgBox call kept as it stands: The MsgBox call has "
                      "HelpFile or Context, which MsgBox in VB.NET does not take; it cannot be "
                      "written for VB.NET (--dialect).\n");
    QTest::newRow("a call too long for VB, kept")
        << u"C"_s << QStringList { u"--reformat"_s }
        << QByteArray("MsgBox \"" + QByteArray(2000, 'x') + "\"\n")
        << QByteArray("<standard input>:1:1: MsgBox call kept as it stands: The code would need "
                      "more line continuations than VB takes. A wider --width, up to 75, takes "
                      "fewer lines; where none fits, build the text in sText, as --reformat "
                      "--form text-variable writes the call on standard input.\n");
    const QStringList read { u"--read"_s };
    QTest::newRow("the reader: a quote missing")
        << u"C"_s << read << QByteArray("MsgBox \"a")
        << QByteArray("msgbox-format: line 1, column 8: The string lacks its closing quote.\n");
    QTest::newRow("the reader: no argument of MsgBox")
        << u"C"_s << read << QByteArray("MsgBox \"a\", , , Foo:=1")
        << QByteArray("msgbox-format: line 1, column 17: Foo is no argument of MsgBox.\n");
    QTest::newRow("the reader: nothing after the continuation")
        << u"C"_s << read << QByteArray("MsgBox \"a\" _\n")
        << QByteArray("msgbox-format: line 1, column 12: Nothing follows the line continuation.\n");
    QTest::newRow("the reader: no call") << u"C"_s << read << QByteArray("x = 1")
                                         << QByteArray("msgbox-format: No MsgBox call found.\n");
    QTest::newRow("a usage error, German")
        << german << QStringList { u"--width=99"_s } << QByteArray("a")
        << QByteArray("msgbox-format: Ungültiger Wert '99' für --width: erwartet eine ganze Zahl "
                      "von 40 bis 75.\n");
}

void tst_MsgBoxFormat::messagesSpeakOneLanguage()
{
    QFETCH(QString, locale);
    if (!kLocaleFromEnvironment && locale != u"C")
        QSKIP("Windows takes its language from the system, not the environment");
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);

    const Run run = msgboxFormat(arguments, input, locale);

    QTEST(run.err, "said");
}

void tst_MsgBoxFormat::helpSpeaksTheLocalesLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("firstWord");

    QTest::newRow("C") << u"C"_s << QByteArray("Usage:");
    QTest::newRow("English") << u"en_GB.UTF-8"_s << QByteArray("Usage:");
    QTest::newRow("German") << u"de_DE.UTF-8"_s << QByteArray("Aufruf:");
    QTest::newRow("Austrian German") << u"de_AT.UTF-8"_s << QByteArray("Aufruf:");
}

void tst_MsgBoxFormat::helpSpeaksTheLocalesLanguage()
{
    QFETCH(QString, locale);
    if (!kLocaleFromEnvironment && locale != u"C")
        QSKIP("Windows takes its language from the system, not the environment");
    QFETCH(QByteArray, firstWord);

    const Run run = msgboxFormat({ u"--help"_s }, {}, locale);

    QCOMPARE(run.exitCode, int(cli::Done));
    QVERIFY2(run.out.startsWith(QByteArray(firstWord + ' ')), run.out.constData());
}

void tst_MsgBoxFormat::unreadableCallExitsWithOne()
{
    const Run run = msgboxFormat({ u"--read"_s }, "MsgBox \"Datei \" & , vbOK\n");

    QCOMPARE(run.exitCode, int(cli::TextRefused));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, "msgbox-format: line 1, column 19: , is not expected here.\n");
}

void tst_MsgBoxFormat::refusedTextExitsWithOne()
{
    const Run accepted = msgboxFormat({}, textOfManyLines(24));
    const Run refused = msgboxFormat({}, textOfManyLines(25));

    QCOMPARE(accepted.exitCode, int(cli::Done));
    QCOMPARE(refused.exitCode, int(cli::TextRefused));
    QVERIFY(refused.out.isEmpty());
    QVERIFY2(refused.err.startsWith("msgbox-format: The code would need more line continuations"),
        refused.err.constData());
}

void tst_MsgBoxFormat::warnsWhereThePromptIsCut_data()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("warned");

    QTest::newRow("vb6, 1024") << u"vb6"_s << QByteArray(1024, 'x') << false;
    QTest::newRow("vb6, 1025") << u"vb6"_s << QByteArray(1025, 'x') << true;
    QTest::newRow("vbscript, 1025") << u"vbscript"_s << QByteArray(1025, 'x') << true;
    QTest::newRow("vb.net, 1025") << u"vbnet"_s << QByteArray(1025, 'x') << false;
    // Each typed quote is two apostrophes in what the box shows.
    QTest::newRow("vb6, 513 quotes") << u"vb6"_s << QByteArray(513, '"') << true;
}

void tst_MsgBoxFormat::warnsWhereThePromptIsCut()
{
    QFETCH(QString, dialect);
    QFETCH(QByteArray, message);
    QFETCH(bool, warned);

    const Run run = msgboxFormat(
        { u"--form=text-variable"_s, u"--dialect"_s, dialect }, message + '\n');

    QCOMPARE(run.exitCode, int(cli::Done));
    QVERIFY(run.out.startsWith("    Dim sText"));
    QCOMPARE(run.err.contains("1024"), warned);
}

void tst_MsgBoxFormat::keepsUnicodeIntact()
{
    const Run run = msgboxFormat({ u"--title=Grüße"_s }, "Über 30 °C ☀\n");

    QCOMPARE(run.exitCode, int(cli::Done));
    QCOMPARE(run.out,
        QByteArray("    MsgBox _\r\n"
                   "        \"Über 30 °C ☀\",  _\r\n"
                   "        , \"Grüße\"\r\n"));
}

void tst_MsgBoxFormat::inputIsTakenVerbatim_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");

    QTest::newRow("interior LF becomes CR LF") << QByteArray("a\nb\r\nc\n") << u"a\r\nb\r\nc"_s;
    QTest::newRow("lone CR stays") << QByteArray("a\rb\r") << u"a\rb\r"_s;
    QTest::newRow("blanks stay") << QByteArray("  a  \r\n") << u"  a  "_s;
    QTest::newRow("byte order mark stays") << QByteArray("\xEF\xBB\xBF"
                                                         "a")
                                           << u"\uFEFFa"_s;
}

void tst_MsgBoxFormat::inputIsTakenVerbatim()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, message);

    QCOMPARE(cli::messageFromInput(input), std::optional<QString>(message));
}

QTEST_GUILESS_MAIN(tst_MsgBoxFormat)
#include "tst_MsgBoxFormat.moc"
