#include "options_window/frmIconsAndButtons.h"

#include "vb_model/VbConstants.h"
#include "tests/doubles/ScriptedMessageBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <memory>
#include <tuple>

class tst_frmIconsAndButtons : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadsHiddenWithStartChoices();
    void clicksRewriteTheFlags_data();
    void clicksRewriteTheFlags();
    void okSetDropsTheDefaultButtonUntilChosenAgain();
    void arrowKeysRewriteTheFlags();
    void userCloseOnlyHides();
    void unloadReallyCloses();
    void helpSymbolShowsTheHint_data();
    void helpSymbolShowsTheHint();
    void returnValuesReadOneToSeven();
    void tabOrderFollowsTheChoices();
    void toolTipsNameWhatTheChoicesWrite();
    void frameLinesRunThroughTheCaptions_data();
    void frameLinesRunThroughTheCaptions();

private:
    template<typename T> T *control(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QRadioButton *option(const char *array, int index) const;
    void click(QAbstractButton *button) const;
    void setCheck(const char *name, bool checked) const;
    // What the window last emitted, as the main window writes it.
    QString flagsCaption() const { return quillon::model::computeStyleFlags(emitted).expression; }
    QString flagsTag() const
    {
        return QString::number(quillon::model::computeStyleFlags(emitted).value);
    }
    void verifyOneSelectedInEachArray() const;

    quillon::model::StyleChoices emitted { -1, -1, -1, true, true };
    ScriptedMessageBox messageBox;
    std::unique_ptr<frmIconsAndButtons> window;
};

QRadioButton *tst_frmIconsAndButtons::option(const char *array, int index) const
{
    return control<QRadioButton>(QLatin1String(array) + QLatin1Char('_') + QString::number(index));
}

// On the caption just right of the indicator: Qt's option buttons and check
// boxes take clicks on their indicator and caption only, not on the empty
// rest of their width.
void tst_frmIconsAndButtons::click(QAbstractButton *button) const
{
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, button->height() / 2));
}

void tst_frmIconsAndButtons::setCheck(const char *name, bool checked) const
{
    auto *box = control<QCheckBox>(QLatin1String(name));
    QVERIFY(box);
    if (box->isChecked() != checked)
        click(box);
    QCOMPARE(box->isChecked(), checked);
}

void tst_frmIconsAndButtons::verifyOneSelectedInEachArray() const
{
    const QList<std::pair<const char *, QList<int>>> arrays { { "optIcon", { 0, 1, 2, 3, 4 } },
        { "optButtons", { 0, 1, 2, 3, 4, 5 } }, { "optDefaultButton", { 1, 2, 3 } } };
    for (const auto &[array, indexes] : arrays) {
        const auto selected = std::count_if(
            indexes.begin(), indexes.end(), [&](int i) { return option(array, i)->isChecked(); });
        QVERIFY2(selected == 1, array);
    }
}

void tst_frmIconsAndButtons::init()
{
    messageBox = ScriptedMessageBox();
    window = std::make_unique<frmIconsAndButtons>(messageBox);
    emitted = window->choices();
    connect(window.get(), &frmIconsAndButtons::choicesChanged, this,
        [this](const quillon::model::StyleChoices &choices) { emitted = choices; });
}

void tst_frmIconsAndButtons::cleanup()
{
    window.reset();
}

