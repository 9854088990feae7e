#include "content/MailLink.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_MailLink : public QObject
{
    Q_OBJECT

private slots:
    void builtAsTheShellExpectsIt_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("mailLink");
        QTest::newRow("window title, blanks and parentheses unencoded")
            << u"MsgBox - Quillon  (Lumo)"_s
            << u"mailto:feedback@quillon.example?Subject=MsgBox - Quillon  (Lumo)"
               u"&Body=Feedback zum Programm ''MsgBox - Quillon  (Lumo)''"_s;
        QTest::newRow("executable name as caption")
            << u"msgbox-quillon"_s
            << u"mailto:feedback@quillon.example?Subject=msgbox-quillon"
               u"&Body=Feedback zum Programm ''msgbox-quillon''"_s;
        QTest::newRow("empty caption")
            << QString()
            << u"mailto:feedback@quillon.example?Subject=&Body=Feedback zum Programm ''''"_s;
    }

    void builtAsTheShellExpectsIt()
    {
        QFETCH(QString, caption);
        QFETCH(QString, mailLink);
        QCOMPARE(feedbackMailLink(caption), mailLink);
    }
};

QTEST_GUILESS_MAIN(tst_MailLink)
#include "tst_MailLink.moc"
