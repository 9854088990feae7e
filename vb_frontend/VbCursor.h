#pragma once

#include "vb_frontend/VbLexer.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace quillon::frontend::vb {

// Deeper nesting of parentheses than any real code has; beyond it the
// reader answers instead of running out of stack.
constexpr int kDeepestNesting = 200;

// The tokens of one statement, ending in the token that ends it, the place
// reached in them, and the first reason they were refused.
class Cursor
{
public:
    explicit Cursor(QStringView code)
        : m_code(code)
    { }

    // Starts over on the next statement's tokens; `tokens` ends in a
    // StatementEnd or End token.
    void start(QList<Token> tokens);

    const QList<Token> &tokens() const { return m_tokens; }
    // Past the end, or past a limit, the token that ends the statement.
    const Token &tokenAt(qsizetype i) const;
    const Token &peek(qsizetype ahead = 0) const { return tokenAt(m_at + ahead); }
    bool after(QStringView symbol) const { return m_at > 0 && m_tokens[m_at - 1].is(symbol); }
    // Ends the statement before the token at `end` until unlimited: so a
    // part of an argument is evaluated on its own.
    void limitTo(qsizetype end);
    void unlimited() { m_end = -1; }
    qsizetype position() const { return m_at; }
    void moveTo(qsizetype position) { m_at = position; }
    void advance(qsizetype count = 1) { m_at += count; }
    bool atStatementEnd(qsizetype ahead = 0) const;
    // The code from `first` to `last`, both included, as written.
    QStringView written(const Token &first, const Token &last) const;

    // Each of these returns false, so that reading can stop at once.
    bool expect(QStringView symbol);
    bool unexpected(const Token &token);
    bool failAt(const Token &token, const QString &what);
    // Refuses parentheses nested deeper than kDeepestNesting at `token`.
    bool tooDeep(const Token &token);
    // Refuses the word at hand, named with what hangs on it by dots, such
    // as App.Title or Err.Description.
    bool notFixedText();
    // A refusal whose line and column are already given, as the lexer's.
    void failLocated(const QString &message);
    bool failed() const { return m_failure.has_value(); }
    void forgetFailure() { m_failure.reset(); }
    // While quiet, a refusal is only noted, not worded: for trials whose
    // refusal nobody reads.
    void setQuiet(bool quiet) { m_quiet = quiet; }
    // The first refusal, with its line and column; only after one.
    QString failure() const;

private:
    QStringView m_code;
    QList<Token> m_tokens;
    qsizetype m_at = 0;
    qsizetype m_end = -1; // the limit; -1 for none
    Token m_limit; // the statement end that the limit stands for
    std::optional<QString> m_failure;
    qsizetype m_failureOffset = 0; // -1 where the failure is located already
    bool m_quiet = false;
};

} // namespace quillon::frontend::vb
