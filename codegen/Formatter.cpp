#include "codegen/Formatter.h"

#include "codegen/TextBoxLines.h"

#include <QList>
#include <QStringView>

#include <algorithm>

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QStringView kCrLf = u"\r\n";
constexpr QStringView kQuote = u"\"";
constexpr QStringView kIndent = u"        ";
constexpr QStringView kStatementLine = u"    MsgBox _";
constexpr QStringView kContinuation = u" _";
constexpr QStringView kNewline = u"vbNewline";
constexpr QStringView kNewlineJoiner = u" & vbNewline";
constexpr QStringView kPieceJoiner = u" & _";
constexpr QStringView kLiteralSeam = u"\" & \"";
constexpr QStringView kNoTitle = u"Titelleiste";

// Two neighbouring lines are joined when their lengths add up to less than
// the code width plus the markup that a join removes.
constexpr qsizetype kJoinAllowance = 16;
constexpr int kContinuationLimit = 24;
// VB refuses a longer physical line.
constexpr qsizetype kMaxCodeLineLength = 1023;

// A message quote becomes two apostrophes in the code, so after that step a
// quote can only be markup. A line holding a lone quote therefore marks a
// line break that no typed text can imitate.
constexpr QChar kLineBreakMark = u'"';

QString doubledToApostrophes(const QString &message)
{
    QString text = message;
    return text.replace(u'"', u"''"_s);
}

QString preparedForMeasuring(const QString &apostrophed)
{
    QString text = apostrophed;
    return text.replace(kCrLf.toString(), kCrLf % kLineBreakMark % kCrLf);
}

// One piece of the prompt before joining: a wrapped line of the message, or a
// line break of it.
struct PromptPiece
{
    QStringView text; // empty for a line break
    bool isLineBreak = false;
};

// Empty wrapped lines carry nothing and are dropped.
QList<PromptPiece> promptPieces(QStringView apostrophed, qsizetype charsPerLine)
{
    QList<PromptPiece> pieces;
    qsizetype paragraphStart = 0;
    for (;;) {
        qsizetype paragraphEnd = apostrophed.indexOf(kCrLf, paragraphStart);
        const bool isLast = paragraphEnd < 0;
        if (isLast)
            paragraphEnd = apostrophed.size();
        QStringView rest = apostrophed.sliced(paragraphStart, paragraphEnd - paragraphStart);
        while (!rest.isEmpty()) {
            const qsizetype length = firstWrappedLineLength(rest, charsPerLine);
            pieces.append({rest.first(length), false});
            rest = rest.sliced(length);
        }
        if (isLast)
            return pieces;
        pieces.append({{}, true});
        paragraphStart = paragraphEnd + kCrLf.size();
    }
}

QString literalLine(QStringView piece)
{
    return kIndent % kQuote % piece % kQuote;
}

QString lineBreaksLine(qsizetype count)
{
    QString line;
    line.reserve(kIndent.size() + kNewline.size() + (count - 1) * kNewlineJoiner.size());
    line += kIndent;
    line += kNewline;
    for (qsizetype i = 1; i < count; ++i)
        line += kNewlineJoiner;
    return line;
}

// Every wrapped line becomes a literal of its own. Line breaks in a row share
// one line of vbNewline words, except a last one, which stands alone.
QList<QString> unjoinedPromptLines(const QList<PromptPiece> &pieces)
{
    QList<QString> lines;
    lines.reserve(pieces.size());
    qsizetype i = 0;
    while (i < pieces.size()) {
        if (!pieces[i].isLineBreak) {
            lines.append(literalLine(pieces[i].text));
            ++i;
            continue;
        }
        qsizetype runEnd = i;
        while (runEnd < pieces.size() && pieces[runEnd].isLineBreak)
            ++runEnd;
        const bool runEndsPrompt = runEnd == pieces.size();
        const qsizetype run = runEnd - i;
        if (run > 1 || !runEndsPrompt)
            lines.append(lineBreaksLine(runEndsPrompt ? run - 1 : run));
        if (runEndsPrompt)
            lines.append(lineBreaksLine(1));
        i = runEnd;
    }
    for (qsizetype k = 0; k + 1 < lines.size(); ++k)
        lines[k] += kPieceJoiner;
    return lines;
}

bool fitTogether(const QString &upper, const QString &lower, int codeWidth)
{
    return upper.size() + lower.size() - kJoinAllowance < codeWidth;
}

// The upper line loses only its continuation and the lower line only its
// indentation, so the user's text is never touched. Where a literal meets a
// literal the two become one.
void appendJoined(QString &upper, const QString &lower)
{
    if (upper.endsWith(kContinuation))
        upper.chop(kContinuation.size());
    const qsizetype seam = upper.size();
    upper += u' ';
    upper += QStringView(lower).sliced(kIndent.size());
    if (QStringView(upper).sliced(seam - 3).startsWith(kLiteralSeam))
        upper.remove(seam - 3, kLiteralSeam.size());
}

