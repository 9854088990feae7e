#include "platform/WindowSetup.h"

#include <QRect>
#include <QTest>

class tst_WindowSetup : public QObject
{
    Q_OBJECT

private slots:
    void positionBeside_data();
    void positionBeside();
};

void tst_WindowSetup::positionBeside_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QPoint>("position");

    // A window of 400 x 300 on a screen of 1280 x 1000 below a 24 px panel.
    QTest::newRow("room on the right") << QRect(100, 200, 600, 500) << QPoint(700, 200);
    QTest::newRow("room on the left only") << QRect(500, 200, 600, 500) << QPoint(100, 200);
    QTest::newRow("no room: roomier right, low") << QRect(200, 100, 700, 500) << QPoint(880, 724);
    QTest::newRow("no room: roomier left, low") << QRect(300, 100, 900, 500) << QPoint(0, 724);
    QTest::newRow("kept below the panel") << QRect(100, 0, 600, 500) << QPoint(700, 24);
}

void tst_WindowSetup::positionBeside()
{
    QFETCH(QRect, anchor);
    QFETCH(QPoint, position);

    QCOMPARE(::positionBeside(anchor, QSize(400, 300), QRect(0, 24, 1280, 1000)), position);
}

QTEST_MAIN(tst_WindowSetup)
#include "tst_WindowSetup.moc"
