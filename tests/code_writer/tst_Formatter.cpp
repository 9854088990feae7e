#include "code_writer/Formatter.h"
#include "code_writer/Reformat.h"

#include <QRegularExpression>
#include <QTest>

using namespace quillon::model;
using namespace quillon::frontend;
using namespace quillon::writer;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

QString codeOf(const QStringList &lines)
{
    return lines.join(kCrLf) + kCrLf;
}

// Width 40 puts 26 characters on a wrapped line; a word of 26 * n characters
// becomes n full literals that no pair of which can be joined.
QString wordOfFullLines(int lines)
{
    return QString(26 * lines, u'x');
}

QString fullLiteral(bool continues)
{
    return u"        \""_s + QString(26, u'x') + u"\""_s + (continues ? u" & _"_s : QString());
}

QStringList codeOfFullLines(int lines)
{
    QStringList code { u"    MsgBox _"_s };
    for (int i = 1; i <= lines; ++i)
        code << fullLiteral(i < lines);
    return code;
}

// The flags are written as the expression the style value stands for.
FormatRequest request(const QString &message, const QString &title = {}, const QString &flags = {},
    qint32 style = 0, int width = 70)
{
    const StyleChoices choices = choicesOfValue(style).choices;
    if (computeStyleFlags(choices).expression != flags)
        qFatal("the style %d is not written as %s", style, qPrintable(flags));
    FormatRequest request;
    request.message = message;
    request.title = title;
    request.style = choices;
    request.codeWidth = width;
    return request;
}

} // namespace

class tst_Formatter : public QObject
{
    Q_OBJECT

private slots:
    void keepsToTheWidth_data();
    void keepsToTheWidth();
    void formatsStatement_data();
    void formatsStatement();
    void laysOutArguments_data();
    void laysOutArguments();
    void keepsTheUsersText_data();
    void keepsTheUsersText();
    void refuses_data();
    void refuses();
    void refusalKeepsTheJoinedCodeWithoutArguments();
    void emptyMessageGivesNothing();
    void measuringTextMarksBreaksWithALoneQuote();
    void widthOutsideTheRangeTakesTheNearestBound();
    void expressionWithoutSourceIsLeftOut();
};

