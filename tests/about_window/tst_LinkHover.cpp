#include "about_window/LinkHover.h"

#include <QPoint>
#include <QTest>

class tst_LinkHover : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.5001") << 2.5001 << 3;
    }

    void roundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(roundHalfToEven(value), rounded);
    }

    void boundsOnScreen_data()
    {
        QTest::addColumn<QPoint>("clientOrigin");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("bottom");
        // The mail link: 1200, 1320, 2895 x 255 twips.
        QTest::newRow("96 dpi") << QPoint(100, 50) << 15.0 << 180 << 138 << 373 << 155;
        QTest::newRow("120 dpi, quarters") << QPoint(0, 0) << 12.0 << 100 << 110 << 341 << 131;
        // 1200/16 = 75, 1320/16 = 82.5, 2895/16 = 180.9375, 255/16 = 15.9375
        QTest::newRow("half on top goes down to even")
            << QPoint(0, 0) << 16.0 << 75 << 82 << 256 << 98;
        QTest::newRow("half on top goes up to even")
            << QPoint(0, 1) << 16.0 << 75 << 84 << 256 << 100;
        QTest::newRow("negative screen coordinates")
            << QPoint(-500, -300) << 15.0 << -420 << -212 << -227 << -195;
    }

    void boundsOnScreen()
    {
        QFETCH(QPoint, clientOrigin);
        QFETCH(double, twipsPerPixel);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, right);
        QFETCH(int, bottom);
        const ScreenBounds bounds
            = linkBoundsOnScreen(clientOrigin, twipsPerPixel, TwipsRect { 1200, 1320, 2895, 255 });
        QCOMPARE(bounds.left, left);
        QCOMPARE(bounds.top, top);
        QCOMPARE(bounds.right, right);
        QCOMPARE(bounds.bottom, bottom);
    }

    void edgesAreInside_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<bool>("inside");
        QTest::newRow("top left corner") << QPoint(10, 20) << true;
        QTest::newRow("bottom right corner") << QPoint(50, 40) << true;
        QTest::newRow("middle") << QPoint(30, 30) << true;
        QTest::newRow("one left") << QPoint(9, 30) << false;
        QTest::newRow("one above") << QPoint(30, 19) << false;
        QTest::newRow("one right") << QPoint(51, 30) << false;
        QTest::newRow("one below") << QPoint(30, 41) << false;
    }

    void edgesAreInside()
    {
        QFETCH(QPoint, pointer);
        QFETCH(bool, inside);
        QCOMPARE(isInside(ScreenBounds { 10, 20, 50, 40 }, pointer), inside);
    }
};

QTEST_GUILESS_MAIN(tst_LinkHover)
#include "tst_LinkHover.moc"
