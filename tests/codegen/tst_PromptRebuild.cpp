#include "codegen/PromptRebuild.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString statement(const QString &promptAndArguments)
{
    return u"    MsgBox _\r\n"_s + promptAndArguments;
}

} // namespace

class tst_PromptRebuild : public QObject
{
    Q_OBJECT

private slots:
    void rebuildsPrompt_data();
    void rebuildsPrompt();
};

void tst_PromptRebuild::rebuildsPrompt_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("codeTail");
    QTest::addColumn<QString>("prompt");

    QTest::newRow("flags and title behind the joined prompt")
        << statement(u"        \"Ja\" & vbNewline & \"Nein\" _\r\n"
                     u"        , vbQuestion, \"Frage\"\r\n"_s)
        << u" _\r\n        , vbQuestion, \"Frage\""_s << u"Ja\r\nNein\r\n"_s;
    QTest::newRow("title without flags")
        << statement(u"        \"Hallo\",  _\r\n        , \"Gruß\"\r\n"_s)
        << u",  _\r\n        , \"Gruß\""_s << u"Hallo\r\n"_s;
    QTest::newRow("title with doubled quotes leaves no quote behind")
        << statement(u"        \"Hallo\" _\r\n        , vbCritical, \"Er sagt \"\"nein\"\"\"\r\n"_s)
        << u" _\r\n        , vbCritical, \"Er sagt \"\"nein\"\"\""_s << u"Hallo\r\n"_s;
    QTest::newRow("empty code") << QString() << QString() << QString();
    QTest::newRow("quote stays as two apostrophes")
        << statement(u"        \"Er sagte ''Hallo''\"\r\n"_s) << QString()
        << u"Er sagte ''Hallo''\r\n"_s;
    QTest::newRow("trailing break joined behind a piece")
        << statement(u"        \"Ja\" & vbNewline\r\n"_s) << QString() << u"Ja\r\n\r\n"_s;
    QTest::newRow("trailing break on a line of its own")
        << statement(u"        \"Ja\" & _\r\n        vbNewline\r\n"_s) << QString()
        << u"Ja\r\n\r\n"_s;
    QTest::newRow("leading break")
        << statement(u"        vbNewline & \"Ja\"\r\n"_s) << QString() << u"\r\nJa\r\n"_s;
    QTest::newRow("several breaks in a row, joined")
        << statement(u"        \"A\" & vbNewline & vbNewline & \"B\"\r\n"_s) << QString()
        << u"A\r\n\r\nB\r\n"_s;
    QTest::newRow("several breaks in a row, on lines of their own")
        << statement(
               u"        \"A\" & _\r\n        vbNewline & vbNewline & _\r\n        \"B\"\r\n"_s)
        << QString() << u"A\r\n\r\nB\r\n"_s;
    QTest::newRow("wrapped pieces are joined again")
        << statement(u"        \"Das ist ein \" & _\r\n        \"langer Text\"\r\n"_s) << QString()
        << u"Das ist ein langer Text\r\n"_s;
    QTest::newRow("message holding ' & vbNewline' breaks there")
        << statement(u"        \"x & vbNewline y\"\r\n"_s) << QString() << u"x\r\n y\r\n"_s;
    QTest::newRow("message holding eight blanks and vbNewline breaks there")
        << statement(u"        \"a        vbNewline b\"\r\n"_s) << QString() << u"a\r\n b\r\n"_s;
}

void tst_PromptRebuild::rebuildsPrompt()
{
    QFETCH(QString, code);
    QFETCH(QString, codeTail);
    QFETCH(QString, prompt);

    QCOMPARE(codegen::rebuildPrompt(code, codeTail), prompt);
}

QTEST_GUILESS_MAIN(tst_PromptRebuild)
#include "tst_PromptRebuild.moc"
