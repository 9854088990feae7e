#include "vb_frontend/VbDialect.h"
#include "vb_frontend/VbReader.h"

#include <QTest>

using namespace quillon::model;
using namespace quillon::frontend;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(quillon::model::CodeForm)

namespace {

// Parts in one line: exact text in quotes, an expression in braces, joined
// by " & ".
QString described(const MessageParts &parts)
{
    QStringList shown;
    for (const MessagePart &part : parts) {
        const bool exact = part.kind == MessagePart::Kind::ExactText;
        shown << (part.isExpression() ? u'{' + part.text + u'}' : u'"' + part.text + u'"');
        if (!exact && !part.isExpression())
            shown.last().prepend(u"typed "_s);
    }
    return shown.join(u" & "_s);
}

} // namespace

class tst_VbReader : public QObject
{
    Q_OBJECT

private slots:
    void readsTheCall_data();
    void readsTheCall();
    void keepsExpressions_data();
    void keepsExpressions();
    void readsFixedValuesWhenAsked_data();
    void readsFixedValuesWhenAsked();
    void keepsWhatFollowsTheCall_data();
    void keepsWhatFollowsTheCall();
    void readsTheButtons_data();
    void readsTheButtons();
    void refusesWithWhereAndWhat_data();
    void refusesWithWhereAndWhat();
};

