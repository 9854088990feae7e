#include "widgets/WindowSetup.h"

#include <QLabel>
#include <QRect>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_WindowSetup : public QObject
{
    Q_OBJECT

private slots:
    void placementBeside_data();
    void placementBeside();
    void captionsGrowToTheirText_data();
    void captionsGrowToTheirText();
};

void tst_WindowSetup::placementBeside_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<int>("keptInView"); // of the anchor, from its top
    QTest::addColumn<QPoint>("window");
    QTest::addColumn<QPoint>("anchorMovedTo");

    // A window of 400 x 300 on a screen of 1280 x 1000 below a 24 px panel.
    QTest::newRow("room on the right")
        << QRect(100, 200, 600, 500) << 0 << QPoint(700, 200) << QPoint(100, 200);
    QTest::newRow("room on the left only")
        << QRect(500, 200, 600, 500) << 0 << QPoint(100, 200) << QPoint(500, 200);
    QTest::newRow("the pair moves left")
        << QRect(100, 100, 850, 500) << 0 << QPoint(880, 100) << QPoint(30, 100);
    QTest::newRow("the pair moves right")
        << QRect(300, 100, 700, 500) << 0 << QPoint(0, 100) << QPoint(400, 100);
    QTest::newRow("too wide for a pair: roomier right, low")
        << QRect(100, 100, 900, 500) << 0 << QPoint(880, 724) << QPoint(100, 100);
    QTest::newRow("too wide for a pair: roomier left, low")
        << QRect(300, 100, 900, 500) << 0 << QPoint(0, 724) << QPoint(300, 100);
    QTest::newRow("kept below the panel")
        << QRect(100, 0, 600, 500) << 0 << QPoint(700, 24) << QPoint(100, 0);
    QTest::newRow("kept above the screen's foot")
        << QRect(100, 900, 600, 500) << 0 << QPoint(700, 724) << QPoint(100, 900);
    QTest::newRow("too wide for a pair: the anchor's top kept above the window")
        << QRect(100, 600, 900, 400) << 250 << QPoint(880, 724) << QPoint(100, 474);
    QTest::newRow("too wide for a pair: the anchor's top in view already")
        << QRect(100, 300, 900, 400) << 250 << QPoint(880, 724) << QPoint(100, 300);
    QTest::newRow("too wide for a pair: the anchor up to the panel, no further")
        << QRect(100, 600, 900, 400) << 800 << QPoint(880, 724) << QPoint(100, 24);
    QTest::newRow("room on the right: nothing to keep")
        << QRect(100, 200, 600, 500) << 250 << QPoint(700, 200) << QPoint(100, 200);
}

void tst_WindowSetup::placementBeside()
{
    QFETCH(QRect, anchor);
    QFETCH(int, keptInView);
    QFETCH(QPoint, window);
    QFETCH(QPoint, anchorMovedTo);

    const PlacementBeside placement
        = ::placementBeside(anchor, QSize(400, 300), QRect(0, 24, 1280, 1000), keptInView);
    QCOMPARE(placement.window, window);
    QCOMPARE(placement.anchor, anchorMovedTo);
}

// A label of 20 px for a text some three times as wide, in a parent of 300 px.
void tst_WindowSetup::captionsGrowToTheirText_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::addColumn<bool>("neighbourOnTheRight");
    QTest::addColumn<bool>("keepsLeftEdge");
    QTest::addColumn<bool>("keepsRightEdge");

    const Qt::Alignment left = Qt::AlignLeft;
    const Qt::Alignment right = Qt::AlignRight;
    QTest::newRow("left-aligned grows right") << 100 << left << false << true << false;
    QTest::newRow("right-aligned grows left") << 100 << right << false << false << true;
    QTest::newRow("a neighbour on the right sends it left") << 100 << left << true << false << true;
    QTest::newRow("at the parent's edge it moves in") << 275 << left << false << false << false;
}

void tst_WindowSetup::captionsGrowToTheirText()
{
    QFETCH(int, left);
    QFETCH(Qt::Alignment, alignment);
    QFETCH(bool, neighbourOnTheRight);
    QFETCH(bool, keepsLeftEdge);
    QFETCH(bool, keepsRightEdge);

    QWidget form;
    form.resize(300, 100);
    auto *caption = new QLabel(u"Ignorieren"_s, &form);
    caption->setAlignment(alignment | Qt::AlignVCenter);
    caption->setGeometry(left, 10, 20, 15);
    auto *fitting = new QLabel(u"OK"_s, &form);
    fitting->setGeometry(
        neighbourOnTheRight ? QRect(left + 20, 10, 30, 15) : QRect(10, 40, 200, 15));
    const QRect fittingPlace = fitting->geometry();

    keepCaptionsWhole(form);

    const QRect place = caption->geometry();
    QVERIFY(place.width() >= caption->sizeHint().width());
    QVERIFY(place.left() >= 0 && place.right() < form.width());
    QCOMPARE(place.left() == left, keepsLeftEdge);
    QCOMPARE(place.right() == left + 19, keepsRightEdge);
    QCOMPARE(fitting->geometry(), fittingPlace);
}

QTEST_MAIN(tst_WindowSetup)
#include "tst_WindowSetup.moc"
