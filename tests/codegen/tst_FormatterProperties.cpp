#include "ReferenceFormatter.h"
#include "VbStatement.h"

#include "codegen/Formatter.h"

#include <QHash>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

#include <memory>

using namespace codegen;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr quint32 kSeed = 20261207;
constexpr int kCases = 10000;

// Messages built from the pieces that have tripped text formatters before:
// markup look-alikes, runs of blanks and breaks, quotes, over-long words,
// characters beyond ASCII and beyond the BMP.
class MessageMaker
{
public:
    explicit MessageMaker(quint32 seed)
        : m_random(seed)
    { }

    FormatRequest next(int caseIndex)
    {
        FormatRequest request;
        request.message = message();
        request.title = title();
        // Walks through every choice of the options window.
        StyleChoices choices;
        choices.icon = caseIndex % 5;
        choices.buttons = caseIndex / 5 % 6;
        choices.defaultButton = 1 + caseIndex / 30 % 3;
        choices.systemModal = caseIndex / 90 % 2;
        choices.textRight = caseIndex / 180 % 2;
        request.style = choices;
        request.codeWidth = kMinCodeWidth + pick(kMaxCodeWidth - kMinCodeWidth + 1);
        return request;
    }

private:
    int pick(int bound) { return static_cast<int>(m_random.bounded(bound)); }
    bool chance(int percent) { return pick(100) < percent; }

    QString word(int length)
    {
        static const QString letters = u"abcdefghijklmnopqrstuvwxyzÄÖÜäöüßé\t'°&_-.,"_s;
        QString text;
        for (int i = 0; i < length; ++i) {
            if (chance(4))
                text += u"\U0001F600"_s; // a surrogate pair
            else
                text += letters[pick(letters.size())];
        }
        return text;
    }

    QString piece()
    {
        static const QStringList lookAlikes = {
            u"\""_s,
            u"\"\""_s,
            u"\" & \""_s,
            u"°"_s,
            u"\r\n°\r\n"_s,
            u" _"_s,
            u"vbNewline"_s,
            u" & "_s,
            u"        vbNewline"_s,
            u"\r"_s,
            u"\n"_s,
        };
        const int kind = pick(20);
        if (kind < 9)
            return lookAlikes[pick(lookAlikes.size())];
        if (kind == 9)
            return u"\r\n"_s.repeated(1 + pick(chance(5) ? 100 : 4));
        if (kind == 10)
            return QString(2 + pick(chance(10) ? 1100 : 40), u' ');
        if (kind == 11)
            return word(20 + pick(110));
        return (chance(70) ? u" "_s : QString()) + word(1 + pick(12));
    }

    QString message()
    {
        const int pieces = chance(10) ? 40 + pick(160) : pick(30);
        QString text;
        for (int i = 0; i < pieces; ++i)
            text += piece();
        return text;
    }

    QString title()
    {
        static const QStringList fixed
            = { QString(), u"Titelleiste"_s, u"Sag \"Ja\""_s, u"Frage"_s, u"\"\""_s };
        const int kind = pick(8);
        if (kind < 4)
            return fixed[pick(fixed.size())];
        if (kind == 4)
            return QString(pick(3), u'"') + word(pick(30)) + u"\""_s;
        if (kind == 5)
            return word(pick(10)) + (chance(50) ? u"\r"_s : u"\n"_s) + word(pick(10));
        return word(1 + pick(60));
    }

    QRandomGenerator m_random;
};

quint32 seed()
{
    bool ok = false;
    const quint32 fromEnvironment = qEnvironmentVariable("QUILLON_FORMATTER_SEED").toUInt(&ok);
    return ok ? fromEnvironment : kSeed;
}

QString pretty(const QString &text)
{
    const std::unique_ptr<char[]> escaped(QTest::toPrettyUnicode(text));
    return QString::fromLatin1(escaped.get());
}

QString describe(const FormatRequest &request)
{
    return u"width %1, style %2, title %3, message %4"_s.arg(request.codeWidth)
        .arg(computeStyleFlags(request.style).value)
        .arg(pretty(request.title), pretty(request.message));
}

bool namesTitle(const QString &title)
{
    return !title.isEmpty() && title != u"Titelleiste"_s;
}

} // namespace

class tst_FormatterProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void statementSaysWhatTheUserTyped();
    void matchesTheStepByStepFormatter();

private:
    quint32 m_seed = kSeed;
};

void tst_FormatterProperties::initTestCase()
{
    m_seed = seed();
    qInfo("seed %u (set QUILLON_FORMATTER_SEED to replay another)", m_seed);
}

void tst_FormatterProperties::statementSaysWhatTheUserTyped()
{
    MessageMaker maker(m_seed);
    int formatted = 0;
    int refused = 0;
    for (int i = 0; i < kCases; ++i) {
        const FormatRequest request = maker.next(i);
        const FormatResult result = formatMessage(request);
        if (result.outcome == FormatOutcome::EmptyMessage)
            continue;
        if (result.outcome == FormatOutcome::Refused) {
            ++refused;
            continue;
        }
        ++formatted;
        const VbStatement statement = readVbStatement(result.code);
        if (!statement.valid)
            QFAIL(qPrintable(u"case %1: %2 in %3\n%4"_s.arg(i).arg(
                statement.error, result.code, describe(request))));
        QString expected = request.message;
        expected.replace(u'"', u"''"_s);
        if (statement.prompt != expected)
            QFAIL(qPrintable(u"case %1: prompt differs: %2"_s.arg(i).arg(describe(request))));
        QCOMPARE(statement.buttons, computeStyleFlags(request.style).expression);
        QCOMPARE(statement.hasTitle, namesTitle(request.title));
        if (statement.hasTitle)
            QCOMPARE(statement.title, request.title);
        QVERIFY(result.code.endsWith(result.codeTail + u"\r\n"_s));
        // A literal ends with its quote, so " _" before a break is always a
        // continuation.
        QVERIFY(result.code.count(u" _\r\n"_s) <= 24);
    }
    qInfo("%d formatted, %d refused", formatted, refused);
    QVERIFY(formatted > kCases / 2);
    QVERIFY(refused > 0);
}

void tst_FormatterProperties::matchesTheStepByStepFormatter()
{
    MessageMaker maker(m_seed);
    int formatted = 0;
    QHash<QString, int> refusals;
    for (int i = 0; i < kCases; ++i) {
        const FormatRequest request = maker.next(i);
        const FormatResult fast = formatMessage(request);
        const FormatResult plain = reference::formatMessage(request);
        if (plain.outcome == FormatOutcome::Formatted)
            ++formatted;
        else if (plain.outcome == FormatOutcome::Refused)
            ++refusals[plain.refusalMessage];
        const bool same = fast.outcome == plain.outcome && fast.code == plain.code
            && fast.measuringText == plain.measuringText && fast.codeTail == plain.codeTail
            && fast.refusalMessage == plain.refusalMessage;
        if (!same) {
            QCOMPARE(fast.code, plain.code); // shows where the two part
            QFAIL(qPrintable(u"case %1 differs: %2"_s.arg(i).arg(describe(request))));
        }
    }
    qInfo("%d formatted, %d refused for continuations, %d for a long line", formatted,
        refusals.value(continuationLimitMessage()), refusals.value(lineTooLongMessage()));
    QVERIFY(formatted > 0);
    QVERIFY(refusals.value(continuationLimitMessage()) > 0);
    QVERIFY(refusals.value(lineTooLongMessage()) > 0);
}

QTEST_GUILESS_MAIN(tst_FormatterProperties)
#include "tst_FormatterProperties.moc"
