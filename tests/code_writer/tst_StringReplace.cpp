#include "tests/support/StringReplace.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_StringReplace : public QObject
{
    Q_OBJECT

private slots:
    void replaces_data();
    void replaces();
};

void tst_StringReplace::replaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("oldString");
    QTest::addColumn<QString>("newString");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty text") << QString() << u"a"_s << u"b"_s << QString();
    QTest::newRow("empty text, empty old") << QString() << QString() << u"b"_s << QString();
    QTest::newRow("empty old leaves the text") << u"abc"_s << QString() << u"x"_s << u"abc"_s;
    QTest::newRow("no overlap") << u"aaa"_s << u"aa"_s << u"b"_s << u"ba"_s;
    QTest::newRow("no rescan of the new text") << u"aa"_s << u"a"_s << u"aa"_s << u"aaaa"_s;
    QTest::newRow("case-sensitive") << u"AB"_s << u"ab"_s << u"x"_s << u"AB"_s;
    QTest::newRow("no folding of accents") << u"Äpfel"_s << u"äpfel"_s << u"x"_s << u"Äpfel"_s;
    QTest::newRow("old longer than the text") << u"ab"_s << u"abc"_s << u"x"_s << u"ab"_s;
    QTest::newRow("occurrence at the very end") << u"xyab"_s << u"ab"_s << u"c"_s << u"xyc"_s;
    QTest::newRow("occurrence at the start") << u"abxy"_s << u"ab"_s << u"c"_s << u"cxy"_s;
    QTest::newRow("empty new deletes") << u"a-b-c-"_s << u"-"_s << QString() << u"abc"_s;
    QTest::newRow("whole text") << u"ab"_s << u"ab"_s << u"cd"_s << u"cd"_s;
    QTest::newRow("partial match at the end") << u"abca"_s << u"ab"_s << u"x"_s << u"xca"_s;
    QTest::newRow("line breaks") << u"a\r\nb\r\n"_s << u"\r\n"_s << u"\r\n°\r\n"_s
                                 << u"a\r\n°\r\nb\r\n°\r\n"_s;
    QTest::newRow("surrogate pairs compared by unit")
        << u"\U0001F600\U0001F601"_s << u"\U0001F601"_s << u"!"_s << u"\U0001F600!"_s;
}

void tst_StringReplace::replaces()
{
    QFETCH(QString, text);
    QFETCH(QString, oldString);
    QFETCH(QString, newString);
    QFETCH(QString, expected);

    QCOMPARE(StringReplace(text, oldString, newString), expected);
}

QTEST_GUILESS_MAIN(tst_StringReplace)
#include "tst_StringReplace.moc"
