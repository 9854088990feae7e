#include "code_writer/Formatter.h"

#include "code_writer/TextBoxLines.h"
#include "vb_frontend/VbLexer.h"
#include "vb_model/VbConstants.h"

#include <QList>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <utility>

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QStringView kCrLf = u"\r\n";
constexpr QStringView kQuote = u"\"";
constexpr QStringView kIndent = u"        ";
constexpr QStringView kAmpersand = u" & ";
constexpr QStringView kLiteralSeam = u"\" & \"";

// Room for the lines around the prompt and the arguments; only a long title
// makes the code buffer grow once more.
constexpr qsizetype kFrameAllowance = 256;

// Two neighbouring lines are joined when their lengths, less this allowance,
// add up to less than the code width.
constexpr qsizetype kJoinAllowance = 16;
// However far in a call stands, its prompt lines keep room for some text.
constexpr int kNarrowestLayout = kMinCodeWidth / 2;
// VB refuses a longer physical line.
constexpr qsizetype kMaxCodeLineLength = 1023;

// A message quote becomes two apostrophes in the code, so after that step a
// quote can only be markup: a line holding a lone quote marks a line break
// that no typed text can imitate.
constexpr QChar kLineBreakMark = u'"';

// Text written front to back into a buffer of about the right size, without
// a reallocation per piece.
class CodeBuffer
{
public:
    explicit CodeBuffer(qsizetype expectedSize)
        : m_text(expectedSize, Qt::Uninitialized)
        , m_data(m_text.data())
    { }

    CodeBuffer &operator+=(QStringView part)
    {
        if (m_used + part.size() > m_text.size()) {
            m_text.resize(std::max(2 * m_text.size(), m_used + part.size()));
            m_data = m_text.data();
        }
        std::copy(part.begin(), part.end(), m_data + m_used);
        m_used += part.size();
        return *this;
    }

    qsizetype size() const { return m_used; }
    QStringView view() const { return QStringView(m_data, m_used); }
    void chop(qsizetype count) { m_used -= count; }

    QString take()
    {
        m_text.truncate(m_used);
        return std::move(m_text);
    }

private:
    QString m_text;
    QChar *m_data;
    qsizetype m_used = 0;
};

// Quotes become two apostrophes, or in exact text the doubled quote of VB,
// and every line break gets a line of its own that holds only the
// line-break mark.
void prepareForMeasuring(CodeBuffer &text, QStringView all, bool exact)
{
    const QStringView quote = exact ? QStringView(u"\"\"") : QStringView(u"''");
    qsizetype copied = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == u'"') {
            text += all.sliced(copied, i - copied);
            text += quote;
            copied = i + 1;
        } else if (all[i] == u'\r' && i + 1 < all.size() && all[i + 1] == u'\n') {
            text += all.sliced(copied, i - copied);
            text += kCrLf;
            text += QStringView(&kLineBreakMark, 1);
            text += kCrLf;
            copied = i + kCrLf.size();
            ++i;
        }
    }
    text += all.sliced(copied);
}

// A CR or LF that is not a line break of the message cannot stand inside a VB
// literal; it goes into the code as a constant between literals.
bool isLoneBreakCharacter(QChar c)
{
    return c == u'\r' || c == u'\n';
}

QStringView constantFor(QChar loneBreakCharacter)
{
    return loneBreakCharacter == u'\r' ? QStringView(u"vbCr") : QStringView(u"vbLf");
}

// Writes the pieces of one code line: literals, and words such as vbNewline,
// joined by " & ". Literals that meet become one.
class LineWriter
{
public:
    explicit LineWriter(CodeBuffer &code)
        : m_code(code)
    { }

    void text(QStringView text)
    {
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!isLoneBreakCharacter(text[i]))
                continue;
            literal(text.sliced(runStart, i - runStart));
            word(constantFor(text[i]));
            runStart = i + 1;
        }
        literal(text.sliced(runStart));
    }

    void word(QStringView word)
    {
        closeLiteral();
        separate();
        m_code += word;
    }

    void end() { closeLiteral(); }

private:
    void literal(QStringView text)
    {
        if (text.isEmpty())
            return;
        if (!m_inLiteral) {
            separate();
            m_code += kQuote;
            m_inLiteral = true;
        }
        m_code += text;
    }

    void separate()
    {
        if (!m_isFirst)
            m_code += kAmpersand;
        m_isFirst = false;
    }

    void closeLiteral()
    {
        if (m_inLiteral)
            m_code += kQuote;
        m_inLiteral = false;
    }

    CodeBuffer &m_code;
    bool m_isFirst = true;
    bool m_inLiteral = false;
};

