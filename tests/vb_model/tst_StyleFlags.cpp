#include "vb_model/StyleFlags.h"
#include "vb_model/VbConstants.h"

using namespace quillon::model;

#include <QTest>

class tst_StyleFlags : public QObject
{
    Q_OBJECT

private slots:
    void choicesGiveExpressionAndValue_data();
    void choicesGiveExpressionAndValue();
    void everyCombinationAgreesWithItsTerms();
    void tableMarksWhatTheWindowCanShow();
};

void tst_StyleFlags::choicesGiveExpressionAndValue_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("value");

    QTest::newRow("nothing chosen") << 0 << 0 << 1 << false << false << QString() << 0;
    QTest::newRow("question, yes/no")
        << 1 << 2 << 1 << false << false << QStringLiteral("vbQuestion Or vbYesNo") << 36;
    QTest::newRow("yes/no, default 2")
        << 0 << 2 << 2 << false << false << QStringLiteral("vbYesNo Or vbDefaultButton2") << 260;
    QTest::newRow("OK set drops the default button")
        << 2 << 0 << 3 << false << false << QStringLiteral("vbInformation") << 64;
    QTest::newRow("on top alone") << 0 << 0 << 1 << true << false << QStringLiteral("vbSystemModal")
                                  << 4096;
    QTest::newRow("display modes only")
        << 0 << 0 << 2 << true << true << QStringLiteral("vbSystemModal Or vbMsgBoxRight")
        << 528384;
    QTest::newRow("right aligned alone")
        << 0 << 0 << 1 << false << true << QStringLiteral("vbMsgBoxRight") << 524288;
    QTest::newRow("exclamation, retry/cancel, 2, right")
        << 3 << 4 << 2 << false << true
        << QStringLiteral("vbExclamation Or vbRetryCancel Or vbDefaultButton2 Or vbMsgBoxRight")
        << 524597;
    QTest::newRow("everything")
        << 4 << 5 << 3 << true << true
        << QStringLiteral("vbCritical Or vbAbortRetryIgnore Or vbDefaultButton3 Or vbSystemModal"
                          " Or vbMsgBoxRight")
        << 528914;
    QTest::newRow("default beyond the set")
        << 0 << 2 << 3 << false << false << QStringLiteral("vbYesNo Or vbDefaultButton3") << 516;
    QTest::newRow("largest value")
        << 2 << 4 << 3 << true << true
        << QStringLiteral("vbInformation Or vbRetryCancel Or vbDefaultButton3 Or vbSystemModal"
                          " Or vbMsgBoxRight")
        << 528965;
    QTest::newRow("ok/cancel") << 0 << 1 << 1 << false << false << QStringLiteral("vbOKCancel")
                               << 1;
    QTest::newRow("yes/no/cancel, default 3")
        << 0 << 3 << 3 << false << false << QStringLiteral("vbYesNoCancel Or vbDefaultButton3")
        << 515;
}

void tst_StyleFlags::choicesGiveExpressionAndValue()
{
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(bool, onTop);
    QFETCH(bool, right);
    QFETCH(QString, expression);
    QFETCH(int, value);

    const StyleFlags flags = computeStyleFlags({ icon, buttons, defaultButton, onTop, right });
    QCOMPARE(flags.expression, expression);
    QCOMPARE(flags.value, value);
}

// The caption and the tag must always agree: the value is the sum of the
// constants named in the expression, and an empty expression means 0.
void tst_StyleFlags::everyCombinationAgreesWithItsTerms()
{
    const QHash<QString, int> constants {
        { QStringLiteral("vbQuestion"), 32 },
        { QStringLiteral("vbInformation"), 64 },
        { QStringLiteral("vbExclamation"), 48 },
        { QStringLiteral("vbCritical"), 16 },
        { QStringLiteral("vbOKCancel"), 1 },
        { QStringLiteral("vbYesNo"), 4 },
        { QStringLiteral("vbYesNoCancel"), 3 },
        { QStringLiteral("vbRetryCancel"), 5 },
        { QStringLiteral("vbAbortRetryIgnore"), 2 },
        { QStringLiteral("vbDefaultButton2"), 256 },
        { QStringLiteral("vbDefaultButton3"), 512 },
        { QStringLiteral("vbSystemModal"), 4096 },
        { QStringLiteral("vbMsgBoxRight"), 524288 },
    };
    for (int icon = 0; icon < 5; ++icon)
        for (int buttons = 0; buttons < 6; ++buttons)
            for (int def = 1; def <= 3; ++def)
                for (int modes = 0; modes < 4; ++modes) {
                    const StyleFlags flags = computeStyleFlags(
                        { icon, buttons, def, (modes & 1) != 0, (modes & 2) != 0 });
                    int sum = 0;
                    if (!flags.expression.isEmpty()) {
                        const QStringList terms = flags.expression.split(QStringLiteral(" Or "));
                        for (const QString &term : terms) {
                            QVERIFY2(constants.contains(term), qPrintable(term));
                            sum += constants.value(term);
                        }
                    }
                    QCOMPARE(flags.value, sum);
                    QVERIFY(flags.value >= 0 && flags.value <= 528965);
                }
}

// The constants the table marks as not in the options window are exactly
// those that a value read back leaves out. A zero constant changes nothing,
// so it is never left out.
void tst_StyleFlags::tableMarksWhatTheWindowCanShow()
{
    for (const VbConstant &constant : kVbMsgBoxConstants) {
        if (constant.group == VbGroup::Answer || constant.value == 0)
            continue;
        const ChoicesOfValue taken = choicesOfValue(constant.value);
        QVERIFY2(taken.notTakenOver.isEmpty() == constant.inOptionsWindow,
            qPrintable(constant.name.toString()));
    }
}

QTEST_GUILESS_MAIN(tst_StyleFlags)
#include "tst_StyleFlags.moc"
