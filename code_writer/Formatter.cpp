#include "code_writer/Formatter.h"

#include "code_writer/TextBoxLines.h"
#include "vb_frontend/VbLexer.h"
#include "vb_model/VbConstants.h"

#include <QList>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <utility>

namespace quillon::writer {

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

    // A piece of an expression that ends with its operator: the next goes on
    // behind a blank.
    void wordGoingOn(QStringView word)
    {
        this->word(word);
        m_separator = u" ";
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
            m_code += m_separator;
        m_isFirst = false;
        m_separator = kAmpersand;
    }

    void closeLiteral()
    {
        if (m_inLiteral)
            m_code += kQuote;
        m_inLiteral = false;
    }

    CodeBuffer &m_code;
    QStringView m_separator = kAmpersand;
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

struct PromptPiece;

// The words of the prompt's lines in the request's dialect.
struct PromptWords
{
    explicit PromptWords(const model::DialectRules &rules)
        : lineBreak(rules.lineBreak)
        , continuation(rules.continuation)
        , pieceJoiner(u" &" % rules.continuation)
    { }

    // A run of line breaks: the constant, joined by " & ".
    qsizetype lineBreaksLength(qsizetype count) const
    {
        return lineBreak.size() + (count - 1) * (kAmpersand.size() + lineBreak.size());
    }

    // What ends a prompt line whose last piece is this one, where the next
    // line goes on from it.
    QStringView lineEndAfter(const PromptPiece &piece) const;

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
    // A piece of an expression cut behind one of its operators, which it ends
    // with: the line goes on without an &.
    bool goesOn = false;

    bool isText() const { return lineBreaks == 0 && !isExpression; }
    bool isLineBreaks() const { return lineBreaks > 0; }
    bool startsWithLiteral() const { return isText() && !isLoneBreakCharacter(text.front()); }
    bool endsWithLiteral() const { return isText() && !isLoneBreakCharacter(text.back()); }

    static PromptPiece ofText(QStringView text) { return { text, 0, codeLengthOfText(text) }; }
    static PromptPiece ofExpression(QStringView source, bool goesOn = false)
    {
        return { source, 0, source.size(), true, goesOn };
    }
    static PromptPiece ofLineBreaks(qsizetype count, const PromptWords &words)
    {
        return { {}, count, words.lineBreaksLength(count), false, false };
    }
};

QStringView PromptWords::lineEndAfter(const PromptPiece &piece) const
{
    return piece.goesOn ? continuation : QStringView(pieceJoiner);
}

// Where a literal longer than a line is cut: at most maxLength characters,
// never between the two quotes of a doubled one or inside a surrogate pair.
qsizetype literalCut(QStringView run, qsizetype maxLength)
{
    qsizetype cut = std::min(maxLength, run.size());
    if (run.first(cut).count(u'"') % 2 != 0)
        --cut;
    else if (cut < run.size() && run[cut - 1].isHighSurrogate() && run[cut].isLowSurrogate())
        --cut;
    return std::max<qsizetype>(cut, 1);
}

// A lone CR or LF is one character in the measuring box but a constant
// between literals in the code. Where a wrapped line's code would pass the
// room a full line has for it, the line goes on as many pieces as it needs,
// cut between its literals and constants; outside the classic statement a
// literal that alone passes it, as blanks hanging at the end of a line do,
// is cut as well.
void appendWrappedLine(
    QList<PromptPiece> &pieces, QStringView line, qsizetype charsPerLine, bool keepToWidth)
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
        const QStringView item = line.sliced(itemStart, itemEnd - itemStart);
        const qsizetype itemLength = codeLengthOfText(item);
        if (itemStart > pieceStart && pieceLength + kAmpersand.size() + itemLength > room) {
            pieces.append(PromptPiece::ofText(line.sliced(pieceStart, itemStart - pieceStart)));
            pieceStart = itemStart;
            pieceLength = 0;
        }
        if (keepToWidth && itemLength > room) {
            const qsizetype cut = literalCut(item, room - 2 * kQuote.size());
            pieces.append(PromptPiece::ofText(item.first(cut)));
            itemStart += cut;
            pieceStart = itemStart;
            continue;
        }
        pieceLength += (itemStart > pieceStart ? kAmpersand.size() : 0) + itemLength;
        itemStart = itemEnd;
    }
    if (pieceStart < line.size())
        pieces.append(PromptPiece::ofText(line.sliced(pieceStart)));
}