void tst_frmIconsAndButtons::loadsHiddenWithStartChoices()
{
    QVERIFY(window->isHidden());
    QCOMPARE(flagsCaption(), QString());
    QCOMPARE(flagsTag(), QStringLiteral("0"));

    QVERIFY(option("optIcon", 0)->isChecked());
    QVERIFY(option("optButtons", 0)->isChecked());
    QVERIFY(option("optDefaultButton", 1)->isChecked());
    QVERIFY(!control<QRadioButton>(QStringLiteral("optDefaultButton_0")));
    QVERIFY(!control<QCheckBox>(QStringLiteral("chkOnTop"))->isChecked());
    QVERIFY(!control<QCheckBox>(QStringLiteral("chkTextRight"))->isChecked());
    verifyOneSelectedInEachArray();

    QCOMPARE(window->windowTitle(), QStringLiteral("Icons and Buttons"));
    QCOMPARE(window->minimumSize(), QSize(634, 376));
    QCOMPARE(window->maximumSize(), QSize(634, 376));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void tst_frmIconsAndButtons::clicksRewriteTheFlags_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tag");

    // Every member of every array and both check boxes, each at least once.
    QTest::newRow("Frage, Ja Nein")
        << 1 << 2 << 1 << false << false << QStringLiteral("vbQuestion Or vbYesNo")
        << QStringLiteral("36");
    QTest::newRow("Ja Nein, 2") << 0 << 2 << 2 << false << false
                                << QStringLiteral("vbYesNo Or vbDefaultButton2")
                                << QStringLiteral("260");
    QTest::newRow("Info, OK, 3") << 2 << 0 << 3 << false << false << QStringLiteral("vbInformation")
                                 << QStringLiteral("64");
    QTest::newRow("OK Abbrechen, On Top")
        << 0 << 1 << 1 << true << false << QStringLiteral("vbOKCancel Or vbSystemModal")
        << QStringLiteral("4097");
    QTest::newRow("Ja Nein Abbrechen, 3")
        << 0 << 3 << 3 << false << false << QStringLiteral("vbYesNoCancel Or vbDefaultButton3")
        << QStringLiteral("515");
    QTest::newRow("Hinweis, Wiederholen Abbrechen, 2, rechts")
        << 3 << 4 << 2 << false << true
        << QStringLiteral("vbExclamation Or vbRetryCancel Or vbDefaultButton2 Or vbMsgBoxRight")
        << QStringLiteral("524597");
    QTest::newRow("Fehler, Abbrechen Wiederholen Ignorieren, 3, both")
        << 4 << 5 << 3 << true << true
        << QStringLiteral("vbCritical Or vbAbortRetryIgnore Or vbDefaultButton3 Or vbSystemModal"
                          " Or vbMsgBoxRight")
        << QStringLiteral("528914");
}

// Repeating a choice, or ticking and clearing a box, must not accumulate.
void tst_frmIconsAndButtons::clicksRewriteTheFlags()
{
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(bool, onTop);
    QFETCH(bool, right);
    QFETCH(QString, caption);
    QFETCH(QString, tag);

    window->show();
    click(option("optIcon", icon));
    click(option("optButtons", buttons));
    click(option("optDefaultButton", defaultButton));
    setCheck("chkOnTop", onTop);
    setCheck("chkTextRight", right);
    QCOMPARE(flagsCaption(), caption);
    QCOMPARE(flagsTag(), tag);
    verifyOneSelectedInEachArray();

    click(option("optButtons", buttons));
    click(option("optIcon", icon));
    setCheck("chkOnTop", !onTop);
    setCheck("chkOnTop", onTop);
    setCheck("chkTextRight", !right);
    setCheck("chkTextRight", right);
    QCOMPARE(flagsCaption(), caption);
    QCOMPARE(flagsTag(), tag);
}

void tst_frmIconsAndButtons::okSetDropsTheDefaultButtonUntilChosenAgain()
{
    window->show();
    click(option("optButtons", 2));
    click(option("optDefaultButton", 2));
    QCOMPARE(flagsCaption(), QStringLiteral("vbYesNo Or vbDefaultButton2"));

    click(option("optButtons", 0));
    QCOMPARE(flagsCaption(), QString());
    QCOMPARE(flagsTag(), QStringLiteral("0"));
    QVERIFY(option("optDefaultButton", 2)->isChecked());

    click(option("optButtons", 2));
    QCOMPARE(flagsCaption(), QStringLiteral("vbYesNo Or vbDefaultButton2"));
    QCOMPARE(flagsTag(), QStringLiteral("260"));
}

void tst_frmIconsAndButtons::arrowKeysRewriteTheFlags()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    option("optIcon", 0)->setFocus();
    QTest::keyClick(option("optIcon", 0), Qt::Key_Down);
    QVERIFY(option("optIcon", 1)->isChecked());
    QCOMPARE(flagsCaption(), QStringLiteral("vbQuestion"));

    option("optButtons", 0)->setFocus();
    QTest::keyClick(option("optButtons", 0), Qt::Key_Down);
    QCOMPARE(flagsCaption(), QStringLiteral("vbQuestion Or vbOKCancel"));

    QTest::keyClick(control<QCheckBox>(QStringLiteral("chkOnTop")), Qt::Key_Space);
    QCOMPARE(flagsCaption(), QStringLiteral("vbQuestion Or vbOKCancel Or vbSystemModal"));
    QCOMPARE(flagsTag(), QStringLiteral("4129"));
}

