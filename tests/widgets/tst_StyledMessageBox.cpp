#include "widgets/StyledMessageBox.h"

#include "content/HelpText.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace {

// The box's buttons as the user sees them, left to right.
QList<QPushButton *> buttonsLeftToRight(const StyledMessageBox &box)
{
    QList<QPushButton *> buttons = box.buttons();
    std::sort(buttons.begin(), buttons.end(), [](const QPushButton *a, const QPushButton *b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    return buttons;
}

QStringList captionsOf(const QList<QPushButton *> &buttons)
{
    QStringList captions;
    for (const QPushButton *button : buttons)
        captions.append(button->text());
    return captions;
}

QTextEdit *promptOf(const StyledMessageBox &box)
{
    return box.findChild<QTextEdit *>(QStringLiteral("prompt"));
}

int shownLineCount(const QTextDocument &text)
{
    int lines = 0;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

} // namespace

class tst_StyledMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void buttonSets_data();
    void buttonSets();
    void icons_data();
    void icons();
    void defaultButton_data();
    void defaultButton();
    void frameAndModality();
    void rightAlignedText();
    void promptLineBreaksAndPlainText();
    void titleFallsBackToApplicationTitle();
    void shortPromptLeavesRoomForTheTitle();
    void wholePromptWithinScreen_data();
    void wholePromptWithinScreen();
    void helpTextKeepsItsElevenLines();
    void escapeAndCloseAnswer_data();
    void escapeAndCloseAnswer();
    void accessKeysAnswer_data();
    void accessKeysAnswer();
    void fitsAfterRoundingToDevicePixels_data();
    void fitsAfterRoundingToDevicePixels();
    void copiesItselfOnCtrlC();
};

void tst_StyledMessageBox::buttonSets_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("OK") << 0 << QStringList { QStringLiteral("OK") } << QList<int> { 1 };
    QTest::newRow("OK, Cancel") << 1
                                << QStringList { QStringLiteral("OK"), QStringLiteral("Abbrechen") }
                                << QList<int> { 1, 2 };
    QTest::newRow("Abort, Retry, Ignore")
        << 2
        << QStringList { QStringLiteral("&Abbrechen"), QStringLiteral("&Wiederholen"),
               QStringLiteral("&Ignorieren") }
        << QList<int> { 3, 4, 5 };
    QTest::newRow("Yes, No, Cancel") << 3
                                     << QStringList { QStringLiteral("&Ja"),
                                            QStringLiteral("&Nein"), QStringLiteral("Abbrechen") }
                                     << QList<int> { 6, 7, 2 };
    QTest::newRow("Yes, No") << 4 << QStringList { QStringLiteral("&Ja"), QStringLiteral("&Nein") }
                             << QList<int> { 6, 7 };
    QTest::newRow("Retry, Cancel")
        << 5 << QStringList { QStringLiteral("&Wiederholen"), QStringLiteral("Abbrechen") }
        << QList<int> { 4, 2 };
    QTest::newRow("the other bits leave the set alone")
        << (64 + 3 + 512 + 4096 + 524288)
        << QStringList { QStringLiteral("&Ja"), QStringLiteral("&Nein"),
               QStringLiteral("Abbrechen") }
        << QList<int> { 6, 7, 2 };
}

// Each button, clicked, closes the box and answers with its own number.
void tst_StyledMessageBox::buttonSets()
{
    QFETCH(int, style);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, numbers);

    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const auto box
            = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), style, QString());
        box->open();
        const QList<QPushButton *> buttons = buttonsLeftToRight(*box);
        QCOMPARE(captionsOf(buttons), captions);
        for (qsizetype b = 1; b < buttons.size(); ++b)
            QVERIFY(buttons.at(b - 1)->geometry().right() < buttons.at(b)->geometry().left());

        QTest::mouseClick(buttons.at(i), Qt::LeftButton);
        QVERIFY(!box->isVisible());
        QCOMPARE(box->answer(), numbers.at(i));
    }
}