// The first pair of neighbours below the statement line whose lengths pass
// the test is joined, again and again, until no pair passes. A joined line
// can pass with the line above it, so each new line is tried against the
// settled lines from the bottom up.
QList<QString> joinedCodeLines(const QList<QString> &promptLines, int codeWidth)
{
    QList<QString> lines;
    lines.reserve(promptLines.size() + 1);
    lines.append(kStatementLine.toString());
    for (const QString &line : promptLines) {
        lines.append(line);
        while (lines.size() > 2 && fitTogether(lines[lines.size() - 2], lines.last(), codeWidth)) {
            const QString lower = lines.takeLast();
            appendJoined(lines.last(), lower);
        }
    }
    return lines;
}

QString joinedWithBreaks(const QList<QString> &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + kCrLf.size();
    QString code;
    code.reserve(size);
    for (const QString &line : lines) {
        code += line;
        code += kCrLf;
    }
    return code;
}

bool hasTitle(const QString &title)
{
    return !title.isEmpty() && title != kNoTitle;
}

// VB's own escape: a doubled quote stands for one.
QString escapedForLiteral(const QString &title)
{
    QString escaped = title;
    return escaped.replace(u'"', u"\"\""_s);
}

QStringView lastLine(const QString &code)
{
    const qsizetype lastBreak = code.lastIndexOf(kCrLf);
    return lastBreak < 0 ? QStringView(code) : QStringView(code).sliced(lastBreak + 2);
}

// The buttons argument, then the title argument, each on a continuation line
// of its own while continuations are left, otherwise behind the last line.
QString argumentsTail(const QString &code, const FormatRequest &request, qsizetype continuations)
{
    const bool hasFlags = request.styleValue > 0;
    QString tail;
    if (hasFlags) {
        if (continuations < kContinuationLimit) {
            tail = kContinuation % kCrLf % kIndent % u", " % request.flagsExpression;
            ++continuations;
        } else {
            tail = u", " % request.flagsExpression;
        }
    }
    if (!hasTitle(request.title))
        return tail;
    if (!hasFlags)
        tail += u", ";
    const QString title = escapedForLiteral(request.title);
    const qsizetype lineBefore
        = tail.contains(kCrLf) ? lastLine(tail).size() : lastLine(code).size() + tail.size();
    const bool titleFits = title.size() + lineBefore + 2 <= request.codeWidth;
    if (continuations < kContinuationLimit && (!titleFits || !hasFlags))
        tail += kContinuation % kCrLf % kIndent % u", " % kQuote % title % kQuote;
    else
        tail += u", " % kQuote % title % kQuote;
    return tail;
}

bool hasOverlongLine(QStringView code)
{
    qsizetype lineStart = 0;
    for (;;) {
        const qsizetype lineEnd = code.indexOf(kCrLf, lineStart);
        if (lineEnd < 0)
            return code.size() - lineStart > kMaxCodeLineLength;
        if (lineEnd - lineStart > kMaxCodeLineLength)
            return true;
        lineStart = lineEnd + kCrLf.size();
    }
}

FormatResult refused(QString code, QString measuringText, QString message)
{
    FormatResult result;
    result.outcome = FormatOutcome::Refused;
    result.code = std::move(code);
    result.measuringText = std::move(measuringText);
    result.refusalMessage = std::move(message);
    return result;
}

} // namespace

QString continuationLimitMessage()
{
    return u"Zu viele Zeilenfortsetzungszeichen !\r\n\r\n"
           u"Vergrössern Sie die ''VB-Code-Textbreite'' oder kürzen Sie den Text !"_s;
}

QString lineTooLongMessage()
{
    return u"Zeile zu lang !\r\n\r\n"
           u"Eine Zeile des VB-Codes hätte mehr als 1023 Zeichen. "
           u"Kürzen Sie den Titel oder lange Folgen von Leerzeilen und Leerzeichen im Text !"_s;
}

FormatResult formatMessage(const FormatRequest &request)
{
    if (request.message.isEmpty())
        return {FormatOutcome::EmptyMessage, {}, {}, {}, {}};

    FormatRequest clamped = request;
    clamped.codeWidth = std::clamp(request.codeWidth, kMinCodeWidth, kMaxCodeWidth);
    const QString apostrophed = doubledToApostrophes(request.message);
    QString measuringText = preparedForMeasuring(apostrophed);

    const QList<PromptPiece> pieces
        = promptPieces(apostrophed, charsPerLineForCodeWidth(clamped.codeWidth));
    const QList<QString> lines = joinedCodeLines(unjoinedPromptLines(pieces), clamped.codeWidth);
    QString code = joinedWithBreaks(lines);

    // Every line but the last ends with a continuation.
    const qsizetype continuations = lines.size() - 1;
    if (continuations > kContinuationLimit)
        return refused(code, measuringText, continuationLimitMessage());

    const QString prompt = code.chopped(kCrLf.size());
    const QString tail = argumentsTail(prompt, clamped, continuations);
    QString finished = prompt % tail % kCrLf;
    if (hasOverlongLine(finished))
        return refused(code, measuringText, lineTooLongMessage());

    return {FormatOutcome::Formatted, std::move(finished), std::move(measuringText), tail, {}};
}

} // namespace codegen
