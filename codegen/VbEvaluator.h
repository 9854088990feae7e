#pragma once

#include "codegen/VbLexer.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// What the reader of MsgBox calls computes itself: fixed text, and the
// whole numbers of the buttons argument, from the tokens of a statement.
namespace codegen::vb {

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

// Evaluates text and number expressions as VB would, over a cursor: text
// from literals, the vb... string constants, Chr/ChrW of a number,
// Space/String of fixed arguments and whole numbers joined with &, and
// from the variables and constants given such text before; numbers and the
// MsgBox constants joined with +, &, And and Or. What is not fixed is
// refused.
class Evaluator
{
public:
    explicit Evaluator(Cursor &cursor)
        : m_cursor(cursor)
    { }

    // Terms joined by & or +, all of them text; the values of variables
    // only where they are substituted.
    bool text(QString &into);
    void substituteVariables(bool substituted) { m_substitutes = substituted; }
    bool buttonsValue(qint64 &value);

    // Gives the variable of `name` the text the cursor is at, up to the
    // statement's end; where that is no fixed text, the variable is unknown
    // afterwards.
    bool assign(QStringView name);
    bool knows(QStringView name) const;
    // The variable's value is unknown from here on.
    void forget(QStringView name);
    // All text copied from variables or repeated is past its bound.
    bool exhausted() const;

private:
    bool assignText(QStringView name);
    bool appendRest(QString &into);
    bool term(QString &into);
    bool wholeNumber(QString &into);
    template<typename Inner> bool nested(Inner inner);
    bool named(QString &into);
    bool character(QString &into, bool wide);
    bool repeated(QString &into, bool ofBlanks);
    bool fillerCharacter(const Token &function, QChar &filler);
    bool numberArgument(const Token &function, qint64 lowest, qint64 highest, qint64 &value);
    bool either(qint64 &value);
    bool both(qint64 &value);
    template<typename Combine>
    bool bitwise(
        qint64 &value, QStringView word, bool (Evaluator::*operand)(qint64 &), Combine combine);
    bool joined(qint64 &value);
    bool sum(qint64 &value);
    bool flag(qint64 &value);
    bool isWhole(const Token &number);
    bool copied(const Token &at, qsizetype length);
    bool forgotten(const QString &key);

    Cursor &m_cursor;
    QHash<QString, QString> m_variables; // by case-folded name
    QString m_self; // the variable being assigned to itself and more
    qsizetype m_selfLength = 0;
    qsizetype m_copied = 0; // text copied from variables or repeated so far
    int m_depth = 0;
    bool m_substitutes = true;
};

} // namespace codegen::vb