void tst_StyledMessageBox::icons_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<std::optional<QStyle::StandardPixmap>>("icon");

    QTest::newRow("none") << 0 << std::optional<QStyle::StandardPixmap>();
    QTest::newRow("critical") << 16 << std::optional(QStyle::SP_MessageBoxCritical);
    QTest::newRow("question") << 32 << std::optional(QStyle::SP_MessageBoxQuestion);
    QTest::newRow("exclamation") << 48 << std::optional(QStyle::SP_MessageBoxWarning);
    QTest::newRow("information among other bits")
        << (64 + 5 + 256 + 4096 + 524288) << std::optional(QStyle::SP_MessageBoxInformation);
}

void tst_StyledMessageBox::icons()
{
    QFETCH(int, style);
    QFETCH(std::optional<QStyle::StandardPixmap>, icon);

    const auto box = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), style, QString());
    QCOMPARE(box->iconShown(), icon);
    const auto *picture = box->findChild<QLabel *>(QStringLiteral("icon"));
    QCOMPARE(picture && !picture->pixmap().isNull(), icon.has_value());
}

void tst_StyledMessageBox::defaultButton_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("caption");

    QTest::newRow("yes/no/cancel, first") << 3 << QStringLiteral("&Ja");
    QTest::newRow("yes/no/cancel, second") << (3 + 256) << QStringLiteral("&Nein");
    QTest::newRow("yes/no/cancel, third") << (3 + 512) << QStringLiteral("Abbrechen");
    QTest::newRow("abort/retry/ignore, third") << (2 + 512) << QStringLiteral("&Ignorieren");
    QTest::newRow("yes/no, third falls back to the first") << (4 + 512) << QStringLiteral("&Ja");
    QTest::newRow("OK, second falls back to OK") << 256 << QStringLiteral("OK");
}

void tst_StyledMessageBox::defaultButton()
{
    QFETCH(int, style);
    QFETCH(QString, caption);

    const auto box = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), style, QString());
    QVERIFY(box->defaultButton());
    QCOMPARE(box->defaultButton()->text(), caption);

    // Enter presses the default button.
    box->open();
    QTest::keyClick(box.get(), Qt::Key_Return);
    QVERIFY(!box->isVisible());
    QCOMPARE(box->clickedButton()->text(), caption);
}

// Like the box of the user's program: a close button, no minimize or
// maximize button; modal, and on top of every window where system-modal.
void tst_StyledMessageBox::frameAndModality()
{
    const auto plain
        = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), 4 + 32, QString());
    QVERIFY(!plain->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(plain->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(
        !(plain->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(plain->windowModality(), Qt::ApplicationModal);

    const auto systemModal
        = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), 4096 + 4 + 32, QString());
    QVERIFY(systemModal->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(systemModal->windowModality(), Qt::ApplicationModal);
}

void tst_StyledMessageBox::rightAlignedText()
{
    const auto left = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), 0, QString());
    QVERIFY(promptOf(*left));
    QVERIFY(!(promptOf(*left)->document()->defaultTextOption().alignment() & Qt::AlignRight));

    const auto right
        = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), 524288 + 64, QString());
    QVERIFY(promptOf(*right));
    QVERIFY(promptOf(*right)->document()->defaultTextOption().alignment() & Qt::AlignRight);
}

void tst_StyledMessageBox::promptLineBreaksAndPlainText()
{
    const auto box = std::make_unique<StyledMessageBox>(
        QStringLiteral("Zeile <b>1</b>\r\nZeile 2\r\n"), 0, QString());
    QCOMPARE(box->text(), QStringLiteral("Zeile <b>1</b>\nZeile 2\n"));
    QCOMPARE(promptOf(*box)->toPlainText(), box->text());
}

