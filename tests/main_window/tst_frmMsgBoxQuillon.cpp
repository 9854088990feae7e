#include "main_window/frmMsgBoxQuillon.h"

#include "about_window/frmAbout.h"
#include "code_writer/Formatter.h"
#include "options_window/frmIconsAndButtons.h"
#include "tests/doubles/RecordingShell.h"
#include "tests/doubles/ScriptedMessageBox.h"

#include "platform/QtTranslation.h"
#include "widgets/ClickableLabel.h"
#include "widgets/WrappingTextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kHelpDocument = u"Hilfe zum MsgBox - Quillon (Lumo).htm"_s;

// The window's controls, found by the names the user's code would use.
struct Controls
{
    explicit Controls(const QWidget &window)
        : window(window)
    { }

    template<typename T> T *named(const char16_t *name) const
    {
        T *control = window.findChild<T *>(QString::fromUtf16(name));
        if (!control)
            qFatal("no control %s", qPrintable(QString::fromUtf16(name)));
        return control;
    }

    const QWidget &window;
    QLineEdit *txtTitel = named<QLineEdit>(u"txtTitel");
    WrappingTextBox *txtOriginal = named<WrappingTextBox>(u"txtOriginal");
    WrappingTextBox *txtDummy = named<WrappingTextBox>(u"txtDummy");
    QPlainTextEdit *txtFormatiert = named<QPlainTextEdit>(u"txtFormatiert");
    QPushButton *cmdClearText = named<QPushButton>(u"cmdClearText");
    QPushButton *cmdLöschen = named<QPushButton>(u"cmdLöschen");
    QPushButton *cmdFormatieren = named<QPushButton>(u"cmdFormatieren");
    QPushButton *cmdTesten = named<QPushButton>(u"cmdTesten");
    QScrollBar *HScroll1 = named<QScrollBar>(u"HScroll1");
    QLabel *lblRückwert = named<QLabel>(u"lblRückwert");
    QLabel *lblRückwBeschriftung = named<QLabel>(u"lblRückwBeschriftung");
    QLabel *lblFlags = named<QLabel>(u"lblFlags");
    QLabel *lblZeichenAnzahl = named<QLabel>(u"lblZeichenAnzahl");
    QLabel *Label3 = named<QLabel>(u"Label3");
    ClickableLabel *imgHelp = named<ClickableLabel>(u"imgHelp");
    ClickableLabel *Image1 = named<ClickableLabel>(u"Image1");
    ClickableLabel *Label7 = named<ClickableLabel>(u"Label7");
    QTimer *tmrRückwert = named<QTimer>(u"tmrRückwert");
};

// The options window has no owner; it is the program's one window of its kind.
frmIconsAndButtons *optionsWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *options = qobject_cast<frmIconsAndButtons *>(window))
            return options;
    }
    qFatal("no options window");
}

// The code form is kept in the user's settings. The tests keep theirs in a
// file of their own, which every window of the run reads anew, as a restart
// of the program would.
QString settingsFile()
{
    static const QTemporaryDir folder;
    return folder.filePath(u"settings.ini"_s);
}

struct Fixture
{
    explicit Fixture(const QString &programFolder = {}, const QString &dataFolder = {})
        : window(std::make_unique<frmMsgBoxQuillon>(Services { messageBox, shell, settings,
            programFolder.isEmpty() ? dir.path() : programFolder,
            dataFolder.isEmpty() ? dir.filePath(u"data"_s) : dataFolder }))
        , controls(*window)
    { }

    QTemporaryDir dir;
    ScriptedMessageBox messageBox;
    RecordingShell shell;
    QSettings settings { settingsFile(), QSettings::IniFormat };
    std::unique_ptr<frmMsgBoxQuillon> window;
    Controls controls;
};

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void placeCaret(QPlainTextEdit &box, int position)
{
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(position);
    box.setTextCursor(cursor);
}

void sendFocus(QWidget &widget, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent event(type, reason);
    QApplication::sendEvent(&widget, &event);
}

QString workedExampleCode()
{
    return u"    MsgBox _\n"
           u"        \"Ja\" & vbNewline & \"Nein\" _\n"
           u"        , vbQuestion, \"Frage\"\n"_s;
}

} // namespace

class tst_frmMsgBoxQuillon : public QObject
{
    Q_OBJECT

private:
    static Controls &ui(Fixture &f) { return f.controls; }
    static void setUpWorkedExample(Fixture &f);

private slots:
    void startsWithDesignTextsAndEmptyCount();
    void countFollowsTheMessage_data();
    void countFollowsTheMessage();
    void caretComesBackAfterLeaving();
    void contextMenuKeepsTheSelection();
    void doubleClickSelectsWholeText_data();
    void doubleClickSelectsWholeText();
    void tabOrder();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void contextMenusSpeakGerman();
    void codeWidthShowsInToolTipAndFocus();
    void borderedCaptionsKeepAGap_data();
    void borderedCaptionsKeepAGap();
    void scrollBarSetsCodeWidth_data();
    void scrollBarSetsCodeWidth();
    void formatsIntoCodeBox();
    void refusalIsShownOnceAndKeepsTail();
    void testShowsRebuiltPromptAndReturnValue();
    void resetRestoresPlaceholdersAndHidesDisplay();
    void emptyMessageEmptiesBoxes_data();
    void emptyMessageEmptiesBoxes();
    void caretReturnsAfterFormattingAndTest_data();
    void caretReturnsAfterFormattingAndTest();
    void helpOpensDocumentBesideProgram();
    void helpFallsBackToOwnText_data();
    void helpFallsBackToOwnText();
    void optionsWindowOpensAndEndsWithMain();
    void optionsWindowOpensBesideMain();
    void optionsWindowLeavesTheMainControlsInView();
    void lastMessageSurvivesRestart_data();
    void lastMessageSurvivesRestart();
    void failedSaveStillEnds();

    void takesOverVbCode_data();
    void takesOverVbCode();
    void marksStayWholeAndAreWrittenBack();
    void undoBringsMarksBackWhole();
    void fixedValuesOnlyWhenAsked();
    void codeFormIsKeptAndWritten();
    void ifFormOnlyForTwoButtons();
    void dialectIsKeptNamedAndWritten();
    void countTurnsRedWhereTheDialectCutsTheText_data();
    void countTurnsRedWhereTheDialectCutsTheText();
    void takeOverSwitchesToTheDialectOfTheCode_data();
    void takeOverSwitchesToTheDialectOfTheCode();
    void codeBoxFollowsFormAndDialect_data();
    void codeBoxFollowsFormAndDialect();
    void takeOverKeepsTheUsersCode_data();
    void takeOverKeepsTheUsersCode();
    void undoBringsBackWhatTheToolWroteOver_data();
    void undoBringsBackWhatTheToolWroteOver();
};

