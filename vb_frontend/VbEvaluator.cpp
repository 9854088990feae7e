#include "vb_frontend/VbEvaluator.h"

#include "vb_model/Dialect.h"
#include "vb_model/VbConstants.h"
#include "vb_model/Windows1252.h"

#include <array>
#include <limits>
#include <utility>

namespace quillon::frontend::vb {

namespace {

using namespace Qt::Literals::StringLiterals;

// A whole number joined of more digits than this is no number VB takes.
constexpr qsizetype kLongestDigits = 40;
// Variables joined to themselves double with each statement, and Space and
// String repeat at will; all text copied or repeated so stays below this, so
// that memory and time stay bounded.
constexpr qsizetype kMostCopiedText = qsizetype(1) << 24;

} // namespace

// Variables are found by name without regard to letter case, as VB does,
// and s$ is s: the $ only says that s holds text.
QString variableKey(QStringView name)
{
    if (!name.isEmpty() && QStringView(u"$%&!#@").contains(name.back()))
        name.chop(1);
    return name.toString().toCaseFolded();
}

namespace {

void appendLiteral(QString &into, const Token &literal)
{
    if (!literal.doubledQuotes) {
        into += literal.text;
        return;
    }
    // A quote in a literal is written doubled: keep one, skip its twin.
    for (qsizetype i = 0; i < literal.text.size(); ++i) {
        into += literal.text[i];
        if (literal.text[i] == u'"')
            ++i;
    }
}

std::optional<QString> stringConstant(QStringView name)
{
    static const std::array<std::pair<QStringView, QString>, 10> constants { {
        { u"vbNewLine", u"\r\n"_s },
        { u"vbCrLf", u"\r\n"_s },
        { u"vbCr", u"\r"_s },
        { u"vbLf", u"\n"_s },
        { u"vbTab", u"\t"_s },
        { u"vbNullChar", QString(QChar(0)) },
        { u"vbNullString", QString() },
        { u"vbBack", u"\b"_s },
        { u"vbFormFeed", u"\f"_s },
        { u"vbVerticalTab", u"\v"_s },
    } };
    for (const auto &[constantName, value] : constants) {
        if (name.compare(constantName, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

} // namespace

bool Evaluator::knows(QStringView name) const
{
    return m_variables.contains(variableKey(name));
}

void Evaluator::forget(QStringView name)
{
    m_variables.remove(variableKey(name));
}

std::optional<QString> Evaluator::valueOf(QStringView name) const
{
    const auto known = m_variables.constFind(variableKey(name));
    return known == m_variables.constEnd() ? std::nullopt : std::optional(*known);
}

void Evaluator::give(QStringView name, const QString &value)
{
    m_variables.insert(variableKey(name), value);
}

bool Evaluator::exhausted() const
{
    return m_copied > kMostCopiedText;
}

// A string variable takes the value of fixed text; anything else leaves it
// unknown. Text appended to the variable itself is not copied again.
bool Evaluator::assign(QStringView name)
{
    const bool substitutes = std::exchange(m_substitutes, true);
    const bool assigned = assignText(name);
    m_substitutes = substitutes;
    return assigned;
}

bool Evaluator::assignText(QStringView name)
{
    const QString key = variableKey(name);
    QString value;
    const Token &first = m_cursor.peek();
    if (first.kind == Kind::Word && variableKey(first.text) == key) {
        const auto known = m_variables.find(key);
        if (known == m_variables.end())
            return m_cursor.failAt(first, u"%1 ist kein fester Text."_s.arg(first.text));
        value = std::move(*known);
        m_cursor.advance();
        // What it held stays apart from what it is given: a term may read
        // it alone, as String(2, s) does.
        m_selfValue = value;
        m_self = key;
        if (!m_cursor.atStatementEnd() && !appendRest(value))
            return forgotten(key);
    } else if (!text(value)) {
        return forgotten(key);
    }
    m_self.clear();
    m_selfValue.clear();
    if (!m_cursor.atStatementEnd())
        return forgotten(key);
    m_variables.insert(key, value);
    return true;
}

bool Evaluator::forgotten(const QString &key)
{
    m_self.clear();
    m_selfValue.clear();
    m_variables.remove(key);
    return false;
}

bool Evaluator::text(QString &into)
{
    return term(into) && appendRest(into);
}

// VB joins text with & or + alike.
bool Evaluator::appendRest(QString &into)
{
    while (m_cursor.peek().is(u"&") || m_cursor.peek().is(u"+")) {
        m_cursor.advance();
        if (!term(into))
            return false;
    }
    return true;
}

bool Evaluator::term(QString &into)
{
    const Token &token = m_cursor.peek();
    if (token.kind == Kind::String) {
        appendLiteral(into, token);
        m_cursor.advance();
        return true;
    }
    if (token.is(u"("))
        return nested([&] { return text(into); });
    if (token.kind == Kind::Word)
        return named(into);
    if (token.kind == Kind::Number)
        return wholeNumber(into, false);
    if (token.is(u"-") && m_cursor.peek(1).kind == Kind::Number) {
        m_cursor.advance();
        return wholeNumber(into, true);
    }
    return m_cursor.unexpected(token);
}

// & writes a whole number as its decimal digits, as VB's Str does without
// the blank, a negated one with its minus; beside a + VB would add numbers
// instead.
bool Evaluator::wholeNumber(QString &into, bool negated)
{
    const Token &token = m_cursor.peek();
    if (!isWhole(token))
        return false;
    if (token.overflow)
        return m_cursor.failAt(
            token, u"%1 liegt außerhalb des gültigen Bereichs."_s.arg(token.text));
    if (m_cursor.after(u"+") || m_cursor.peek(1).is(u"+"))
        return m_cursor.failAt(
            token, u"Die Zahl %1 steht neben +; nur & verbindet sie als Text."_s.arg(token.text));
    into += QString::number(negated ? -token.number : token.number);
    m_cursor.advance();
    return true;
}

template<typename Inner> bool Evaluator::nested(Inner inner)
{
    if (++m_depth > kDeepestNesting)
        return m_cursor.tooDeep(m_cursor.peek());
    m_cursor.advance();
    const bool done = inner() && m_cursor.expect(u")");
    --m_depth;
    return done;
}

// VB's own names may be qualified by their library and module:
// VBA.Constants.vbCr, VBA.Chr.
bool Evaluator::named(QString &into)
{
    const qsizetype library = qualifier(u"VBA", 0);
    const qsizetype module = qualifier(u"Constants", library);
    if (const std::optional<QString> constant
        = stringConstant(m_cursor.peek(library + module).text)) {
        into += *constant;
        m_cursor.advance(library + module + 1);
        return true;
    }
    if (module > 0)
        return m_cursor.notFixedText();
    if (const Token &function = m_cursor.peek(library); function.kind == Kind::Word
        && m_cursor.peek(library + 1).is(u"(") && isTextFunction(function)) {
        m_cursor.advance(library);
        return textFunction(into);
    }
    return library == 0 ? variable(into) : m_cursor.notFixedText();
}

qsizetype Evaluator::qualifier(QStringView name, qsizetype ahead) const
{
    return m_cursor.peek(ahead).isWord(name) && m_cursor.peek(ahead + 1).is(u".")
            && m_cursor.peek(ahead + 2).kind == Kind::Word
        ? 2
        : 0;
}

bool Evaluator::isTextFunction(const Token &function)
{
    for (const QStringView name :
        { u"Chr", u"Chr$", u"ChrW", u"ChrW$", u"Space", u"Space$", u"String", u"String$" }) {
        if (function.isWord(name))
            return true;
    }
    return false;
}

// Chr, ChrW, Space or String, with or without $.
bool Evaluator::textFunction(QString &into)
{
    const QStringView name = m_cursor.peek().text;
    if (name.startsWith(u"Chr", Qt::CaseInsensitive))
        return character(into, name.startsWith(u"ChrW", Qt::CaseInsensitive));
    return repeated(into, name.startsWith(u"Space", Qt::CaseInsensitive));
}

bool Evaluator::variable(QString &into)
{
    const Token &token = m_cursor.peek();
    const QString key = variableKey(token.text);
    const auto known = m_variables.constFind(key);
    if (m_cursor.peek(1).is(u"(") || m_cursor.peek(1).is(u".")
        || (known == m_variables.constEnd() && key != m_self) || (!m_substitutes && key != m_self))
        return m_cursor.notFixedText();
    const QString value = key == m_self ? m_selfValue : *known;
    if (!copied(token, value.size()))
        return false;
    into += value;
    m_cursor.advance();
    return true;
}

bool Evaluator::isWhole(const Token &number)
{
    return number.whole || m_cursor.failAt(number, u"%1 ist keine ganze Zahl."_s.arg(number.text));
}

bool Evaluator::copied(const Token &at, qsizetype length)
{
    m_copied += length;
    return !exhausted() || m_cursor.failAt(at, u"Der Text wird zu lang."_s);
}

// Chr takes a Windows-1252 code, ChrW a UTF-16 unit (negative as VB's
// Integer writes the upper half).
bool Evaluator::character(QString &into, bool wide)
{
    const Token &function = m_cursor.peek();
    m_cursor.advance();
    qint64 code = 0;
    if (!m_cursor.expect(u"(")
        || !numberArgument(function, wide ? -32768 : 0, wide ? 65535 : 255, code))
        return false;
    into += wide ? QChar(char16_t(code)) : model::windows1252Char(static_cast<unsigned char>(code));
    return m_cursor.expect(u")");
}

// Space(n) writes n blanks; String(n, c) n times the first character of the
// text c, or the character of the Windows-1252 code c.
bool Evaluator::repeated(QString &into, bool ofBlanks)
{
    const Token &function = m_cursor.peek();
    m_cursor.advance();
    qint64 count = 0;
    if (!m_cursor.expect(u"(")
        || !numberArgument(function, 0, std::numeric_limits<qint32>::max(), count))
        return false;
    QChar filler = u' ';
    if (!ofBlanks && !(m_cursor.expect(u",") && fillerCharacter(function, filler)))
        return false;
    if (!copied(function, count))
        return false;
    into += QString(count, filler);
    return m_cursor.expect(u")");
}

// A number, in parentheses or not, is a character code, counted modulo
// 256; any other argument is text.
bool Evaluator::fillerCharacter(const Token &function, QChar &filler)
{
    qint64 code = 0;
    if (wrappingParentheses()) {
        if (!numberArgument(function, 0, std::numeric_limits<qint32>::max(), code))
            return false;
        filler = model::windows1252Char(static_cast<unsigned char>(code % 256));
        return true;
    }
    const Token &start = m_cursor.peek();
    const qsizetype from = m_cursor.position();
    QString written;
    if (!text(written))
        return false;
    if (written.isEmpty())
        return m_cursor.failAt(start, u"%1 braucht ein Zeichen."_s.arg(function.text));
    // A negated number, or a variable that may hold a number, is a
    // character code to VB, not a text whose first character fills.
    const bool loneVariable = start.kind == Kind::Word && m_cursor.position() == from + 1;
    bool isNumber = false;
    written.toLongLong(&isNumber);
    if (start.is(u"-") || (loneVariable && isNumber))
        return m_cursor.failAt(start, u"%1 ist kein fester Text."_s.arg(start.text));
    filler = written.front();
    return true;
}

// Where a number alone is the argument ahead, how many parentheses wrap it.
std::optional<qsizetype> Evaluator::wrappingParentheses() const
{
    qsizetype open = 0;
    while (m_cursor.peek(open).is(u"("))
        ++open;
    if (m_cursor.peek(open).kind != Kind::Number)
        return std::nullopt;
    for (qsizetype close = 1; close <= open; ++close) {
        if (!m_cursor.peek(open + close).is(u")"))
            return std::nullopt;
    }
    const Token &after = m_cursor.peek(2 * open + 1);
    return after.is(u")") || after.is(u",") ? std::optional(open) : std::nullopt;
}

// A whole number within lowest..highest as the argument of `function`,
// in parentheses or not.
bool Evaluator::numberArgument(const Token &function, qint64 lowest, qint64 highest, qint64 &value)
{
    const qsizetype open = wrappingParentheses().value_or(0);
    const Token &code = m_cursor.peek(open);
    if (code.kind != Kind::Number)
        return code.kind == Kind::Word ? m_cursor.notFixedText() : m_cursor.unexpected(code);
    if (!isWhole(code))
        return false;
    if (code.overflow || code.number < lowest || code.number > highest)
        return m_cursor.failAt(code,
            u"%1(%2) liegt außerhalb des gültigen Bereichs."_s.arg(
                function.text.toString(), code.text.toString()));
    value = code.number;
    m_cursor.advance(2 * open + 1);
    return true;
}

bool Evaluator::buttonsValue(qint64 &value)
{
    return either(value);
}

// VB binds + and - tighter than &, & tighter than And, And tighter than Or; all
// stay within a Long. Or and And work bit by bit.
bool Evaluator::either(qint64 &value)
{
    return bitwise(
        value, u"Or", &Evaluator::both, [](qint64 left, qint64 right) { return left | right; });
}

bool Evaluator::both(qint64 &value)
{
    return bitwise(
        value, u"And", &Evaluator::joined, [](qint64 left, qint64 right) { return left & right; });
}

// Operands of the next tighter kind joined by the operator `word`.
template<typename Combine>
bool Evaluator::bitwise(
    qint64 &value, QStringView word, bool (Evaluator::*operand)(qint64 &), Combine combine)
{
    if (!(this->*operand)(value))
        return false;
    while (m_cursor.peek().isWord(word)) {
        m_cursor.advance();
        qint64 right = 0;
        if (!(this->*operand)(right))
            return false;
        value = combine(value, right);
    }
    return true;
}

// & joins the numbers' digits, and VB reads the text as the argument's
// number: vbOKOnly & vbCritical is "016", 16.
bool Evaluator::joined(qint64 &value)
{
    const Token &first = m_cursor.peek();
    if (!sum(value))
        return false;
    if (!m_cursor.peek().is(u"&"))
        return true;
    QString digits = QString::number(value);
    while (m_cursor.peek().is(u"&")) {
        m_cursor.advance();
        qint64 right = 0;
        if (!sum(right))
            return false;
        digits += QString::number(right);
        if (digits.size() > kLongestDigits)
            break;
    }
    bool isNumber = false;
    value = digits.toLongLong(&isNumber);
    if (!isNumber || value < std::numeric_limits<qint32>::min()
        || value > std::numeric_limits<qint32>::max())
        return m_cursor.failAt(first, u"%1 ist keine Zahl vom Typ Long."_s.arg(digits));
    return true;
}

bool Evaluator::sum(qint64 &value)
{
    const Token &first = m_cursor.peek();
    if (!flag(value))
        return false;
    while (m_cursor.peek().is(u"+") || m_cursor.peek().is(u"-")) {
        const bool subtracts = m_cursor.peek().is(u"-");
        m_cursor.advance();
        qint64 right = 0;
        if (!flag(right))
            return false;
        value += subtracts ? -right : right;
        if (value < std::numeric_limits<qint32>::min()
            || value > std::numeric_limits<qint32>::max())
            return m_cursor.failAt(first, u"Die Summe ist zu groß für eine Zahl vom Typ Long."_s);
    }
    return true;
}

// VBA.VbMsgBoxStyle.vbYesNo is vbYesNo, and so is VB.NET's
// Microsoft.VisualBasic.MsgBoxStyle.YesNo; the cursor ends on the name.
std::optional<model::VbConstant> Evaluator::msgBoxConstant()
{
    qsizetype library = qualifier(u"Microsoft", 0);
    library += library > 0 ? qualifier(u"VisualBasic", library) : qualifier(u"VBA", 0);
    if (const qsizetype enumeration = qualifier(u"MsgBoxStyle", library); enumeration > 0) {
        m_cursor.advance(library + enumeration);
        return model::vbConstantOfMember(u"MsgBoxStyle", m_cursor.peek().text);
    }
    m_cursor.advance(library + qualifier(u"VbMsgBoxStyle", library));
    return model::vbConstantNamed(m_cursor.peek().text);
}

bool Evaluator::flag(qint64 &value)
{
    const Token &token = m_cursor.peek();
    if (token.is(u"("))
        return nested([&] { return either(value); });
    if (token.kind == Kind::Number) {
        if (!isWhole(token))
            return false;
        if (token.overflow || token.number > std::numeric_limits<qint32>::max())
            return m_cursor.failAt(
                token, u"%1 liegt außerhalb des gültigen Bereichs."_s.arg(token.text));
        value = token.number;
    } else if (token.kind == Kind::Word) {
        const std::optional<model::VbConstant> constant = msgBoxConstant();
        const Token &name = m_cursor.peek();
        if (!constant)
            return m_cursor.failAt(name, u"%1 ist keine MsgBox-Konstante."_s.arg(name.text));
        value = constant->value;
    } else {
        return m_cursor.unexpected(token);
    }
    m_cursor.advance();
    return true;
}

} // namespace quillon::frontend::vb