void tst_frmIconsAndButtons::userCloseOnlyHides()
{
    window->show();
    click(option("optIcon", 4));
    click(option("optButtons", 3));
    setCheck("chkTextRight", true);
    const QString caption = flagsCaption();

    QVERIFY(!window->close());
    QVERIFY(window->isHidden());
    QCOMPARE(flagsCaption(), caption);

    window->show();
    QVERIFY(option("optIcon", 4)->isChecked());
    QVERIFY(option("optButtons", 3)->isChecked());
    QVERIFY(control<QCheckBox>(QStringLiteral("chkTextRight"))->isChecked());
    QCOMPARE(flagsCaption(), caption);
    QCOMPARE(flagsTag(), QString::number(16 + 3 + 524288));
}

// A window that is deleted on close shows whether a close went through.
void tst_frmIconsAndButtons::unloadReallyCloses()
{
    QPointer<frmIconsAndButtons> closing = window.release();
    closing->setAttribute(Qt::WA_DeleteOnClose);
    closing->show();

    QVERIFY(!closing->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closing);

    closing->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!closing);
}

void tst_frmIconsAndButtons::helpSymbolShowsTheHint_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Abbrechen") << 3;
    QTest::newRow("Wiederholen") << 4;
    QTest::newRow("Ignorieren") << 5;
}

void tst_frmIconsAndButtons::helpSymbolShowsTheHint()
{
    QFETCH(int, answer);
    messageBox.answers = { answer };
    window->show();
    click(option("optIcon", 1));
    click(option("optButtons", 5));

    // Through the window, so that whatever lies on top at the symbol gets
    // the click, as it would from the user.
    auto *label2 = control<QLabel>(QStringLiteral("Label2"));
    QVERIFY(label2);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
        label2->mapTo(window.get(), label2->rect().center()));

    QCOMPARE(messageBox.calls.size(), 1);
    const ScriptedMessageBox::Call &call = messageBox.calls.first();
    QCOMPARE(call.prompt,
        QStringLiteral("\r\n                Nur bei Button - Kombination \r\n"
                       "       ''Abbrechen, Wiederholen, Ignorieren''\r\n\r\n"));
    QCOMPARE(call.style, 4098);
    QCOMPARE(call.title, QStringLiteral("  Rückgabe  ''Abbrechen''"));

    QVERIFY(window->isVisible());
    QVERIFY(option("optIcon", 1)->isChecked());
    QVERIFY(option("optButtons", 5)->isChecked());
    QCOMPARE(flagsCaption(), QStringLiteral("vbQuestion Or vbAbortRetryIgnore"));
    QCOMPARE(flagsTag(), QStringLiteral("34"));
}

// The label indexes run 2, 0, 3, 4, 5, 6, 1 from top to bottom.
void tst_frmIconsAndButtons::returnValuesReadOneToSeven()
{
    QList<QLabel *> labels
        = window->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Label1_\\d$")));
    std::sort(labels.begin(), labels.end(),
        [](const QLabel *a, const QLabel *b) { return a->y() < b->y(); });
    QStringList lines;
    for (const QLabel *label : labels) {
        lines.append(label->objectName() + QLatin1Char(':') + label->text());
        // The tool tip names the answer constant of the number shown.
        const QStringList tip = label->toolTip().split(QLatin1Char(' '));
        const auto answer = quillon::model::vbConstantNamed(tip.value(0));
        QVERIFY2(answer && answer->group == quillon::model::VbGroup::Answer,
            qPrintable(label->toolTip()));
        QCOMPARE(label->toolTip(), QStringLiteral("%1 (%2)").arg(answer->name).arg(answer->value));
        QVERIFY(label->text().startsWith(QString::number(answer->value) + QStringLiteral("  =")));
    }

    QCOMPARE(lines.join(QLatin1Char('|')),
        QStringLiteral("Label1_2:1  =  OK|Label1_0:2  =  Abbrechen|Label1_3:3  =  Abbrechen|"
                       "Label1_4:4  =  Wiederholen|Label1_5:5  =  Ignorieren|Label1_6:6  =  Ja|"
                       "Label1_1:7  =  Nein"));
}

