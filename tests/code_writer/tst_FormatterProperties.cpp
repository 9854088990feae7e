#include "code_writer/Formatter.h"
#include "code_writer/Reformat.h"
#include "tests/support/MessageMaker.h"
#include "tests/support/ReferenceFormatter.h"
#include "vb_frontend/VbReader.h"
#include "vb_model/Dialect.h"
#include "vb_model/VbConstants.h"

#include <QHash>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace quillon::model;
using namespace quillon::frontend;
using namespace quillon::writer;
using namespace Qt::Literals::StringLiterals;

namespace {

// The reader's error, where it found no call.
QString errorOf(const VbReadResult &read)
{
    return read.found() ? QString() : read.error();
}

constexpr quint32 kSeed = 20261207;
constexpr int kCases = 10000;

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

} // namespace

class tst_FormatterProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void statementSaysWhatTheUserTyped();
    void everyCodeFormReadsBack();
    void matchesTheStepByStepFormatter();
    void readCallsWriteBackWhatTheyHeld();
    void callsWrittenInTheirPlaceKeepToTheWidth();
    void everyOtherLayoutKeepsToTheWidth();

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
    SeededChoices choices(m_seed);
    MessageMaker maker(choices);
    int formatted = 0;
    int refused = 0;
    for (int i = 0; i < kCases; ++i) {
        const FormatRequest request = maker.request();
        const FormatResult result = formatMessage(request);
        if (result.outcome == FormatOutcome::EmptyMessage)
            continue;
        if (result.outcome == FormatOutcome::Refused) {
            ++refused;
            continue;
        }
        ++formatted;
        const VbReadResult read = readMsgBox(result.code, request.dialect);
        if (!read.found() || read->moreCalls)
            QFAIL(qPrintable(u"case %1: %2 in %3\n%4"_s.arg(i).arg(
                errorOf(read), result.code, describe(request))));
        QString expected = request.message;
        expected.replace(u'"', u"''"_s);
        if (read->message != expected)
            QFAIL(qPrintable(u"case %1: prompt differs: %2"_s.arg(i).arg(describe(request))));
        const StyleFlags flags = computeStyleFlags(request.style);
        QCOMPARE(computeStyleFlags(read->choices).expression, flags.expression);
        QVERIFY(read->notTakenOver.isEmpty());
        QCOMPARE(read->form, CodeForm::Statement);
        QVERIFY(result.codeTail.contains(flags.expression));
        QCOMPARE(read->hasTitle, quillon::writer::hasTitle(request.title));
        QCOMPARE(read->title, read->hasTitle ? request.title : QString());
        QVERIFY(result.code.endsWith(result.codeTail + u"\r\n"_s));
        // A literal ends with its quote, so " _" before a break is always a
        // continuation.
        QVERIFY(result.code.count(u" _\r\n"_s) <= 24);
        const QStringList lines = result.code.split(u"\r\n"_s);
        QVERIFY(std::all_of(
            lines.begin(), lines.end(), [](const QString &line) { return line.size() <= 1023; }));
    }
    qInfo("%d formatted, %d refused", formatted, refused);
    QVERIFY(formatted > kCases / 2);
    QVERIFY(refused > 0);
}

// The same requests in each code form in turn: the reader finds the one call
// and its form; If with other than two buttons is written as Select.
void tst_FormatterProperties::everyCodeFormReadsBack()
{
    SeededChoices choices(m_seed);
    MessageMaker maker(choices);
    for (int i = 0; i < kCases; ++i) {
        FormatRequest request = maker.request();
        request.form = CodeForm(i % 5);
        const FormatResult result = formatMessage(request);
        if (result.outcome != FormatOutcome::Formatted)
            continue;
        const VbReadResult read = readMsgBox(result.code, request.dialect);
        const StyleFlags flags = computeStyleFlags(request.style);
        const bool twoButtons = answersOf(flags.value).size() == 2;
        const CodeForm expectedForm
            = request.form == CodeForm::If && !twoButtons ? CodeForm::Select : request.form;
        QString expected = request.message;
        expected.replace(u'"', u"''"_s);
        const bool same = read.found() && !read->moreCalls && read->form == expectedForm
            && read->message == expected
            && computeStyleFlags(read->choices).expression == flags.expression
            && read->hasTitle == quillon::writer::hasTitle(request.title)
            && read->title == (read->hasTitle ? request.title : QString());
        if (!same)
            QFAIL(qPrintable(u"case %1: %2 in %3\n%4"_s.arg(i).arg(
                errorOf(read), result.code, describe(request))));
    }
}