// Calls written anew in their place, and VB.NET's from a message, keep to the
// width where a line can be broken: only the classic VB6 statement lets its
// flags pass it.
void tst_Formatter::keepsToTheWidth_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("vb.net: the flags go on behind Or")
        << u"    MsgBox(\"text\", MsgBoxStyle.Critical Or MsgBoxStyle.AbortRetryIgnore Or "
           u"MsgBoxStyle.DefaultButton3 Or MsgBoxStyle.SystemModal, \"Hallo\")"_s
        << Dialect::VbNet << 70
        << QStringList { u"    MsgBox("_s, u"        \"text\","_s,
               u"        MsgBoxStyle.Critical Or MsgBoxStyle.AbortRetryIgnore Or"_s,
               u"        MsgBoxStyle.DefaultButton3 Or MsgBoxStyle.SystemModal,"_s,
               u"        \"Hallo\")"_s };
    QTest::newRow("vb6: the flags go on behind Or")
        << u"    MsgBox \"Hallo Welt\", vbInformation Or vbAbortRetryIgnore Or "
           u"vbDefaultButton2, \"Titel\""_s
        << Dialect::Vb6 << 50
        << QStringList { u"    MsgBox _"_s, u"        \"Hallo Welt\" _"_s,
               u"        , vbInformation Or vbAbortRetryIgnore Or _"_s,
               u"        vbDefaultButton2, \"Titel\""_s };
    QTest::newRow("a condition's comparison counts for its flags")
        << u"    If MsgBox(\"Wirklich beenden?\", vbQuestion Or vbYesNo Or vbDefaultButton2) "
           u"= vbNo Then"_s
        << Dialect::Vb6 << 40
        << QStringList { u"    If MsgBox( _"_s, u"        \"Wirklich beenden?\" _"_s,
               u"        , vbQuestion Or vbYesNo Or _"_s,
               u"        vbDefaultButton2) = vbNo Then"_s };
    QTest::newRow("a prompt joined with + goes on behind its joins")
        << u"    MsgBox \"Die Datei \" + sName + \" wurde nicht gefunden, bitte pruefen\""_s
        << Dialect::Vb6 << 50
        << QStringList { u"    MsgBox _"_s, u"        \"Die Datei \" + sName + _"_s,
               u"        \" wurde nicht gefunden, bitte pruefen\""_s };
    QTest::newRow("a prompt in parentheses goes on inside them")
        << u"    MsgBox (\"Die Datei \" & sName & \" wurde nicht gefunden, bitte pruefen\")"_s
        << Dialect::Vb6 << 50
        << QStringList { u"    MsgBox _"_s, u"        (\"Die Datei \" & sName & _"_s,
               u"        \" wurde nicht gefunden, bitte pruefen\")"_s };
    QTest::newRow("a literal padded with blanks is cut")
        << u"    MsgBox \"Hallo Welt"_s + QString(40, u' ') + u"x\", vbInformation"_s
        << Dialect::Vb6 << 50
        << QStringList { u"    MsgBox _"_s,
               u"        \"Hallo Welt"_s + QString(26, u' ') + u"\" & _"_s,
               u"        \""_s + QString(14, u' ') + u"x\" _"_s, u"        , vbInformation"_s };
    QTest::newRow("a line break beside a literal joins within the width")
        << u"    MsgBox vbNewLine & \""_s + QString(54, u'a') + u' ' + QString(20, u'b')
            + u"\", vbQuestion"_s
        << Dialect::Vb6 << 75
        << QStringList { u"    MsgBox _"_s, u"        vbNewline & _"_s,
               u"        \""_s + QString(54, u'a') + u" \" & _"_s,
               u"        \""_s + QString(20, u'b') + u"\" _"_s, u"        , vbQuestion"_s };
    QTest::newRow("the empty buttons argument goes on the title's line")
        << u"    MsgBox \"Hallo Welt\", , \"Titel\""_s << Dialect::Vb6 << 50
        << QStringList { u"    MsgBox _"_s, u"        \"Hallo Welt\" _"_s,
               u"        , , \"Titel\""_s };
}

void tst_Formatter::keepsToTheWidth()
{
    QFETCH(QString, source);
    QFETCH(Dialect, dialect);
    QFETCH(int, width);
    QFETCH(QStringList, expected);

    const VbReadResult read = readMsgBox(source, dialect);
    QVERIFY(read.found());
    FormatRequest request = requestToWriteAnew(read.call());
    request.codeWidth = width;
    request.dialect = dialect;
    const FormatResult result = formatInPlace(read.call(), request);

    QCOMPARE(result.code, codeOf(expected));
}