void tst_frmIconsAndButtons::tabOrderFollowsTheChoices()
{
    QStringList chain;
    QWidget *widget = control<QWidget>(QStringLiteral("chkTextRight"));
    for (int i = 0; i < 16; ++i) {
        chain.append(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
    }
    QCOMPARE(chain.join(QLatin1Char(' ')),
        QStringLiteral("chkTextRight chkOnTop optIcon_0 optIcon_1 optIcon_2 optIcon_3 optIcon_4 "
                       "optButtons_0 optButtons_1 optButtons_2 optButtons_3 optButtons_4 "
                       "optButtons_5 optDefaultButton_1 optDefaultButton_2 "
                       "optDefaultButton_3"));
}

// Every choice's tool tip ends in the value it adds to the flags, and a
// constant it names is one the code then holds. Three buttons, so that the
// default button is written.
void tst_frmIconsAndButtons::toolTipsNameWhatTheChoicesWrite()
{
    const QRegularExpression tipForm(QStringLiteral("^(.+) \\((\\d+)\\)$"));
    const auto valueOf
        = [this] { return quillon::model::computeStyleFlags(window->choices()).value; };
    // A mask of 0 marks a check box, which adds its value when checked.
    const std::tuple<const char *, int, int, qint32> choiceArrays[] {
        { "optIcon", 0, 4, quillon::model::kIconMask },
        { "optButtons", 0, 5, quillon::model::kButtonSetMask },
        { "optDefaultButton", 1, 3, quillon::model::kDefaultButtonMask },
        { "chkOnTop", 0, 0, 0 },
        { "chkTextRight", 0, 0, 0 },
    };
    for (const auto &[array, first, last, mask] : choiceArrays) {
        for (int index = first; index <= last; ++index) {
            click(option("optButtons", 3));
            const bool checkBox = mask == 0;
            auto *choice = checkBox ? control<QAbstractButton>(QLatin1String(array))
                                    : static_cast<QAbstractButton *>(option(array, index));
            const qint32 before = valueOf();
            checkBox ? setCheck(array, true) : click(choice);
            const qint32 added = checkBox ? valueOf() - before : valueOf() & mask;
            const QRegularExpressionMatch tip = tipForm.match(choice->toolTip());
            QVERIFY2(tip.hasMatch(), qPrintable(choice->toolTip()));
            QCOMPARE(tip.captured(2).toInt(), added);
            if (const auto constant = quillon::model::vbConstantNamed(tip.captured(1))) {
                QCOMPARE(constant->value, added);
                QCOMPARE(quillon::model::computeStyleFlags(window->choices())
                             .expression.split(QStringLiteral(" Or "))
                             .contains(tip.captured(1)),
                    added != 0);
            }
            if (checkBox)
                setCheck(array, false);
        }
    }
}

void tst_frmIconsAndButtons::frameLinesRunThroughTheCaptions_data()
{
    QTest::addColumn<QString>("frame");
    for (const char *frame : { "Frame1", "Frame2", "Frame3", "Frame5" })
        QTest::newRow(frame) << QString::fromLatin1(frame);
}

// The form's tops are those of the captions; the line belongs at the
// caption's middle, not below it.
void tst_frmIconsAndButtons::frameLinesRunThroughTheCaptions()
{
    QFETCH(QString, frame);
    auto *groupBox = control<QGroupBox>(frame);
    QVERIFY(groupBox);
    window->show();
    const QImage picture = groupBox->grab().toImage();
    // Right of the caption, where only the top line crosses the column.
    const int column = picture.width() * picture.devicePixelRatio() - 10;
    const QRgb background = picture.pixel(column, 0);
    int lineRow = 0;
    while (lineRow < picture.height() && picture.pixel(column, lineRow) == background)
        ++lineRow;

    const int captionMiddle = groupBox->fontMetrics().height() / 2;
    QVERIFY2(qAbs(lineRow - captionMiddle) <= 2,
        qPrintable(
            QStringLiteral("line at %1, caption middle at %2").arg(lineRow).arg(captionMiddle)));
}

QTEST_MAIN(tst_frmIconsAndButtons)
#include "tst_frmIconsAndButtons.moc"