void tst_FormatterProperties::matchesTheStepByStepFormatter()
{
    SeededChoices choices(m_seed);
    MessageMaker maker(choices);
    int formatted = 0;
    QHash<QString, int> refusals;
    for (int i = 0; i < kCases; ++i) {
        const FormatRequest request = maker.request();
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

namespace {

QString describe(const MessageParts &parts)
{
    QStringList shown;
    for (const MessagePart &part : parts)
        shown << (part.isExpression() ? u'{' + part.text + u'}' : pretty(part.text));
    return shown.join(u" & "_s);
}

} // namespace

// Calls as read from code, with run-time values, in every form: written
// anew, the reader finds the same parts, title, buttons and trailing
// statements, so no expression was split or lost.
void tst_FormatterProperties::readCallsWriteBackWhatTheyHeld()
{
    SeededChoices choices(m_seed);
    MessageMaker maker(choices);
    int formatted = 0;
    for (int i = 0; i < kCases; ++i) {
        FormatRequest request = maker.requestWithExpressions();
        request.form = CodeForm(i % 5);
        const FormatResult result = formatMessage(request);
        if (result.outcome != FormatOutcome::Formatted)
            continue;
        ++formatted;
        const VbReadResult read = readMsgBox(result.code, request.dialect);
        const bool same = read.found() && !read->moreCalls
            && read->prompt == readerView(request.parts)
            && read->titleParts == readerViewOfTitle(request)
            && read->buttonsExpression == request.buttonsExpression
            && read->trailing == request.trailing;
        if (!same)
            QFAIL(qPrintable(u"case %1: %2 in\n%3\nwritten from %4\nread as %5"_s.arg(i).arg(
                errorOf(read), result.code, describe(request.parts),
                read.found() ? describe(read->prompt) : QString())));

        // Written anew in its place at another width, as --reformat writes
        // it, it holds the same in the same form, the code around it kept.
        FormatRequest anew = requestToWriteAnew(read.call());
        anew.codeWidth = kMinCodeWidth + (request.codeWidth + 17) % (kMaxCodeWidth - kMinCodeWidth);
        const FormatResult inPlace = formatInPlace(read.call(), anew);
        if (inPlace.outcome != FormatOutcome::Formatted)
            continue;
        const VbReadResult reread = readMsgBox(inPlace.code, anew.dialect);
        if (!reread.found() || reread->prompt != read->prompt || reread->form != read->form
            || reread->titleParts != read->titleParts || reread->trailing != read->trailing
            || !inPlace.code.startsWith(read->place.before)
            || !inPlace.code.endsWith(read->place.after))
            QFAIL(qPrintable(u"case %1: written anew in its place\n%2\nfrom\n%3"_s.arg(i).arg(
                inPlace.code, result.code)));
    }
    QVERIFY(formatted > kCases / 2);
}

namespace {

// The form's code as a program holds it: further in, the call qualified, or
// after a line number where the call's statement takes one.
QString placedInAProgram(const QString &formCode, int variant, Dialect dialect)
{
    QStringList lines = formCode.split(u"\r\n"_s);
    const QString indentation
        = QStringList { u""_s, u"    "_s, u"\t"_s, u"        "_s }[variant % 4];
    for (QString &line : lines) {
        if (!line.isEmpty())
            line.prepend(indentation);
    }
    for (QString &line : lines) {
        const QString statement = line.sliced(indentation.size());
        const bool opensTheCall = statement.endsWith(u"MsgBox _"_s)
            || statement.endsWith(u"MsgBox( _"_s) || statement.endsWith(u"MsgBox("_s);
        if (!opensTheCall)
            continue;
        if (variant % 3 != 0 && dialect == Dialect::Vb6)
            line.insert(line.indexOf(u"MsgBox"_s), variant % 3 == 1 ? u"VBA."_s : u"vba."_s);
        if (variant % 5 == 0 && !statement.startsWith(u"    MsgBox"_s))
            line.prepend(u"50010 "_s);
        break;
    }
    return lines.join(u"\r\n"_s);
}

// How many terms the line's code holds outside literals and parentheses, its
// commas, joins and the flags' Or counted. A run of line breaks shares one
// line of vbNewline words, however long, and counts as one term.
int termsOn(const QString &codeLine)
{
    const QString withoutRuns = QString(codeLine).replace(u"vbNewline & "_s, QString());
    QStringView line = QStringView(withoutRuns).trimmed();
    for (const QStringView end : { u" & _", u" _", u")" }) {
        if (line.endsWith(end))
            line.chop(end.size());
    }
    // The empty buttons argument goes on the title's line.
    while (line.startsWith(u", "))
        line = line.sliced(2);
    int terms = 1;
    int depth = 0;
    bool inLiteral = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            inLiteral = !inLiteral;
        else if (!inLiteral)
            depth += (line[i] == u'(') - (line[i] == u')');
        const QStringView rest = line.sliced(i);
        const bool separates = rest.startsWith(u" & ") || rest.startsWith(u", ")
            || rest.startsWith(u" + ") || rest.startsWith(u" Or ");
        terms += !inLiteral && depth == 0 && separates;
    }
    return terms;
}

// The lines the call was written on, less its opening line and what stood
// behind it on its last.
QStringList linesLaidOut(const QString &code, const VbCallPlace &place)
{
    QString call
        = code.sliced(place.before.size(), code.size() - place.before.size() - place.after.size());
    call.chop(place.rest.size() + 2);
    return call.split(u"\r\n"_s).mid(1);
}

// The first line longer than the width that holds more than one term, which
// could have been broken; empty where there is none.
QString overlongLine(const QStringList &lines, int codeWidth)
{
    for (const QString &line : lines) {
        if (line.size() > codeWidth && termsOn(line) > 1)
            return line;
    }
    return {};
}

bool usesEveryContinuation(const QStringList &lines, Dialect dialect)
{
    const int limit = rulesOf(dialect).continuationLimit;
    const auto continues = [](const QString &line) { return line.endsWith(u" _"_s); };
    return limit > 0 && std::count_if(lines.cbegin(), lines.cend(), continues) + 1 >= limit;
}

} // namespace

// Calls that real programs hold, read and written anew in their place at
// another width: every line keeps to the width, but for a single term longer
// than a line, and reads back as it was, buttons value, HelpFile and Context,
// and qualifier included.
void tst_FormatterProperties::callsWrittenInTheirPlaceKeepToTheWidth()
{
    SeededChoices choices(m_seed);
    MessageMaker maker(choices);
    int checked = 0;
    for (int i = 0; i < kCases; ++i) {
        FormatRequest request = maker.requestWithExpressions();
        request.form = CodeForm(i % 4);
        // VBScript takes none of the run-time values' type characters.
        request.dialect = QList { Dialect::Vb6, Dialect::VbNet, Dialect::TwinBasic }[i / 4 % 3];
        if (i % 3 == 0)
            request.namedArguments = { u"HelpFile:=App.HelpFile"_s, u"Context:=Err.HelpContext"_s };
        if (i % 7 == 0)
            request.buttonsExpression = u"vbCritical Or vbDefaultButton3"_s;
        const FormatResult result = formatMessage(request);
        if (result.outcome != FormatOutcome::Formatted)
            continue;
        const QString program = placedInAProgram(result.code, i / 4, request.dialect);
        const VbReadResult read = readMsgBox(program, request.dialect);
        if (!read.found())
            QFAIL(qPrintable(u"case %1: %2 in\n%3"_s.arg(i).arg(errorOf(read), program)));
        FormatRequest anew = requestToWriteAnew(read.call());
        anew.codeWidth = maker.codeWidth();
        anew.dialect = request.dialect;
        const FormatResult inPlace = formatInPlace(read.call(), anew);
        if (inPlace.outcome != FormatOutcome::Formatted)
            continue;
        ++checked;
        const VbReadResult reread = readMsgBox(inPlace.code, anew.dialect);
        const VbCallPlace &place = read->place;
        if (!reread.found() || reread->prompt != read->prompt || reread->form != read->form
            || reread->titleParts != read->titleParts || reread->choices != read->choices
            || reread->buttonsExpression != read->buttonsExpression
            || reread->place.buttons != place.buttons
            || reread->place.helpArguments != place.helpArguments
            || reread->place.qualifier != place.qualifier)
            QFAIL(qPrintable(u"case %1: written anew in its place\n%2\nfrom\n%3"_s.arg(i).arg(
                inPlace.code, program)));
        // With every continuation used, the arguments go behind the last line.
        QStringList lines = linesLaidOut(inPlace.code, place);
        if (usesEveryContinuation(lines, anew.dialect))
            lines.removeLast();
        if (const QString line = overlongLine(lines, anew.codeWidth); !line.isEmpty())
            QFAIL(qPrintable(u"case %1: a line of %2 at width %3\n%4\nfrom\n%5"_s.arg(i)
                                 .arg(line.size())
                                 .arg(anew.codeWidth)
                                 .arg(pretty(line), program)));
    }
    QVERIFY(checked > kCases / 2);
}

// Messages typed or taken over, in every dialect and form: only the classic
// VB6 statement, whose layout the step-by-step formatter shows, lets its
// joined lines, flags and title pass the width.
void tst_FormatterProperties::everyOtherLayoutKeepsToTheWidth()
{
    SeededChoices choices(m_seed);
    MessageMaker maker(choices);
    int checked = 0;
    for (int i = 0; i < kCases; ++i) {
        FormatRequest request = i % 2 == 0 ? maker.request() : maker.requestWithExpressions();
        request.trailing.clear();
        request.dialect = Dialect(i / 2 % 4);
        request.form = CodeForm(i / 8 % 5);
        // Fixed text alone, typed or taken over, is a message as typed.
        const bool typedText = std::none_of(request.parts.cbegin(), request.parts.cend(),
            [](const MessagePart &part) { return part.isExpression(); });
        const bool classic = request.dialect == Dialect::Vb6 && request.form == CodeForm::Statement
            && typedText && request.titleParts.isEmpty() && request.buttonsExpression.isEmpty()
            && request.namedArguments.isEmpty();
        const FormatResult result = formatMessage(request);
        if (classic || result.outcome != FormatOutcome::Formatted)
            continue;
        const QStringList lines = result.code.split(u"\r\n"_s);
        if (usesEveryContinuation(lines, request.dialect))
            continue;
        ++checked;
        if (const QString line = overlongLine(lines, request.codeWidth); !line.isEmpty())
            QFAIL(qPrintable(u"case %1: a line of %2 at width %3\n%4\nin\n%5"_s.arg(i)
                                 .arg(line.size())
                                 .arg(request.codeWidth)
                                 .arg(pretty(line), result.code)));
    }
    QVERIFY(checked > kCases / 4);
}

QTEST_GUILESS_MAIN(tst_FormatterProperties)
#include "tst_FormatterProperties.moc"