// The length of the code that LineWriter::text writes for a text alone.
qsizetype codeLengthOfText(QStringView text)
{
    qsizetype length = 0;
    qsizetype items = 0;
    qsizetype runStart = 0;
    const auto addRun = [&](qsizetype runEnd) {
        if (runEnd > runStart) {
            length += runEnd - runStart + 2 * kQuote.size();
            ++items;
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLoneBreakCharacter(text[i]))
            continue;
        addRun(i);
        length += constantFor(text[i]).size();
        ++items;
        runStart = i + 1;
    }
    addRun(text.size());
    return length + std::max<qsizetype>(items - 1, 0) * kAmpersand.size();
}

// The words of the prompt's lines in the request's dialect.
struct PromptWords
{
    explicit PromptWords(const DialectRules &rules)
        : lineBreak(rules.lineBreak)
        , continuation(rules.continuation)
        , pieceJoiner(u" &" % rules.continuation)
    { }

    // A run of line breaks: the constant, joined by " & ".
    qsizetype lineBreaksLength(qsizetype count) const
    {
        return lineBreak.size() + (count - 1) * (kAmpersand.size() + lineBreak.size());
    }

    QStringView lineBreak;
    QStringView continuation;
    QString pieceJoiner; // ends a prompt line that the next one goes on from
};

// One line of the prompt before joining: a wrapped line of the message, or a
// run of line breaks, which share one line of vbNewline words.
struct PromptPiece
{
    QStringView text; // or an expression's source
    qsizetype lineBreaks = 0;
    // Without indentation and continuation.
    qsizetype length = 0;
    bool isExpression = false;

    bool isText() const { return lineBreaks == 0 && !isExpression; }
    bool isLineBreaks() const { return lineBreaks > 0; }
    bool startsWithLiteral() const { return isText() && !isLoneBreakCharacter(text.front()); }
    bool endsWithLiteral() const { return isText() && !isLoneBreakCharacter(text.back()); }

    static PromptPiece ofText(QStringView text) { return { text, 0, codeLengthOfText(text) }; }
    static PromptPiece ofExpression(QStringView source)
    {
        return { source, 0, source.size(), true };
    }
    static PromptPiece ofLineBreaks(qsizetype count, const PromptWords &words)
    {
        return { {}, count, words.lineBreaksLength(count), false };
    }
};

// A lone CR or LF is one character in the measuring box but a constant
// between literals in the code. Where a wrapped line's code would pass the
// room a full line has for it, the line goes on as many pieces as it needs,
// cut between its literals and constants.
void appendWrappedLine(QList<PromptPiece> &pieces, QStringView line, qsizetype charsPerLine)
{
    const qsizetype room = charsPerLine + 2 * kQuote.size();
    const PromptPiece whole = PromptPiece::ofText(line);
    if (whole.length <= room) {
        pieces.append(whole);
        return;
    }
    qsizetype pieceStart = 0;
    qsizetype pieceLength = 0;
    for (qsizetype itemStart = 0; itemStart < line.size();) {
        qsizetype itemEnd = itemStart + 1;
        while (!isLoneBreakCharacter(line[itemStart]) && itemEnd < line.size()
            && !isLoneBreakCharacter(line[itemEnd]))
            ++itemEnd;
        const qsizetype itemLength = codeLengthOfText(line.sliced(itemStart, itemEnd - itemStart));
        if (itemStart > pieceStart && pieceLength + kAmpersand.size() + itemLength > room) {
            pieces.append(PromptPiece::ofText(line.sliced(pieceStart, itemStart - pieceStart)));
            pieceStart = itemStart;
            pieceLength = itemLength;
        } else {
            pieceLength += (itemStart > pieceStart ? kAmpersand.size() : 0) + itemLength;
        }
        itemStart = itemEnd;
    }
    pieces.append(PromptPiece::ofText(line.sliced(pieceStart)));
}