void tst_frmMsgBoxQuillon::setUpWorkedExample(Fixture &f)
{
    ui(f).txtOriginal->setPlainText(u"Ja\nNein"_s);
    ui(f).txtTitel->setText(u"Frage"_s);
    optionsWindow()->setChoices({ 1, 0, 1, false, false });
    ui(f).HScroll1->setValue(70);
}

void tst_frmMsgBoxQuillon::startsWithDesignTextsAndEmptyCount()
{
    Fixture f;

    QCOMPARE(f.window->windowTitle(), u"MsgBox - Quillon  (Lumo)"_s);
    QCOMPARE(ui(f).txtTitel->text(), u"Titelleiste"_s);
    QCOMPARE(ui(f).txtOriginal->toPlainText(), u"Original - Text\n"_s);
    QCOMPARE(ui(f).lblZeichenAnzahl->text(), QString());
    QCOMPARE(ui(f).HScroll1->value(), 70);
    QCOMPARE(ui(f).Label3->text(), u"70"_s);
    QCOMPARE(ui(f).lblFlags->text(), QString());
    QVERIFY(!optionsWindow()->isVisible());
    QCOMPARE(f.window->size(), QSize(575, 475));
    QVERIFY(!(f.window->windowFlags() & Qt::WindowMaximizeButtonHint));

    QVERIFY(showActive(*f.window));
    QVERIFY(!ui(f).txtDummy->isVisible());
    QVERIFY(ui(f).txtDummy->geometry().top() >= f.window->height() - 5);
    QVERIFY(!ui(f).cmdLöschen->isVisible());
    QVERIFY(!ui(f).lblFlags->isVisible());
    QVERIFY(!ui(f).Label3->isVisible());
    QVERIFY(!ui(f).lblRückwert->isVisible());
    QVERIFY(!ui(f).lblRückwBeschriftung->isVisible());
    QVERIFY(ui(f).HScroll1->isVisible());
    QCOMPARE(QApplication::focusWidget(), ui(f).txtOriginal);
    QCOMPARE(ui(f).txtOriginal->textCursor().position(), 0);
}

void tst_frmMsgBoxQuillon::countFollowsTheMessage_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("count");

    // The design text is "Original - Text" and a line break: 17 characters.
    QTest::newRow("typing") << u"type"_s << u"20"_s;
    QTest::newRow("pasting two lines") << u"paste"_s << u"28"_s;
    QTest::newRow("deleting") << u"backspace"_s << u"15"_s;
    QTest::newRow("set by the program") << u"set"_s << u"16"_s;
    QTest::newRow("beyond 16 bits") << u"long"_s << u"40000"_s;
}

void tst_frmMsgBoxQuillon::countFollowsTheMessage()
{
    QFETCH(QString, action);
    QFETCH(QString, count);
    Fixture f;
    QVERIFY(showActive(*f.window));
    QPlainTextEdit &box = *ui(f).txtOriginal;

    if (action == u"type") {
        QTest::keyClicks(&box, u"abc"_s);
    } else if (action == u"paste") {
        QApplication::clipboard()->setText(u"Zeile\nZwei"_s);
        QTest::keySequence(&box, QKeySequence::Paste);
    } else if (action == u"backspace") {
        placeCaret(box, box.toPlainText().size());
        QTest::keyClick(&box, Qt::Key_Backspace);
    } else if (action == u"set") {
        box.setPlainText(u"Zeile 1\nZeile 2"_s);
    } else {
        box.setPlainText(QString(40'000, u'x'));
    }

    QCOMPARE(ui(f).lblZeichenAnzahl->text(), count);
}

void tst_frmMsgBoxQuillon::caretComesBackAfterLeaving()
{
    Fixture f;
    QVERIFY(showActive(*f.window));
    QPlainTextEdit &box = *ui(f).txtOriginal;
    box.setPlainText(u"Eine Nachricht an alle"_s);
    placeCaret(box, 10);

    QTest::keyClick(&box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui(f).cmdTesten);
    box.selectAll();
    QTest::keyClick(ui(f).cmdTesten, Qt::Key_Backtab);

    QCOMPARE(QApplication::focusWidget(), &box);
    QCOMPARE(box.textCursor().position(), 10);
    QVERIFY(!box.textCursor().hasSelection());
}

// "Kopieren der Texte über Kontextmenü": the menu takes the focus for a
// moment; the selection must still be there for its copy command.
void tst_frmMsgBoxQuillon::contextMenuKeepsTheSelection()
{
    Fixture f;
    QVERIFY(showActive(*f.window));
    QPlainTextEdit &box = *ui(f).txtOriginal;
    QTextCursor selection = box.textCursor();
    selection.setPosition(2);
    selection.setPosition(8, QTextCursor::KeepAnchor);
    box.setTextCursor(selection);

    sendFocus(box, QEvent::FocusOut, Qt::PopupFocusReason);
    sendFocus(box, QEvent::FocusIn, Qt::PopupFocusReason);

    QCOMPARE(box.textCursor().selectionStart(), 2);
    QCOMPARE(box.textCursor().selectionEnd(), 8);
}

void tst_frmMsgBoxQuillon::doubleClickSelectsWholeText_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("message") << u"txtOriginal"_s;
    QTest::newRow("code") << u"txtFormatiert"_s;
}

void tst_frmMsgBoxQuillon::doubleClickSelectsWholeText()
{
    QFETCH(QString, box);
    Fixture f;
    QVERIFY(showActive(*f.window));
    auto *edit = f.window->findChild<QPlainTextEdit *>(box);
    QVERIFY(edit);
    const QString text = u"erste Zeile\nzweite Zeile"_s;
    edit->setPlainText(text);

    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, QPoint(12, 6));

    QCOMPARE(edit->textCursor().selectionStart(), 0);
    QCOMPARE(edit->textCursor().selectionEnd(), text.size());
}

void tst_frmMsgBoxQuillon::tabOrder()
{
    Fixture f;
    QVERIFY(showActive(*f.window));
    const QList<QWidget *> expected { ui(f).cmdTesten, ui(f).HScroll1, ui(f).cmdFormatieren,
        ui(f).txtFormatiert, ui(f).txtTitel, ui(f).cmdClearText, ui(f).txtOriginal };

    QList<QWidget *> visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }

    QCOMPARE(visited, expected);
}