void tst_Formatter::formatsStatement_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one line that fits")
        << u"Hallo Welt"_s << 70 << QStringList { u"    MsgBox _"_s, u"        \"Hallo Welt\""_s };
    QTest::newRow("two lines") << u"Ja\r\nNein"_s << 70
                               << QStringList { u"    MsgBox _"_s,
                                      u"        \"Ja\" & vbNewline & \"Nein\""_s };
    QTest::newRow("blank line between paragraphs")
        << u"A\r\n\r\nB"_s << 70
        << QStringList { u"    MsgBox _"_s, u"        \"A\" & vbNewline & vbNewline & \"B\""_s };
    QTest::newRow("ends with a break")
        << u"A\r\n"_s << 70 << QStringList { u"    MsgBox _"_s, u"        \"A\" & vbNewline"_s };
    QTest::newRow("begins with a break")
        << u"\r\nA"_s << 70 << QStringList { u"    MsgBox _"_s, u"        vbNewline & \"A\""_s };
    QTest::newRow("a break only") << u"\r\n"_s << 70
                                  << QStringList { u"    MsgBox _"_s, u"        vbNewline"_s };
    QTest::newRow("three breaks only")
        << u"\r\n\r\n\r\n"_s << 70
        << QStringList { u"    MsgBox _"_s, u"        vbNewline & vbNewline & vbNewline"_s };
    QTest::newRow("quote becomes two apostrophes")
        << u"Sag \"Hallo\""_s << 70
        << QStringList { u"    MsgBox _"_s, u"        \"Sag ''Hallo''\""_s };
    // 26 characters a line at width 40; the blank at the break ends the
    // literal, and the short last piece joins the line above it.
    QTest::newRow("wrapped paragraph")
        << u"Dies ist ein etwas laengerer Satz, der umbricht."_s << 40
        << QStringList { u"    MsgBox _"_s, u"        \"Dies ist ein etwas \" & _"_s,
               u"        \"laengerer Satz, der umbricht.\""_s };
    QTest::newRow("word longer than a line")
        << wordOfFullLines(2) + u"yz"_s << 40
        << QStringList { u"    MsgBox _"_s, fullLiteral(true),
               u"        \""_s + QString(26, u'x') + u"yz\""_s };
    QTest::newRow("short pieces grow to the width")
        << u"a\r\nb\r\nc\r\nd\r\ne\r\nf"_s << 40
        << QStringList { u"    MsgBox _"_s, u"        \"a\" & vbNewline & \"b\" & vbNewline & _"_s,
               u"        \"c\" & vbNewline & \"d\" & vbNewline & _"_s,
               u"        \"e\" & vbNewline & \"f\""_s };
    QTest::newRow("design-time text is a message like any other")
        << u"Text"_s << 70 << QStringList { u"    MsgBox _"_s, u"        \"Text\""_s };
}

void tst_Formatter::formatsStatement()
{
    QFETCH(QString, message);
    QFETCH(int, width);
    QFETCH(QStringList, expected);

    const FormatResult result = formatMessage(request(message, {}, {}, 0, width));

    QCOMPARE(result.outcome, FormatOutcome::Formatted);
    QCOMPARE(result.code, codeOf(expected));
    QCOMPARE(result.codeTail, QString());
}

