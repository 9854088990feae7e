#include "platform/DesktopShellService.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

class tst_MailLinkUrl : public QObject
{
    Q_OBJECT

private slots:
    void encodesOnlyWhatAUrlCannotCarry_data()
    {
        QTest::addColumn<QString>("mailLink");
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::newRow("blanks, parentheses, apostrophes")
            << u"mailto:feedback@quillon.example?Subject=MsgBox - Quillon  (Lumo)"
               u"&Body=Feedback zum Programm ''MsgBox - Quillon  (Lumo)''"_s
            << "mailto:feedback@quillon.example?Subject=MsgBox%20-%20Quillon%20%20(Lumo)"
               "&Body=Feedback%20zum%20Programm%20''MsgBox%20-%20Quillon%20%20(Lumo)''"_ba
            << u"MsgBox - Quillon  (Lumo)"_s
            << u"Feedback zum Programm ''MsgBox - Quillon  (Lumo)''"_s;
        QTest::newRow("umlauts as UTF-8")
            << u"mailto:a@quillon.example?Subject=Grüße&Body=Ä"_s
            << "mailto:a@quillon.example?Subject=Gr%C3%BC%C3%9Fe&Body=%C3%84"_ba << u"Grüße"_s
            << u"Ä"_s;
        QTest::newRow("percent, hash, brackets")
            << u"mailto:a@quillon.example?Subject=100% [#1]&Body=x"_s
            << "mailto:a@quillon.example?Subject=100%25%20%5B%231%5D&Body=x"_ba << u"100% [#1]"_s
            << u"x"_s;
    }

    void encodesOnlyWhatAUrlCannotCarry()
    {
        QFETCH(QString, mailLink);
        QFETCH(QByteArray, encoded);
        QFETCH(QString, subject);
        QFETCH(QString, body);
        const QUrl url = mailLinkUrl(mailLink);
        QVERIFY(url.isValid());
        QCOMPARE(url.toEncoded(), encoded);

        // What the mail program reads back out of the link.
        QCOMPARE(url.scheme(), u"mailto"_s);
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(u"Subject"_s, QUrl::FullyDecoded), subject);
        QCOMPARE(query.queryItemValue(u"Body"_s, QUrl::FullyDecoded), body);
    }
};

QTEST_GUILESS_MAIN(tst_MailLinkUrl)
#include "tst_MailLinkUrl.moc"