void tst_frmMsgBoxQuillon::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");

    for (const QString &button : { u"cmdTesten"_s, u"cmdFormatieren"_s, u"cmdClearText"_s }) {
        QTest::addRow("%s, Return", qPrintable(button)) << button << int(Qt::Key_Return);
        QTest::addRow("%s, keypad Enter", qPrintable(button)) << button << int(Qt::Key_Enter);
    }
}

void tst_frmMsgBoxQuillon::enterPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    Fixture f;
    QVERIFY(showActive(*f.window));
    auto *pushButton = f.window->findChild<QPushButton *>(button);
    QSignalSpy clicks(pushButton, &QPushButton::clicked);

    pushButton->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pushButton, Qt::Key(key));

    QCOMPARE(clicks.size(), 1);
}

void tst_frmMsgBoxQuillon::contextMenusSpeakGerman()
{
    QVERIFY(installGermanQtTexts(*qApp));
    Fixture f;

    const std::unique_ptr<QMenu> menu(ui(f).txtTitel->createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries.append(action->text().section(u'\t', 0, 0));
    QVERIFY2(entries.contains(u"&Kopieren"_s) || entries.contains(u"Kopieren"_s),
        qPrintable(entries.join(u", "_s)));
}

void tst_frmMsgBoxQuillon::codeWidthShowsInToolTipAndFocus()
{
    Fixture f;
    QVERIFY(showActive(*f.window));
    QCOMPARE(ui(f).HScroll1->toolTip(), u"Textbreite: 70 Zeichen"_s);
    auto *focusFrame = f.window->findChild<QWidget *>(u"HScroll1_focus"_s);
    QVERIFY(focusFrame);
    QVERIFY(!focusFrame->isVisible());

    ui(f).HScroll1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(ui(f).HScroll1, Qt::Key_Left);

    QCOMPARE_NE(ui(f).HScroll1->value(), 70);
    QCOMPARE(ui(f).HScroll1->toolTip(), u"Textbreite: %1 Zeichen"_s.arg(ui(f).HScroll1->value()));
    QVERIFY(focusFrame->isVisible());
    QVERIFY(focusFrame->geometry().contains(ui(f).HScroll1->geometry()));
    ui(f).cmdTesten->setFocus(Qt::TabFocusReason);
    QVERIFY(!focusFrame->isVisible());
}

void tst_frmMsgBoxQuillon::borderedCaptionsKeepAGap_data()
{
    QTest::addColumn<bool>("inAboutWindow");
    QTest::addColumn<QString>("label");

    QTest::newRow("About") << false << u"lblAbout"_s;
    QTest::newRow("Schließen") << true << u"lblCloseAbout"_s;
}

// Between the caption's ink and the one-pixel border: a gap on the left,
// the right and below.
void tst_frmMsgBoxQuillon::borderedCaptionsKeepAGap()
{
    QFETCH(bool, inAboutWindow);
    QFETCH(QString, label);
    Fixture f;
    frmAbout about(f.shell, f.window.get());
    const QWidget &window = inAboutWindow ? static_cast<QWidget &>(about) : *f.window;
    const QImage picture = window.findChild<QLabel *>(label)->grab().toImage();

    QRect ink;
    for (int y = 1; y < picture.height() - 1; ++y)
        for (int x = 1; x < picture.width() - 1; ++x)
            if (qGray(picture.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(ink.left() >= 3 && ink.right() <= picture.width() - 4);
    QVERIFY(ink.bottom() <= picture.height() - 3);
}

void tst_frmMsgBoxQuillon::scrollBarSetsCodeWidth_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("codeWidth");

    QTest::newRow("narrowest") << 40 << 40;
    QTest::newRow("widest") << 75 << 75;
    QTest::newRow("below the range") << 12 << 40;
    QTest::newRow("above the range") << 99 << 75;
}

void tst_frmMsgBoxQuillon::scrollBarSetsCodeWidth()
{
    QFETCH(int, requested);
    QFETCH(int, codeWidth);
    Fixture f;

    ui(f).HScroll1->setValue(requested);

    QCOMPARE(ui(f).Label3->text(), QString::number(codeWidth));
    QCOMPARE(ui(f).txtDummy->width(), codeWidth * 90 / 15);
}

void tst_frmMsgBoxQuillon::formatsIntoCodeBox()
{
    Fixture f;
    setUpWorkedExample(f);

    ui(f).cmdFormatieren->click();

    QCOMPARE(ui(f).txtFormatiert->toPlainText(), workedExampleCode());
    QVERIFY(ui(f).txtDummy->toPlainText().startsWith(u"Ja\n"_s));
    QVERIFY(ui(f).txtDummy->toPlainText().endsWith(u"\nNein"_s));
    QCOMPARE(ui(f).lblFlags->text(), u"vbQuestion"_s);
    QVERIFY(f.messageBox.calls.isEmpty());
}

void tst_frmMsgBoxQuillon::refusalIsShownOnceAndKeepsTail()
{
    Fixture f;
    setUpWorkedExample(f);
    ui(f).cmdFormatieren->click();
    ui(f).HScroll1->setValue(40);
    ui(f).txtOriginal->setPlainText(QString(30 * 26, u'x'));

    ui(f).cmdFormatieren->click();

    QCOMPARE(f.messageBox.calls.size(), 1);
    QVERIFY(f.messageBox.calls[0].prompt.startsWith(quillon::writer::continuationLimitMessage()));
    QVERIFY(f.messageBox.calls[0].prompt.endsWith(u"die Form ''Text in Variable''."_s));
    QCOMPARE(f.messageBox.calls[0].style, 0);
    QCOMPARE(f.messageBox.calls[0].title, QString());
    QVERIFY(ui(f).txtFormatiert->toPlainText().startsWith(u"    MsgBox _\n"_s));
    QVERIFY(!ui(f).txtFormatiert->toPlainText().contains(u"vbQuestion"_s));

    ui(f).cmdTesten->click();

    QCOMPARE(f.messageBox.calls.size(), 2);
    QCOMPARE(f.messageBox.calls[1].prompt, f.messageBox.calls[0].prompt);
    QVERIFY(ui(f).lblRückwert->isHidden());
    QVERIFY(!ui(f).tmrRückwert->isActive());
}

void tst_frmMsgBoxQuillon::testShowsRebuiltPromptAndReturnValue()
{
    Fixture f;
    setUpWorkedExample(f);
    f.messageBox.answers = { 6, 7 };

    ui(f).cmdTesten->click();

    QCOMPARE(f.messageBox.calls.size(), 1);
    QCOMPARE(f.messageBox.calls[0].prompt, u"Ja\r\nNein"_s);
    QCOMPARE(f.messageBox.calls[0].style, 32);
    QCOMPARE(f.messageBox.calls[0].title, u"Frage"_s);
    QCOMPARE(ui(f).txtFormatiert->toPlainText(), workedExampleCode());
    QCOMPARE(ui(f).lblRückwert->text(), u"6"_s);
    QVERIFY(!ui(f).lblRückwert->isHidden());
    QVERIFY(!ui(f).lblRückwBeschriftung->isHidden());
    QVERIFY(ui(f).tmrRückwert->isActive());

    ui(f).cmdTesten->click();

    QCOMPARE(f.messageBox.calls[1].prompt, u"Ja\r\nNein"_s);
    QCOMPARE(ui(f).lblRückwert->text(), u"7"_s);
    QVERIFY(ui(f).tmrRückwert->isActive());

    QVERIFY(QMetaObject::invokeMethod(ui(f).tmrRückwert, "timeout"));

    QVERIFY(ui(f).lblRückwert->isHidden());
    QVERIFY(ui(f).lblRückwBeschriftung->isHidden());
    QVERIFY(!ui(f).tmrRückwert->isActive());
}

void tst_frmMsgBoxQuillon::resetRestoresPlaceholdersAndHidesDisplay()
{
    Fixture f;
    setUpWorkedExample(f);
    ui(f).cmdTesten->click();

    ui(f).cmdClearText->click();

    QCOMPARE(ui(f).txtTitel->text(), u"Titelleiste"_s);
    QCOMPARE(ui(f).txtOriginal->toPlainText(), u"Original - Text"_s);
    QCOMPARE(ui(f).txtFormatiert->toPlainText(), u"Ausgabe VB - Code"_s);
    QCOMPARE(ui(f).lblZeichenAnzahl->text(), QString());
    QVERIFY(ui(f).lblRückwert->isHidden());
    QVERIFY(ui(f).lblRückwBeschriftung->isHidden());
    QVERIFY(!ui(f).tmrRückwert->isActive());
}

void tst_frmMsgBoxQuillon::emptyMessageEmptiesBoxes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("boxesShown");

    QTest::newRow("Text formatieren") << u"cmdFormatieren"_s << 0;
    QTest::newRow("MsgBox testen") << u"cmdTesten"_s << 1;
}

void tst_frmMsgBoxQuillon::emptyMessageEmptiesBoxes()
{
    QFETCH(QString, button);
    QFETCH(int, boxesShown);
    Fixture f;
    QVERIFY(showActive(*f.window));
    setUpWorkedExample(f);
    ui(f).cmdFormatieren->click();
    ui(f).txtOriginal->clear();
    ui(f).txtTitel->setFocus();

    f.window->findChild<QPushButton *>(button)->click();

    QCOMPARE(ui(f).txtFormatiert->toPlainText(), QString());
    QCOMPARE(ui(f).txtDummy->toPlainText(), QString());
    QCOMPARE(ui(f).lblZeichenAnzahl->text(), u"0"_s);
    QCOMPARE(ui(f).txtTitel->text(), u"Frage"_s);
    QCOMPARE(QApplication::focusWidget(), ui(f).txtOriginal);
    QCOMPARE(f.messageBox.calls.size(), boxesShown);
    if (boxesShown) {
        QCOMPARE(f.messageBox.calls[0].prompt, QString());
        QCOMPARE(f.messageBox.calls[0].style, 32);
        QCOMPARE(f.messageBox.calls[0].title, u"Frage"_s);
        QCOMPARE(ui(f).lblRückwert->text(), u"1"_s);
    }
}

void tst_frmMsgBoxQuillon::caretReturnsAfterFormattingAndTest_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Text formatieren") << u"cmdFormatieren"_s;
    QTest::newRow("MsgBox testen") << u"cmdTesten"_s;
}