void tst_StyledMessageBox::titleFallsBackToApplicationTitle()
{
    QCOMPARE(
        std::make_unique<StyledMessageBox>(QStringLiteral("Text"), 0, QString())->windowTitle(),
        QStringLiteral("MsgBox - Quillon"));
    const QString blanks = QStringLiteral("  ");
    QCOMPARE(std::make_unique<StyledMessageBox>(QStringLiteral("Text"), 0, blanks)->windowTitle(),
        blanks);
}

void tst_StyledMessageBox::shortPromptLeavesRoomForTheTitle()
{
    // Beside the title the title bar holds an icon and three buttons.
    const QString title = QStringLiteral("Ein recht langer Titel für eine kurze Meldung");
    const auto box = std::make_unique<StyledMessageBox>(QStringLiteral("OK?"), 48, title);
    box->open();
    QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(title) + 100);
}

void tst_StyledMessageBox::wholePromptWithinScreen_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("scrolls");

    QStringList shortLines;
    for (int i = 1; i <= 150; ++i)
        shortLines.append(QStringLiteral("Zeile %1").arg(i));
    QTest::newRow("a path of 300 characters") << QString(300, QLatin1Char('X')) << false;
    QTest::newRow("150 short lines") << shortLines.join(QStringLiteral("\r\n")) << true;
}

// Nothing is cut off: every character is on a line within the box's width,
// and the lines beyond its height are a scroll away.
void tst_StyledMessageBox::wholePromptWithinScreen()
{
    QFETCH(QString, prompt);
    QFETCH(bool, scrolls);

    const auto box = std::make_unique<StyledMessageBox>(prompt, 0, QString());
    box->open();
    QVERIFY(box->screen()->availableGeometry().contains(box->geometry()));
    const QTextEdit *text = promptOf(*box);
    QVERIFY(text && text->isVisible());
    QVERIFY(text->document()->idealWidth() <= text->viewport()->width());
    QCOMPARE(text->verticalScrollBar()->maximum() > 0, scrolls);
    QVERIFY(box->buttons().first()->isVisible());
}

void tst_StyledMessageBox::helpTextKeepsItsElevenLines()
{
    const auto box = std::make_unique<StyledMessageBox>(fallbackHelpText(), 0, fallbackHelpTitle());
    box->open();
    QCOMPARE(shownLineCount(*promptOf(*box)->document()), 11);
}

void tst_StyledMessageBox::escapeAndCloseAnswer_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("answer");

    QTest::newRow("OK") << 0 << 1;
    QTest::newRow("OK, Cancel") << 1 << 2;
    QTest::newRow("Abort, Retry, Ignore: only a button answers") << 2 << 0;
    QTest::newRow("Yes, No, Cancel") << 3 << 2;
    QTest::newRow("Yes, No: only a button answers") << 4 << 0;
    QTest::newRow("Retry, Cancel") << 5 << 2;
}

void tst_StyledMessageBox::escapeAndCloseAnswer()
{
    QFETCH(int, style);
    QFETCH(int, answer);
    const bool closable = answer != 0;

    const auto escaped
        = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), style, QString());
    escaped->open();
    QTest::keyClick(escaped.get(), Qt::Key_Escape);
    QCOMPARE(escaped->isVisible(), !closable);

    const auto closed
        = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), style, QString());
    closed->open();
    QCOMPARE(closed->close(), closable);
    if (closable) {
        QCOMPARE(escaped->answer(), answer);
        QCOMPARE(closed->answer(), answer);
    }
}

