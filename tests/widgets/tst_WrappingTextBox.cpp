#include "widgets/WrappingTextBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

class tst_WrappingTextBox : public QObject
{
    Q_OBJECT

private slots:
    void overlongWord_data();
    void overlongWord();
    void wrapFollowsEveryWayInto();
};

void tst_WrappingTextBox::overlongWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("overlong");

    const QString limit(1000, u'x');
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("words") << QStringLiteral("Ja Nein Abbrechen") << false;
    QTest::newRow("run at the limit") << QString(u"a " % limit % u" b") << false;
    QTest::newRow("run one past the limit") << QString(limit % u'x') << true;
    QTest::newRow("line breaks end a run") << QString(limit % u'\n' % limit) << false;
    QTest::newRow("tabs end a run") << QString(limit % u'\t' % limit) << false;
    QTest::newRow("long run late in the text")
        << QString(QStringLiteral("kurz ").repeated(300) % limit % u"yy") << true;
}

void tst_WrappingTextBox::overlongWord()
{
    QFETCH(QString, text);
    QFETCH(bool, overlong);
    QCOMPARE(holdsOverlongWord(text), overlong);
}

// Setting, pasting, typing and deleting each leave the wrap that suits the
// text: anywhere while an overlong run is there, at word boundaries after.
void tst_WrappingTextBox::wrapFollowsEveryWayInto()
{
    WrappingTextBox box;
    const QString run(1001, u'x');

    box.setPlainText(run);
    QCOMPARE(box.wordWrapMode(), QTextOption::WrapAnywhere);
    box.setPlainText(QStringLiteral("Ja Nein"));
    QCOMPARE(box.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);

    QGuiApplication::clipboard()->setText(run);
    box.moveCursor(QTextCursor::End);
    box.paste();
    QCOMPARE(box.toPlainText(), QString(u"Ja Nein" % run));
    QCOMPARE(box.wordWrapMode(), QTextOption::WrapAnywhere);

    box.setPlainText(QString(1000, u'x'));
    QCOMPARE(box.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    box.moveCursor(QTextCursor::End);
    QTest::keyClick(&box, Qt::Key_X);
    QCOMPARE(box.wordWrapMode(), QTextOption::WrapAnywhere);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QTEST_MAIN(tst_WrappingTextBox)
#include "tst_WrappingTextBox.moc"
