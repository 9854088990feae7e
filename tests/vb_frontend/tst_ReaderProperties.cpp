#include "tests/support/ProcedureMaker.h"
#include "tests/support/ReferenceEvaluator.h"
#include "vb_frontend/VbReader.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace quillon::model;
using namespace quillon::frontend;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kProcedures = 5000;

// Control characters as \xNN, so that a message shows them all.
QString quoted(const QString &text)
{
    QString shown;
    for (const QChar c : text)
        shown += c.unicode() < 0x20 ? u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'))
                                    : QString(c);
    return u'"' + shown + u'"';
}

QString described(const reference::ArgumentValue &value)
{
    return value.known ? quoted(value.text) : u"unknown"_s;
}

// The reader may keep an expression where the reference knows the text only
// by following variables; never may it give a text the reference does not
// know, or another text.
QString disagreement(
    const QString &what, const reference::ArgumentValue &expected, const MessageParts &read)
{
    const bool kept = std::any_of(
        read.begin(), read.end(), [](const MessagePart &part) { return part.isExpression(); });
    const QString readShown = (kept ? u"the expression "_s : QString()) + quoted(shownText(read));
    const QString both
        = what + u": the reference gives "_s + described(expected) + u", the reader "_s + readShown;
    if (!expected.known)
        return kept ? QString() : both;
    if (kept)
        return expected.throughVariables ? QString() : both;
    return shownText(read) == expected.text ? QString() : both;
}

QString disagreement(const QString &code)
{
    const reference::ReferenceCall expected = reference::firstMsgBox(code);
    const VbReadResult read = readMsgBox(code, Dialect::Vb6, VbReading::FixedValues);
    if (!expected.found)
        return u"the reference finds no call"_s;
    if (!read.found())
        return u"the reader finds no call: "_s + read.error();
    QString found = disagreement(u"prompt"_s, expected.prompt, read->prompt);
    if (found.isEmpty() && expected.hasTitle)
        found = disagreement(u"title"_s, expected.title, read->titleParts);
    if (found.isEmpty() && !expected.hasTitle && read->hasTitle)
        found = u"title: the reference finds none, the reader "_s + shownText(read->titleParts);
    return found;
}

// A refusal names where it stopped, which moves as lines go.
QString withoutPlace(QString found)
{
    static const QRegularExpression kPlace(u"Zeile \\d+, Spalte \\d+: "_s);
    return found.remove(kPlace);
}

// The procedure with as many of its lines left out as still disagree in
// the same way; a line continued goes with its continuation.
QString shrunk(const QString &code, const QString &found)
{
    QStringList lines;
    bool continued = false;
    for (const QString &line : code.split(u"\r\n"_s)) {
        if (continued)
            lines.last() += u"\r\n"_s + line;
        else
            lines.append(line);
        continued = line.endsWith(u" _"_s);
    }
    for (qsizetype before = -1; before != lines.size();) {
        before = lines.size();
        for (qsizetype i = lines.size() - 1; i >= 0; --i) {
            QStringList fewer = lines;
            fewer.removeAt(i);
            if (withoutPlace(disagreement(fewer.join(u"\r\n"_s))) == withoutPlace(found))
                lines = fewer;
        }
    }
    return lines.join(u"\r\n"_s);
}

QSet<QString> leftOutConstructs()
{
    const QString names = qEnvironmentVariable("QUILLON_PROCEDURES_WITHOUT");
    const QStringList list = names.split(u',', Qt::SkipEmptyParts);
    return QSet<QString>(list.begin(), list.end());
}

} // namespace

class tst_ReaderProperties : public QObject
{
    Q_OBJECT

private slots:
    void referenceAndReaderAgree_data();
    void referenceAndReaderAgree();
    void readerAgreesOnRandomProcedures();
};