void tst_VbReader::readsTheCall_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title"); // "-" for none
    QTest::addColumn<CodeForm>("form");
    QTest::addColumn<bool>("moreCalls");

    const auto none = u"-"_s;
    QTest::newRow("statement") << u"MsgBox \"Hallo\""_s << u"Hallo"_s << none << CodeForm::Statement
                               << false;
    QTest::newRow("parentheses") << u"msgbox(\"Hallo\", , \"T\")"_s << u"Hallo"_s << u"T"_s
                                 << CodeForm::Statement << false;
    QTest::newRow("call") << u"Call VBA.MsgBox(\"Hallo\")"_s << u"Hallo"_s << none
                          << CodeForm::Statement << false;
    QTest::newRow("prompt in parentheses") << u"MsgBox (\"a\") & \"b\", , \"T\""_s << u"ab"_s
                                           << u"T"_s << CodeForm::Statement << false;
    QTest::newRow("answer") << u"lAntwort = MsgBox(\"Weiter?\", vbYesNo)"_s << u"Weiter?"_s << none
                            << CodeForm::Answer << false;
    QTest::newRow("if") << u"If MsgBox(\"Weiter?\", vbYesNo) = vbYes Then\r\nEnd If"_s
                        << u"Weiter?"_s << none << CodeForm::If << false;
    QTest::newRow("select") << u"Select Case MSGBOX(\"?\", 3)\r\nCase vbYes\r\nEnd Select"_s
                            << u"?"_s << none << CodeForm::Select << false;
    QTest::newRow("after Then, then another") << u"If a Then MsgBox \"x\" Else MsgBox \"y\""_s
                                              << u"x"_s << none << CodeForm::Statement << true;
    QTest::newRow("inside a Sub, after a colon")
        << u"Private Sub cmd_Click()\r\n\tDim i As Integer: MsgBox \"a\"\r\n"
           "    MsgBox \"b\"\r\nEnd Sub"_s
        << u"a"_s << none << CodeForm::Statement << true;
    QTest::newRow("named, any order") << u"MsgBox Title:=\"T\", Prompt:=\"P\", buttons:=vbOKOnly"_s
                                      << u"P"_s << u"T"_s << CodeForm::Statement << false;
    QTest::newRow("positional then named")
        << u"MsgBox \"P\", Title:=\"T\""_s << u"P"_s << u"T"_s << CodeForm::Statement << false;
    QTest::newRow("vb.net: lines that go on by themselves")
        << u"Dim lAntwort As MsgBoxResult = MsgBox(\r\n    \"a\" & vbCrLf &\r\n    \"b\",\r\n"
           u"    MsgBoxStyle.YesNo,\r\n    \"T\"\r\n    )"_s
        << u"a\r\nb"_s << u"T"_s << CodeForm::Answer << false;
    QTest::newRow("vb.net: if on the enumeration's answer")
        << u"If MsgBox(\"a\",\n MsgBoxStyle.YesNo) = MsgBoxResult.Yes Then\nEnd If"_s << u"a"_s
        << none << CodeForm::If << false;
    QTest::newRow("twinbasic: declared with the answer")
        << u"Dim x As VbMsgBoxResult = MsgBox(\"a\", vbYesNo)"_s << u"a"_s << none
        << CodeForm::Answer << false;
    QTest::newRow("vbscript: sText declared without a type")
        << u"Dim sText\r\nsText = \"a\"\r\nMsgBox sText"_s << u"a"_s << none
        << CodeForm::TextVariable << false;
    QTest::newRow("vbscript: &_ and ,_")
        << u"MsgBox \"a\" &_\r\n  \"b\",_\r\n  vbYesNo,_\r\n  \"T\""_s << u"ab"_s << u"T"_s
        << CodeForm::Statement << false;
    QTest::newRow("continuations, LF and tabs")
        << u"MsgBox _\n\t\"a\" & _\t\n  \"b\" _\n  , , \"T\""_s << u"ab"_s << u"T"_s
        << CodeForm::Statement << false;
    QTest::newRow("lone CR") << u"x = 1\rMsgBox \"a\"\r"_s << u"a"_s << none << CodeForm::Statement
                             << false;
    QTest::newRow("comments") << u"' MsgBox \"no\"\r\nRem MsgBox \"no\"\r\n"
                                 "MsgBox \"it's\" ' MsgBox \"no\""_s
                              << u"it's"_s << none << CodeForm::Statement << false;
    QTest::newRow("comment continued") << u"' a _\r\n MsgBox \"no\"\r\nMsgBox \"yes\""_s << u"yes"_s
                                       << none << CodeForm::Statement << false;
    QTest::newRow("constants and Chr")
        << u"MsgBox \"\"\"a\"\"\" + vbNewline & VBCRLF & vbCr & vbLf & vbTab & vbNullChar"
           " & vbNullString & Chr(65) & Chr$(&H80) & ChrW(8364) & ChrW$(&HFFFF) & (Chr(0))"_s
        << u"\"a\"\r\n\r\n\r\n\t"_s + QChar(0) + u"A€€\uFFFF"_s + QChar(0) << none
        << CodeForm::Statement << false;
    QTest::newRow("text variable")
        << u"Dim sText As String\r\nsText = \"Ja\" & _\r\n    vbNewline\r\n"
           "sText = sText & \"Nein\" & STEXT\r\nsTitel = \"T\"\r\nMsgBox sText, vbYesNo, sTitel"_s
        << u"Ja\r\nNeinJa\r\n"_s << u"«sTitel»"_s << CodeForm::TextVariable << false;
    QTest::newRow("numbers joined by &") << u"MsgBox 42 & \" / \" & &HFFFF"_s << u"42 / -1"_s
                                         << none << CodeForm::Statement << false;
    QTest::newRow("Space and String") << u"MsgBox String$(3, \"-=\") & Space(2) & string(2, 42)"_s
                                      << u"---  **"_s << none << CodeForm::Statement << false;
    QTest::newRow("& straight before _, as in VBScript")
        << u"MsgBox \"a\" &_\r\n  \"b\""_s << u"ab"_s << none << CodeForm::Statement << false;
    QTest::newRow("a comma straight before _, as in VBScript")
        << u"MsgBox \"a\",_\r\nvbOKOnly, \"b\""_s << u"a"_s << u"b"_s << CodeForm::Statement
        << false;
    QTest::newRow("a wrapper of the same name assigns its result")
        << u"Public Function MsgBox(Prompt, Optional Buttons As VbMsgBoxStyle = vbOKOnly, _\r\n"
           "    Optional Title) As VbMsgBoxResult\r\n"
           "    MsgBox = VBA.MsgBox(Prompt, Buttons, Title)\r\nEnd Function"_s
        << u"«Prompt»"_s << u"«Title»"_s << CodeForm::Answer << false;
    QTest::newRow("after a line number")
        << u"50000 x = 1\r\n50010     MsgBox \"An error has occurred!\" & vbCrLf & _\r\n"
           "    \"b\", , \"T\""_s
        << u"An error has occurred!\r\nb"_s << u"T"_s << CodeForm::Statement << false;
    QTest::newRow("named, after a line number") << u"9000 MsgBox Buttons:=vbYesNo, Prompt:=\"x\""_s
                                                << u"x"_s << none << CodeForm::Statement << false;
    QTest::newRow("a prompt in parentheses after a line number")
        << u"500 MsgBox (\"Text\"), vbCritical, \"T\""_s << u"Text"_s << u"T"_s
        << CodeForm::Statement << false;
    QTest::newRow("VBA.Interaction, then another")
        << u"VBA.Interaction.MsgBox \"Erster\"\r\nMsgBox \"Zweiter\""_s << u"Erster"_s << none
        << CodeForm::Statement << true;
    QTest::newRow("VBA.Interaction in an If")
        << u"If VBA.Interaction.MsgBox(\"x\", vbYesNo) = vbYes Then\r\nEnd If"_s << u"x"_s << none
        << CodeForm::If << false;
}

