#include "vb_frontend/VbCursor.h"

namespace quillon::frontend::vb {

namespace {

using namespace Qt::Literals::StringLiterals;

// A refusal quotes no more of the code than this.
constexpr qsizetype kLongestQuote = 40;

} // namespace

void Cursor::start(QList<Token> tokens)
{
    m_tokens = std::move(tokens);
    m_at = 0;
    m_end = -1;
}

const Token &Cursor::tokenAt(qsizetype i) const
{
    if (m_end >= 0 && i >= m_end)
        return m_limit;
    return m_tokens[qMin(i, m_tokens.size() - 1)];
}

void Cursor::limitTo(qsizetype end)
{
    m_end = end;
    m_limit = Token();
    m_limit.kind = Kind::StatementEnd;
    m_limit.offset = m_tokens[qMin(end, m_tokens.size() - 1)].offset;
}

bool Cursor::atStatementEnd(qsizetype ahead) const
{
    const Kind kind = peek(ahead).kind;
    return kind == Kind::StatementEnd || kind == Kind::End;
}

QStringView Cursor::written(const Token &first, const Token &last) const
{
    return m_code.sliced(first.offset, last.offset + last.length - first.offset);
}

bool Cursor::expect(QStringView symbol)
{
    if (!peek().is(symbol))
        return unexpected(peek());
    ++m_at;
    return true;
}

bool Cursor::unexpected(const Token &token)
{
    if (m_quiet)
        return failAt(token, QString());
    if (token.kind == Kind::StatementEnd || token.kind == Kind::End)
        return failAt(token, u"Der MsgBox-Aufruf ist unvollständig."_s);
    QString quoted = written(token, token).toString();
    if (quoted.size() > kLongestQuote)
        quoted = quoted.first(kLongestQuote) + u'…';
    return failAt(token, u"%1 ist hier unerwartet."_s.arg(quoted));
}

bool Cursor::failAt(const Token &token, const QString &what)
{
    if (!m_failure) {
        m_failure = what;
        m_failureOffset = token.offset;
    }
    return false;
}

bool Cursor::tooDeep(const Token &token)
{
    return failAt(token, u"Die Klammern sind zu tief verschachtelt."_s);
}

bool Cursor::notFixedText()
{
    if (m_quiet)
        return failAt(peek(), QString());
    const Token &word = peek();
    qsizetype last = m_at;
    while (tokenAt(last + 1).is(u".") && tokenAt(last + 2).kind == Kind::Word)
        last += 2;
    return failAt(word, u"%1 ist kein fester Text."_s.arg(written(word, tokenAt(last))));
}

void Cursor::failLocated(const QString &message)
{
    m_failure = message;
    m_failureOffset = -1;
}

QString Cursor::failure() const
{
    const QString what = m_failure.value_or(QString());
    return m_failureOffset < 0 ? what : located(m_code, m_failureOffset, what);
}

} // namespace quillon::frontend::vb
