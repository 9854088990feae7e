#include "vb_frontend/VbLexer.h"

#include <algorithm>

namespace quillon::frontend::vb {

namespace {

using namespace Qt::Literals::StringLiterals;

// Beyond this a number is too big for any argument, and counting stops.
constexpr qint64 kNumberCap = qint64(1) << 40;

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

QString located(QStringView code, qsizetype offset, const QString &what)
{
    qsizetype line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset && i < code.size(); ++i) {
        const bool pairedCr = code[i] == u'\r' && i + 1 < code.size() && code[i + 1] == u'\n';
        if (isBreak(code[i]) && !pairedCr) {
            ++line;
            lineStart = i + 1;
        }
    }
    return u"Zeile %1, Spalte %2: "_s.arg(line).arg(offset - lineStart + 1) + what;
}

bool bindsLooserThanJoin(const Token &token)
{
    if (token.kind == Kind::Symbol)
        return token.is(u"=") || token.is(u"<") || token.is(u">");
    for (const QStringView name :
        { u"Like", u"Is", u"Not", u"And", u"Or", u"Xor", u"Eqv", u"Imp" }) {
        if (token.isWord(name))
            return true;
    }
    return false;
}

bool joinsAsItStands(QStringView expression)
{
    // Each of those operators is a comparison sign or a word between blanks
    // or parentheses; most expressions hold neither.
    const bool mayHoldOne = std::any_of(expression.begin(), expression.end(), [](QChar c) {
        return c == u'=' || c == u'<' || c == u'>' || c == u' ' || c == u'\t' || c == u')';
    });
    if (!mayHoldOne)
        return true;
    Lexer lexer(expression, model::Dialect::Vb6);
    int depth = 0;
    for (Token token = lexer.next(); token.kind != Kind::End && token.kind != Kind::Error;
         token = lexer.next()) {
        depth += token.is(u"(") - token.is(u")");
        if (depth == 0 && bindsLooserThanJoin(token))
            return false;
    }
    return true;
}

Lexer::Lexer(QStringView code, model::Dialect dialect)
    : m_code(code)
    , m_reading(&readingOf(dialect))
{ }

void Lexer::resumeAtLineEnd()
{
    while (!atLineEnd(m_pos))
        ++m_pos;
    m_statementStart = true;
    m_lastSymbol = QChar();
}

Token Lexer::next()
{
    for (;;) {
        m_pos = skipBlanks(m_pos);
        if (m_pos >= m_code.size())
            return made(Kind::End, m_pos, 0);
        const QChar c = m_code[m_pos];
        if (c == u'_' && continuesAt(m_pos)) {
            if (!skipContinuation())
                return failed(m_pos, u"Hinter dem Zeilenfortsetzungszeichen folgt nichts."_s);
        } else if (isBreak(c) && goesOnByItself(m_pos)) {
            m_joinedBreaks.append(m_pos);
            m_pos = afterBreak(m_pos);
        } else if (c == u'\'') {
            skipComment();
        } else {
            return token(c);
        }
    }
}

Token Lexer::token(QChar c)
{
    if (isBreak(c)) {
        const qsizetype start = m_pos;
        m_pos = afterBreak(m_pos);
        return made(Kind::StatementEnd, start, 0);
    }
    if (c == u':' && at(m_pos + 1) != u'=')
        return made(Kind::StatementEnd, m_pos++, 1);
    if (c == u'"')
        return string();
    if (c == u'$' && at(m_pos + 1) == u'"' && m_reading->interpolatedStrings)
        return interpolatedString();
    if (c.isLetter())
        return word();
    if (digitValue(c, 10) >= 0)
        return number(m_pos, m_pos, 10);
    if (c == u'&' && (at(m_pos + 1) == u'H' || at(m_pos + 1) == u'h')
        && digitValue(at(m_pos + 2), 16) >= 0)
        return number(m_pos, m_pos + 2, 16);
    if (c == u'&' && (at(m_pos + 1) == u'O' || at(m_pos + 1) == u'o')
        && digitValue(at(m_pos + 2), 8) >= 0)
        return number(m_pos, m_pos + 2, 8);
    // ":=" (a named argument) is one symbol; any other character is one.
    const bool namedArgument = c == u':';
    const qsizetype length = namedArgument ? 2 : 1;
    Token symbol = made(Kind::Symbol, m_pos, length);
    symbol.text = m_code.sliced(m_pos, length);
    m_pos += length;
    m_lastSymbol = namedArgument ? QChar() : c;
    return symbol;
}

QChar Lexer::at(qsizetype pos) const
{
    return pos < m_code.size() ? m_code[pos] : QChar();
}

qsizetype Lexer::skipBlanks(qsizetype pos) const
{
    while (pos < m_code.size() && isBlank(m_code[pos]))
        ++pos;
    return pos;
}

// pos is at a CR or LF; CR LF is one break.
qsizetype Lexer::afterBreak(qsizetype pos) const
{
    return m_code[pos] == u'\r' && at(pos + 1) == u'\n' ? pos + 2 : pos + 1;
}

bool Lexer::atLineEnd(qsizetype pos) const
{
    return pos >= m_code.size() || isBreak(m_code[pos]);
}

// A "_" that stands apart at the end of its line; VBScript also takes it
// straight behind an & or a comma ("a" &_, "a",_).
bool Lexer::continuesAt(qsizetype pos) const
{
    const bool joined = m_reading->joinedContinuation && pos > 0
        && (m_code[pos - 1] == u'&' || m_code[pos - 1] == u',');
    const bool apart = pos == 0 || isBlank(m_code[pos - 1]) || isBreak(m_code[pos - 1]) || joined;
    return apart && atLineEnd(skipBlanks(pos + 1));
}

// VB.NET goes on to the next line by itself behind an operator, a word
// one (Or, And, Mod, ...) too, a comma or an opening parenthesis, and before
// a closing one.
bool Lexer::goesOnByItself(qsizetype lineBreak) const
{
    if (!m_reading->implicitContinuation)
        return false;
    constexpr QStringView kOpenEnded = u"&,(=+-*/\\^<>";
    if (m_lastWasOperatorWord || (!m_lastSymbol.isNull() && kOpenEnded.contains(m_lastSymbol)))
        return true;
    return at(skipBlanks(afterBreak(lineBreak))) == u')';
}

bool Lexer::skipContinuation()
{
    const qsizetype lineEnd = skipBlanks(m_pos + 1);
    if (lineEnd >= m_code.size())
        return false;
    const qsizetype nextLine = afterBreak(lineEnd);
    if (atLineEnd(skipBlanks(nextLine)))
        return false;
    m_joinedBreaks.append(lineEnd);
    m_pos = nextLine;
    return true;
}

// To the line's end; a comment goes on over a continuation, as in VBA.
void Lexer::skipComment()
{
    for (;;) {
        qsizetype end = m_pos;
        while (!atLineEnd(end))
            ++end;
        qsizetype last = end;
        while (last > m_pos && isBlank(m_code[last - 1]))
            --last;
        const bool continues = m_reading->commentsContinue && last > m_pos
            && m_code[last - 1] == u'_' && last - 1 > m_pos && isBlank(m_code[last - 2])
            && end < m_code.size();
        if (continues)
            m_joinedBreaks.append(end);
        m_pos = continues ? afterBreak(end) : end;
        if (!continues)
            return;
    }
}

// The type of a variable or function may stand right behind its name:
// n& is a Long, s$ a String. Before a name, a literal or a parenthesis, &
// joins instead, as in "a"&b&"c"; ! before a name is a member, as in rs!Name.
bool Lexer::isTypeSuffix(qsizetype pos) const
{
    if (!m_reading->typeCharacters)
        return false;
    const QChar suffix = at(pos);
    if (suffix == u'$')
        return true;
    if (!(suffix == u'%' || suffix == u'&' || suffix == u'!' || suffix == u'#' || suffix == u'@'))
        return false;
    const QChar next = at(pos + 1);
    if (isWordPart(next))
        return false;
    return suffix != u'&' || !(next == u'"' || next == u'(' || next == u'&' || next == u'.');
}

Token Lexer::string()
{
    const qsizetype start = m_pos++;
    bool doubledQuotes = false;
    for (;;) {
        if (atLineEnd(m_pos))
            return failed(start, u"Dem Text fehlt das schließende Anführungszeichen."_s);
        if (m_code[m_pos] == u'"') {
            if (at(m_pos + 1) != u'"')
                break;
            doubledQuotes = true;
            ++m_pos;
        }
        ++m_pos;
    }
    ++m_pos;
    Token literal = made(Kind::String, start, m_pos - start);
    literal.text = m_code.sliced(start + 1, m_pos - start - 2);
    literal.doubledQuotes = doubledQuotes;
    return literal;
}

// To its closing quote; a quote inside the braces of an expression opens a
// string of that expression. The value is known only at run time, so the
// whole is a word, as a variable's name is.
Token Lexer::interpolatedString()
{
    const qsizetype start = m_pos;
    m_pos += 2;
    int depth = 0;
    bool inNested = false;
    for (;; ++m_pos) {
        if (atLineEnd(m_pos))
            return failed(start, u"Dem Text fehlt das schließende Anführungszeichen."_s);
        const QChar c = m_code[m_pos];
        if (c == u'"' && at(m_pos + 1) == u'"')
            ++m_pos;
        else if (c == u'"' && depth > 0)
            inNested = !inNested;
        else if (c == u'"')
            break;
        else if (!inNested && (c == u'{' || c == u'}'))
            depth = std::max(0, depth + (c == u'{' ? 1 : -1));
    }
    ++m_pos;
    Token name = made(Kind::Word, start, m_pos - start);
    name.text = m_code.sliced(start, m_pos - start);
    return name;
}

namespace {

bool isOperatorWord(const Token &word)
{
    for (const QStringView op : { u"Or", u"And", u"Xor", u"Mod", u"OrElse", u"AndAlso", u"Like",
             u"Is", u"IsNot", u"Not" }) {
        if (word.isWord(op))
            return true;
    }
    return false;
}

} // namespace

Token Lexer::word()
{
    const qsizetype start = m_pos;
    while (m_pos < m_code.size() && isWordPart(m_code[m_pos]))
        ++m_pos;
    if (isTypeSuffix(m_pos))
        ++m_pos;
    const bool startsStatement = m_statementStart;
    Token name = made(Kind::Word, start, m_pos - start);
    name.text = m_code.sliced(start, m_pos - start);
    m_lastWasOperatorWord = isOperatorWord(name);
    if (startsStatement && name.isWord(u"Rem")) {
        skipComment();
        return next();
    }
    return name;
}

Token Lexer::number(qsizetype start, qsizetype digits, int base)
{
    Token value = made(Kind::Number, start, 0);
    m_pos = digits;
    for (int digit; (digit = digitValue(at(m_pos), base)) >= 0; ++m_pos) {
        value.overflow = value.overflow || value.number >= kNumberCap;
        if (!value.overflow)
            value.number = value.number * base + digit;
    }
    if (base == 10)
        skipFraction(value);
    const bool isLong = at(m_pos) == u'&';
    if (isLong || at(m_pos) == u'%')
        ++m_pos;
    // VB reads &H and &O numbers as Integer up to FFFF and as Long up to
    // FFFFFFFF, sign included.
    if (base != 10 && !value.overflow) {
        if (!isLong && value.number <= 0xFFFF)
            value.number = qint16(quint16(value.number));
        else if (value.number <= 0xFFFFFFFFLL)
            value.number = qint32(quint32(value.number));
    }
    value.length = m_pos - start;
    value.text = m_code.sliced(start, value.length);
    return value;
}

// A decimal fraction, an exponent or a Single, Double or Currency suffix
// make a number that is not whole.
void Lexer::skipFraction(Token &value)
{
    const auto skipDigits = [this] {
        while (digitValue(at(m_pos), 10) >= 0)
            ++m_pos;
    };
    if (at(m_pos) == u'.' && digitValue(at(m_pos + 1), 10) >= 0) {
        ++m_pos;
        skipDigits();
        value.whole = false;
    }
    const qsizetype sign = at(m_pos + 1) == u'+' || at(m_pos + 1) == u'-' ? 1 : 0;
    if ((at(m_pos) == u'E' || at(m_pos) == u'e') && digitValue(at(m_pos + 1 + sign), 10) >= 0) {
        m_pos += 1 + sign;
        skipDigits();
        value.whole = false;
    }
    if (at(m_pos) == u'!' || at(m_pos) == u'#' || at(m_pos) == u'@') {
        ++m_pos;
        value.whole = false;
    }
}

Token Lexer::made(Kind kind, qsizetype offset, qsizetype length)
{
    m_statementStart = kind == Kind::StatementEnd;
    m_lastSymbol = QChar();
    m_lastWasOperatorWord = false;
    Token token;
    token.kind = kind;
    token.offset = offset;
    token.length = length;
    return token;
}

Token Lexer::failed(qsizetype offset, const QString &what)
{
    m_error = located(m_code, offset, what);
    return made(Kind::Error, offset, 0);
}

} // namespace quillon::frontend::vb
