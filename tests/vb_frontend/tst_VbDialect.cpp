#include "vb_frontend/VbDialect.h"

#include <QTest>

using namespace quillon::model;
using namespace quillon::frontend;
using namespace Qt::Literals::StringLiterals;

class tst_VbDialect : public QObject
{
    Q_OBJECT

private slots:
    void onlyEvidenceTellsTheDialect_data();
    void onlyEvidenceTellsTheDialect();
    void statementsGoOnAsTheDialectReadsThem_data();
    void statementsGoOnAsTheDialectReadsThem();
};

void tst_VbDialect::onlyEvidenceTellsTheDialect_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("dialect"); // -1: none

    const int none = -1;
    const int vbNet = int(Dialect::VbNet);
    const int vbScript = int(Dialect::VbScript);
    QTest::newRow("vb6") << u"MsgBox _\r\n  \"a\" & _\r\n  \"b\", vbYesNo"_s << none;
    QTest::newRow("MsgBoxStyle") << u"MsgBox(\"a\", MsgBoxStyle.YesNo)"_s << vbNet;
    QTest::newRow("qualified MsgBoxResult")
        << u"If x = Microsoft.VisualBasic.MsgBoxResult.Yes Then"_s << vbNet;
    QTest::newRow("Imports") << u"Imports System.IO\r\nMsgBox(\"a\")"_s << vbNet;
    QTest::newRow("End Class") << u"Class A\r\nEnd Class"_s << vbNet;
    QTest::newRow("Handles") << u"Sub B_Click(s As Object, e As EventArgs) Handles B.Click"_s
                             << vbNet;
    QTest::newRow("interpolated") << u"MsgBox($\"Hallo {name}\")"_s << vbNet;
    QTest::newRow("&_") << u"MsgBox \"a\" &_\r\n  \"b\""_s << vbScript;
    QTest::newRow(",_ with blanks behind") << u"MsgBox \"a\",_  \r\n  vbYesNo"_s << vbScript;
    // None of these is evidence: VB6 writes them, or any VB would refuse them.
    QTest::newRow("a line ending in &") << u"MsgBox(\"a\" &\r\n  \"b\")"_s << none;
    QTest::newRow("type character") << u"Dim hwnd&\r\nMsgBox \"a\""_s << none;
    QTest::newRow("typed literal") << u"Const k As Long = &H8000&\r\nMsgBox \"a\""_s << none;
    QTest::newRow("Print zone") << u"Debug.Print \"Wert:\",\r\nMsgBox strUser"_s << none;
    QTest::newRow("syntax error") << u"MsgBox \"kaputt\" &\r\nMsgBox \"a\""_s << none;
    QTest::newRow("End Type") << u"Type T\r\n  a As Long\r\nEnd Type"_s << none;
    QTest::newRow("only in a literal") << u"MsgBox \"MsgBoxStyle. &_\""_s << none;
    QTest::newRow("only in a comment") << u"MsgBox \"a\" ' MsgBoxResult &_\r\n"_s << none;
    QTest::newRow("a longer name") << u"MsgBox \"a\", MyMsgBoxStyle"_s << none;
    QTest::newRow("a variable named Imports") << u"x = Imports\r\n"_s << none;
}

void tst_VbDialect::onlyEvidenceTellsTheDialect()
{
    QFETCH(QString, code);
    QFETCH(int, dialect);

    const std::optional<DialectEvidence> told = dialectEvidenceIn(code);

    QCOMPARE(told ? int(told->dialect) : -1, dialect);
    QCOMPARE(dialectOfCode(code, Dialect::TwinBasic), told ? told->dialect : Dialect::TwinBasic);
}

void tst_VbDialect::statementsGoOnAsTheDialectReadsThem_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("goingOn"); // a character a line: + goes on, . ends

    const int vb6 = int(Dialect::Vb6);
    const int vbScript = int(Dialect::VbScript);
    const int vbNet = int(Dialect::VbNet);
    const QString zone = u"Print #1, x,\r\nMsgBox \"a\" & _\r\n  \"b\"\r\n"_s;
    QTest::newRow("vb6: a Print zone ends") << zone << vb6 << u".+."_s;
    QTest::newRow("vb.net: a comma goes on") << zone << vbNet << u"++."_s;
    const QString joined = u"MsgBox \"a\" &_\r\n\"b\",_\r\nvbYesNo\r\nx = 1"_s;
    QTest::newRow("vbscript: &_ and ,_") << joined << vbScript << u"++.."_s;
    QTest::newRow("vb6: &_ is no continuation") << joined << vb6 << u"...."_s;
    const QString implicit = u"MsgBox(\r\n\"a\" &\n\"b\"\r)\r\nDim hwnd&\r\nx = 1"_s;
    QTest::newRow("vb.net: ( & and before )") << implicit << vbNet << u"+++..."_s;
    QTest::newRow("vb6: a type character ends") << implicit << vb6 << u"......"_s;
    const QString comment = u"' a comment _\r\nx = 1 ' ends in &\r\ny = \"_\r\nz = 2"_s;
    QTest::newRow("vb6: a comment goes on") << comment << vb6 << u"+..."_s;
    QTest::newRow("vb.net: a comment ends") << comment << vbNet << u"...."_s;
    QTest::newRow("no final break") << u"a = 1 _\nb"_s << vb6 << u"+."_s;
    QTest::newRow("empty") << QString() << vb6 << u"."_s;
}

void tst_VbDialect::statementsGoOnAsTheDialectReadsThem()
{
    QFETCH(QString, code);
    QFETCH(int, dialect);
    QFETCH(QString, goingOn);

    QString told;
    for (const bool goesOn : linesGoingOn(code, Dialect(dialect)))
        told += goesOn ? u'+' : u'.';

    QCOMPARE(told, goingOn);
}

QTEST_GUILESS_MAIN(tst_VbDialect)
#include "tst_VbDialect.moc"