void tst_Formatter::laysOutArguments_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("tail");

    const QString start = u"    MsgBox _"_s;
    const QString hallo = u"        \"Hallo\""_s;
    const QString longTitle(30, u'T');

    QTest::newRow("worked example")
        << u"Ja\r\nNein"_s << u"Frage"_s << u"vbQuestion"_s << 32 << 70
        << QStringList { start, u"        \"Ja\" & vbNewline & \"Nein\" _"_s,
               u"        , vbQuestion, \"Frage\""_s }
        << u" _\r\n        , vbQuestion, \"Frage\""_s;
    QTest::newRow("no flags, no title") << u"Hallo"_s << QString() << QString() << 0 << 70
                                        << QStringList { start, hallo } << QString();
    QTest::newRow("placeholder title is no title")
        << u"Hallo"_s << u"Titelleiste"_s << QString() << 0 << 70 << QStringList { start, hallo }
        << QString();
    QTest::newRow("flags on a line of their own")
        << u"Hallo"_s << QString() << u"vbYesNo"_s << 4 << 70
        << QStringList { start, hallo + u" _"_s, u"        , vbYesNo"_s }
        << u" _\r\n        , vbYesNo"_s;
    QTest::newRow("flags at 24 continuations")
        << wordOfFullLines(24) << QString() << u"vbYesNo"_s << 4 << 40
        << (codeOfFullLines(24).replaceInStrings(QRegularExpression(u"\"$"_s), u"\", vbYesNo"_s))
        << u", vbYesNo"_s;
    QTest::newRow("flags and a title that fits")
        << u"Hallo"_s << u"T"_s << u"vbYesNo"_s << 4 << 40
        << QStringList { start, hallo + u" _"_s, u"        , vbYesNo, \"T\""_s }
        << u" _\r\n        , vbYesNo, \"T\""_s;
    // 17 + 21 + 2 = 40 fits exactly.
    QTest::newRow("title that just fits")
        << u"Hallo"_s << QString(21, u'T') << u"vbYesNo"_s << 4 << 40
        << QStringList { start, hallo + u" _"_s,
               u"        , vbYesNo, \""_s + QString(21, u'T') + u"\""_s }
        << u" _\r\n        , vbYesNo, \""_s + QString(21, u'T') + u"\""_s;
    QTest::newRow("flags and a title that does not fit")
        << u"Hallo"_s << QString(22, u'T') << u"vbYesNo"_s << 4 << 40
        << QStringList { start, hallo + u" _"_s, u"        , vbYesNo _"_s,
               u"        , \""_s + QString(22, u'T') + u"\""_s }
        << u" _\r\n        , vbYesNo _\r\n        , \""_s + QString(22, u'T') + u"\""_s;
    QTest::newRow("count reaches 24 with the flags")
        << wordOfFullLines(23) << longTitle << u"vbYesNo"_s << 4 << 40
        << (codeOfFullLines(23).replaceInStrings(QRegularExpression(u"\"$"_s), u"\" _"_s)
               << u"        , vbYesNo, \""_s + longTitle + u"\""_s)
        << u" _\r\n        , vbYesNo, \""_s + longTitle + u"\""_s;
    QTest::newRow("title without flags")
        << u"Hallo"_s << u"T"_s << QString() << 0 << 70
        << QStringList { start, hallo + u",  _"_s, u"        , \"T\""_s }
        << u",  _\r\n        , \"T\""_s;
    QTest::newRow("title without flags at 24 continuations")
        << wordOfFullLines(24) << u"T"_s << QString() << 0 << 40
        << (codeOfFullLines(24).replaceInStrings(QRegularExpression(u"\"$"_s), u"\", , \"T\""_s))
        << u", , \"T\""_s;
    QTest::newRow("flags and title at 24 continuations")
        << wordOfFullLines(24) << u"T"_s << u"vbOKCancel"_s << 1 << 40
        << (codeOfFullLines(24).replaceInStrings(
               QRegularExpression(u"\"$"_s), u"\", vbOKCancel, \"T\""_s))
        << u", vbOKCancel, \"T\""_s;
    QTest::newRow("quotes in the title are doubled")
        << u"Hallo"_s << u"Sag \"Ja\""_s << QString() << 0 << 70
        << QStringList { start, hallo + u",  _"_s, u"        , \"Sag \"\"Ja\"\"\""_s }
        << u",  _\r\n        , \"Sag \"\"Ja\"\"\""_s;
    QTest::newRow("line feed in the title")
        << u"Hallo"_s << u"a\nb"_s << u"vbYesNo"_s << 4 << 70
        << QStringList { start, hallo + u" _"_s, u"        , vbYesNo, \"a\" & vbLf & \"b\""_s }
        << u" _\r\n        , vbYesNo, \"a\" & vbLf & \"b\""_s;
    // 20 typed characters would fit behind the flags; the 22 in the code do not.
    const QString quotedTitle = u"\"abcdefghijklmnopqr\""_s;
    QTest::newRow("title fit measured as written into the code")
        << u"Hallo"_s << quotedTitle << u"vbYesNo"_s << 4 << 40
        << QStringList { start, hallo + u" _"_s, u"        , vbYesNo _"_s,
               u"        , \"\"\"abcdefghijklmnopqr\"\"\""_s }
        << u" _\r\n        , vbYesNo _\r\n        , \"\"\"abcdefghijklmnopqr\"\"\""_s;
}

void tst_Formatter::laysOutArguments()
{
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, flags);
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(QStringList, expected);
    QFETCH(QString, tail);

    const FormatResult result = formatMessage(request(message, title, flags, style, width));

    QCOMPARE(result.outcome, FormatOutcome::Formatted);
    QCOMPARE(result.code, codeOf(expected));
    QCOMPARE(result.codeTail, tail);
    QVERIFY(result.code.endsWith(tail + kCrLf));
}