void tst_VbReader::readsTheCall()
{
    QFETCH(QString, code);
    // As pasted code is read: in the dialect that only its code shows.
    const VbReadResult read = readMsgBox(code, dialectOfCode(code, Dialect::Vb6));
    QVERIFY2(read.found(), qPrintable(read.found() ? QString() : read.error()));
    QTEST(read->message, "message");
    QFETCH(QString, title);
    QCOMPARE(read->hasTitle, title != u"-"_s);
    QCOMPARE(read->title, read->hasTitle ? title : QString());
    QTEST(read->form, "form");
    QTEST(read->moreCalls, "moreCalls");
}

void tst_VbReader::keepsExpressions_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("buttons"); // the buttons expression

    QTest::newRow("a variable in the text")
        << u"MsgBox \"Datei \" & sFile & \" fehlt.\""_s << u"\"Datei \" & {sFile} & \" fehlt.\""_s
        << QString() << QString();
    QTest::newRow("a property, a function with arguments")
        << u"MsgBox Err.Description & vbCrLf & Format(x, \"0.00\") & \" €\", , App.Title"_s
        << u"{Err.Description} & \"\r\n\" & {Format(x, \"0.00\")} & \" €\""_s << u"{App.Title}"_s
        << QString();
    QTest::newRow("every argument at run time")
        << u"MsgBox strMsg, intStyle Or 16, strTitle"_s << u"{strMsg}"_s << u"{strTitle}"_s
        << u"intStyle Or 16"_s;
    QTest::newRow("a variable given text before stays the variable")
        << u"s = \"a\"\r\nConst T = \"b\"\r\nMsgBox s & T"_s << u"{s} & {T}"_s << QString()
        << QString();
    QTest::newRow("a quote stays a quote")
        << u"MsgBox \"Datei \"\"Setting.ini\"\"\""_s << u"\"Datei \"Setting.ini\"\""_s << QString()
        << QString();
    QTest::newRow("+ binds tighter than &: a sum is one expression")
        << u"MsgBox \"n: \" & 5 + 1 & Chr(256)"_s << u"\"n: \" & {5 + 1} & {Chr(256)}"_s
        << QString() << QString();
    QTest::newRow("a comparison makes the whole one expression")
        << u"MsgBox \"a\" & x = \"ab\""_s << u"{\"a\" & x = \"ab\"}"_s << QString() << QString();
    QTest::newRow("a continuation inside an expression is one blank")
        << u"MsgBox Format(x, _\r\n      \"0\")"_s << u"{Format(x, \"0\")}"_s << QString()
        << QString();
    QTest::newRow("parentheses, members of With, numbers not whole")
        << u"MsgBox (a & \"b\") & .Name & 1.5 & 2E3 & 7#"_s
        << u"{(a & \"b\")} & {.Name} & {1.5} & {2E3} & {7#}"_s << QString() << QString();
    QTest::newRow("as a statement, MsgBox (x) passes the one value (x)")
        << u"MsgBox (a & \"b\")"_s << u"{(a & \"b\")}"_s << QString() << QString();
    QTest::newRow("sText changed in a loop is no text")
        << u"sText = \"a\"\r\nFor i = 1 To 2\r\n  sText = sText & \"b\"\r\nNext\r\nMsgBox sText"_s
        << u"{sText}"_s << QString() << QString();
    QTest::newRow("sText handed to a procedure is no text")
        << u"sText = \"a\"\r\nErgänze sText\r\nMsgBox sText"_s << u"{sText}"_s << QString()
        << QString();
    QTest::newRow("integer division, a Long's type character")
        << u"MsgBox \"Größe: \" & Format$(n& \\ 1024, \"#,##0\") & \" KB\""_s
        << u"\"Größe: \" & {Format$(n& \\ 1024, \"#,##0\")} & \" KB\""_s << QString() << QString();
    QTest::newRow("every operator VB has")
        << u"MsgBox f(a Mod 2, b ^ -2, -c, +d, e Like \"a*\", g Is Nothing, h Xor i, j Eqv k, "
           "l Imp m, TypeOf o Is Form, AddressOf P, New Collection, Not q, x% * y! / z# - w@)"_s
        << u"{f(a Mod 2, b ^ -2, -c, +d, e Like \"a*\", g Is Nothing, h Xor i, j Eqv k, "
           "l Imp m, TypeOf o Is Form, AddressOf P, New Collection, Not q, x% * y! / z# - w@)}"_s
        << QString() << QString();
    QTest::newRow("& written without blanks, a member by !")
        << u"MsgBox \"a\"&b&\"c\"&rs!Name"_s << u"\"a\" & {b} & \"c\" & {rs!Name}"_s << QString()
        << QString();
    QTest::newRow("sText no longer followed where a variable it names may change")
        << u"sText = \"a\" & b2: Foo b2: MsgBox sText"_s << u"{sText}"_s << QString() << QString();
    QTest::newRow("nor where that variable is given another value")
        << u"sText = \"a\" & b\r\nb = \"c\"\r\nMsgBox sText"_s << u"{sText}"_s << QString()
        << QString();
    QTest::newRow("nor where it is handed to a function")
        << u"sText = \"a\"\r\nsText = Replace(sText, \"a\", \"b\")\r\nMsgBox sText"_s
        << u"{sText}"_s << QString() << QString();
    QTest::newRow("nor where it is an argument of String")
        << u"sText = \"a\"\r\nsText = (3) & String$(3, sText)\r\nMsgBox sText"_s << u"{sText}"_s
        << QString() << QString();
    QTest::newRow("sText given itself is what it was")
        << u"Dim sText As String\r\nsText = \"a\"\r\nsText = sText\r\nMsgBox sText"_s << u"\"a\""_s
        << QString() << QString();
    QTest::newRow("sText$ is sText") << u"sText = \"a\"\r\nsText$ = \"b\"\r\nMsgBox sText"_s
                                     << u"\"b\""_s << QString() << QString();
    QTest::newRow("an unknown constant in the buttons")
        << u"MsgBox \"a\", vbYesNo Or vbFrage"_s << u"\"a\""_s << QString()
        << u"vbYesNo Or vbFrage"_s;
}

