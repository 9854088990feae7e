#include "platform/TerminationSignals.h"

#include <QCloseEvent>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <csignal>

namespace {

class CountingWindow : public QWidget
{
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeEvents;
        QWidget::closeEvent(event);
    }
};

} // namespace

class tst_TerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    void signalClosesTheWindowTheNormalWay_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void signalClosesTheWindowTheNormalWay()
    {
        QFETCH(int, signalNumber);
        CountingWindow window;
        window.show();
        closeOnTerminationSignals(window);

        QCOMPARE(std::raise(signalNumber), 0);
        QTRY_COMPARE(window.closeEvents, 1);
        QVERIFY(!window.isVisible());
    }

    // A modal box that nobody answers must not keep the program running.
    void signalEndsAnOpenModalDialogToo()
    {
        CountingWindow window;
        window.show();
        closeOnTerminationSignals(window);
        QDialog dialog(&window);
        bool stillOpenAfterFiveSeconds = false;
        QTimer::singleShot(0, &dialog, [] { std::raise(SIGTERM); });
        QTimer::singleShot(5000, &dialog, [&] {
            stillOpenAfterFiveSeconds = true;
            dialog.reject();
        });

        dialog.exec();
        QVERIFY(!stillOpenAfterFiveSeconds);
        QCOMPARE(window.closeEvents, 1);
    }

    void signalsEndTheProcessAgainOnceTheWindowIsGone()
    {
        {
            CountingWindow window;
            closeOnTerminationSignals(window);
            struct sigaction installed = {};
            QCOMPARE(::sigaction(SIGTERM, nullptr, &installed), 0);
            QVERIFY(installed.sa_handler != SIG_DFL);
        }
        for (const int signalNumber : { SIGTERM, SIGINT }) {
            struct sigaction current = {};
            QCOMPARE(::sigaction(signalNumber, nullptr, &current), 0);
            QVERIFY(current.sa_handler == SIG_DFL);
        }
    }
};

QTEST_MAIN(tst_TerminationSignals)
#include "tst_TerminationSignals.moc"