void tst_frmMsgBoxQuillon::caretReturnsAfterFormattingAndTest()
{
    QFETCH(QString, button);
    Fixture f;
    QVERIFY(showActive(*f.window));
    QPlainTextEdit &box = *ui(f).txtOriginal;
    box.setPlainText(u"Eine Nachricht\nan alle"_s);
    placeCaret(box, 10);
    auto *pressed = f.window->findChild<QPushButton *>(button);
    pressed->setFocus(Qt::MouseFocusReason);

    pressed->click();

    QCOMPARE(QApplication::focusWidget(), &box);
    QCOMPARE(box.textCursor().position(), 10);
}

void tst_frmMsgBoxQuillon::helpOpensDocumentBesideProgram()
{
    Fixture f;
    QFile document(QDir(f.dir.path()).filePath(kHelpDocument));
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.close();

    QTest::mouseClick(ui(f).imgHelp, Qt::LeftButton);

    QCOMPARE(f.shell.openedDocuments, QStringList { document.fileName() });
    QVERIFY(f.messageBox.calls.isEmpty());
}

void tst_frmMsgBoxQuillon::helpFallsBackToOwnText_data()
{
    QTest::addColumn<QString>("present");
    QTest::newRow("nothing there") << QString();
    QTest::newRow("another name") << u"Hilfe zum MsgBox - Quillon.htm"_s;
}

void tst_frmMsgBoxQuillon::helpFallsBackToOwnText()
{
    QFETCH(QString, present);
    Fixture f;
    if (!present.isEmpty()) {
        QFile other(QDir(f.dir.path()).filePath(present));
        QVERIFY(other.open(QIODevice::WriteOnly));
    }

    QTest::mouseClick(ui(f).imgHelp, Qt::LeftButton);

    QVERIFY(f.shell.openedDocuments.isEmpty());
    QCOMPARE(f.messageBox.calls.size(), 1);
    const QStringList lines = f.messageBox.calls[0].prompt.split(u"\r\n"_s);
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines[0], u"Geben Sie im ersten Textfeld die Titelzeile,"_s);
    QCOMPARE(lines[2], QString());
    QCOMPARE(
        lines[3], u"Im unteren Textfeld erscheint der formatierte VB-Code in fester Breite."_s);
    QCOMPARE(
        lines[6], u"Auf der zweiten Seite (Button ''erweiterte Einstellungen'') können Sie "_s);
    QCOMPARE(lines[10], u"während auf der ersten Seite weitere Eingaben gemacht werden."_s);
    QCOMPARE(f.messageBox.calls[0].style, 0);
    QCOMPARE(f.messageBox.calls[0].title, u"MsgBox - Quillon  (Lumo)"_s);
}