// Reads a prepared text as the measuring box wraps it. Empty wrapped lines
// carry nothing and are dropped. A wrapped line never ends between the two
// quotes of a doubled one.
void appendTextPieces(QList<PromptPiece> &pieces, QStringView prepared, qsizetype charsPerLine,
    const PromptWords &words)
{
    qsizetype paragraphStart = 0;
    for (;;) {
        qsizetype paragraphEnd = prepared.indexOf(kCrLf, paragraphStart);
        const bool isLast = paragraphEnd < 0;
        if (isLast)
            paragraphEnd = prepared.size();
        QStringView rest = prepared.sliced(paragraphStart, paragraphEnd - paragraphStart);
        if (rest.size() == 1 && rest.front() == kLineBreakMark) {
            if (!pieces.isEmpty() && pieces.last().isLineBreaks())
                pieces.last() = PromptPiece::ofLineBreaks(pieces.last().lineBreaks + 1, words);
            else
                pieces.append(PromptPiece::ofLineBreaks(1, words));
            rest = {};
        }
        while (!rest.isEmpty()) {
            qsizetype length = firstWrappedLineLength(rest, charsPerLine);
            if (rest.first(length).count(u'"') % 2 != 0)
                ++length;
            appendWrappedLine(pieces, rest.first(length), charsPerLine);
            rest = rest.sliced(length);
        }
        if (isLast)
            break;
        paragraphStart = paragraphEnd + kCrLf.size();
    }
}

// The measuring box's text: the parts prepared, neighbouring text parts as
// one text, each expression on a line of its own; and where in it the texts
// and expressions stand.
struct PreparedParts
{
    struct Range
    {
        qsizetype start;
        qsizetype length;
        bool isExpression;
    };
    QString text;
    QList<Range> ranges;
};

// An expression that would not join as it stands goes in parentheses, unless
// it is the whole prompt.
QString joinableExpression(const QString &source, bool alone)
{
    return alone || vb::joinsAsItStands(source) ? source : u'(' + source + u')';
}

// Neighbouring text parts are prepared as one text, so that a CR at the end
// of one and an LF at the start of the next make the line break they show;
// typed quotes go in as apostrophes first.
void prepareTextRun(CodeBuffer &text, const MessageParts &parts, qsizetype first, qsizetype end)
{
    if (end == first + 1) {
        prepareForMeasuring(
            text, parts[first].text, parts[first].kind == MessagePart::Kind::ExactText);
        return;
    }
    QString joined;
    for (qsizetype i = first; i < end; ++i) {
        if (parts[i].kind == MessagePart::Kind::Text)
            joined += QString(parts[i].text).replace(u'"', u"''"_s);
        else
            joined += parts[i].text;
    }
    prepareForMeasuring(text, joined, true);
}

PreparedParts preparedParts(const MessageParts &parts)
{
    qsizetype size = 0;
    for (const MessagePart &part : parts)
        size += part.text.size() + part.text.size() / 4 + 2 * kCrLf.size() + 2;
    CodeBuffer text(size);
    PreparedParts prepared;
    for (qsizetype i = 0; i < parts.size();) {
        if (i > 0)
            text += kCrLf;
        const qsizetype start = text.size();
        const bool isExpression = parts[i].isExpression();
        qsizetype end = i + 1;
        if (isExpression) {
            text += joinableExpression(parts[i].text, parts.size() == 1);
        } else {
            while (end < parts.size() && !parts[end].isExpression())
                ++end;
            prepareTextRun(text, parts, i, end);
        }
        prepared.ranges.append({ start, text.size() - start, isExpression });
        i = end;
    }
    prepared.text = text.take();
    return prepared;
}

// The pieces of all parts. A last line break stands alone, so the prompt
// never ends in a run.
QList<PromptPiece> promptPieces(
    const PreparedParts &prepared, qsizetype charsPerLine, const PromptWords &words)
{
    QList<PromptPiece> pieces;
    const QStringView all(prepared.text);
    for (const PreparedParts::Range &range : prepared.ranges) {
        const QStringView part = all.sliced(range.start, range.length);
        if (range.isExpression)
            pieces.append(PromptPiece::ofExpression(part));
        else
            appendTextPieces(pieces, part, charsPerLine, words);
    }
    if (!pieces.isEmpty() && pieces.last().lineBreaks > 1) {
        pieces.last() = PromptPiece::ofLineBreaks(pieces.last().lineBreaks - 1, words);
        pieces.append(PromptPiece::ofLineBreaks(1, words));
    }
    return pieces;
}

// A code line of the prompt: the pieces first..last, joined.
struct PromptLine
{
    qsizetype first;
    qsizetype last;
    qsizetype length;
};