void tst_VbReader::keepsExpressions()
{
    QFETCH(QString, code);
    const VbReadResult read = readMsgBox(code, Dialect::Vb6);
    QVERIFY2(read.found(), qPrintable(read.found() ? QString() : read.error()));
    QTEST(described(read->prompt), "prompt");
    QTEST(described(read->titleParts), "title");
    QTEST(read->buttonsExpression, "buttons");
    QCOMPARE(read->message, shownText(read->prompt));
}

void tst_VbReader::readsFixedValuesWhenAsked_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<CodeForm>("form");

    QTest::newRow("constants declared")
        << u"Private Const sTitel As String = \"T\"\r\nConst MELDUNG = \"a\" & vbCrLf\r\n"
           "MsgBox MELDUNG, , sTitel"_s
        << u"\"a\r\n\""_s << CodeForm::TextVariable;
    QTest::newRow("a variable within the prompt")
        << u"s = \"a\"\r\nx = MsgBox(s & \"b\")"_s << u"\"ab\""_s << CodeForm::Answer;
    QTest::newRow("not where an If may change it")
        << u"s = \"a\"\r\nIf x Then s = \"b\"\r\nMsgBox s & \"c\""_s << u"{s} & \"c\""_s
        << CodeForm::Statement;
    QTest::newRow("nor what a block assigns")
        << u"If x Then\r\n  s = \"b\"\r\nEnd If\r\nMsgBox s"_s << u"{s}"_s << CodeForm::Statement;
    QTest::newRow("With is a block too")
        << u"If a Then\r\n  With x\r\n  End With\r\n  s = \"b\"\r\nEnd If\r\nMsgBox s"_s << u"{s}"_s
        << CodeForm::Statement;
    QTest::newRow("nor behind a colon after a one-line If's Then")
        << u"If c Then t = \"b\": s = \"a\"\r\nMsgBox s"_s << u"{s}"_s << CodeForm::Statement;
    QTest::newRow("a variable read alone in its own reassignment")
        << u"s = \"abc\"\r\ns = s & String(2, s)\r\nMsgBox s"_s << u"\"abcaa\""_s
        << CodeForm::TextVariable;
    QTest::newRow("s$ is s") << u"Dim s As String: s = \"a\": s$ = \"b\": MsgBox s"_s << u"\"b\""_s
                             << CodeForm::TextVariable;
    QTest::newRow("not past a label")
        << u"s = \"a\"\r\nWeiter:\r\nMsgBox s"_s << u"{s}"_s << CodeForm::Statement;
    QTest::newRow("nor past a line number")
        << u"s = \"a\"\r\n10 MsgBox s"_s << u"{s}"_s << CodeForm::Statement;
    QTest::newRow("a procedure knows its module's constants, not another's values")
        << u"Private Const T = \"k\"\r\nSub Helper()\r\n  strText = \"von Helper\"\r\nEnd Sub\r\n"
           "Sub Test()\r\n  MsgBox strText & T\r\nEnd Sub"_s
        << u"{strText} & \"k\""_s << CodeForm::Statement;
    QTest::newRow("nor in a loop, whose later rounds may change it")
        << u"s = \"a\"\r\nDo\r\n  MsgBox s\r\n  s = \"b\"\r\nLoop Until x"_s << u"{s}"_s
        << CodeForm::Statement;
    QTest::newRow("nor behind a one-line If's Else")
        << u"s = \"a\"\r\nIf c Then t = 1: u = 2 Else s = \"b\"\r\nMsgBox s"_s << u"{s}"_s
        << CodeForm::Statement;
    QTest::newRow("a number a variable holds is a character code")
        << u"v = 65\r\nMsgBox String(2, v) & -5"_s << u"{String(2, v)} & \"-5\""_s
        << CodeForm::Statement;
}