void tst_frmMsgBoxQuillon::optionsWindowOpensAndEndsWithMain()
{
    Fixture f;
    QVERIFY(showActive(*f.window));
    frmIconsAndButtons &options = *optionsWindow();

    QTest::mouseClick(ui(f).Image1, Qt::LeftButton);
    QVERIFY(options.isVisible());
    options.hide();
    QTest::mouseClick(ui(f).Label7, Qt::LeftButton);
    QVERIFY(options.isVisible());
    QVERIFY(!options.parentWidget());

    QVERIFY(f.window->close());
    QVERIFY(!options.isVisible());
}

// The offscreen screen is too narrow for both side by side: the options
// window goes to its edge, low, and leaves at least the title box free.
void tst_frmMsgBoxQuillon::optionsWindowOpensBesideMain()
{
    Fixture f;
    QVERIFY(showActive(*f.window));
    frmIconsAndButtons &options = *optionsWindow();

    QTest::mouseClick(ui(f).Image1, Qt::LeftButton);

    QVERIFY(f.window->screen()->availableGeometry().contains(options.frameGeometry()));
    const QRect title(ui(f).txtTitel->mapToGlobal(QPoint()), ui(f).txtTitel->size());
    QVERIFY(!options.frameGeometry().intersects(title));
}

// On a screen of 1280 x 1024 at any scale, where the two windows do not fit
// side by side, the options window covers the code box, never the boxes the
// user types into nor the buttons.
void tst_frmMsgBoxQuillon::optionsWindowLeavesTheMainControlsInView()
{
    // The offscreen platform's screen of tests/widgets/offscreen-sxga.json.
    const QScreen &screen = *QGuiApplication::primaryScreen();
    if (screen.name() != u"SXGA"_s)
        QSKIP("made for a screen of 1280 x 1024");
    Fixture f;
    QVERIFY(showActive(*f.window));
    frmIconsAndButtons &options = *optionsWindow();

    QTest::mouseClick(ui(f).Image1, Qt::LeftButton);

    QVERIFY(screen.availableGeometry().contains(options.frameGeometry()));
    QVERIFY(screen.availableGeometry().contains(f.window->frameGeometry()));
    for (const QWidget *control : std::initializer_list<const QWidget *> { ui(f).txtTitel,
             ui(f).txtOriginal, ui(f).cmdClearText, ui(f).cmdFormatieren, ui(f).cmdTesten }) {
        const QRect place(control->mapToGlobal(QPoint()), control->size());
        QVERIFY2(!options.frameGeometry().intersects(place), qPrintable(control->objectName()));
    }
}

void tst_frmMsgBoxQuillon::lastMessageSurvivesRestart_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::newRow("beside the program") << u"bin"_s;
    // A folder that cannot be written, as an installed program's to its user.
    QTest::newRow("in the data folder") << u"gibt es nicht"_s;
}

void tst_frmMsgBoxQuillon::lastMessageSurvivesRestart()
{
    QFETCH(QString, programFolder);
    QTemporaryDir folders;
    QVERIFY(QDir(folders.path()).mkdir(u"bin"_s));
    const QString programPath = folders.filePath(programFolder);
    const QString dataPath = folders.filePath(u"data"_s);
    {
        Fixture first(programPath, dataPath);
        ui(first).txtTitel->setText(u"Frage"_s);
        ui(first).txtOriginal->setPlainText(u"Zeile 1\nZeile 2"_s);
        QVERIFY(first.window->close());
    }

    Fixture second(programPath, dataPath);

    QCOMPARE(ui(second).txtTitel->text(), u"Frage"_s);
    QCOMPARE(ui(second).txtOriginal->toPlainText(), u"Zeile 1\nZeile 2"_s);
    QCOMPARE(ui(second).lblZeichenAnzahl->text(), u"16"_s);
}

void tst_frmMsgBoxQuillon::failedSaveStillEnds()
{
    QTemporaryDir parent;
    // Not even root makes a folder below a plain file, on any system: both
    // folders refuse the save.
    const QString plainFile = QDir(parent.path()).filePath(u"Datei"_s);
    QVERIFY(QFile(plainFile).open(QIODevice::WriteOnly));
    const QString programFolder = QDir(plainFile).filePath(u"Programm"_s);
    Fixture f(programFolder, QDir(plainFile).filePath(u"MsgBox - Quillon"_s));
    QVERIFY(showActive(*f.window));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"LastMsgText.txt"_s));
    QVERIFY(f.window->close());

    QVERIFY(!f.window->isVisible());
    QVERIFY(!QFile::exists(QDir(programFolder).filePath(u"LastMsgText.txt"_s)));
}

void tst_frmMsgBoxQuillon::takesOverVbCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("said"); // the start of the message box's text, if any
    QTest::addColumn<QString>(
        "written"); // the first line of the code, the call written anew in its place

    QTest::newRow("good code") << u"x = MsgBox(\"Ja\" & vbCrLf & \"Nein\", 36, \"Frage\")"_s
                               << u"Frage"_s << u"Ja\nNein"_s << u"vbQuestion Or vbYesNo"_s
                               << QString() << u"x = MsgBox( _"_s;
    QTest::newRow("no title") << u"MsgBox \"Hallo\""_s << u"Titelleiste"_s << u"Hallo"_s
                              << QString() << QString() << u"MsgBox _"_s;
    QTest::newRow("help button") << u"MsgBox \"Hallo\", vbOKCancel Or vbMsgBoxHelpButton, \"T\""_s
                                 << u"T"_s << u"Hallo"_s << u"vbOKCancel"_s
                                 << u"Nicht übernommen: vbMsgBoxHelpButton"_s << u"MsgBox _"_s;
    // Nothing the user typed is lost: the boxes and the options stay.
    QTest::newRow("invalid code") << u"MsgBox \"Datei \" & , 48"_s << u"Frage"_s << u"Ja\nNein"_s
                                  << u"vbQuestion"_s
                                  << u"Kein VB-Code übernommen:\r\n\r\nZeile 1, Spalte 19: ,"_s
                                  << u"MsgBox \"Datei \" & , 48"_s;
    QTest::newRow("run-time values marked")
        << u"MsgBox \"Datei \"\"\" & sFile & \"\"\": \" & Err.Description, iStil, App.Title"_s
        << u"«App.Title»"_s << u"Datei \"«sFile»\": «Err.Description»"_s << u"iStil"_s << QString()
        << u"MsgBox _"_s;
}