void tst_Formatter::keepsTheUsersText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");

    const QString start = u"    MsgBox _"_s;
    QTest::newRow("continuation mark in the text")
        << u"a _ b _\r\nc"_s << 70
        << QStringList { start, u"        \"a _ b _\" & vbNewline & \"c\""_s };
    QTest::newRow("indented vbNewline in the text")
        << u"x\r\n        vbNewline"_s << 70
        << QStringList { start, u"        \"x\" & vbNewline & \"        vbNewline\""_s };
    QTest::newRow("eight blanks before a closing quote")
        << u"a\r\nb        "_s << 70
        << QStringList { start, u"        \"a\" & vbNewline & \"b        \""_s };
    QTest::newRow("a line holding only the degree sign")
        << u"a\r\n°\r\nb"_s << 70
        << QStringList { start, u"        \"a\" & vbNewline & \"°\" & vbNewline & \"b\""_s };
    QTest::newRow("degree sign alone") << u"°"_s << 70 << QStringList { start, u"        \"°\""_s };
    QTest::newRow("a line reading & between blanks")
        << u"a\r\n & \r\nb"_s << 70
        << QStringList { start, u"        \"a\" & vbNewline & \" & \" & vbNewline & \"b\""_s };
    QTest::newRow("joined literals meet at the seam only")
        << u"a & \r\n\r\n & b"_s << 70
        << QStringList { start, u"        \"a & \" & vbNewline & vbNewline & \" & b\""_s };
    QTest::newRow("vbNewline words in the text")
        << u"vbNewline & vbNewline"_s << 70
        << QStringList { start, u"        \"vbNewline & vbNewline\""_s };
    // A CR or LF that is no line break cannot stand inside a literal.
    QTest::newRow("lone CR and LF")
        << u"a\rb\n"_s << 70 << QStringList { start, u"        \"a\" & vbCr & \"b\" & vbLf"_s };
    QTest::newRow("lone CR before a line break")
        << u"\ra\r\r\nb"_s << 70
        << QStringList { start, u"        vbCr & \"a\" & vbCr & vbNewline & \"b\""_s };
    QTest::newRow("lone LF before a line break")
        << u"a\n\r\nb"_s << 70
        << QStringList { start, u"        \"a\" & vbLf & vbNewline & \"b\""_s };
    // Every wrapped line holds " _"; only the 24 line ends count.
    QTest::newRow("continuation marks in 24 lines")
        << QString(u"a _ "_s).repeated(156) << 40 << [] {
               QStringList lines { u"    MsgBox _"_s };
               for (int i = 1; i <= 24; ++i) {
                   const QString piece
                       = i % 2 ? u"a _ a _ a _ a _ a _ a _ a "_s : u"_ a _ a _ a _ a _ a _ a _ "_s;
                   lines << u"        \""_s + piece + (i < 24 ? u"\" & _"_s : u"\""_s);
               }
               return lines;
           }();
}

// Same columns and checks as formatsStatement, on texts that look like markup.
void tst_Formatter::keepsTheUsersText()
{
    formatsStatement();
}

void tst_Formatter::refuses_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("refusal"); // empty: accepted

    const QString title1011(1011, u'T');
    const QString hanging = QString(26, u'x') + QString(983, u' ') + u"y"_s;

    QTest::newRow("24 continuations") << wordOfFullLines(24) << QString() << 40 << QString();
    QTest::newRow("25 continuations")
        << wordOfFullLines(25) << QString() << 40 << continuationLimitMessage();
    QTest::newRow("title line of 1023") << u"Hallo"_s << title1011 << 70 << QString();
    QTest::newRow("title line of 1024")
        << u"Hallo"_s << title1011 + u"T"_s << 70 << lineTooLongMessage();
    QTest::newRow("quote makes the title line 1024")
        << u"Hallo"_s << title1011.chopped(1) + u"\""_s << 70 << lineTooLongMessage();
    QTest::newRow("hanging blanks to 1023") << hanging << QString() << 40 << QString();
    QTest::newRow("hanging blanks to 1024")
        << QString(hanging).insert(30, u' ') << QString() << 40 << lineTooLongMessage();
    // Eight blanks, 84 vbNewline words joined by " & ", and " & _".
    QTest::newRow("84 breaks in a row")
        << u"a"_s + kCrLf.repeated(84) + u"b"_s << QString() << 70 << QString();
    QTest::newRow("85 breaks in a row")
        << u"a"_s + kCrLf.repeated(85) + u"b"_s << QString() << 70 << lineTooLongMessage();
}