// A line break joins the run before it. Where the lines keep to the width,
// a run that fills the room of a line goes on on the next; room 0 for none.
void appendLineBreak(QList<PromptPiece> &pieces, const PromptWords &words, qsizetype room)
{
    const bool joinsRun = !pieces.isEmpty() && pieces.last().isLineBreaks();
    const qsizetype count = joinsRun ? pieces.last().lineBreaks + 1 : 1;
    if (joinsRun && (room == 0 || words.lineBreaksLength(count) <= room))
        pieces.last() = PromptPiece::ofLineBreaks(count, words);
    else
        pieces.append(PromptPiece::ofLineBreaks(1, words));
}

// Reads a prepared text as the measuring box wraps it. Empty wrapped lines
// carry nothing and are dropped. A wrapped line never ends between the two
// quotes of a doubled one.
void appendTextPieces(QList<PromptPiece> &pieces, QStringView prepared, qsizetype charsPerLine,
    const PromptWords &words, bool keepToWidth)
{
    qsizetype paragraphStart = 0;
    for (;;) {
        qsizetype paragraphEnd = prepared.indexOf(kCrLf, paragraphStart);
        const bool isLast = paragraphEnd < 0;
        if (isLast)
            paragraphEnd = prepared.size();
        QStringView rest = prepared.sliced(paragraphStart, paragraphEnd - paragraphStart);
        if (rest.size() == 1 && rest.front() == kLineBreakMark) {
            appendLineBreak(pieces, words, keepToWidth ? charsPerLine + 2 * kQuote.size() : 0);
            rest = {};
        }
        while (!rest.isEmpty()) {
            qsizetype length = firstWrappedLineLength(rest, charsPerLine);
            if (rest.first(length).count(u'"') % 2 != 0)
                ++length;
            appendWrappedLine(pieces, rest.first(length), charsPerLine, keepToWidth);
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
    return alone || frontend::vb::joinsAsItStands(source) ? source : u'(' + source + u')';
}

// Neighbouring text parts are prepared as one text, so that a CR at the end
// of one and an LF at the start of the next make the line break they show;
// typed quotes go in as apostrophes first.
void prepareTextRun(
    CodeBuffer &text, const model::MessageParts &parts, qsizetype first, qsizetype end)
{
    if (end == first + 1) {
        prepareForMeasuring(
            text, parts[first].text, parts[first].kind == model::MessagePart::Kind::ExactText);
        return;
    }
    QString joined;
    for (qsizetype i = first; i < end; ++i) {
        if (parts[i].kind == model::MessagePart::Kind::Text)
            joined += QString(parts[i].text).replace(u'"', u"''"_s);
        else
            joined += parts[i].text;
    }
    prepareForMeasuring(text, joined, true);
}

PreparedParts preparedParts(const model::MessageParts &parts)
{
    qsizetype size = 0;
    for (const model::MessagePart &part : parts)
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

// How the lines keep to the code width. The classic statement, the VB6
// statement written from a typed message, keeps the layout the tool has
// always written: joined lines may pass the width by what the join
// allowance leaves, blanks hang at the ends of lines, and the buttons and the
// title stand whole on lines of their own. Everywhere else a line keeps to
// the width wherever it can be broken.
struct Fitting
{
    bool classic = false;
    // What stands behind the last prompt line on it: the continuation
    // before the arguments, or what closes the call.
    qsizetype roomBehindPrompt = 0;
};

// Whether the expression's first parenthesis closes at its end.
bool wholeInParentheses(QStringView expression)
{
    if (expression.size() < 2 || expression.front() != u'(' || expression.back() != u')')
        return false;
    int depth = 0;
    bool inLiteral = false;
    for (qsizetype i = 0; i + 1 < expression.size(); ++i) {
        const QChar c = expression[i];
        inLiteral = inLiteral != (c == kQuote.front());
        if (inLiteral)
            continue;
        depth += (c == u'(') - (c == u')');
        if (depth == 0)
            return false;
    }
    return true;
}

// Where an expression can go on over lines: behind each of the operators
// outside its literals and parentheses; an expression wholly in parentheses
// goes on inside them. Each cut piece ends with its operator.
QList<QStringView> piecesBehindOperators(
    QStringView expression, std::initializer_list<QStringView> operators)
{
    QList<QStringView> pieces;
    qsizetype start = 0;
    int depth = 0;
    bool inLiteral = false;
    for (qsizetype i = 0; i < expression.size(); ++i) {
        const QChar c = expression[i];
        inLiteral = inLiteral != (c == kQuote.front());
        if (inLiteral)
            continue;
        depth += (c == u'(') - (c == u')');
        if (depth != 0 || c != u' ')
            continue;
        for (const QStringView op : operators) {
            if (expression.sliced(i).startsWith(op, Qt::CaseInsensitive)) {
                pieces << expression.sliced(start, i + op.size() - 1 - start);
                start = i + op.size();
                i = start - 1;
                break;
            }
        }
    }
    pieces << expression.sliced(start);
    if (pieces.size() > 1 || !wholeInParentheses(expression))
        return pieces;
    pieces = piecesBehindOperators(expression.sliced(1, expression.size() - 2), operators);
    pieces.first() = QStringView(pieces.first().data() - 1, pieces.first().size() + 1);
    pieces.last() = QStringView(pieces.last().data(), pieces.last().size() + 1);
    return pieces;
}

// An expression too long for a line of its own goes on over lines, cut
// behind its joins, as a typed text does.
void appendExpressionPieces(QList<PromptPiece> &pieces, QStringView expression, qsizetype room)
{
    if (expression.size() <= room) {
        pieces.append(PromptPiece::ofExpression(expression));
        return;
    }
    const QList<QStringView> cut = piecesBehindOperators(expression, { u" & ", u" + " });
    for (qsizetype i = 0; i < cut.size(); ++i)
        pieces.append(PromptPiece::ofExpression(cut[i], i + 1 < cut.size()));
}

// The pieces of all parts. A last line break stands alone, so the prompt
// never ends in a run.
QList<PromptPiece> promptPieces(const PreparedParts &prepared, qsizetype charsPerLine,
    const PromptWords &words, const Fitting &fitting)
{
    QList<PromptPiece> pieces;
    const QStringView all(prepared.text);
    for (const PreparedParts::Range &range : prepared.ranges) {
        const QStringView part = all.sliced(range.start, range.length);
        if (range.isExpression)
            appendExpressionPieces(pieces, part, charsPerLine + 2 * kQuote.size());
        else
            appendTextPieces(pieces, part, charsPerLine, words, !fitting.classic);
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

// The classic test of two lines' lengths, or else whether the joined line
// keeps to the width, with what follows it where it is the last.
bool fitTogether(const PromptLine &upper, const PromptLine &lower, qsizetype joinedLength,
    bool lowerIsLast, int codeWidth, const Fitting &fitting)
{
    if (fitting.classic)
        return upper.length + lower.length - kJoinAllowance < codeWidth;
    return joinedLength + (lowerIsLast ? fitting.roomBehindPrompt : 0) <= codeWidth;
}

// The first pair of neighbours whose lengths pass the test is joined, again
// and again, until no pair passes. A joined line can pass with the line above
// it, so each new line is tried against the settled lines from the bottom up.
// A join removes the upper line's continuation and the lower line's
// indentation but one blank; where a literal meets a literal the two become
// one.
QList<PromptLine> joinedPromptLines(const QList<PromptPiece> &pieces, int codeWidth,
    const PromptWords &words, const Fitting &fitting)
{
    QList<PromptLine> lines;
    lines.reserve(pieces.size());
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const bool continues = i + 1 < pieces.size();
        lines.append({ i, i,
            kIndent.size() + pieces[i].length
                + (continues ? words.lineEndAfter(pieces[i]).size() : 0) });
        while (lines.size() > 1) {
            const PromptLine &upper = lines[lines.size() - 2];
            const PromptLine &lower = lines.last();
            const bool literalsMeet
                = pieces[upper.last].endsWithLiteral() && pieces[lower.first].startsWithLiteral();
            const qsizetype joined = upper.length + lower.length - words.continuation.size()
                - (kIndent.size() - 1) - (literalsMeet ? kLiteralSeam.size() : 0);
            if (!fitTogether(upper, lower, joined, !continues, codeWidth, fitting))
                break;
            lines[lines.size() - 2] = { upper.first, lower.last, joined };
            lines.removeLast();
        }
    }
    return lines;
}

struct LaidOutPrompt
{
    bool classic;
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
            if (piece.goesOn)
                writer.wordGoingOn(piece.text);
            else
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
            code += prompt.words.lineEndAfter(prompt.pieces[prompt.lines[i].last]);
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
model::MessageParts partsOr(const model::MessageParts &parts, const QString &typed)
{
    if (parts.isEmpty())
        return { { model::MessagePart::Kind::Text, typed } };
    model::MessageParts written = parts;
    written.removeIf([](const model::MessagePart &part) {
        return part.isExpression() && part.text.trimmed().isEmpty();
    });
    return written;
}

// VB's own escape: a doubled quote stands for one.
QString titleExpression(const FormatRequest &request)
{
    const model::MessageParts parts = partsOr(request.titleParts, request.title);
    qsizetype size = 0;
    for (const model::MessagePart &part : parts)
        size += 2 * part.text.size() + kAmpersand.size() + 2;
    CodeBuffer expression(size);
    LineWriter writer(expression);
    for (const model::MessagePart &part : parts) {
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

bool continuationLeft(qsizetype continuations, const model::DialectRules &rules)
{
    return rules.continuationLimit == 0 || continuations < rules.continuationLimit;
}

bool requestHasFlags(const FormatRequest &request)
{
    return model::computeStyleFlags(request.style).value > 0
        || !request.buttonsExpression.isEmpty();
}

// The pieces as many to a line as keep to the width, the first line starting
// at firstLineStart: room for the continuation behind each line that another
// piece may follow, for lastRoom behind the last piece.
QStringList packedLines(const QList<QStringView> &pieces, qsizetype firstLineStart, int codeWidth,
    qsizetype continuationRoom, qsizetype lastRoom)
{
    QStringList lines { pieces.first().toString() };
    qsizetype length = firstLineStart + pieces.first().size();
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const qsizetype longer = length + 1 + pieces[i].size();
        const qsizetype room = i + 1 < pieces.size() ? continuationRoom : lastRoom;
        if (longer + room <= codeWidth) {
            lines.last() += u' ' % pieces[i];
            length = longer;
        } else {
            lines << pieces[i].toString();
            length = kIndent.size() + pieces[i].size();
        }
    }
    return lines;
}

// What the arguments are laid out for: the width, the classic statement's
// layout or the width wherever a line can be broken, and what closes the
// call behind the last argument.
struct TailFitting
{
    int codeWidth;
    bool classic;
    qsizetype closerLength;
};

// The arguments behind the prompt, each after a comma: on a continuation
// line of its own while continuations are left, or behind the line before.
// Outside the classic statement a line keeps room for what follows it, an
// argument too long for a line of its own goes on over further lines, cut
// behind its operators, and an empty argument goes on the line of the next
// one.
class ArgumentsTail
{
public:
    ArgumentsTail(qsizetype lastLineLength, qsizetype continuations,
        const model::DialectRules &rules, const TailFitting &fitting)
        : m_lastLineLength(lastLineLength)
        , m_continuations(continuations)
        , m_rules(rules)
        , m_fitting(fitting)
    { }

    // The argument behind the line before where it fits there, else on a
    // line of its own; more says whether further arguments follow it.
    void place(QStringView argument, bool more)
    {
        if (fitsBehind(argument, more))
            behind(argument);
        else
            onLinesOfItsOwn(argument, more);
    }
    bool fitsBehind(QStringView argument, bool more) const
    {
        if (m_fitting.classic)
            return argument.size() + lineLength() + m_fitting.closerLength <= m_fitting.codeWidth;
        return lineLength() + m_pending.size() + u", "_s.size() + argument.size() + roomAfter(more)
            <= m_fitting.codeWidth;
    }
    void behind(QStringView argument)
    {
        m_tail += u", " % m_pending % argument;
        m_pending.clear();
    }
    // The classic statement's buttons stand whole on their line; a title too
    // long for its line goes on over further lines.
    void onLinesOfItsOwn(QStringView argument, bool more, bool keepWhole = false)
    {
        const qsizetype start = kIndent.size() + u", "_s.size() + m_pending.size();
        if (keepWhole || start + argument.size() + roomAfter(more) <= m_fitting.codeWidth) {
            onLineOfItsOwn(argument);
            return;
        }
        const QList<QStringView> pieces = m_fitting.classic
            ? piecesBehindOperators(argument, { u" & " })
            : piecesBehindOperators(argument, { u" & ", u" + ", u" Or " });
        const qsizetype lastRoom
            = m_fitting.classic ? u" &"_s.size() + m_rules.continuation.size() : roomAfter(more);
        const QStringList lines = packedLines(
            pieces, start, m_fitting.codeWidth, m_rules.continuation.size(), lastRoom);
        onLineOfItsOwn(lines.first());
        for (qsizetype i = 1; i < lines.size(); ++i)
            goOn(lines[i]);
    }
    // The empty buttons argument before a title.
    void emptyArgument()
    {
        if (m_fitting.classic)
            m_tail += u", ";
        else
            m_pending += u", ";
    }

    QString take() { return std::move(m_tail); }

private:
    bool continuationsLeft() const { return continuationLeft(m_continuations, m_rules); }
    // The length of the line the tail ends on.
    qsizetype lineLength() const
    {
        return m_tail.contains(kCrLf) ? lastLine(m_tail).size() : m_lastLineLength + m_tail.size();
    }
    // Behind an argument: its continuation where more follow, else what
    // closes the call.
    qsizetype roomAfter(bool more) const
    {
        return more ? std::max<qsizetype>(m_rules.continuation.size(), 1) : m_fitting.closerLength;
    }

    void onLineOfItsOwn(QStringView argument)
    {
        if (!continuationsLeft()) {
            behind(argument);
            return;
        }
        // " _" and ", " at the start of the new line, or, where the line
        // goes on by itself, "," at the end of the old one, behind the empty
        // arguments.
        if (m_rules.continuation.isEmpty())
            m_tail += m_pending % u"," % kCrLf % kIndent % argument;
        else
            m_tail += m_rules.continuation % kCrLf % kIndent % u", " % m_pending % argument;
        m_pending.clear();
        ++m_continuations;
    }
    // The argument goes on behind the operator its line ends with: VB takes
    // a continuation between any two of its terms.
    void goOn(QStringView rest)
    {
        if (!continuationsLeft()) {
            m_tail += u' ' % rest;
            return;
        }
        m_tail += m_rules.continuation % kCrLf % kIndent % rest;
        ++m_continuations;
    }

    QString m_tail;
    QString m_pending; // the empty arguments before the next one
    qsizetype m_lastLineLength;
    qsizetype m_continuations;
    const model::DialectRules &m_rules;
    TailFitting m_fitting;
};

// The buttons argument, then the title argument, each on a continuation line
// of its own while continuations are left, otherwise behind the last line.
// The title fits behind the buttons when its line, with what closes the call
// behind it, keeps to the code width.
void appendPositionalArguments(
    ArgumentsTail &tail, const FormatRequest &request, bool classic, bool moreAfterTitle)
{
    const QString &buttons = request.buttonsExpression.isEmpty()
        ? model::computeStyleFlags(request.style, request.dialect).expression
        : request.buttonsExpression;
    const bool hasFlags = requestHasFlags(request);
    const bool hasTitle = requestHasTitle(request);
    if (hasFlags)
        tail.onLinesOfItsOwn(buttons, hasTitle || moreAfterTitle, classic);
    if (!hasTitle)
        return;
    if (!hasFlags)
        tail.emptyArgument();
    const QString title = titleExpression(request);
    if (hasFlags && tail.fitsBehind(title, moreAfterTitle))
        tail.behind(title);
    else
        tail.onLinesOfItsOwn(title, moreAfterTitle);
}

// Where the dialect names no arguments, HelpFile and Context stand in their
// places, behind an empty argument for each one left out before them.
void appendPositionalHelpArguments(
    ArgumentsTail &tail, const QStringList &namedArguments, int argumentsWritten)
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
    for (int written = argumentsWritten; written < 2; ++written)
        tail.emptyArgument();
    if (helpFile.isEmpty())
        tail.emptyArgument();
    else
        tail.place(helpFile, !context.isEmpty());
    if (!context.isEmpty())
        tail.place(context, false);
}

// Named arguments follow the positional ones, each behind the line before
// where it fits there.
QString argumentsTail(qsizetype lastLineLength, const FormatRequest &request,
    qsizetype continuations, const TailFitting &fitting)
{
    const model::DialectRules &rules = model::rulesOf(request.dialect);
    ArgumentsTail tail(lastLineLength, continuations, rules, fitting);
    const QStringList &named = request.namedArguments;
    appendPositionalArguments(tail, request, fitting.classic, !named.isEmpty());
    if (!rules.namedArguments && !named.isEmpty()) {
        const int written = requestHasTitle(request) ? 2 : requestHasFlags(request) ? 1 : 0;
        appendPositionalHelpArguments(tail, named, written);
        return tail.take();
    }
    for (qsizetype i = 0; i < named.size(); ++i)
        tail.place(named[i], i + 1 < named.size());
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
    if (!continuationLeft(continuations - 1, model::rulesOf(request.dialect)))
        return refused(code.take(), std::move(measuringText), continuationLimitMessage());

    code.chop(kCrLf.size());
    const qsizetype promptEnd = code.size();
    QString tail = argumentsTail(lastLine(code.view()).size(), request, continuations,
        { request.codeWidth, prompt.classic, frame.closer.size() });
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
qsizetype linesPerTextStatement(const model::DialectRules &rules, qsizetype lineCount)
{
    return rules.continuationLimit == 0 ? std::max<qsizetype>(lineCount, 1)
                                        : rules.continuationLimit;
}

FormatResult textVariableCode(
    const LaidOutPrompt &prompt, const FormatRequest &request, QString measuringText)
{
    const TextVariableFrame frame = textVariableFrameOf(request.dialect);
    const qsizetype lineCount = prompt.lines.size();
    const qsizetype perStatement
        = linesPerTextStatement(model::rulesOf(request.dialect), lineCount);
    CodeBuffer code(expectedCodeSize(prompt) + lineCount / perStatement * frame.nextOpening.size());
    appendLine(code, frame.declaration);
    for (qsizetype first = 0; first < lineCount; first += perStatement) {
        appendLine(code, first == 0 ? frame.firstOpening : frame.nextOpening);
        appendPromptLines(code, prompt, first, std::min(first + perStatement, lineCount));
        code += kCrLf;
    }
    const qsizetype promptEnd = code.size() - kCrLf.size();
    code += frame.call;
    QString tail = argumentsTail(
        frame.call.size(), request, 0, { request.codeWidth, prompt.classic, frame.closer.size() });
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

QString helpArgumentsMessage(model::Dialect dialect)
{
    return u"Der MsgBox-Aufruf hat HelpFile oder Context, die MsgBox in %1 nicht kennt; "
           u"so kann er nicht in %1 geschrieben werden."_s.arg(model::dialectTitle(dialect));
}

namespace {

bool requestHasArguments(const FormatRequest &request)
{
    return requestHasFlags(request) || requestHasTitle(request)
        || !request.namedArguments.isEmpty();
}

// What follows the last prompt line on it: the continuation before the
// arguments, or what closes the call.
qsizetype roomBehindPrompt(const FormatRequest &request, const CallFrame &frame)
{
    if (request.form == model::CodeForm::TextVariable)
        return 0;
    const QStringView continuation = model::rulesOf(request.dialect).continuation;
    if (!requestHasArguments(request))
        return frame.closer.size();
    // Where the line goes on by itself, an empty buttons argument stays
    // behind it: ", ,".
    if (continuation.isEmpty())
        return requestHasFlags(request) ? 1 : 3;
    return continuation.size();
}

// The statement written from a typed message in a dialect that keeps the
// classic layout.
bool isClassicStatement(const FormatRequest &request)
{
    const bool typedText = std::none_of(request.parts.cbegin(), request.parts.cend(),
        [](const model::MessagePart &part) { return part.isExpression(); });
    return model::rulesOf(request.dialect).classicStatementLayout
        && request.form == model::CodeForm::Statement && !request.rewritesCode && typedText
        && request.titleParts.isEmpty() && request.buttonsExpression.isEmpty()
        && request.namedArguments.isEmpty() && request.trailing.isEmpty();
}

FormatResult formatFitted(const FormatRequest &request, const CallFrame &frame, bool classic)
{
    const model::MessageParts parts = partsOr(request.parts, request.message);
    if (std::all_of(parts.cbegin(), parts.cend(), [](const model::MessagePart &part) {
            return !part.isExpression() && part.text.isEmpty();
        }))
        return { FormatOutcome::EmptyMessage, {}, {}, {}, {} };

    // Lines that stand further in than the form's are laid out narrower, so
    // that they end where the form's would.
    const int codeWidth = std::clamp(request.codeWidth, kMinCodeWidth, kMaxCodeWidth);
    FormatRequest clamped = request;
    clamped.codeWidth = std::max(codeWidth - int(frame.indentationBeyondForm), kNarrowestLayout);
    PreparedParts prepared = preparedParts(parts);

    const Fitting fitting { classic, roomBehindPrompt(request, frame) };
    LaidOutPrompt prompt { classic, PromptWords(model::rulesOf(request.dialect)), {}, {} };
    prompt.pieces = promptPieces(
        prepared, charsPerLineForCodeWidth(clamped.codeWidth), prompt.words, fitting);
    QString measuringText = std::move(prepared.text);
    prompt.lines = joinedPromptLines(prompt.pieces, clamped.codeWidth, prompt.words, fitting);
    if (request.form == model::CodeForm::TextVariable)
        return textVariableCode(prompt, clamped, std::move(measuringText));
    return callCode(frame, prompt, clamped, std::move(measuringText));
}

} // namespace

FormatResult formatMessage(const FormatRequest &request)
{
    return formatFitted(request, callFrameOf(request.form, request.style, request.dialect),
        isClassicStatement(request));
}

FormatResult formatMessageInFrame(const FormatRequest &request, const CallFrame &frame)
{
    return formatFitted(request, frame, false);
}

bool hasTitle(const QString &title)
{
    return !title.isEmpty() && title != kNoTitle;
}

} // namespace quillon::writer
