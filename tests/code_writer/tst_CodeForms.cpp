#include "code_writer/Formatter.h"

#include <QTest>

using namespace quillon::model;
using namespace quillon::writer;
using namespace Qt::Literals::StringLiterals;

namespace {

// Indexes of the options window's button sets.
enum ButtonSet { OK, OKCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

// The empty line, indented as a body, where the programmer's own code goes.
const QString kBody = u"        "_s;

// At width 40 a word of 26 * n characters becomes n literals of which no two join.
QString wordOfFullLines(int lines)
{
    return QString(26 * lines, u'x');
}

QStringList fullLines(int count)
{
    QStringList lines(count, u"        \""_s + QString(26, u'x') + u"\" & _"_s);
    lines.last().chop(4);
    return lines;
}

QStringList selectOf(const QString &flags, const QStringList &answers)
{
    QStringList code { u"    Select Case MsgBox( _"_s, u"        \"Hallo\" _"_s,
        u"        , vbQuestion"_s + flags + u")"_s };
    for (const QString &answer : answers)
        code << u"    Case "_s + answer << kBody;
    return code << u"    End Select"_s;
}

QStringList textVariableOf(const QList<int> &statementLines)
{
    QStringList code { u"    Dim sText As String"_s };
    for (const int lines : statementLines)
        code << (code.size() == 1 ? u"    sText = _"_s : u"    sText = sText & _"_s)
             << fullLines(lines);
    return code << u"    MsgBox sText _"_s << u"        , vbQuestion"_s;
}

} // namespace

class tst_CodeForms : public QObject
{
    Q_OBJECT

private slots:
    void writesTheForm_data();
    void writesTheForm();
};

void tst_CodeForms::writesTheForm_data()
{
    QTest::addColumn<CodeForm>("form");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("expected"); // on refusal: the code shown
    QTest::addColumn<QString>("refusal");

    const QString jaNein = u"Ja\r\nNein"_s;
    const QString prompt = u"        \"Ja\" & vbNewline & \"Nein\" _"_s;
    const QString arguments = u"        , vbQuestion, \"Frage\""_s;
    const QString frage = u"Frage"_s;
    const auto example = [&](const char *name, CodeForm form, int buttons, int width,
                             const QStringList &expected) {
        QTest::newRow(name) << form << jaNein << buttons << frage << width << expected << QString();
    };
    example("statement", CodeForm::Statement, OK, 70, { u"    MsgBox _"_s, prompt, arguments });
    example("answer", CodeForm::Answer, OK, 70,
        { u"    Dim lAntwort As VbMsgBoxResult"_s, u"    lAntwort = MsgBox( _"_s, prompt,
            arguments + u")"_s });
    example("if", CodeForm::If, YesNo, 70,
        { u"    If MsgBox( _"_s, prompt,
            u"        , vbQuestion Or vbYesNo, \"Frage\") = vbYes Then"_s, kBody, u"    Else"_s,
            kBody, u"    End If"_s });
    // The title would fit behind the flags of a statement, but not with the comparison.
    example("if: the comparison counts for the title's fit", CodeForm::If, YesNo, 40,
        { u"    If MsgBox( _"_s, prompt, u"        , vbQuestion Or vbYesNo _"_s,
            u"        , \"Frage\") = vbYes Then"_s, kBody, u"    Else"_s, kBody, u"    End If"_s });
    example("select", CodeForm::Select, OK, 70,
        { u"    Select Case MsgBox( _"_s, prompt, arguments + u")"_s, u"    Case vbOK"_s, kBody,
            u"    End Select"_s });
    example("text variable", CodeForm::TextVariable, OK, 70,
        { u"    Dim sText As String"_s, u"    sText = _"_s, prompt.chopped(2),
            u"    MsgBox sText _"_s, arguments });

    const auto select
        = [](const char *name, CodeForm form, int buttons, const QStringList &expected) {
              QTest::newRow(name) << form << u"Hallo"_s << buttons << QString() << 70 << expected
                                  << QString();
          };
    const QStringList yesNoCancel { u"vbYes"_s, u"vbNo"_s, u"vbCancel"_s };
    select("select OK", CodeForm::Select, OK, selectOf({}, { u"vbOK"_s }));
    select("select OK, Cancel", CodeForm::Select, OKCancel,
        selectOf(u" Or vbOKCancel"_s, { u"vbOK"_s, u"vbCancel"_s }));
    select("select Yes, No", CodeForm::Select, YesNo,
        selectOf(u" Or vbYesNo"_s, { u"vbYes"_s, u"vbNo"_s }));
    select("select Yes, No, Cancel", CodeForm::Select, YesNoCancel,
        selectOf(u" Or vbYesNoCancel"_s, yesNoCancel));
    select("select Retry, Cancel", CodeForm::Select, RetryCancel,
        selectOf(u" Or vbRetryCancel"_s, { u"vbRetry"_s, u"vbCancel"_s }));
    select("select Abort, Retry, Ignore", CodeForm::Select, AbortRetryIgnore,
        selectOf(u" Or vbAbortRetryIgnore"_s, { u"vbAbort"_s, u"vbRetry"_s, u"vbIgnore"_s }));
    select("if with one button is select", CodeForm::If, OK, selectOf({}, { u"vbOK"_s }));
    select("if with three buttons is select", CodeForm::If, YesNoCancel,
        selectOf(u" Or vbYesNoCancel"_s, yesNoCancel));

    const auto limit = [](const char *name, CodeForm form, const QString &message,
                           const QString &title, const QStringList &expected,
                           const QString &refusal) {
        QTest::newRow(name) << form << message << int(OK) << title << 40 << expected << refusal;
    };
    limit("text variable: 24 lines in one statement", CodeForm::TextVariable, wordOfFullLines(24),
        {}, textVariableOf({ 24 }), {});
    limit("text variable: the 25th line in the next", CodeForm::TextVariable, wordOfFullLines(25),
        {}, textVariableOf({ 24, 1 }), {});
    limit("answer: 25 continuations", CodeForm::Answer, wordOfFullLines(25), {},
        QStringList { u"    Dim lAntwort As VbMsgBoxResult"_s, u"    lAntwort = MsgBox( _"_s }
            << fullLines(25),
        continuationLimitMessage());
    // Eight blanks, ", ", the quoted title and the parenthesis: 1,024 characters.
    limit("select: the parenthesis makes the title line too long", CodeForm::Select, u"Hallo"_s,
        QString(1011, u'T'), { u"    Select Case MsgBox( _"_s, u"        \"Hallo\""_s },
        lineTooLongMessage());
    limit("text variable: a title line too long", CodeForm::TextVariable, u"Hallo"_s,
        QString(1012, u'T'),
        { u"    Dim sText As String"_s, u"    sText = _"_s, u"        \"Hallo\""_s },
        lineTooLongMessage());
}

void tst_CodeForms::writesTheForm()
{
    QFETCH(CodeForm, form);
    QFETCH(QString, message);
    QFETCH(int, buttons);
    QFETCH(QString, title);
    QFETCH(int, width);
    QFETCH(QStringList, expected);
    QFETCH(QString, refusal);

    FormatRequest request;
    request.message = message;
    request.title = title;
    request.style = StyleChoices { 1, buttons };
    request.codeWidth = width;
    request.form = form;
    const FormatResult result = formatMessage(request);

    QCOMPARE(result.refusalMessage, refusal);
    QCOMPARE(result.code, expected.join(u"\r\n"_s) + u"\r\n"_s);
}

QTEST_GUILESS_MAIN(tst_CodeForms)
#include "tst_CodeForms.moc"