// What VB shows for each, as its language reference has it; the reader must
// agree with the reference on these as on random procedures.
void tst_ReaderProperties::referenceAndReaderAgree_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prompt"); // "?" for unknown

    QTest::newRow("a variable within its own reassignment")
        << u"s = \"abc\"\r\ns = s & String(2, s)\r\nMsgBox s"_s << u"abcaa"_s;
    QTest::newRow("a bracketed character code")
        << u"MsgBox \"x\" & String(2, (97)) & Chr((65)) & Space((2))"_s << u"xaaA  "_s;
    QTest::newRow("character codes count modulo 256") << u"MsgBox String(2, 321)"_s << u"AA"_s;
    QTest::newRow("whole numbers, &H as Integer unless typed Long")
        << u"MsgBox 12 & &HFFFF & &H8000& & ChrW(&HFFFF) & -5"_s << u"12-132768\uFFFF-5"_s;
    QTest::newRow("every vb string constant")
        << u"MsgBox vbCr & vbLf & vbCrLf & vbNewLine & vbTab & vbBack & vbNullChar & vbNullString"
           " & vbFormFeed & vbVerticalTab & VBA.Constants.vbCr & VBA.vbLf"_s
        << u"\r\n\r\n\r\n\t\b"_s + QChar(0) + u"\f\v\r\n"_s;
    QTest::newRow("s and s$ are one variable")
        << u"Dim s As String: s = \"a\": s$ = \"b\": MsgBox s"_s << u"b"_s;
    QTest::newRow("all after Then is conditional")
        << u"s = \"x\"\r\nIf c Then t = \"b\": u = 1: s = \"a\"\r\nMsgBox s"_s << u"?"_s;
    QTest::newRow("a value does not carry into the next procedure")
        << u"Sub Helper(): strText = \"von Helper\": End Sub\r\nSub Test(): MsgBox strText\r\nEnd Sub"_s
        << u"?"_s;
    QTest::newRow("the first call, however qualified")
        << u"VBA.Interaction.MsgBox \"Erster\"\r\nMsgBox \"Zweiter\""_s << u"Erster"_s;
    QTest::newRow("a value before a label") << u"s = \"a\"\r\nWeiter:\r\nMsgBox s"_s << u"?"_s;
    QTest::newRow("a value before a line number") << u"s = \"a\"\r\n100 MsgBox s"_s << u"?"_s;
    QTest::newRow("a bracketed prompt after a line number")
        << u"560 MsgBox (\"a\") & \"b\", , \"T\""_s << u"ab"_s;
    QTest::newRow("a variable handed to a procedure") << u"s = \"a\": Foo s: MsgBox s"_s << u"?"_s;
    QTest::newRow("a function handed a variable") << u"s = \"a\": x = Foo(s): MsgBox s"_s << u"?"_s;
    QTest::newRow("what a later round of the loop gives")
        << u"s = \"a\"\r\nDo\r\n  MsgBox s\r\n  s = \"b\"\r\nLoop Until x"_s << u"?"_s;
    QTest::newRow("a With closed within an If")
        << u"s = \"a\"\r\nIf x Then\r\n  With Me\r\n  End With\r\n  s = \"b\"\r\nEnd If\r\nMsgBox s"_s
        << u"?"_s;
    QTest::newRow("a loop that leaves the variable be")
        << u"s = \"a\"\r\nDo While x\r\n  MsgBox s: Foo (s)\r\nLoop"_s << u"a"_s;
    QTest::newRow("what a block may have changed")
        << u"s = \"a\"\r\nFor i = 1 To 2\r\n  With Me\r\n    s = \"b\"\r\n  End With\r\nNext\r\nMsgBox s"_s
        << u"?"_s;
}

void tst_ReaderProperties::referenceAndReaderAgree()
{
    QFETCH(QString, code);
    QFETCH(QString, prompt);
    const reference::ReferenceCall expected = reference::firstMsgBox(code);
    QVERIFY(expected.found);
    QCOMPARE(described(expected.prompt), prompt == u"?" ? u"unknown"_s : quoted(prompt));
    const QString found = disagreement(code);
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

// QUILLON_PROCEDURES_WITHOUT=labels,blocks,... leaves constructs out, to
// tell which one a disagreement comes from; QUILLON_PROCEDURES_SEED=n makes
// another set of procedures.
void tst_ReaderProperties::readerAgreesOnRandomProcedures()
{
    const QSet<QString> leftOut = leftOutConstructs();
    for (const QString &name : leftOut)
        QVERIFY2(
            ProcedureMaker::constructs().contains(name), qPrintable(u"no construct "_s + name));
    bool seeded = false;
    const quint32 seed = qEnvironmentVariable("QUILLON_PROCEDURES_SEED").toUInt(&seeded);
    SeededChoices choices(seeded ? seed : 20261209);
    ProcedureMaker maker(choices, leftOut);
    int disagreements = 0;
    QString first;
    for (int n = 0; n < kProcedures; ++n) {
        const QString code = maker.procedure();
        const QString found = disagreement(code);
        if (found.isEmpty())
            continue;
        if (disagreements++ == 0)
            first = u"\n%1\n--- shrunk:\n%2\n--- %3"_s.arg(code, shrunk(code, found), found)
                        .replace(u"\r\n"_s, u"\n"_s);
    }
    QVERIFY2(disagreements == 0,
        qPrintable(
            u"%1 of %2 procedures read otherwise; the first:"_s.arg(disagreements).arg(kProcedures)
            + first));
}

QTEST_APPLESS_MAIN(tst_ReaderProperties)
#include "tst_ReaderProperties.moc"