// As Windows' German box: J and N answer "Ja" and "Nein", alone or with
// Alt, and so does the underlined letter of every button but OK and Cancel.
void tst_StyledMessageBox::accessKeysAnswer_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("answer"); // 0: the box stays open

    QTest::newRow("J") << 4 << Qt::Key_J << Qt::KeyboardModifiers() << 6;
    QTest::newRow("N") << 4 << Qt::Key_N << Qt::KeyboardModifiers() << 7;
    QTest::newRow("Alt+N") << 3 << Qt::Key_N << Qt::KeyboardModifiers(Qt::AltModifier) << 7;
    QTest::newRow("Shift+J") << 3 << Qt::Key_J << Qt::KeyboardModifiers(Qt::ShiftModifier) << 6;
    QTest::newRow("Ctrl+J is no answer")
        << 4 << Qt::Key_J << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("A, abort") << 2 << Qt::Key_A << Qt::KeyboardModifiers() << 3;
    QTest::newRow("W, retry") << 2 << Qt::Key_W << Qt::KeyboardModifiers() << 4;
    QTest::newRow("I, ignore") << 2 << Qt::Key_I << Qt::KeyboardModifiers() << 5;
    QTest::newRow("W, retry of two") << 5 << Qt::Key_W << Qt::KeyboardModifiers() << 4;
    QTest::newRow("A, but Cancel has no letter") << 3 << Qt::Key_A << Qt::KeyboardModifiers() << 0;
    QTest::newRow("O, but OK has no letter") << 1 << Qt::Key_O << Qt::KeyboardModifiers() << 0;
}

void tst_StyledMessageBox::accessKeysAnswer()
{
    QFETCH(int, style);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, answer);

    const auto box = std::make_unique<StyledMessageBox>(QStringLiteral("Text"), style, QString());
    box->show();
    QVERIFY(QTest::qWaitForWindowActive(box.get()));
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);

    // Alt and a letter is Qt's own shortcut, which presses the button a
    // moment later, as a click shows.
    if (answer == 0) {
        QTest::qWait(300);
        QVERIFY(box->isVisible());
        return;
    }
    QTRY_VERIFY(!box->isVisible());
    QCOMPARE(box->answer(), answer);
}

void tst_StyledMessageBox::fitsAfterRoundingToDevicePixels_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("style");

    QTest::newRow("two short lines") << QStringLiteral("Zeile eins\r\nZeile zwei") << 0;
    QTest::newRow("two short lines, icon") << QStringLiteral("Zeile eins\r\nZeile zwei") << 64;
    QTest::newRow("one line") << QStringLiteral("Fertig.") << 1;
    QTest::newRow("help text") << fallbackHelpText() << 0;
}

// A scaled screen rounds the box to whole device pixels, and under X the
// box has come out a pixel lower than it asked for: the prompt must still
// show whole, without a scroll bar.
void tst_StyledMessageBox::fitsAfterRoundingToDevicePixels()
{
    QFETCH(QString, prompt);
    QFETCH(int, style);

    const auto box = std::make_unique<StyledMessageBox>(prompt, style, QString());
    box->open();
    const int lines = shownLineCount(*promptOf(*box)->document());
    const int roundedHeight = box->height() - 1;
    box->setFixedHeight(roundedHeight);
    QTRY_COMPARE(box->height(), roundedHeight);
    const QTextEdit *text = promptOf(*box);
    QCOMPARE(text->verticalScrollBar()->maximum(), 0);
    QVERIFY(text->document()->size().height() <= text->viewport()->height());
    QCOMPARE(shownLineCount(*text->document()), lines);
}

void tst_StyledMessageBox::copiesItselfOnCtrlC()
{
    const auto box = std::make_unique<StyledMessageBox>(
        QStringLiteral("Datei speichern?\r\nÄnderungen gehen sonst verloren."), 3 + 48,
        QStringLiteral("Frage"));
    box->open();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(box.get(), Qt::Key_C, Qt::ControlModifier);
    const QString rule = QStringLiteral("---------------------------\r\n");
    QCOMPARE(QGuiApplication::clipboard()->text(),
        rule + u"Frage\r\n" + rule + u"Datei speichern?\r\nÄnderungen gehen sonst verloren.\r\n"
            + rule + u"Ja   Nein   Abbrechen   \r\n" + rule);
    QVERIFY(box->isVisible());
}

QTEST_MAIN(tst_StyledMessageBox)
#include "tst_StyledMessageBox.moc"
