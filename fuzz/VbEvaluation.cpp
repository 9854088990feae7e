#include "fuzz/VbEvaluation.h"

#include <QList>
#include <QStringList>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kLongestPhysicalLine = 1023;

struct Token
{
    enum Kind { Literal, Word, Ampersand, Comma };
    Kind kind;
    QString text; // the value of a literal, the name of a word
};

struct Lexed
{
    QList<Token> tokens;
    bool continues = false;
    QString error;
};

bool isWordCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
        || c == u'_';
}

bool onlyBlanksFrom(QStringView line, qsizetype pos)
{
    for (; pos < line.size(); ++pos) {
        if (line[pos] != u' ')
            return false;
    }
    return true;
}

Lexed lexLine(QStringView line)
{
    Lexed lexed;
    qsizetype pos = 0;
    while (pos < line.size()) {
        const QChar c = line[pos];
        if (c == u' ') {
            ++pos;
        } else if (c == u'"') {
            QString value;
            ++pos;
            for (;;) {
                if (pos >= line.size()) {
                    lexed.error = u"string literal not closed on its line"_s;
                    return lexed;
                }
                if (line[pos] == u'"') {
                    if (pos + 1 < line.size() && line[pos + 1] == u'"') {
                        value += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                if (line[pos] == u'\r' || line[pos] == u'\n') {
                    lexed.error = u"line break inside a string literal"_s;
                    return lexed;
                }
                value += line[pos++];
            }
            lexed.tokens.append(Token { Token::Literal, value });
        } else if (c == u'_' && pos > 0 && line[pos - 1] == u' ' && onlyBlanksFrom(line, pos + 1)) {
            lexed.continues = true;
            return lexed;
        } else if (isWordCharacter(c)) {
            const qsizetype start = pos;
            while (pos < line.size() && isWordCharacter(line[pos]))
                ++pos;
            lexed.tokens.append(Token { Token::Word, line.sliced(start, pos - start).toString() });
        } else if (c == u'&') {
            lexed.tokens.append(Token { Token::Ampersand, {} });
            ++pos;
        } else if (c == u',') {
            lexed.tokens.append(Token { Token::Comma, {} });
            ++pos;
        } else {
            lexed.error = u"unexpected character U+%1 at column %2"_s
                              .arg(uint(c.unicode()), 4, 16, QLatin1Char('0'))
                              .arg(pos + 1);
            return lexed;
        }
    }
    return lexed;
}

class Parser
{
public:
    explicit Parser(const QList<Token> &tokens)
        : m_tokens(tokens)
    { }

    void parse(EvaluatedMsgBox &call)
    {
        if (!acceptWord(u"MsgBox"))
            return fail(call, u"no MsgBox"_s);
        if (!expression(call.prompt))
            return fail(call, u"the prompt is no string expression"_s);
        if (accept(Token::Comma)) {
            call.hasButtons = true;
            QStringList terms;
            while (peekIs(Token::Word)) {
                terms << m_tokens[m_pos++].text;
                if (!acceptWord(u"Or"))
                    break;
                if (!peekIs(Token::Word))
                    return fail(call, u"Or without a term behind it"_s);
            }
            call.buttons = terms.join(u" Or "_s);
            if (accept(Token::Comma)) {
                if (!expression(call.title))
                    return fail(call, u"the title is no string expression"_s);
                call.hasTitle = true;
            }
        }
        if (m_pos != m_tokens.size())
            return fail(call, u"text behind the statement"_s);
    }

private:
    static void fail(EvaluatedMsgBox &call, const QString &error) { call.error = error; }

    bool peekIs(Token::Kind kind) const
    {
        return m_pos < m_tokens.size() && m_tokens[m_pos].kind == kind;
    }

    bool accept(Token::Kind kind)
    {
        if (!peekIs(kind))
            return false;
        ++m_pos;
        return true;
    }

    bool acceptWord(QStringView name)
    {
        if (!peekIs(Token::Word) || m_tokens[m_pos].text.compare(name, Qt::CaseInsensitive) != 0)
            return false;
        ++m_pos;
        return true;
    }

    // Pieces joined by &: string literals and VB's constants for line breaks.
    bool expression(QString &value)
    {
        do {
            if (!piece(value))
                return false;
        } while (accept(Token::Ampersand));
        return true;
    }

    bool piece(QString &value)
    {
        if (peekIs(Token::Literal)) {
            value += m_tokens[m_pos++].text;
            return true;
        }
        static const QList<std::pair<QString, QString>> constants { { u"vbNewline"_s, u"\r\n"_s },
            { u"vbCrLf"_s, u"\r\n"_s }, { u"vbCr"_s, u"\r"_s }, { u"vbLf"_s, u"\n"_s },
            { u"vbNullChar"_s, QString(QChar(0)) }, { u"vbTab"_s, u"\t"_s } };
        for (const auto &[name, text] : constants) {
            if (acceptWord(name)) {
                value += text;
                return true;
            }
        }
        return false;
    }

    const QList<Token> &m_tokens;
    qsizetype m_pos = 0;
};

} // namespace

EvaluatedMsgBox evaluateMsgBox(const QString &code)
{
    EvaluatedMsgBox call;
    if (!code.endsWith(u"\r\n"_s)) {
        call.error = u"the statement does not end with CR LF"_s;
        return call;
    }
    const QStringList lines = code.chopped(2).split(u"\r\n"_s);
    QList<Token> tokens;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const QString where = u"line %1: "_s.arg(i + 1);
        if (line.size() > kLongestPhysicalLine) {
            call.error = where + u"longer than 1023 characters"_s;
            return call;
        }
        const Lexed lexed = lexLine(line);
        if (!lexed.error.isEmpty()) {
            call.error = where + lexed.error;
            return call;
        }
        const bool isLast = i + 1 == lines.size();
        if (lexed.continues == isLast) {
            call.error = where + (isLast ? u"continues behind the end"_s : u"ends early"_s);
            return call;
        }
        tokens += lexed.tokens;
        call.continuations += lexed.continues;
    }
    Parser(tokens).parse(call);
    return call;
}
