#include "vb_frontend/VbDialect.h"

#include <QTest>

using namespace codegen;
using namespace Qt::Literals::StringLiterals;

class tst_VbDialect : public QObject
{
    Q_OBJECT

private slots:
    void tellsTheDialectWhereOnlyOneWritesSo_data();
    void tellsTheDialectWhereOnlyOneWritesSo();
};

void tst_VbDialect::tellsTheDialectWhereOnlyOneWritesSo_data()
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
    QTest::newRow("a line that goes on behind &") << u"MsgBox(\"a\" &\r\n  \"b\")"_s << vbNet;
    QTest::newRow("behind (") << u"MsgBox(\n  \"a\")"_s << vbNet;
    QTest::newRow("&_") << u"MsgBox \"a\" &_\r\n  \"b\""_s << vbScript;
    QTest::newRow(",_ with blanks behind") << u"MsgBox \"a\",_  \r\n  vbYesNo"_s << vbScript;
    QTest::newRow("only in a literal") << u"MsgBox \"MsgBoxStyle. &_\""_s << none;
    QTest::newRow("only in a comment") << u"MsgBox \"a\" ' MsgBoxResult &\r\n"_s << none;
    QTest::newRow("a longer name") << u"MsgBox \"a\", MyMsgBoxStyle"_s << none;
}

void tst_VbDialect::tellsTheDialectWhereOnlyOneWritesSo()
{
    QFETCH(QString, code);
    QFETCH(int, dialect);

    const std::optional<Dialect> told = dialectWrittenIn(code);

    QCOMPARE(told ? int(*told) : -1, dialect);
}

QTEST_GUILESS_MAIN(tst_VbDialect)
#include "tst_VbDialect.moc"
