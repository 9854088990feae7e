#include "code_writer/Formatter.h"
#include "vb_model/Dialect.h"

#include <QTest>

using namespace quillon::model;
using namespace quillon::writer;
using namespace Qt::Literals::StringLiterals;

namespace {

// At width 40 a word of 26 * n characters becomes n literals of which no two
// join: 30 of them need more continuations than VB6 allows.
const QString kThirtyLines = QString(26 * 30, u'x');

} // namespace

class tst_Dialects : public QObject
{
    Q_OBJECT

private slots:
    void writesTheDialect_data();
    void writesTheDialect();
    void takesTheLimitsOfTheDialect_data();
    void takesTheLimitsOfTheDialect();
    void warnsWhereThePromptIsCut_data();
    void warnsWhereThePromptIsCut();
};

void tst_Dialects::writesTheDialect_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<CodeForm>("form");
    QTest::addColumn<StyleChoices>("style");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("namedArguments");
    QTest::addColumn<QStringList>("expected");

    const StyleChoices questionYesNo { 1, 2 };
    const StyleChoices yesNo { 0, 2 };
    QTest::newRow("vb.net statement: parentheses, vbCrLf, continued after the comma")
        << Dialect::VbNet << CodeForm::Statement << questionYesNo << u"Frage"_s << QStringList()
        << QStringList { u"    MsgBox("_s, u"        \"Ja\" & vbCrLf & \"Nein\","_s,
               u"        MsgBoxStyle.Question Or MsgBoxStyle.YesNo, \"Frage\")"_s };
    QTest::newRow("vb.net: a title without flags behind an empty argument")
        << Dialect::VbNet << CodeForm::Statement << StyleChoices() << u"Frage"_s << QStringList()
        << QStringList { u"    MsgBox("_s, u"        \"Ja\" & vbCrLf & \"Nein\", ,"_s,
               u"        \"Frage\")"_s };
    QTest::newRow("vb.net answer: declared with its value")
        << Dialect::VbNet << CodeForm::Answer << yesNo << QString() << QStringList()
        << QStringList { u"    Dim lAntwort As MsgBoxResult = MsgBox("_s,
               u"        \"Ja\" & vbCrLf & \"Nein\","_s, u"        MsgBoxStyle.YesNo)"_s };
    QTest::newRow("vb.net if: the answer's enumeration")
        << Dialect::VbNet << CodeForm::If << yesNo << QString() << QStringList()
        << QStringList { u"    If MsgBox("_s, u"        \"Ja\" & vbCrLf & \"Nein\","_s,
               u"        MsgBoxStyle.YesNo) = MsgBoxResult.Yes Then"_s, u"        "_s,
               u"    Else"_s, u"        "_s, u"    End If"_s };
    QTest::newRow("vb.net text variable: one statement, the call in parentheses")
        << Dialect::VbNet << CodeForm::TextVariable << yesNo << QString() << QStringList()
        << QStringList { u"    Dim sText As String"_s, u"    sText ="_s,
               u"        \"Ja\" & vbCrLf & \"Nein\""_s, u"    MsgBox(sText,"_s,
               u"        MsgBoxStyle.YesNo)"_s };
    QTest::newRow("vbscript answer: no type")
        << Dialect::VbScript << CodeForm::Answer << yesNo << QString() << QStringList()
        << QStringList { u"    Dim lAntwort"_s, u"    lAntwort = MsgBox( _"_s,
               u"        \"Ja\" & vbNewline & \"Nein\" _"_s, u"        , vbYesNo)"_s };
    QTest::newRow("vbscript: HelpFile and Context in their places")
        << Dialect::VbScript << CodeForm::Statement << yesNo << QString()
        << QStringList { u"HelpFile:=\"a.hlp\""_s, u"Context:=10"_s }
        << QStringList { u"    MsgBox _"_s, u"        \"Ja\" & vbNewline & \"Nein\" _"_s,
               u"        , vbYesNo, , \"a.hlp\", 10"_s };
    QTest::newRow("twinbasic: VB6's code")
        << Dialect::TwinBasic << CodeForm::Answer << yesNo << QString() << QStringList()
        << QStringList { u"    Dim lAntwort As VbMsgBoxResult"_s, u"    lAntwort = MsgBox( _"_s,
               u"        \"Ja\" & vbNewline & \"Nein\" _"_s, u"        , vbYesNo)"_s };
}

void tst_Dialects::writesTheDialect()
{
    QFETCH(Dialect, dialect);
    QFETCH(CodeForm, form);
    QFETCH(StyleChoices, style);
    QFETCH(QString, title);
    QFETCH(QStringList, namedArguments);
    QFETCH(QStringList, expected);

    FormatRequest request;
    request.message = u"Ja\r\nNein"_s;
    request.title = title;
    request.style = style;
    request.form = form;
    request.dialect = dialect;
    request.namedArguments = namedArguments;
    const FormatResult result = formatMessage(request);

    QCOMPARE(result.code, expected.join(u"\r\n"_s) + u"\r\n"_s);
}

void tst_Dialects::takesTheLimitsOfTheDialect_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<CodeForm>("form");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("statements"); // of sText, in the text-variable form

    QTest::newRow("vb6 refuses") << Dialect::Vb6 << CodeForm::Statement << true << 0;
    QTest::newRow("vbscript refuses") << Dialect::VbScript << CodeForm::Statement << true << 0;
    QTest::newRow("vb.net takes it") << Dialect::VbNet << CodeForm::Statement << false << 0;
    QTest::newRow("twinbasic takes it") << Dialect::TwinBasic << CodeForm::Select << false << 0;
    QTest::newRow("vb6 splits sText") << Dialect::Vb6 << CodeForm::TextVariable << false << 2;
    QTest::newRow("vb.net does not") << Dialect::VbNet << CodeForm::TextVariable << false << 1;
    QTest::newRow("twinbasic neither")
        << Dialect::TwinBasic << CodeForm::TextVariable << false << 1;
}

void tst_Dialects::takesTheLimitsOfTheDialect()
{
    QFETCH(Dialect, dialect);
    QFETCH(CodeForm, form);
    QFETCH(bool, refused);
    QFETCH(int, statements);

    FormatRequest request;
    request.message = kThirtyLines;
    request.codeWidth = 40;
    request.form = form;
    request.dialect = dialect;
    const FormatResult result = formatMessage(request);

    QCOMPARE(result.outcome == FormatOutcome::Refused, refused);
    QCOMPARE(result.code.count(u"    sText ="_s), statements);
}

void tst_Dialects::warnsWhereThePromptIsCut_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("warned");

    QTest::newRow("vb6 shows 1024") << Dialect::Vb6 << 1024 << false;
    QTest::newRow("vb6 cuts 1025") << Dialect::Vb6 << 1025 << true;
    QTest::newRow("vbscript cuts 1025") << Dialect::VbScript << 1025 << true;
    QTest::newRow("vb.net shows all") << Dialect::VbNet << 30000 << false;
    QTest::newRow("twinbasic shows all") << Dialect::TwinBasic << 30000 << false;
}

void tst_Dialects::warnsWhereThePromptIsCut()
{
    QFETCH(Dialect, dialect);
    QFETCH(int, length);
    QFETCH(bool, warned);

    QCOMPARE(!promptLengthWarning(length, dialect).isEmpty(), warned);
}

QTEST_GUILESS_MAIN(tst_Dialects)
#include "tst_Dialects.moc"
