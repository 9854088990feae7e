#include "vb_frontend/VbSyntax.h"

namespace quillon::frontend::vb {

namespace {

bool isOperatorWord(const Token &token)
{
    return bindsLooserThanJoin(token) || token.isWord(u"Mod");
}

bool isBinaryOperator(const Token &token)
{
    if (token.kind == Kind::Symbol) {
        for (const QStringView symbol :
            { u"&", u"+", u"-", u"*", u"/", u"\\", u"^", u"=", u"<", u">" }) {
            if (token.is(symbol))
                return true;
        }
        return false;
    }
    return isOperatorWord(token) && !token.isWord(u"Not");
}

bool isUnaryOperator(const Token &token)
{
    return token.is(u"-") || token.is(u"+") || token.isWord(u"Not") || token.isWord(u"New")
        || token.isWord(u"AddressOf") || token.isWord(u"TypeOf");
}

// VB's grammar of expressions, far enough to tell valid code from invalid:
// operands and operators in turn, calls and members, parentheses.
class ExpressionSyntax
{
public:
    explicit ExpressionSyntax(Cursor &cursor)
        : m_cursor(cursor)
    { }

    bool expression(qsizetype &at, int depth);

private:
    bool operand(qsizetype &at, int depth);
    bool callArguments(qsizetype &at, int depth);
    bool closing(qsizetype &at);

    Cursor &m_cursor;
};

// Checks the expression at `at` as VB's syntax has it and moves `at`
// behind it; its values are not looked at.
bool ExpressionSyntax::expression(qsizetype &at, int depth)
{
    if (depth > kDeepestNesting)
        return m_cursor.tooDeep(m_cursor.tokenAt(at - 1));
    for (;;) {
        while (isUnaryOperator(m_cursor.tokenAt(at)))
            ++at;
        if (!operand(at, depth))
            return false;
        const Token &op = m_cursor.tokenAt(at);
        if (!isBinaryOperator(op))
            return true;
        ++at;
        // <>, <= and >= are two symbols.
        if ((op.is(u"<") && (m_cursor.tokenAt(at).is(u">") || m_cursor.tokenAt(at).is(u"=")))
            || (op.is(u">") && m_cursor.tokenAt(at).is(u"=")))
            ++at;
    }
}

bool ExpressionSyntax::operand(qsizetype &at, int depth)
{
    const Token &token = m_cursor.tokenAt(at);
    if (token.kind == Kind::String || token.kind == Kind::Number) {
        ++at;
        return true;
    }
    if (token.is(u"(")) {
        ++at;
        return expression(at, depth + 1) && closing(at);
    }
    // A member of a With block starts with its dot.
    if ((token.is(u".") || token.is(u"!")) && m_cursor.tokenAt(at + 1).kind == Kind::Word)
        ++at;
    if (m_cursor.tokenAt(at).kind != Kind::Word || isOperatorWord(m_cursor.tokenAt(at)))
        return m_cursor.unexpected(m_cursor.tokenAt(at));
    ++at;
    for (;;) {
        const Token &next = m_cursor.tokenAt(at);
        if ((next.is(u".") || next.is(u"!")) && m_cursor.tokenAt(at + 1).kind == Kind::Word) {
            at += 2;
        } else if (next.is(u"(")) {
            ++at;
            if (!callArguments(at, depth + 1))
                return false;
        } else {
            return true;
        }
    }
}

// A procedure's or array's arguments, any of them left out or named.
bool ExpressionSyntax::callArguments(qsizetype &at, int depth)
{
    for (;;) {
        const Token &token = m_cursor.tokenAt(at);
        if (token.is(u")")) {
            ++at;
            return true;
        }
        if (!token.is(u",")) {
            if (token.kind == Kind::Word && m_cursor.tokenAt(at + 1).is(u":="))
                at += 2;
            if (!expression(at, depth))
                return false;
        }
        if (m_cursor.tokenAt(at).is(u","))
            ++at;
        else
            return closing(at);
    }
}

bool ExpressionSyntax::closing(qsizetype &at)
{
    if (!m_cursor.tokenAt(at).is(u")"))
        return m_cursor.unexpected(m_cursor.tokenAt(at));
    ++at;
    return true;
}

} // namespace

bool isExpressionAt(Cursor &cursor, qsizetype &at)
{
    return ExpressionSyntax(cursor).expression(at, 0);
}

} // namespace quillon::frontend::vb