void tst_Formatter::refuses()
{
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, width);
    QFETCH(QString, refusal);

    const FormatResult withoutArguments = formatMessage(request(message, {}, {}, 0, width));
    const FormatResult result = formatMessage(request(message, title, {}, 0, width));

    if (refusal.isEmpty()) {
        QCOMPARE(result.outcome, FormatOutcome::Formatted);
        QVERIFY(result.refusalMessage.isEmpty());
        return;
    }
    QCOMPARE(result.outcome, FormatOutcome::Refused);
    QCOMPARE(result.refusalMessage, refusal);
    QVERIFY(result.codeTail.isEmpty());
    // The code as the joining left it, without the arguments.
    if (withoutArguments.outcome == FormatOutcome::Formatted)
        QCOMPARE(result.code, withoutArguments.code);
    QVERIFY(result.code.startsWith(u"    MsgBox _\r\n"_s));
    QVERIFY(result.code.endsWith(kCrLf));
    QVERIFY(!result.code.contains(u", \"T"_s));
    QCOMPARE(result.measuringText, withoutArguments.measuringText);
}

void tst_Formatter::refusalKeepsTheJoinedCodeWithoutArguments()
{
    const FormatResult result
        = formatMessage(request(wordOfFullLines(25), u"T"_s, u"vbYesNo"_s, 4, 40));

    QCOMPARE(result.outcome, FormatOutcome::Refused);
    QCOMPARE(result.code, codeOf(codeOfFullLines(25)));
    QCOMPARE(result.measuringText, wordOfFullLines(25));
    QVERIFY(result.codeTail.isEmpty());
}

void tst_Formatter::emptyMessageGivesNothing()
{
    const FormatResult result = formatMessage(request({}, u"Titel"_s, u"vbYesNo"_s, 4));

    QCOMPARE(result.outcome, FormatOutcome::EmptyMessage);
    QVERIFY(result.code.isEmpty());
    QVERIFY(result.measuringText.isEmpty());
    QVERIFY(result.codeTail.isEmpty());
}

void tst_Formatter::measuringTextMarksBreaksWithALoneQuote()
{
    const FormatResult result = formatMessage(request(u"Sag \"Ja\"\r\n°"_s));

    QCOMPARE(result.measuringText, u"Sag ''Ja''\r\n\"\r\n°"_s);
}

void tst_Formatter::widthOutsideTheRangeTakesTheNearestBound()
{
    const QString message = u"Ein Satz mit einigen Woertern, der bei jeder Breite umbricht, "
                            u"weil er lang genug ist, um mehrere Zeilen zu fuellen."_s;

    QCOMPARE(formatMessage(request(message, {}, {}, 0, 5)).code,
        formatMessage(request(message, {}, {}, 0, kMinCodeWidth)).code);
    QCOMPARE(formatMessage(request(message, {}, {}, 0, 500)).code,
        formatMessage(request(message, {}, {}, 0, kMaxCodeWidth)).code);
}

// Written, it would leave a dangling & behind the text, which is no VB.
void tst_Formatter::expressionWithoutSourceIsLeftOut()
{
    FormatRequest request;
    request.parts
        = { { MessagePart::Kind::ExactText, u"a"_s }, { MessagePart::Kind::Expression, u" "_s } };
    request.form = CodeForm::TextVariable;
    QCOMPARE(formatMessage(request).code,
        u"    Dim sText As String\r\n    sText = _\r\n        \"a\"\r\n    MsgBox sText\r\n"_s);
}

QTEST_GUILESS_MAIN(tst_Formatter)
#include "tst_Formatter.moc"
