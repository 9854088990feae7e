#pragma once

#include "vb_frontend/VbDialect.h"

#include <QList>
#include <QString>
#include <QStringView>

// The tokens of VB source, for the reader of MsgBox calls.
namespace quillon::frontend::vb {

enum class Kind { End, StatementEnd, Word, String, Number, Symbol, Error };

struct Token
{
    Kind kind = Kind::End;
    qsizetype offset = 0;
    qsizetype length = 0;
    // Into the code: a word, number or symbol as written; a literal's text
    // between its quotes.
    QStringView text;
    qint64 number = 0;
    bool overflow = false;
    bool whole = true; // no fraction, exponent or suffix of a Single, Double or Currency
    bool doubledQuotes = false; // a literal that writes a quote as ""

    bool is(QStringView symbol) const { return kind == Kind::Symbol && text == symbol; }
    bool isWord(QStringView name) const
    {
        return kind == Kind::Word && text.compare(name, Qt::CaseInsensitive) == 0;
    }
};

// Cuts VB source into tokens, as the dialect reads it. Continuations (the
// dialect's), blanks and comments (' and Rem) fall away; line ends and ":"
// end statements. Numbers are decimal, &H and &O, with VB's Integer and Long
// wrap of the latter two; a number too big for any argument says so by
// `overflow`. VB.NET's interpolated string is one word, computed at run
// time. An Error token ends the tokens, its reason in error().
class Lexer
{
public:
    Lexer(QStringView code, model::Dialect dialect);

    Token next();
    // Why the last Error token was given, with its line and column.
    const QString &error() const { return m_error; }
    // After an Error token, goes on at the end of its line, for readers that
    // must pass over what they cannot read.
    void resumeAtLineEnd();
    // Where reading has got to; after an Error token, the place of the error
    // or the end of its line.
    qsizetype position() const { return m_pos; }
    // The line breaks passed over so far because the statement goes on.
    const QList<qsizetype> &joinedBreaks() const { return m_joinedBreaks; }

private:
    Token token(QChar c);
    QChar at(qsizetype pos) const;
    qsizetype skipBlanks(qsizetype pos) const;
    qsizetype afterBreak(qsizetype pos) const;
    bool atLineEnd(qsizetype pos) const;
    bool continuesAt(qsizetype pos) const;
    bool goesOnByItself(qsizetype lineBreak) const;
    bool skipContinuation();
    bool isTypeSuffix(qsizetype pos) const;
    void skipComment();
    Token string();
    Token interpolatedString();
    Token word();
    Token number(qsizetype start, qsizetype digits, int base);
    void skipFraction(Token &value);
    Token made(Kind kind, qsizetype offset, qsizetype length);
    Token failed(qsizetype offset, const QString &what);

    QStringView m_code;
    const SourceReading *m_reading;
    qsizetype m_pos = 0;
    bool m_statementStart = true;
    QChar m_lastSymbol; // of the last token, where it was a symbol
    bool m_lastWasOperatorWord = false; // Or, And, Mod, ...
    QString m_error;
    QList<qsizetype> m_joinedBreaks;
};

// The operators that bind looser than &: comparisons and logic.
bool bindsLooserThanJoin(const Token &token);

// Whether an expression can stand between & as it is written: no operator
// that binds looser than & stands outside its parentheses.
bool joinsAsItStands(QStringView expression);

inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

inline bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// "Zeile 2, Spalte 17: " and `what`, for an offset into the code; CR LF, CR
// and LF each end a line.
QString located(QStringView code, qsizetype offset, const QString &what);

} // namespace quillon::frontend::vb