bool fitTogether(qsizetype upperLength, qsizetype lowerLength, int codeWidth)
{
    return upperLength + lowerLength - kJoinAllowance < codeWidth;
}

// The first pair of neighbours whose lengths pass the test is joined, again
// and again, until no pair passes. A joined line can pass with the line above
// it, so each new line is tried against the settled lines from the bottom up.
// A join removes the upper line's continuation and the lower line's
// indentation but one blank; where a literal meets a literal the two become
// one.
QList<PromptLine> joinedPromptLines(
    const QList<PromptPiece> &pieces, int codeWidth, const PromptWords &words)
{
    QList<PromptLine> lines;
    lines.reserve(pieces.size());
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const bool continues = i + 1 < pieces.size();
        lines.append({ i, i,
            kIndent.size() + pieces[i].length + (continues ? words.pieceJoiner.size() : 0) });
        while (lines.size() > 1
            && fitTogether(lines[lines.size() - 2].length, lines.last().length, codeWidth)) {
            const PromptLine lower = lines.takeLast();
            PromptLine &upper = lines.last();
            const bool literalsMeet
                = pieces[upper.last].endsWithLiteral() && pieces[lower.first].startsWithLiteral();
            upper.length += lower.length - words.continuation.size() - (kIndent.size() - 1)
                - (literalsMeet ? kLiteralSeam.size() : 0);
            upper.last = lower.last;
        }
    }
    return lines;
}

struct LaidOutPrompt
{
    PromptWords words;
    QList<PromptPiece> pieces;
    QList<PromptLine> lines;
};

void appendPromptLine(CodeBuffer &code, const LaidOutPrompt &prompt, const PromptLine &line)
{
    const QList<PromptPiece> &pieces = prompt.pieces;
    code += kIndent;
    LineWriter writer(code);
    for (qsizetype p = line.first; p <= line.last; ++p) {
        const PromptPiece &piece = pieces[p];
        if (piece.isText()) {
            writer.text(piece.text);
            continue;
        }
        if (piece.isExpression) {
            writer.word(piece.text);
            continue;
        }
        for (qsizetype k = 0; k < piece.lineBreaks; ++k)
            writer.word(prompt.words.lineBreak);
    }
    writer.end();
}

// The prompt lines first..end-1 as one statement's continuation lines; the
// last of them ends neither with a continuation nor with a line break.
void appendPromptLines(
    CodeBuffer &code, const LaidOutPrompt &prompt, qsizetype first, qsizetype end)
{
    for (qsizetype i = first; i < end; ++i) {
        appendPromptLine(code, prompt, prompt.lines[i]);
        if (i + 1 < end) {
            code += prompt.words.pieceJoiner;
            code += kCrLf;
        }
    }
}

void appendLine(CodeBuffer &code, QStringView line)
{
    code += line;
    code += kCrLf;
}

qsizetype expectedCodeSize(const LaidOutPrompt &prompt)
{
    qsizetype size = kFrameAllowance;
    for (const PromptLine &line : prompt.lines)
        size += line.length + kCrLf.size();
    return size;
}

// The parts given, or else the typed text as one part. An expression
// without source is no VB: written, it would leave a dangling &.
MessageParts partsOr(const MessageParts &parts, const QString &typed)
{
    if (parts.isEmpty())
        return { { MessagePart::Kind::Text, typed } };
    MessageParts written = parts;
    written.removeIf([](const MessagePart &part) {
        return part.isExpression() && part.text.trimmed().isEmpty();
    });
    return written;
}

// VB's own escape: a doubled quote stands for one.
QString titleExpression(const FormatRequest &request)
{
    const MessageParts parts = partsOr(request.titleParts, request.title);
    qsizetype size = 0;
    for (const MessagePart &part : parts)
        size += 2 * part.text.size() + kAmpersand.size() + 2;
    CodeBuffer expression(size);
    LineWriter writer(expression);
    for (const MessagePart &part : parts) {
        if (part.isExpression()) {
            writer.word(joinableExpression(part.text, parts.size() == 1));
            continue;
        }
        QString escaped = part.text;
        escaped.replace(u'"', u"\"\""_s);
        writer.text(escaped);
    }
    writer.end();
    QString written = expression.take();
    // A title read as "" stays one: VB shows no title for it, but the
    // program's name for none.
    return written.isEmpty() ? u"\"\""_s : written;
}

