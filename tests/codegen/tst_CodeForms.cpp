#include "codegen/Formatter.h"

#include <QTest>

using namespace codegen;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kBody = u"        "_s; // where the programmer's own code goes

// Indexes of the options window's button sets.
enum ButtonSet { OK, OKCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

FormatRequest request(const QString &message, CodeForm form, int buttons, const QString &title = {},
    int width = 70, int icon = 0)
{
    return { message, title, StyleChoices { icon, buttons }, width, form };
}

// At width 40 a word of 26 * n characters becomes n literals of which no two join.
QString wordOfFullLines(int lines)
{
    return QString(26 * lines, u'x');
}

QString fullLiteral(bool continues)
{
    return u"        \""_s + QString(26, u'x') + (continues ? u"\" & _"_s : u"\""_s);
}

} // namespace

class tst_CodeForms : public QObject
{
    Q_OBJECT

private slots:
    void writesTheWorkedExample_data();
    void writesTheWorkedExample();
    void selectHasACaseForEachButton_data();
    void selectHasACaseForEachButton();
    void textVariableSplitsAtTheContinuationLimit_data();
    void textVariableSplitsAtTheContinuationLimit();
    void refuses_data();
    void refuses();
};

void tst_CodeForms::writesTheWorkedExample_data()
{
    QTest::addColumn<CodeForm>("form");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected");

    const QString prompt = u"        \"Ja\" & vbNewline & \"Nein\" _"_s;
    const QString arguments = u"        , vbQuestion, \"Frage\""_s;
    const QStringList select { u"    Select Case MsgBox( _"_s, prompt, arguments + u")"_s,
        u"    Case vbOK"_s, kBody, u"    End Select"_s };

    QTest::newRow("statement") << CodeForm::Statement << int(OK) << 70
                               << QStringList { u"    MsgBox _"_s, prompt, arguments };
    QTest::newRow("answer") << CodeForm::Answer << int(OK) << 70
                            << QStringList { u"    Dim lAntwort As VbMsgBoxResult"_s,
                                   u"    lAntwort = MsgBox( _"_s, prompt, arguments + u")"_s };
    QTest::newRow("if") << CodeForm::If << int(YesNo) << 70
                        << QStringList { u"    If MsgBox( _"_s, prompt,
                               u"        , vbQuestion Or vbYesNo, \"Frage\") = vbYes Then"_s, kBody,
                               u"    Else"_s, kBody, u"    End If"_s };
    // The title fits behind the flags in a statement, but not with the comparison.
    QTest::newRow("if: the comparison counts for the title's fit")
        << CodeForm::If << int(YesNo) << 40
        << QStringList { u"    If MsgBox( _"_s, prompt, u"        , vbQuestion Or vbYesNo _"_s,
               u"        , \"Frage\") = vbYes Then"_s, kBody, u"    Else"_s, kBody,
               u"    End If"_s };
    QTest::newRow("select") << CodeForm::Select << int(OK) << 70 << select;
    QTest::newRow("if with one button is select") << CodeForm::If << int(OK) << 70 << select;
    QTest::newRow("text variable")
        << CodeForm::TextVariable << int(OK) << 70
        << QStringList { u"    Dim sText As String"_s, u"    sText = _"_s, prompt.chopped(2),
               u"    MsgBox sText _"_s, arguments };
}

void tst_CodeForms::writesTheWorkedExample()
{
    QFETCH(CodeForm, form);
    QFETCH(int, buttons);
    QFETCH(int, width);
    QFETCH(QStringList, expected);

    const FormatResult result
        = formatMessage(request(u"Ja\r\nNein"_s, form, buttons, u"Frage"_s, width, 1));

    QCOMPARE(result.outcome, FormatOutcome::Formatted);
    QCOMPARE(result.code, expected.join(u"\r\n"_s) + u"\r\n"_s);
    QVERIFY(result.code.contains(result.codeTail));
    QVERIFY(result.codeTail.startsWith(u" _\r\n        , vbQuestion"_s));
}

void tst_CodeForms::selectHasACaseForEachButton_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("answers");

    QTest::newRow("OK") << int(OK) << QStringList { u"vbOK"_s };
    QTest::newRow("OK, Cancel") << int(OKCancel) << QStringList { u"vbOK"_s, u"vbCancel"_s };
    QTest::newRow("Yes, No") << int(YesNo) << QStringList { u"vbYes"_s, u"vbNo"_s };
    QTest::newRow("Yes, No, Cancel")
        << int(YesNoCancel) << QStringList { u"vbYes"_s, u"vbNo"_s, u"vbCancel"_s };
    QTest::newRow("Retry, Cancel")
        << int(RetryCancel) << QStringList { u"vbRetry"_s, u"vbCancel"_s };
    QTest::newRow("Abort, Retry, Ignore")
        << int(AbortRetryIgnore) << QStringList { u"vbAbort"_s, u"vbRetry"_s, u"vbIgnore"_s };
}

