#include "content/MailLink.h"
#include "about_window/frmAbout.h"
#include "tests/doubles/RecordingShell.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);

QColor foreColor(const QLabel &label)
{
    return label.palette().color(QPalette::WindowText);
}

// One tick of the timer, without waiting for it.
void tick(QTimer &timer)
{
    QTimerEvent event(timer.timerId());
    QCoreApplication::sendEvent(&timer, &event);
}

// The pointer's move as the label receives it. QTest::mouseMove with no
// button down moves the real cursor instead, and on Windows that move reaches
// the program only some time later.
void movePointerOnto(QWidget &widget, const QPoint &position)
{
    QMouseEvent move(QEvent::MouseMove, position, widget.mapToGlobal(position), Qt::NoButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

} // namespace

class tst_frmAbout : public QObject
{
    Q_OBJECT

private:
    RecordingShell shell;
    std::unique_ptr<frmAbout> window;
    QPoint pointer;

    QLabel &label(const QString &name) { return *window->findChild<QLabel *>(name); }
    QLabel &link() { return label(u"lblSendEMail"_s); }
    QTimer &timer() { return *window->findChild<QTimer *>(u"Timer1"_s); }

private slots:
    void init()
    {
        shell = RecordingShell();
        window = std::make_unique<frmAbout>(shell, nullptr);
        window->setPointerPositionSource([this] { return pointer; });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void showsTheProgramInformation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label1") << u"Label1"_s
                                << u"Kleines Tool zum komfortablen Erstellen einer MessageBox mit "
                                   u"Buttons, Icons und formatiertem Text."_s;
        QTest::newRow("Label3") << u"Label3"_s << kMakerName;
        QTest::newRow("lblSendEMail") << u"lblSendEMail"_s << kMakerFeedbackAddress;
        QTest::newRow("lblCloseAbout") << u"lblCloseAbout"_s << u" Schließen "_s;
    }

    void showsTheProgramInformation()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QCOMPARE(label(name).text(), caption);
    }

    void windowAsLoaded()
    {
        QCOMPARE(window->windowTitle(), u"MsgBox - Quillon  (Lumo)"_s);
        QCOMPARE(window->size(), QSize(417, 212));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(
            window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(32, 32)));

        QCOMPARE(timer().interval(), 50);
        QVERIFY(!timer().isActive());
        QCOMPARE(foreColor(link()), blue);
        QCOMPARE(foreColor(label(u"Label1"_s)), QColor(0, 0, 128));
        QVERIFY(link().font().underline());
        QVERIFY(label(u"Label1"_s).font().bold());
        QCOMPARE(link().cursor().shape(), Qt::BitmapCursor);
    }

    void linkClickHandsTheMailLinkToTheShell()
    {
        QTest::mouseClick(&link(), Qt::LeftButton);
        QCOMPARE(shell.openedMailLinks,
            QStringList { u"mailto:feedback@quillon.example?Subject=MsgBox - Quillon  (Lumo)"
                          u"&Body=Feedback zum Programm ''MsgBox - Quillon  (Lumo)''"_s });
        QVERIFY(window->isVisible());
    }

    void linkIsRedWhileThePointerIsOnIt()
    {
        QLabel &mailLink = link();
        const QPoint topLeft = mailLink.mapToGlobal(QPoint(0, 0));
        pointer = topLeft + QPoint(5, 5);
        movePointerOnto(mailLink, QPoint(5, 5));
        QCOMPARE(foreColor(mailLink), red);
        QVERIFY(timer().isActive());

        tick(timer());
        QCOMPARE(foreColor(mailLink), red);

        // The edges count as inside: the poll adds the full width to the left edge.
        pointer = topLeft + QPoint(mailLink.width(), mailLink.height());
        tick(timer());
        QCOMPARE(foreColor(mailLink), red);
        QVERIFY(timer().isActive());

        pointer += QPoint(1, 0);
        tick(timer());
        QCOMPARE(foreColor(mailLink), blue);
        QVERIFY(!timer().isActive());
    }

    void pointerFarOutsideTheWindowEndsTheHover()
    {
        pointer = QPoint(-1000, -1000);
        movePointerOnto(link(), QPoint(3, 3));
        QCOMPARE(foreColor(link()), red);
        tick(timer());
        QCOMPARE(foreColor(link()), blue);

        // And a new move starts it again.
        movePointerOnto(link(), QPoint(4, 4));
        QCOMPARE(foreColor(link()), red);
        QVERIFY(timer().isActive());
    }

    void closeLabelClosesTheWindow()
    {
        QSignalSpy finished(window.get(), &QDialog::finished);
        QTest::mouseClick(&label(u"lblCloseAbout"_s), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QCOMPARE(finished.size(), 1);
        QVERIFY(shell.openedMailLinks.isEmpty());
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