void tst_VbReader::readsFixedValuesWhenAsked()
{
    QFETCH(QString, code);
    const VbReadResult read = readMsgBox(code, Dialect::Vb6, VbReading::FixedValues);
    QVERIFY2(read.found(), qPrintable(read.found() ? QString() : read.error()));
    QTEST(described(read->prompt), "prompt");
    QTEST(read->form, "form");
}

void tst_VbReader::keepsWhatFollowsTheCall_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("trailing");
    QTest::addColumn<bool>("inLineIf");
    QTest::addColumn<bool>("moreCalls");

    QTest::newRow("a statement behind a colon")
        << u"MsgBox \"x\": Exit Sub\r\nEnd Sub"_s << u": Exit Sub"_s << false << false;
    QTest::newRow("several, with a comment and a call")
        << u"MsgBox \"x\" :  a = 1: MsgBox \"y\" ' Ende\r\nb = 2"_s
        << u":  a = 1: MsgBox \"y\" ' Ende"_s << false << true;
    QTest::newRow("a one-line If")
        << u"If a Then MsgBox \"\": GoTo Ende"_s << u": GoTo Ende"_s << true << false;
    QTest::newRow("after Else") << u"If a Then b = 1 Else MsgBox \"x\""_s << QString() << true
                                << false;
    QTest::newRow("behind a colon in a one-line If")
        << u"If a Then b = 1: MsgBox \"x\"\r\nc = 2: MsgBox \"y\""_s << QString() << true << true;
    QTest::newRow("blanks at the line's end")
        << u"MsgBox \"x\" : Exit Sub \t\r\nEnd Sub"_s << u": Exit Sub"_s << false << false;
    QTest::newRow("behind two colons in a one-line If")
        << u"If a Then b = 1: c = 2: MsgBox \"x\""_s << QString() << true << false;
    QTest::newRow("behind a colon in an If block")
        << u"If a Then\r\nb = 1: MsgBox \"x\"\r\nEnd If"_s << QString() << false << false;
    QTest::newRow("a colon and a comment end the line")
        << u"MsgBox \"x\": ' Hinweis\r\nMsgBox \"y\""_s << u": ' Hinweis"_s << false << true;
    QTest::newRow("a colon ends the code") << u"MsgBox \"x\":\r\n"_s << u":"_s << false << false;
}