bool requestHasTitle(const FormatRequest &request)
{
    return !request.titleParts.isEmpty() || hasTitle(request.title);
}

QStringView lastLine(QStringView code)
{
    const qsizetype lastBreak = code.lastIndexOf(kCrLf);
    return lastBreak < 0 ? code : code.sliced(lastBreak + kCrLf.size());
}

bool continuationLeft(qsizetype continuations, const DialectRules &rules)
{
    return rules.continuationLimit == 0 || continuations < rules.continuationLimit;
}

bool requestHasFlags(const FormatRequest &request)
{
    return computeStyleFlags(request.style).value > 0 || !request.buttonsExpression.isEmpty();
}

// The arguments behind the prompt, each after a comma: on a continuation
// line of its own while continuations are left, or behind the line before.
class ArgumentsTail
{
public:
    ArgumentsTail(qsizetype lastLineLength, qsizetype continuations, const DialectRules &rules)
        : m_lastLineLength(lastLineLength)
        , m_continuations(continuations)
        , m_rules(rules)
        , m_pieceJoiner(u" &" % rules.continuation)
    { }

    bool continuationsLeft() const { return continuationLeft(m_continuations, m_rules); }
    qsizetype pieceJoinerLength() const { return m_pieceJoiner.size(); }
    // The length of the line the tail ends on.
    qsizetype lineLength() const
    {
        return m_tail.contains(kCrLf) ? lastLine(m_tail).size() : m_lastLineLength + m_tail.size();
    }

    void onLineOfItsOwn(QStringView argument)
    {
        if (!continuationsLeft()) {
            behind(argument);
            return;
        }
        // " _" and ", " at the start of the new line, or, where the line
        // goes on by itself, "," at the end of the old one.
        if (m_rules.continuation.isEmpty())
            m_tail += u"," % kCrLf % kIndent % argument;
        else
            m_tail += m_rules.continuation % kCrLf % kIndent % u", " % argument;
        ++m_continuations;
    }
    void behind(QStringView argument) { m_tail += u", " % argument; }
    // The argument goes on behind an &: VB takes a continuation between any
    // two of its terms.
    void goOn(QStringView rest)
    {
        if (!continuationsLeft()) {
            m_tail += kAmpersand % rest;
            return;
        }
        m_tail += m_pieceJoiner % kCrLf % kIndent % rest;
        ++m_continuations;
    }
    // The empty buttons argument before a title.
    void emptyArgument() { m_tail += u", "; }
    void append(QStringView text) { m_tail += text; }

    QString take() { return std::move(m_tail); }

private:
    QString m_tail;
    qsizetype m_lastLineLength;
    qsizetype m_continuations;
    const DialectRules &m_rules;
    QString m_pieceJoiner;
};

// The terms of an expression joined by & outside its literals and
// parentheses.
QStringList joinedTerms(QStringView expression)
{
    QStringList terms;
    qsizetype termStart = 0;
    int depth = 0;
    bool inLiteral = false;
    for (qsizetype i = 0; i < expression.size(); ++i) {
        const QChar c = expression[i];
        if (c == kQuote.front())
            inLiteral = !inLiteral;
        if (inLiteral)
            continue;
        depth += (c == u'(') - (c == u')');
        if (depth == 0 && expression.sliced(i).startsWith(kAmpersand)) {
            terms << expression.sliced(termStart, i - termStart).toString();
            termStart = i + kAmpersand.size();
            i = termStart - 1;
        }
    }
    terms << expression.sliced(termStart).toString();
    return terms;
}

// A title too long for a line of its own goes on over as many lines as it
// needs, cut behind its joins; a single term longer than a line stays whole.
void appendLongTitle(ArgumentsTail &tail, const QString &title, int codeWidth)
{
    const QStringList terms = joinedTerms(title);
    QStringList lines { terms.first() };
    qsizetype lineLength = kIndent.size() + u", "_s.size() + terms.first().size();
    for (qsizetype i = 1; i < terms.size(); ++i) {
        const qsizetype longer = lineLength + kAmpersand.size() + terms[i].size();
        if (longer + tail.pieceJoinerLength() <= codeWidth) {
            lines.last() += kAmpersand % terms[i];
            lineLength = longer;
        } else {
            lines << terms[i];
            lineLength = kIndent.size() + terms[i].size();
        }
    }
    tail.onLineOfItsOwn(lines.first());
    for (qsizetype i = 1; i < lines.size(); ++i)
        tail.goOn(lines[i]);
}

