#include "code_writer/TextBoxLines.h"
#include "tests/support/TextBoxModel.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

using namespace quillon::writer;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList linesOf(const TextBoxLines &box)
{
    QStringList lines;
    for (qsizetype n = 1; n <= GetLineCount(box); ++n)
        lines << GetLineText(box, n);
    return lines;
}

} // namespace

class tst_TextBoxLines : public QObject
{
    Q_OBJECT

private slots:
    void charsPerLine_data();
    void charsPerLine();
    void wraps_data();
    void wraps();
    void breaksOnlyAtHardBreaksWithoutWrap_data();
    void breaksOnlyAtHardBreaksWithoutWrap();
    void readsNoLineBeyondTheLast();
    void wrappedLinesGiveTheTextBack();
};

void tst_TextBoxLines::charsPerLine_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("expected");

    QTest::newRow("narrowest code width") << 40 * 90 << 26;
    QTest::newRow("widest code width") << 75 * 90 << 61;
    QTest::newRow("start width") << 70 * 90 << 56;
    QTest::newRow("between two steps") << 40 * 90 + 89 << 26;
}

void tst_TextBoxLines::charsPerLine()
{
    QFETCH(int, twips);
    QFETCH(int, expected);

    QCOMPARE(charsPerLineForTwips(twips), expected);
    QCOMPARE(charsPerLineForCodeWidth(twips / 90), expected);
}

void tst_TextBoxLines::wraps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    // Five characters a line in every row.
    QTest::newRow("empty text has one empty line") << QString() << QStringList { QString() };
    QTest::newRow("final break gives an empty last line")
        << u"ab\r\n"_s << QStringList { u"ab"_s, QString() };
    QTest::newRow("empty paragraph")
        << u"a\r\n\r\nb"_s << QStringList { u"a"_s, QString(), u"b"_s };
    QTest::newRow("exactly a line") << u"abcde"_s << QStringList { u"abcde"_s };
    QTest::newRow("blanks hang at the cut")
        << u"abcde   fg"_s << QStringList { u"abcde   "_s, u"fg"_s };
    QTest::newRow("hanging blanks make no line of their own")
        << u"abcde   "_s << QStringList { u"abcde   "_s };
    QTest::newRow("break before the word at the cut")
        << u"ab cdefg"_s << QStringList { u"ab "_s, u"cdefg"_s };
    QTest::newRow("word that fits after the break")
        << u"a bc de fg"_s << QStringList { u"a bc "_s, u"de fg"_s };
    QTest::newRow("word longer than a line is cut")
        << u"abcdefghijk"_s << QStringList { u"abcde"_s, u"fghij"_s, u"k"_s };
    QTest::newRow("long word after a short one")
        << u"ab cdefghijkl"_s << QStringList { u"ab "_s, u"cdefg"_s, u"hijkl"_s };
    QTest::newRow("leading blanks")
        << u"   abcdefgh"_s << QStringList { u"   "_s, u"abcde"_s, u"fgh"_s };
    QTest::newRow("tab is no break opportunity")
        << u"ab\tcdefg"_s << QStringList { u"ab\tcd"_s, u"efg"_s };
    QTest::newRow("no-break space is no break opportunity")
        << u"ab\u00A0cdefg"_s << QStringList { u"ab\u00A0cd"_s, u"efg"_s };
    QTest::newRow("cut moves before a surrogate pair")
        << u"abcd\U0001F600xy"_s << QStringList { u"abcd"_s, u"\U0001F600xy"_s };
    QTest::newRow("pair that ends at the cut stays")
        << u"abc\U0001F600xy"_s << QStringList { u"abc\U0001F600"_s, u"xy"_s };
    QTest::newRow("paragraphs wrap on their own")
        << u"abcdefg\r\nhi jklmn"_s << QStringList { u"abcde"_s, u"fg"_s, u"hi "_s, u"jklmn"_s };
    QTest::newRow("a lone line feed is a character")
        << u"ab\ncdefg"_s << QStringList { u"ab\ncd"_s, u"efg"_s };
}

void tst_TextBoxLines::wraps()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    QCOMPARE(linesOf(TextBoxLines::wrapping(text, 5)), expected);
}

void tst_TextBoxLines::breaksOnlyAtHardBreaksWithoutWrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QString longLine = u"abc "_s.repeated(600);
    QTest::newRow("empty") << QString() << QStringList { QString() };
    QTest::newRow("long line is neither wrapped nor cut") << longLine << QStringList { longLine };
    QTest::newRow("hard breaks") << u"a\r\n\r\nb\r\n"_s
                                 << QStringList { u"a"_s, QString(), u"b"_s, QString() };
}

void tst_TextBoxLines::breaksOnlyAtHardBreaksWithoutWrap()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    QCOMPARE(linesOf(TextBoxLines::nonWrapping(text)), expected);
}

void tst_TextBoxLines::readsNoLineBeyondTheLast()
{
    const TextBoxLines box = TextBoxLines::nonWrapping(u"a\r\nb"_s);

    QCOMPARE(GetLineText(box, 0), QString());
    QCOMPARE(GetLineText(box, 3), QString());
}

void tst_TextBoxLines::wrappedLinesGiveTheTextBack()
{
    const quint32 seed = 4711;
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    const QString alphabet = u"ab  \t\u00E4\U0001F600"_s;
    for (int round = 0; round < 2000; ++round) {
        QString paragraph;
        const int length = random.bounded(200);
        for (int i = 0; i < length; ++i) {
            const int next = random.bounded(alphabet.size());
            // Never half a surrogate pair.
            paragraph
                += QChar(alphabet[next]).isSurrogate() ? u"\U0001F600"_s : QString(alphabet[next]);
        }
        const qsizetype perLine = 26 + random.bounded(36);
        const TextBoxLines box = TextBoxLines::wrapping(paragraph, perLine);

        QCOMPARE(linesOf(box).join(QString()), paragraph);
        for (qsizetype n = 1; n <= GetLineCount(box); ++n) {
            const QString line = GetLineText(box, n);
            QVERIFY(n == 1 || !line.isEmpty());
            QVERIFY(line.isEmpty() || !line.back().isHighSurrogate());
            // Beyond the width only hanging blanks.
            QVERIFY(line.sliced(qMin(perLine, line.size())).trimmed().isEmpty());
            QVERIFY(!line.sliced(qMin(perLine, line.size())).contains(u'\t'));
        }
    }
}

QTEST_GUILESS_MAIN(tst_TextBoxLines)
#include "tst_TextBoxLines.moc"