void tst_VbReader::keepsWhatFollowsTheCall()
{
    QFETCH(QString, code);
    const VbReadResult read = readMsgBox(code, Dialect::Vb6);
    QVERIFY2(read.found(), qPrintable(read.found() ? QString() : read.error()));
    QTEST(read->trailing, "trailing");
    QTEST(read->inLineIf, "inLineIf");
    QTEST(read->moreCalls, "moreCalls");
}

void tst_VbReader::readsTheButtons_data()
{
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QString>("flags"); // of the choices taken over
    QTest::addColumn<QStringList>("notTakenOver");

    QTest::newRow("constants") << u"vbQuestion Or vbYesNo Or vbDefaultButton2"_s
                               << u"vbQuestion Or vbYesNo Or vbDefaultButton2"_s << QStringList();
    QTest::newRow("sum as VB computes it")
        << u"vbCritical + vbQuestion"_s << u"vbExclamation"_s << QStringList();
    QTest::newRow("or is bitwise")
        << u"vbCritical Or vbQuestion Or vbCritical"_s << u"vbExclamation"_s << QStringList();
    QTest::newRow("+ binds tighter than Or")
        << u"vbYesNo Or vbCritical + vbCritical"_s << u"vbQuestion Or vbYesNo"_s << QStringList();
    QTest::newRow("numbers") << u"(&H1000&) + 36 + &o4000000"_s
                             << u"vbQuestion Or vbYesNo Or vbSystemModal"_s
                             << QStringList { u"vbMsgBoxRtlReading"_s };
    QTest::newRow("And is bitwise, as VB computes it")
        << u"vbInformation And vbOKOnly"_s << QString() << QStringList();
    QTest::newRow("& joins the digits: \"016\" is 16")
        << u"vbOKOnly & vbCritical"_s << u"vbCritical"_s << QStringList();
    QTest::newRow("qualified, and -") << u"VbMsgBoxStyle.vbYesNoCancel - 1 Or VBA.vbCritical"_s
                                      << u"vbCritical Or vbAbortRetryIgnore"_s << QStringList();
    QTest::newRow("hex Long") << u"&H8000&"_s << QString() << QStringList { u"32768"_s };
    QTest::newRow("beyond the window")
        << u"vbokcancel Or vbDefaultButton4 Or vbMsgBoxHelpButton Or vbMsgBoxRight Or 8"_s
        << u"vbOKCancel Or vbMsgBoxRight"_s
        << QStringList { u"vbDefaultButton4"_s, u"vbMsgBoxHelpButton"_s, u"8"_s };
    QTest::newRow("help arguments")
        << u"vbInformation, , \"x.hlp\", 12 + 1"_s << u"vbInformation"_s
        << QStringList { u"HelpFile:=\"x.hlp\""_s, u"Context:=12 + 1"_s };
    QTest::newRow("named help arguments")
        << u"Context:=f(1, 2), helpfile:=sDatei"_s << QString()
        << QStringList { u"Context:=f(1, 2)"_s, u"helpfile:=sDatei"_s };
    QTest::newRow("vb.net's enumeration, also fully qualified")
        << u"MsgBoxStyle.Question Or Microsoft.VisualBasic.MsgBoxStyle.okcancel Or "
           u"MsgBoxStyle.MsgBoxHelp"_s
        << u"vbQuestion Or vbOKCancel"_s << QStringList { u"vbMsgBoxHelpButton"_s };
}