void tst_frmMsgBoxQuillon::takesOverVbCode()
{
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, flags);
    QFETCH(QString, said);
    QFETCH(QString, written);
    Fixture f;
    setUpWorkedExample(f);
    ui(f).txtFormatiert->setPlainText(code);

    f.window->findChild<QAction *>(u"mnuVbCodeÜbernehmen"_s)->trigger();

    QCOMPARE(ui(f).txtTitel->text(), title);
    QCOMPARE(ui(f).txtOriginal->toPlainText(), message);
    QCOMPARE(ui(f).lblFlags->text(), flags);
    QCOMPARE(f.messageBox.calls.size(), said.isEmpty() ? 0 : 1);
    if (!said.isEmpty())
        QVERIFY2(f.messageBox.calls[0].prompt.startsWith(said),
            qPrintable(f.messageBox.calls[0].prompt));
    QCOMPARE(ui(f).txtFormatiert->toPlainText().section(u'\n', 0, 0), written);
}

// A taken-over call is written back as it stood, with what the user typed
// around its expressions; the test shows each expression's source. Typed
// text that looks like a mark, and a mark typed into, are text.
void tst_frmMsgBoxQuillon::marksStayWholeAndAreWrittenBack()
{
    Fixture f;
    ui(f).txtFormatiert->setPlainText(
        u"MsgBox \"Sag \"\"\" & Err.Description & sName, vbCritical Or iExtra: Exit Sub"_s);
    f.window->findChild<QAction *>(u"mnuVbCodeÜbernehmen"_s)->trigger();
    QTextCursor cursor = ui(f).txtOriginal->textCursor();
    cursor.movePosition(QTextCursor::End);
    ui(f).txtOriginal->setTextCursor(cursor);
    QTest::keyClicks(ui(f).txtOriginal, u" \"«x»"_s);
    QCOMPARE(ui(f).txtOriginal->toPlainText(), u"Sag \"«Err.Description»«sName» \"«x»"_s);

    ui(f).cmdTesten->click();

    QCOMPARE(ui(f).txtFormatiert->toPlainText(),
        u"    MsgBox _\n        \"Sag \"\"\" & Err.Description & sName & \" ''«x»\" _\n"
        "        , vbCritical Or iExtra: Exit Sub\n"_s);
    QCOMPARE(f.messageBox.calls.last().prompt, u"Sag \"«Err.Description»«sName» ''«x»"_s);

    // Typing into «sName» makes it text.
    cursor.setPosition(u"Sag \"«Err.Description»«sN"_s.size());
    ui(f).txtOriginal->setTextCursor(cursor);
    QTest::keyClicks(ui(f).txtOriginal, u"e"_s);
    QCoreApplication::processEvents();
    ui(f).cmdFormatieren->click();
    QVERIFY2(ui(f).txtFormatiert->toPlainText().contains(u"Err.Description & \"«sNeame» "_s),
        qPrintable(ui(f).txtFormatiert->toPlainText()));
}