// The buttons argument, then the title argument, each on a continuation line
// of its own while continuations are left, otherwise behind the last line.
// The title fits behind the buttons when its line, with what closes the call
// behind it, keeps to the code width; on a line of its own, a title too long
// for it goes on over further lines.
void appendPositionalArguments(
    ArgumentsTail &tail, const FormatRequest &request, qsizetype closerLength)
{
    const QString &buttons = request.buttonsExpression.isEmpty()
        ? computeStyleFlags(request.style, request.dialect).expression
        : request.buttonsExpression;
    const bool hasFlags = requestHasFlags(request);
    if (hasFlags)
        tail.onLineOfItsOwn(buttons);
    if (!requestHasTitle(request))
        return;
    if (!hasFlags)
        tail.emptyArgument();
    const QString title = titleExpression(request);
    const bool titleFits = title.size() + tail.lineLength() + closerLength <= request.codeWidth;
    if (titleFits && hasFlags)
        tail.behind(title);
    else if (kIndent.size() + u", "_s.size() + title.size() + closerLength > request.codeWidth)
        appendLongTitle(tail, title, request.codeWidth);
    else
        tail.onLineOfItsOwn(title);
}

// Where the dialect names no arguments, HelpFile and Context stand in their
// places, behind an empty argument for each one left out before them.
QString positionalHelpArguments(const QStringList &namedArguments, int argumentsWritten)
{
    QString helpFile;
    QString context;
    for (const QString &argument : namedArguments) {
        const qsizetype assignment = argument.indexOf(u":=");
        if (assignment < 0)
            continue;
        const bool isHelpFile
            = argument.first(assignment).trimmed().compare(u"HelpFile", Qt::CaseInsensitive) == 0;
        (isHelpFile ? helpFile : context) = argument.sliced(assignment + 2).trimmed();
    }
    QString tail;
    for (int written = argumentsWritten; written < 2; ++written)
        tail += u", ";
    tail += u", " % helpFile;
    if (!context.isEmpty())
        tail += u", " % context;
    return tail;
}

// Named arguments follow the positional ones, each behind the line before
// where it fits there.
QString argumentsTail(qsizetype lastLineLength, const FormatRequest &request,
    qsizetype continuations, qsizetype closerLength)
{
    const DialectRules &rules = rulesOf(request.dialect);
    ArgumentsTail tail(lastLineLength, continuations, rules);
    appendPositionalArguments(tail, request, closerLength);
    if (!rules.namedArguments && !request.namedArguments.isEmpty()) {
        const int written = requestHasTitle(request) ? 2 : requestHasFlags(request) ? 1 : 0;
        tail.append(positionalHelpArguments(request.namedArguments, written));
        return tail.take();
    }
    for (const QString &argument : request.namedArguments) {
        const qsizetype line = tail.lineLength() + u", "_s.size() + argument.size();
        if (line + closerLength <= request.codeWidth)
            tail.behind(argument);
        else
            tail.onLineOfItsOwn(argument);
    }
    return tail.take();
}