void tst_CodeForms::selectHasACaseForEachButton()
{
    QFETCH(int, buttons);
    QFETCH(QStringList, answers);

    const QString select = formatMessage(request(u"Hallo"_s, CodeForm::Select, buttons)).code;
    const QString ifCode = formatMessage(request(u"Hallo"_s, CodeForm::If, buttons)).code;

    QString cases;
    for (const QString &answer : answers)
        cases += u"    Case "_s + answer + u"\r\n"_s + kBody + u"\r\n"_s;
    QVERIFY2(select.endsWith(u")\r\n"_s + cases + u"    End Select\r\n"_s), qPrintable(select));
    const bool twoButtons = answers.size() == 2;
    QCOMPARE(formFits(CodeForm::If, StyleChoices { 0, buttons }), twoButtons);
    if (twoButtons)
        QVERIFY(ifCode.contains(u") = "_s + answers.first() + u" Then\r\n"_s));
    else
        QCOMPARE(ifCode, select);
}

void tst_CodeForms::textVariableSplitsAtTheContinuationLimit_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QList<int>>("statements"); // lines of each sText statement

    QTest::newRow("24 lines: one statement") << 24 << QList<int> { 24 };
    QTest::newRow("25 lines: the 25th in a second") << 25 << QList<int> { 24, 1 };
    QTest::newRow("49 lines: three") << 49 << QList<int> { 24, 24, 1 };
}

void tst_CodeForms::textVariableSplitsAtTheContinuationLimit()
{
    QFETCH(int, lines);
    QFETCH(QList<int>, statements);

    QStringList expected { u"    Dim sText As String"_s };
    for (const int statementLines : statements) {
        expected << (expected.size() == 1 ? u"    sText = _"_s : u"    sText = sText & _"_s);
        for (int i = 1; i <= statementLines; ++i)
            expected << fullLiteral(i < statementLines);
    }
    expected << u"    MsgBox sText _"_s << u"        , vbYesNo"_s;

    const FormatResult result
        = formatMessage(request(wordOfFullLines(lines), CodeForm::TextVariable, YesNo, {}, 40));

    QCOMPARE(result.outcome, FormatOutcome::Formatted);
    QCOMPARE(result.code, expected.join(u"\r\n"_s) + u"\r\n"_s);
}

void tst_CodeForms::refuses_data()
{
    QTest::addColumn<CodeForm>("form");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("refusal"); // empty: accepted

    const QString title1011(1011, u'T');
    const QString breaks85 = u"a"_s + u"\r\n"_s.repeated(85) + u"b"_s;
    QTest::newRow("if: 24 continuations")
        << CodeForm::If << wordOfFullLines(24) << QString() << QString();
    QTest::newRow("answer: 25 continuations")
        << CodeForm::Answer << wordOfFullLines(25) << QString() << continuationLimitMessage();
    QTest::newRow("select: title line of 1023 with the parenthesis")
        << CodeForm::Select << u"Hallo"_s << title1011.chopped(1) << QString();
    QTest::newRow("select: title line of 1024 with the parenthesis")
        << CodeForm::Select << u"Hallo"_s << title1011 << lineTooLongMessage();
    QTest::newRow("text variable: title line of 1024")
        << CodeForm::TextVariable << u"Hallo"_s << title1011 + u"T"_s << lineTooLongMessage();
    QTest::newRow("text variable: 85 breaks in a row")
        << CodeForm::TextVariable << breaks85 << QString() << lineTooLongMessage();
}

void tst_CodeForms::refuses()
{
    QFETCH(CodeForm, form);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, refusal);

    const FormatResult result = formatMessage(request(message, form, OK, title, 40));

    QCOMPARE(result.refusalMessage, refusal);
    QCOMPARE(result.outcome, refusal.isEmpty() ? FormatOutcome::Formatted : FormatOutcome::Refused);
    if (refusal.isEmpty())
        return;
    // The code shown stops where the prompt ends.
    const FormatResult withoutTitle = formatMessage(request(message, form, OK, {}, 40));
    QVERIFY(result.code.endsWith(u"\"\r\n"_s));
    QVERIFY(!result.code.contains(u"MsgBox sText"_s) && !result.code.contains(u"\r\n    Case"_s));
    if (withoutTitle.outcome == FormatOutcome::Formatted)
        QVERIFY(withoutTitle.code.startsWith(result.code.chopped(2)));
}

QTEST_GUILESS_MAIN(tst_CodeForms)
#include "tst_CodeForms.moc"