// Typing beside a mark is undone in one step, and a deleted mark comes back
// as the mark, also where others are left.
void tst_frmMsgBoxQuillon::undoBringsMarksBackWhole()
{
    Fixture f;
    ui(f).txtFormatiert->setPlainText(u"MsgBox sName & \" fehlt: \" & sFile"_s);
    f.window->findChild<QAction *>(u"mnuVbCodeÜbernehmen"_s)->trigger();
    QPlainTextEdit &box = *ui(f).txtOriginal;
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(u"«sName»"_s.size());
    box.setTextCursor(cursor);
    QTest::keyClicks(&box, u"xy"_s);
    QCoreApplication::processEvents();
    QTest::keySequence(&box, QKeySequence::Undo);
    QCOMPARE(box.toPlainText(), u"«sName» fehlt: «sFile»"_s);

    cursor.setPosition(0);
    cursor.setPosition(u"«sName»"_s.size(), QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    QTest::keyClick(&box, Qt::Key_Delete);
    QCoreApplication::processEvents();
    QTest::keySequence(&box, QKeySequence::Undo);
    QCoreApplication::processEvents();
    QVERIFY(!box.document()->isUndoAvailable());
    ui(f).cmdFormatieren->click();
    QVERIFY2(ui(f).txtFormatiert->toPlainText().contains(u"sName & \" fehlt: \" & sFile"_s),
        qPrintable(ui(f).txtFormatiert->toPlainText()));
}

void tst_frmMsgBoxQuillon::fixedValuesOnlyWhenAsked()
{
    Fixture f;
    const QString code = u"Const MELDUNG = \"Fertig\"\r\nMsgBox MELDUNG & \"!\""_s;
    ui(f).txtFormatiert->setPlainText(code);
    f.window->findChild<QAction *>(u"mnuVbCodeÜbernehmen"_s)->trigger();
    QCOMPARE(ui(f).txtOriginal->toPlainText(), u"«MELDUNG»!"_s);

    ui(f).txtFormatiert->setPlainText(code);
    f.window->findChild<QAction *>(u"mnuVbCodeMitFestenWerten"_s)->trigger();
    QCOMPARE(ui(f).txtOriginal->toPlainText(), u"Fertig!"_s);
}

// The choice survives a restart of the window, and formatting writes it.
void tst_frmMsgBoxQuillon::codeFormIsKeptAndWritten()
{
    {
        Fixture first;
        first.window->findChild<QAction *>(u"mnuFormSelect"_s)->trigger();
    }
    Fixture f;
    QVERIFY(f.window->findChild<QAction *>(u"mnuFormSelect"_s)->isChecked());
    setUpWorkedExample(f);

    ui(f).cmdFormatieren->click();

    QVERIFY(ui(f).txtFormatiert->toPlainText().startsWith(u"    Select Case MsgBox( _\n"_s));
}

void tst_frmMsgBoxQuillon::ifFormOnlyForTwoButtons()
{
    Fixture f;
    const auto *ifForm = f.window->findChild<QAction *>(u"mnuFormIf"_s);
    QVERIFY(!ifForm->isEnabled());
    optionsWindow()->setChoices({ 0, 2, 1, false, false });
    QVERIFY(ifForm->isEnabled());
    optionsWindow()->setChoices({ 0, 3, 1, false, false });
    QVERIFY(!ifForm->isEnabled());
}

// The choice survives a restart, the code box's tool tip names it, and
// formatting writes it.
void tst_frmMsgBoxQuillon::dialectIsKeptNamedAndWritten()
{
    {
        Fixture first;
        first.window->findChild<QAction *>(u"mnuFormStatement"_s)->trigger();
        first.window->findChild<QAction *>(u"mnuDialectVbNet"_s)->trigger();
    }
    Fixture f;
    QVERIFY(f.window->findChild<QAction *>(u"mnuDialectVbNet"_s)->isChecked());
    QVERIFY(ui(f).txtFormatiert->toolTip().contains(u"VB.NET"_s));
    setUpWorkedExample(f);

    ui(f).cmdFormatieren->click();
    const QString written = ui(f).txtFormatiert->toPlainText();
    ui(f).cmdTesten->click();
    f.window->findChild<QAction *>(u"mnuDialectVb6"_s)->trigger();

    QCOMPARE(f.messageBox.calls.size(), 1);
    QCOMPARE(f.messageBox.calls[0].prompt, u"Ja\r\nNein"_s);

    QCOMPARE(written,
        u"    MsgBox(\n        \"Ja\" & vbCrLf & \"Nein\",\n"
        u"        MsgBoxStyle.Question, \"Frage\")\n"_s);
    QVERIFY(ui(f).txtFormatiert->toolTip().contains(u"VB6 / VBA"_s));
}

// Red where the dialect's MsgBox would cut the text, or cannot show some of
// its characters (VB6, VBA and VBScript know only the Windows code page);
// the tool tip says why.
void tst_frmMsgBoxQuillon::countTurnsRedWhereTheDialectCutsTheText_data()
{
    QTest::addColumn<QString>("dialect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // in the tool tip; empty: the count stays green

    const QString x1024(1024, u'x');
    QTest::newRow("vb6, 1024") << u"mnuDialectVb6"_s << x1024 << QString();
    QTest::newRow("vb6, 1025") << u"mnuDialectVb6"_s << x1024 + u'x' << u"1024"_s;
    QTest::newRow("vbscript, 1025") << u"mnuDialectVbScript"_s << x1024 + u'x' << u"1024"_s;
    QTest::newRow("vb.net, 1025") << u"mnuDialectVbNet"_s << x1024 + u'x' << QString();
    QTest::newRow("vb6, the code page's own")
        << u"mnuDialectVb6"_s << u"Grüße: 50 € – „gut“ ©"_s << QString();
    QTest::newRow("vb6, beyond 16 bits") << u"mnuDialectVb6"_s << u"Hurra 🎉\n🎉"_s << u": 🎉;"_s;
    QTest::newRow("vb6, Greek and Chinese")
        << u"mnuDialectVb6"_s << u"Ω und 中文"_s << u": Ω 中 文;"_s;
    QTest::newRow("vbscript") << u"mnuDialectVbScript"_s << u"Ω"_s << u"VBScript"_s;
    QTest::newRow("vb.net shows them") << u"mnuDialectVbNet"_s << u"🎉 Ω 中文"_s << QString();
    QTest::newRow("twinbasic shows them") << u"mnuDialectTwinBasic"_s << u"🎉 Ω 中文"_s << QString();
}

void tst_frmMsgBoxQuillon::countTurnsRedWhereTheDialectCutsTheText()
{
    QFETCH(QString, dialect);
    QFETCH(QString, text);
    QFETCH(QString, named);
    Fixture f;
    const QColor green = ui(f).lblZeichenAnzahl->palette().color(QPalette::WindowText);

    f.window->findChild<QAction *>(dialect)->trigger();
    ui(f).txtOriginal->setPlainText(text);
    const QColor shown = ui(f).lblZeichenAnzahl->palette().color(QPalette::WindowText);
    const QString tip = ui(f).lblZeichenAnzahl->toolTip();
    f.window->findChild<QAction *>(u"mnuDialectVb6"_s)->trigger();

    QCOMPARE(shown != green, !named.isEmpty());
    QVERIFY2(tip.contains(named), qPrintable(tip));
    QCOMPARE(tip.isEmpty(), named.isEmpty());
    QVERIFY(f.messageBox.calls.isEmpty());
}

void tst_frmMsgBoxQuillon::takeOverSwitchesToTheDialectOfTheCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("dialect"); // its action; empty: left as it was
    QTest::addColumn<QString>("firstLine"); // of the code, the call written anew in its place

    QTest::newRow("vbscript's &_") << u"MsgBox \"Hallo\" &_\n  \" Welt\", vbYesNo"_s
                                   << u"mnuDialectVbScript"_s << u"MsgBox _"_s;
    QTest::newRow("vb.net's enumeration")
        << u"Dim x As MsgBoxResult = MsgBox(\"Hallo\" &\n  \" Welt\", MsgBoxStyle.YesNo)"_s
        << u"mnuDialectVbNet"_s << u"Dim x As MsgBoxResult = MsgBox("_s;
    QTest::newRow("vb6's code leaves the dialect")
        << u"MsgBox \"Hallo\" & _\n  \" Welt\", vbYesNo"_s << QString() << u"MsgBox _"_s;
}

void tst_frmMsgBoxQuillon::takeOverSwitchesToTheDialectOfTheCode()
{
    QFETCH(QString, code);
    QFETCH(QString, dialect);
    QFETCH(QString, firstLine);
    Fixture f;
    f.window->findChild<QAction *>(u"mnuDialectTwinBasic"_s)->trigger();

    ui(f).txtFormatiert->setPlainText(code);
    f.window->findChild<QAction *>(u"mnuVbCodeÜbernehmen"_s)->trigger();
    const bool switched
        = !dialect.isEmpty() && f.window->findChild<QAction *>(dialect)->isChecked();
    const bool kept = f.window->findChild<QAction *>(u"mnuDialectTwinBasic"_s)->isChecked();
    f.window->findChild<QAction *>(u"mnuDialectVb6"_s)->trigger();

    QCOMPARE(switched, !dialect.isEmpty());
    QCOMPARE(kept, dialect.isEmpty());
    QVERIFY(ui(f).txtFormatiert->toPlainText().startsWith(firstLine + u'\n'));
    QCOMPARE(f.messageBox.calls.size(), dialect.isEmpty() ? 0 : 1);
    if (!dialect.isEmpty())
        QVERIFY(f.messageBox.calls[0].prompt.contains(u"Dialekt umgestellt"_s));
}

// A new form or dialect shows at once in the code the tool wrote, and the
// dialect is named beside the box; code of the user's own stays.
void tst_frmMsgBoxQuillon::codeBoxFollowsFormAndDialect_data()
{
    QTest::addColumn<QString>("choice"); // the menu's action
    QTest::addColumn<bool>("typedOver"); // the user edited the code first
    QTest::addColumn<QString>("firstLine"); // of the code box afterwards
    QTest::addColumn<QString>("dialectShown");

    QTest::newRow("VB.NET") << u"mnuDialectVbNet"_s << false << u"    MsgBox("_s
                            << u"Dialekt: VB.NET"_s;
    QTest::newRow("answer in a variable")
        << u"mnuFormAnswer"_s << false << u"    Dim lAntwort As VbMsgBoxResult"_s
        << u"Dialekt: VB6 / VBA"_s;
    QTest::newRow("Select Case") << u"mnuFormSelect"_s << false << u"    Select Case MsgBox( _"_s
                                 << u"Dialekt: VB6 / VBA"_s;
    QTest::newRow("the user's own code stays")
        << u"mnuDialectVbNet"_s << true << u"    MsgBox _ ' mein"_s << u"Dialekt: VB.NET"_s;
}

void tst_frmMsgBoxQuillon::codeBoxFollowsFormAndDialect()
{
    QFETCH(QString, choice);
    QFETCH(bool, typedOver);
    QFETCH(QString, firstLine);
    QFETCH(QString, dialectShown);
    Fixture f;
    setUpWorkedExample(f);
    ui(f).cmdFormatieren->click();
    if (typedOver) {
        ui(f).txtFormatiert->moveCursor(QTextCursor::Start);
        ui(f).txtFormatiert->moveCursor(QTextCursor::EndOfLine);
        QTest::keyClicks(ui(f).txtFormatiert, u" ' mein"_s);
    }

    f.window->findChild<QAction *>(choice)->trigger();
    const QString code = ui(f).txtFormatiert->toPlainText();
    const QString shown = f.window->findChild<QLabel *>(u"lblDialekt"_s)->text();
    f.window->findChild<QAction *>(u"mnuFormStatement"_s)->trigger();
    f.window->findChild<QAction *>(u"mnuDialectVb6"_s)->trigger();

    QCOMPARE(code.section(u'\n', 0, 0), firstLine);
    QCOMPARE(shown, dialectShown);
    QVERIFY(f.messageBox.calls.isEmpty());
}

// The code box keeps the user's code with the call written anew in its
// place, exactly as msgbox-format --reformat writes the same code; the
// code form the user chose stays.
void tst_frmMsgBoxQuillon::takeOverKeepsTheUsersCode_data()
{
    QTest::addColumn<QString>("code"); // as pasted, lines ending in CR LF
    QTest::addColumn<QStringList>("kept"); // lines of it found again as they stood

    QTest::newRow("the user's variable")
        << u"iAntwort = MsgBox(\"Wirklich beenden?\", vbYesNo + vbQuestion, \"Ende\")\r\n"
           u"If iAntwort = vbYes Then End\r\n"_s
        << QStringList { u"iAntwort = MsgBox( _"_s, u"If iAntwort = vbYes Then End"_s };
    QTest::newRow("VB.NET's declaration with its value")
        << u"Dim antwort As MsgBoxResult = MsgBox(\"Wirklich beenden?\", "
           u"MsgBoxStyle.YesNo Or MsgBoxStyle.Question, \"Ende\")\r\n"_s
        << QStringList { u"Dim antwort As MsgBoxResult = MsgBox("_s };
    QTest::newRow("a Sub with the bodies of its If")
        << u"Private Sub cmdEnde_Click()\r\n"
           u"    If MsgBox(\"Wirklich beenden?\", vbYesNo + vbQuestion, \"Ende\") = vbYes Then\r\n"
           u"        SpeichereAlles\r\n"
           u"        Unload Me\r\n"
           u"    Else\r\n"
           u"        lblStatus.Caption = \"Weiter\"\r\n"
           u"    End If\r\n"
           u"End Sub\r\n"_s
        << QStringList { u"Private Sub cmdEnde_Click()"_s, u"    If MsgBox( _"_s,
               u"        SpeichereAlles"_s, u"        Unload Me"_s, u"    Else"_s,
               u"        lblStatus.Caption = \"Weiter\""_s, u"    End If"_s, u"End Sub"_s };
}

void tst_frmMsgBoxQuillon::takeOverKeepsTheUsersCode()
{
    QFETCH(QString, code);
    QFETCH(QStringList, kept);
    QProcess reformat;
    reformat.start(QStringLiteral(MSGBOX_FORMAT_PATH), { u"--reformat"_s });
    reformat.write(code.toUtf8());
    reformat.closeWriteChannel();
    QVERIFY(reformat.waitForFinished(30'000));
    QCOMPARE(reformat.exitCode(), 0);
    const QString byCommandLine = QString::fromUtf8(reformat.readAllStandardOutput());
    Fixture f;
    ui(f).txtFormatiert->setPlainText(QString(code).replace(u"\r\n"_s, u"\n"_s));

    f.window->findChild<QAction *>(u"mnuVbCodeÜbernehmen"_s)->trigger();
    const QString taken = ui(f).txtFormatiert->toPlainText().replace(u'\n', u"\r\n"_s);
    const bool formKept = f.window->findChild<QAction *>(u"mnuFormStatement"_s)->isChecked();
    f.window->findChild<QAction *>(u"mnuDialectVb6"_s)->trigger();

    QCOMPARE(taken, byCommandLine);
    QVERIFY(taken != code);
    for (const QString &line : std::as_const(kept))
        QVERIFY2(taken.split(u"\r\n"_s).contains(line), qPrintable(line));
    QVERIFY(!taken.contains(u"lAntwort"_s));
    QVERIFY(formKept);
    QCOMPARE(ui(f).txtOriginal->toPlainText(), u"Wirklich beenden?"_s);
}

// Ctrl+Z in the code box brings back what the tool wrote over.
void tst_frmMsgBoxQuillon::undoBringsBackWhatTheToolWroteOver_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Text formatieren") << u"cmdFormatieren"_s;
    QTest::newRow("Reset") << u"cmdClearText"_s;
    QTest::newRow("VB-Code übernehmen") << u"mnuVbCodeÜbernehmen"_s;
}

void tst_frmMsgBoxQuillon::undoBringsBackWhatTheToolWroteOver()
{
    QFETCH(QString, action);
    Fixture f;
    setUpWorkedExample(f);
    const QString mine = u"x = MsgBox(\"Mein Text\", vbYesNo, \"Mein Titel\")\n"_s;
    ui(f).txtFormatiert->setPlainText(mine);

    if (auto *button = f.window->findChild<QPushButton *>(action))
        button->click();
    else
        f.window->findChild<QAction *>(action)->trigger();
    const QString written = ui(f).txtFormatiert->toPlainText();
    ui(f).txtFormatiert->setFocus();
    QTest::keySequence(ui(f).txtFormatiert, QKeySequence::Undo);

    QVERIFY(written != mine);
    QCOMPARE(ui(f).txtFormatiert->toPlainText(), mine);
}

QTEST_MAIN(tst_frmMsgBoxQuillon)
#include "tst_frmMsgBoxQuillon.moc"
