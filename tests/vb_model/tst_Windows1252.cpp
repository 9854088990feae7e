#include "vb_model/Windows1252.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Windows1252 : public QObject
{
    Q_OBJECT

private slots:
    // Every byte has one character and comes back from it: a file of the
    // older releases is read and, unchanged, written byte for byte again.
    void everyByteRoundTrips()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int byte = 0; byte < 256; ++byte)
            all[byte] = char(byte);
        const QString text = quillon::model::decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(quillon::model::encodeWindows1252(text), std::optional<QByteArray>(all));
    }

    void characters_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QChar>("character");
        QTest::newRow("ASCII") << 0x41 << QChar(u'A');
        QTest::newRow("euro sign, first of the table") << 0x80 << QChar(u'€');
        QTest::newRow("unassigned 0x81 keeps its C1 code") << 0x81 << QChar(u'\u0081');
        QTest::newRow("en dash") << 0x96 << QChar(u'–');
        QTest::newRow("Y with diaeresis, last of the table") << 0x9F << QChar(u'Ÿ');
        QTest::newRow("no-break space, Latin-1 from here") << 0xA0 << QChar(u'\u00A0');
        QTest::newRow("umlaut") << 0xE4 << QChar(u'ä');
        QTest::newRow("sharp s") << 0xDF << QChar(u'ß');
    }

    void characters()
    {
        QFETCH(int, byte);
        QFETCH(QChar, character);
        QCOMPARE(quillon::model::windows1252Char(static_cast<unsigned char>(byte)), character);
    }

    // Latin-1's C1 controls that the table replaces have no byte, nor has
    // anything beyond the code page; one such character refuses the whole text.
    void charactersOutsideTheCodePageAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("C1 control 0x80") << u"a\u0080"_s;
        QTest::newRow("Greek") << u"Größe Ω"_s;
        QTest::newRow("surrogate pair") << u"👍"_s;
    }

    void charactersOutsideTheCodePageAreRefused()
    {
        QFETCH(QString, text);
        QVERIFY(!quillon::model::encodeWindows1252(text));
    }
};

QTEST_GUILESS_MAIN(tst_Windows1252)
#include "tst_Windows1252.moc"
