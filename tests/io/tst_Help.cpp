#include "io/HelpDocument.h"
#include "content/HelpText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Help : public QObject
{
    Q_OBJECT

private slots:
    void documentLiesInTheProgramFolder_data();
    void documentLiesInTheProgramFolder();
    void onlyANormalFileCounts();
};

void tst_Help::documentLiesInTheProgramFolder_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("documentPath");

    const QString name = u"Hilfe zum MsgBox - Quillon (Lumo).htm"_s;
    QTest::newRow("folder") << u"/opt/quillon"_s << u"/opt/quillon/"_s + name;
    QTest::newRow("folder with separator") << u"/opt/quillon/"_s << u"/opt/quillon/"_s + name;
    QTest::newRow("root") << u"/"_s << u"/"_s + name;
    QTest::newRow("drive root") << u"C:/"_s << u"C:/"_s + name;
}

void tst_Help::documentLiesInTheProgramFolder()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, documentPath);

    QCOMPARE(helpDocumentPath(programFolder), documentPath);
}

void tst_Help::onlyANormalFileCounts()
{
    QTemporaryDir programFolder;
    const QString document = helpDocumentPath(programFolder.path());
    QVERIFY(!isHelpDocumentPresent(document));

    QVERIFY(QDir(programFolder.path()).mkdir(QFileInfo(document).fileName()));
    QVERIFY(!isHelpDocumentPresent(document));

    QVERIFY(QDir(programFolder.path()).rmdir(QFileInfo(document).fileName()));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(isHelpDocumentPresent(document));
}

QTEST_GUILESS_MAIN(tst_Help)
#include "tst_Help.moc"
