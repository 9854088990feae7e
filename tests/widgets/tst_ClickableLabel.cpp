#include "widgets/ClickableLabel.h"

#include <QBitmap>
#include <QSignalSpy>
#include <QTest>

class tst_ClickableLabel : public QObject
{
    Q_OBJECT

private slots:
    void releaseDecidesTheClick_data();
    void releaseDecidesTheClick();
    void showsTheHandWithItsHotSpot();
    void namedByItsToolTip();
};

void tst_ClickableLabel::releaseDecidesTheClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");

    QTest::newRow("left, inside") << Qt::LeftButton << QPoint(10, 5) << 1;
    QTest::newRow("left, dragged off") << Qt::LeftButton << QPoint(60, 5) << 0;
    QTest::newRow("right, inside") << Qt::RightButton << QPoint(10, 5) << 0;
}

void tst_ClickableLabel::releaseDecidesTheClick()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);

    QWidget window;
    ClickableLabel label(&window);
    label.setGeometry(0, 0, 40, 17);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(&label, &ClickableLabel::clicked);

    QTest::mousePress(&label, button, {}, QPoint(10, 5));
    QTest::mouseRelease(&label, button, {}, releaseAt);

    QCOMPARE(clicked.count(), clicks);
}

void tst_ClickableLabel::showsTheHandWithItsHotSpot()
{
    const ClickableLabel label;
    const QCursor cursor = label.cursor();

    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    QCOMPARE(cursor.hotSpot(), QPoint(8, 3));
}

// A screen reader names a picture that acts as a button by its tool tip,
// also where the tool tip changes; a name given by hand stays.
void tst_ClickableLabel::namedByItsToolTip()
{
    ClickableLabel picture;
    picture.setToolTip(QStringLiteral("Hilfe"));
    QCOMPARE(picture.accessibleName(), QStringLiteral("Hilfe"));
    picture.setToolTip(QStringLiteral("Icons and Buttons"));
    QCOMPARE(picture.accessibleName(), QStringLiteral("Icons and Buttons"));

    ClickableLabel named;
    named.setAccessibleName(QStringLiteral("Über"));
    named.setToolTip(QStringLiteral("About"));
    QCOMPARE(named.accessibleName(), QStringLiteral("Über"));
}

QTEST_MAIN(tst_ClickableLabel)
#include "tst_ClickableLabel.moc"