// Looks for the single LF, which the code holds only in its CR LF breaks:
// a search for one character is several times faster than one for two.
bool hasOverlongLine(QStringView code)
{
    qsizetype lineStart = 0;
    for (;;) {
        const qsizetype lineFeed = code.indexOf(u'\n', lineStart);
        if (lineFeed < 0)
            return code.size() - lineStart > kMaxCodeLineLength;
        if (lineFeed - 1 - lineStart > kMaxCodeLineLength)
            return true;
        lineStart = lineFeed + 1;
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

// Refuses code with a line VB cannot take. The code to show then ends where
// the prompt ends, at promptEnd.
FormatResult withLinesChecked(
    QString code, qsizetype promptEnd, QString measuringText, QString codeTail)
{
    if (hasOverlongLine(code))
        return refused(
            code.first(promptEnd) % kCrLf, std::move(measuringText), lineTooLongMessage());
    return { FormatOutcome::Formatted, std::move(code), std::move(measuringText),
        std::move(codeTail), {} };
}

FormatResult callCode(const CallFrame &frame, const LaidOutPrompt &prompt,
    const FormatRequest &request, QString measuringText)
{
    CodeBuffer code(expectedCodeSize(prompt));
    if (!frame.declaration.isEmpty())
        appendLine(code, frame.declaration);
    appendLine(code, frame.opening);
    appendPromptLines(code, prompt, 0, prompt.lines.size());
    code += kCrLf;
    // The opening line and every prompt line but the last end with a
    // continuation.
    const qsizetype continuations = prompt.lines.size();
    if (!continuationLeft(continuations - 1, rulesOf(request.dialect)))
        return refused(code.take(), std::move(measuringText), continuationLimitMessage());

    code.chop(kCrLf.size());
    const qsizetype promptEnd = code.size();
    QString tail
        = argumentsTail(lastLine(code.view()).size(), request, continuations, frame.closer.size());
    code += tail;
    code += frame.closer;
    appendLine(code, request.trailing);
    for (const QString &line : frame.after)
        appendLine(code, line);
    return withLinesChecked(code.take(), promptEnd, std::move(measuringText), std::move(tail));
}

// The prompt goes into sText in statements of at most as many lines as the
// limit of continuations: the opening line's continuation and one for each
// line but the last use it up. Without a limit, one statement holds all.
qsizetype linesPerTextStatement(const DialectRules &rules, qsizetype lineCount)
{
    return rules.continuationLimit == 0 ? std::max<qsizetype>(lineCount, 1)
                                        : rules.continuationLimit;
}

FormatResult textVariableCode(
    const LaidOutPrompt &prompt, const FormatRequest &request, QString measuringText)
{
    const TextVariableFrame frame = textVariableFrameOf(request.dialect);
    const qsizetype lineCount = prompt.lines.size();
    const qsizetype perStatement = linesPerTextStatement(rulesOf(request.dialect), lineCount);
    CodeBuffer code(expectedCodeSize(prompt) + lineCount / perStatement * frame.nextOpening.size());
    appendLine(code, frame.declaration);
    for (qsizetype first = 0; first < lineCount; first += perStatement) {
        appendLine(code, first == 0 ? frame.firstOpening : frame.nextOpening);
        appendPromptLines(code, prompt, first, std::min(first + perStatement, lineCount));
        code += kCrLf;
    }
    const qsizetype promptEnd = code.size() - kCrLf.size();
    code += frame.call;
    QString tail = argumentsTail(frame.call.size(), request, 0, frame.closer.size());
    code += tail;
    code += frame.closer;
    appendLine(code, request.trailing);
    return withLinesChecked(code.take(), promptEnd, std::move(measuringText), std::move(tail));
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

QString helpArgumentsMessage(Dialect dialect)
{
    return u"Der MsgBox-Aufruf hat HelpFile oder Context, die MsgBox in %1 nicht kennt; "
           u"so kann er nicht in %1 geschrieben werden."_s.arg(dialectTitle(dialect));
}

FormatResult formatMessage(const FormatRequest &request)
{
    return formatMessageInFrame(request, callFrameOf(request.form, request.style, request.dialect));
}

FormatResult formatMessageInFrame(const FormatRequest &request, const CallFrame &frame)
{
    const MessageParts parts = partsOr(request.parts, request.message);
    if (std::all_of(parts.cbegin(), parts.cend(),
            [](const MessagePart &part) { return !part.isExpression() && part.text.isEmpty(); }))
        return { FormatOutcome::EmptyMessage, {}, {}, {}, {} };

    // Lines that stand further in than the form's are laid out narrower, so
    // that they end where the form's would.
    const int codeWidth = std::clamp(request.codeWidth, kMinCodeWidth, kMaxCodeWidth);
    FormatRequest clamped = request;
    clamped.codeWidth = std::max(codeWidth - int(frame.indentationBeyondForm), kNarrowestLayout);
    PreparedParts prepared = preparedParts(parts);

    LaidOutPrompt prompt { PromptWords(rulesOf(request.dialect)), {}, {} };
    prompt.pieces
        = promptPieces(prepared, charsPerLineForCodeWidth(clamped.codeWidth), prompt.words);
    QString measuringText = std::move(prepared.text);
    prompt.lines = joinedPromptLines(prompt.pieces, clamped.codeWidth, prompt.words);
    if (request.form == CodeForm::TextVariable)
        return textVariableCode(prompt, clamped, std::move(measuringText));
    return callCode(frame, prompt, clamped, std::move(measuringText));
}

bool hasTitle(const QString &title)
{
    return !title.isEmpty() && title != kNoTitle;
}

} // namespace codegen