void tst_VbReader::readsTheButtons()
{
    QFETCH(QString, buttons);
    const VbReadResult read = readMsgBox(QString(u"MsgBox \"P\", "_s + buttons), Dialect::Vb6);
    QVERIFY2(read.found(), qPrintable(read.found() ? QString() : read.error()));
    QTEST(computeStyleFlags(read->choices).expression, "flags");
    QTEST(read->notTakenOver, "notTakenOver");
    QVERIFY(read->buttonsExpression.isEmpty());
}

void tst_VbReader::refusesWithWhereAndWhat_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("error");

    QTest::newRow("no call") << u"Debug.Print \"MsgBox\"\r\nx.MsgBox 1"_s
                             << u"Kein MsgBox-Aufruf gefunden."_s;
    QTest::newRow("unclosed string") << u"MsgBox _\r\n  \"ab, vbOK"_s
                                     << u"Zeile 2, Spalte 3: Dem Text fehlt das schließende "
                                        "Anführungszeichen."_s;
    QTest::newRow("continuation at the end") << u"MsgBox \"a\" & _  "_s
                                             << u"Zeile 1, Spalte 14: Hinter dem "
                                                "Zeilenfortsetzungszeichen folgt nichts."_s;
    QTest::newRow("continuation before an empty line")
        << u"MsgBox \"a\" & _\n\nx"_s
        << u"Zeile 1, Spalte 14: Hinter dem Zeilenfortsetzungszeichen folgt nichts."_s;
    QTest::newRow("unknown argument") << u"MsgBox Text:=\"a\""_s
                                      << u"Zeile 1, Spalte 8: Text ist kein Argument von "
                                         "MsgBox."_s;
    QTest::newRow("no prompt") << u"\tMsgBox , vbOK"_s << u"Zeile 1, Spalte 2: MsgBox ohne Text."_s;
    QTest::newRow("unclosed call") << u"x = MsgBox(\"a\", vbOK"_s
                                   << u"Zeile 1, Spalte 21: Der MsgBox-Aufruf ist "
                                      "unvollständig."_s;
    QTest::newRow("text behind") << u"MsgBox \"a\" \"b\""_s
                                 << u"Zeile 1, Spalte 12: \"b\" ist hier unerwartet."_s;
    QTest::newRow("too many arguments")
        << u"MsgBox \"a\", , , , , 6"_s << u"Zeile 1, Spalte 21: 6 ist hier unerwartet."_s;
    QTest::newRow("an operand missing")
        << u"MsgBox \"a\" & , vbOK"_s << u"Zeile 1, Spalte 14: , ist hier unerwartet."_s;
    QTest::newRow("an unclosed argument list") << u"MsgBox Format(x, \"0\", vbOK"_s
                                               << u"Zeile 1, Spalte 27: Der MsgBox-Aufruf ist "
                                                  "unvollständig."_s;
    QTest::newRow("a keyword as a value")
        << u"MsgBox \"a\" & Or"_s << u"Zeile 1, Spalte 14: Or ist hier unerwartet."_s;
    QTest::newRow("nesting") << u"MsgBox "_s + QString(300, u'(')
                             << u"Zeile 1, Spalte 208: Die Klammern sind zu tief "
                                "verschachtelt."_s;
}

void tst_VbReader::refusesWithWhereAndWhat()
{
    QFETCH(QString, code);
    const VbReadResult read = readMsgBox(code, Dialect::Vb6);
    QVERIFY(!read.found());
    QTEST(read.error(), "error");
}

QTEST_GUILESS_MAIN(tst_VbReader)
#include "tst_VbReader.moc"
