#include "codegen/VbReader.h"

#include "codegen/VbConstants.h"
#include "codegen/VbLexer.h"
#include "codegen/Windows1252.h"

#include <QHash>
#include <QList>

#include <array>
#include <limits>
#include <optional>

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace vb;

// Deeper nesting of parentheses than any real code has; beyond it the
// reader answers instead of running out of stack.
constexpr int kDeepestNesting = 200;
constexpr qsizetype kLongestQuote = 40;
// Variables joined to themselves double with each statement, and Space and
// String repeat at will; all text copied or repeated so stays below this, so
// that memory and time stay bounded.
constexpr qsizetype kMostCopiedText = qsizetype(1) << 24;

// Variables are found by name without regard to letter case, as VB does.
QString keyOf(QStringView name)
{
    return name.toString().toCaseFolded();
}

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
    static const std::array<std::pair<QStringView, QString>, 8> constants { {
        { u"vbNewLine", u"\r\n"_s },
        { u"vbCrLf", u"\r\n"_s },
        { u"vbCr", u"\r"_s },
        { u"vbLf", u"\n"_s },
        { u"vbTab", u"\t"_s },
        { u"vbNullChar", QString(QChar(0)) },
        { u"vbNullString", QString() },
        { u"vbBack", u"\b"_s },
    } };
    for (const auto &[constantName, value] : constants) {
        if (name.compare(constantName, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

enum Argument { Prompt, Buttons, Title, HelpFile, Context };
constexpr int kArgumentCount = 5;

constexpr std::array<QStringView, kArgumentCount> kArgumentNames { u"Prompt", u"Buttons", u"Title",
    u"HelpFile", u"Context" };

std::optional<Argument> argumentNamed(QStringView name)
{
    for (int i = 0; i < kArgumentCount; ++i) {
        if (name.compare(kArgumentNames[i], Qt::CaseInsensitive) == 0)
            return Argument(i);
    }
    return std::nullopt;
}

class Reader
{
public:
    explicit Reader(QStringView code)
        : m_code(code)
        , m_lexer(code)
    { }

    VbReadResult read()
    {
        while (nextStatement()) {
            if (!readStatement())
                return failedResult();
            if (m_callRead) {
                m_call.moreCalls = callFrom(m_at) || laterCall();
                return m_call;
            }
        }
        if (!m_error.isEmpty())
            return failedResult();
        return VbReadResult::failed(u"Kein MsgBox-Aufruf gefunden."_s);
    }

private:
    // Fills m_tokens with one statement and the token that ends it; false at
    // the end of the text or on a token error.
    bool nextStatement()
    {
        m_tokens.clear();
        m_at = 0;
        for (;;) {
            Token token = m_lexer.next();
            const Kind kind = token.kind;
            if (kind == Kind::Error) {
                m_error = m_lexer.error();
                return false;
            }
            if (kind == Kind::StatementEnd && m_tokens.isEmpty())
                continue;
            m_tokens.append(std::move(token));
            if (kind == Kind::End)
                return m_tokens.size() > 1;
            if (kind == Kind::StatementEnd)
                return true;
        }
    }

    const Token &peekAt(qsizetype i) const { return m_tokens[qMin(i, m_tokens.size() - 1)]; }
    const Token &peek(qsizetype ahead = 0) const { return peekAt(m_at + ahead); }

    bool atStatementEnd(qsizetype ahead = 0) const
    {
        const Kind kind = peek(ahead).kind;
        return kind == Kind::StatementEnd || kind == Kind::End;
    }

    bool isCallAt(qsizetype i) const
    {
        if (!m_tokens[i].isWord(u"MsgBox"))
            return false;
        return i == 0 || !m_tokens[i - 1].is(u".") || (i >= 2 && m_tokens[i - 2].isWord(u"VBA"));
    }

    bool callFrom(qsizetype from) const
    {
        for (qsizetype i = from; i < m_tokens.size(); ++i) {
            if (isCallAt(i))
                return true;
        }
        return false;
    }

    bool laterCall()
    {
        while (nextStatement()) {
            if (callFrom(0))
                return true;
        }
        return false;
    }

    // Where the name stands in `x = …`, `Let x = …` or
    // `[Private|Public|Global] Const x [As String] = …`, and where its value
    // begins; nothing when the statement assigns no name.
    struct Assignment
    {
        qsizetype target = 0;
        qsizetype value = 0;
    };

    std::optional<Assignment> assignment() const
    {
        qsizetype at = 0;
        for (const QStringView scope : { u"Private", u"Public", u"Global" })
            at += m_tokens[0].isWord(scope);
        const bool constant = peekAt(at).isWord(u"Const");
        if (at > 0 && !constant)
            return std::nullopt;
        at += constant || peekAt(at).isWord(u"Let");
        qsizetype equals = at + 1;
        if (constant && peekAt(equals).isWord(u"As") && peekAt(equals + 1).kind == Kind::Word)
            equals += 2;
        if (peekAt(at).kind != Kind::Word || !peekAt(equals).is(u"="))
            return std::nullopt;
        return Assignment { at, equals + 1 };
    }

    bool readStatement()
    {
        if (const std::optional<Assignment> assigned = assignment()) {
            const Token &target = m_tokens[assigned->target];
            m_at = assigned->value;
            if (!callFrom(m_at) && assign(keyOf(target.text)))
                return true;
            if (m_copied > kMostCopiedText)
                return false;
            m_failure.reset();
        }
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            if (isCallAt(i)) {
                m_at = i;
                return readCall(formBefore(i >= 2 && m_tokens[i - 1].is(u".") ? i - 2 : i));
            }
        }
        return true;
    }

    // The shape a call stands in, from the tokens of its statement before it.
    CodeForm formBefore(qsizetype start) const
    {
        if (start == 0)
            return CodeForm::Statement;
        const Token &last = m_tokens[start - 1];
        if (last.isWord(u"Call") || last.isWord(u"Then") || last.isWord(u"Else"))
            return CodeForm::Statement;
        const Token &first = m_tokens[0];
        if (start == 2 && first.isWord(u"Select") && m_tokens[1].isWord(u"Case"))
            return CodeForm::Select;
        if (first.isWord(u"If") || first.isWord(u"ElseIf"))
            return CodeForm::If;
        return CodeForm::Answer;
    }

    // A string variable takes the value of fixed text; anything else leaves
    // it unknown. Text appended to the variable itself is not copied again.
    bool assign(const QString &key)
    {
        QString value;
        if (peek().kind == Kind::Word && keyOf(peek().text) == key) {
            const auto known = m_variables.find(key);
            if (known == m_variables.end())
                return failAt(peek(), u"%1 ist kein fester Text."_s.arg(peek().text));
            value = std::move(*known);
            ++m_at;
            m_selfLength = value.size();
            m_self = key;
            if (!atStatementEnd() && !appendRest(value))
                return forget(key);
        } else if (!text(value)) {
            return forget(key);
        }
        m_self.clear();
        if (!atStatementEnd())
            return forget(key);
        m_variables.insert(key, std::move(value));
        return true;
    }

    bool forget(const QString &key)
    {
        m_self.clear();
        m_variables.remove(key);
        return false;
    }

    bool readCall(CodeForm form)
    {
        const Token &call = peek();
        m_call.form = form;
        ++m_at;
        const bool inParentheses
            = peek().is(u"(") && (form != CodeForm::Statement || closesStatement(m_at));
        if (!inParentheses && form != CodeForm::Statement)
            return unexpected(peek());
        m_inParentheses = inParentheses;
        m_at += inParentheses;
        if (!arguments(call))
            return false;
        if (inParentheses && !expect(u")"))
            return false;
        if (form == CodeForm::Statement && !atStatementEnd() && !peek().isWord(u"Else"))
            return unexpected(peek());
        m_callRead = true;
        return true;
    }

    // Whether the parenthesis at `open` closes at the end of the statement:
    // then it holds the arguments; otherwise it only starts the prompt.
    bool closesStatement(qsizetype open) const
    {
        int depth = 0;
        for (qsizetype i = open; i < m_tokens.size(); ++i) {
            depth += m_tokens[i].is(u"(") - m_tokens[i].is(u")");
            if (depth == 0) {
                const Token &after = m_tokens[i + 1 < m_tokens.size() ? i + 1 : i];
                return after.kind == Kind::StatementEnd || after.kind == Kind::End
                    || after.isWord(u"Else");
            }
        }
        return false;
    }

    bool atArgumentsEnd(qsizetype ahead = 0) const
    {
        const Token &token = peek(ahead);
        return atStatementEnd(ahead) || (m_inParentheses ? token.is(u")") : token.isWord(u"Else"));
    }

    bool arguments(const Token &call)
    {
        std::array<bool, kArgumentCount> given {};
        int position = 0;
        bool named = false;
        bool hasPrompt = false;
        for (;;) {
            const Token &start = peek();
            std::optional<Argument> which;
            if (start.kind == Kind::Word && peek(1).is(u":=")) {
                which = argumentNamed(start.text);
                if (!which)
                    return failAt(start, u"%1 ist kein Argument von MsgBox."_s.arg(start.text));
                named = true;
                m_at += 2;
            } else if (!named && position < kArgumentCount) {
                which = Argument(position);
            }
            if (!which || given[*which])
                return unexpected(start);
            given[*which] = true;
            ++position;
            const bool omitted = peek().is(u",") || atArgumentsEnd();
            if (omitted && named)
                return unexpected(peek());
            if (!omitted && !argument(*which, start, named))
                return false;
            hasPrompt = hasPrompt || (*which == Prompt && !omitted);
            if (!peek().is(u","))
                break;
            ++m_at;
        }
        return hasPrompt || failAt(call, u"MsgBox ohne Text."_s);
    }

    bool argument(Argument which, const Token &start, bool named)
    {
        switch (which) {
        case Prompt:
            return prompt();
        case Buttons:
            return buttons();
        case Title:
            m_call.hasTitle = true;
            return text(m_call.title);
        case HelpFile:
        case Context:
            break;
        }
        skipArgument();
        const Token &last = m_tokens[m_at - 1];
        const QStringView written
            = m_code.sliced(start.offset, last.offset + last.length - start.offset);
        m_call.notTakenOver << (named ? written.toString()
                                        : kArgumentNames[which] + u":="_s + written);
        return true;
    }

    bool prompt()
    {
        const Token &first = peek();
        const bool variable = first.kind == Kind::Word && m_variables.contains(keyOf(first.text))
            && (peek(1).is(u",") || atArgumentsEnd(1));
        if (!text(m_call.message))
            return false;
        if (variable)
            m_call.form = CodeForm::TextVariable;
        return true;
    }

    void skipArgument()
    {
        int depth = 0;
        while (!atStatementEnd() && (depth > 0 || !(peek().is(u",") || atArgumentsEnd()))) {
            depth += peek().is(u"(") - peek().is(u")");
            ++m_at;
        }
    }

    // Terms joined by & or +, all of them text: VB joins them either way.
    bool text(QString &into) { return term(into) && appendRest(into); }

    bool appendRest(QString &into)
    {
        while (peek().is(u"&") || peek().is(u"+")) {
            ++m_at;
            if (!term(into))
                return false;
        }
        return true;
    }

    bool term(QString &into)
    {
        const Token &token = peek();
        if (token.kind == Kind::String) {
            appendLiteral(into, token);
            ++m_at;
            return true;
        }
        if (token.is(u"("))
            return nested([&] { return text(into); });
        if (token.kind == Kind::Word)
            return named(into);
        if (token.kind == Kind::Number)
            return wholeNumber(into);
        return unexpected(token);
    }

    // & writes a whole number as its decimal digits, as VB's Str does
    // without the blank; beside a + VB would add numbers instead.
    bool wholeNumber(QString &into)
    {
        const Token &token = peek();
        if (token.overflow)
            return failAt(token, u"%1 liegt außerhalb des gültigen Bereichs."_s.arg(token.text));
        if (m_tokens[m_at - 1].is(u"+") || peek(1).is(u"+"))
            return failAt(token,
                u"Die Zahl %1 steht neben +; nur & verbindet sie als Text."_s.arg(token.text));
        into += QString::number(token.number);
        ++m_at;
        return true;
    }

    template<typename Inner> bool nested(Inner inner)
    {
        if (++m_depth > kDeepestNesting)
            return failAt(peek(), u"Die Klammern sind zu tief verschachtelt."_s);
        ++m_at;
        const bool done = inner() && expect(u")");
        --m_depth;
        return done;
    }

    bool named(QString &into)
    {
        const Token &token = peek();
        if (const std::optional<QString> constant = stringConstant(token.text)) {
            into += *constant;
            ++m_at;
            return true;
        }
        for (const QStringView chr : { u"Chr", u"Chr$", u"ChrW", u"ChrW$" }) {
            if (token.isWord(chr))
                return character(into, token.text.startsWith(u"ChrW", Qt::CaseInsensitive));
        }
        if (token.isWord(u"Space") || token.isWord(u"Space$"))
            return repeated(into, true);
        if (token.isWord(u"String") || token.isWord(u"String$"))
            return repeated(into, false);
        const QString key = keyOf(token.text);
        const auto known = m_variables.constFind(key);
        if (peek(1).is(u"(") || peek(1).is(u".")
            || (known == m_variables.constEnd() && key != m_self))
            return notFixedText();
        const QString value = key == m_self ? into.first(m_selfLength) : *known;
        m_copied += value.size();
        if (m_copied > kMostCopiedText)
            return failAt(token, u"Der Text wird zu lang."_s);
        into += value;
        ++m_at;
        return true;
    }

    // Refuses the word at hand, named as written with what hangs on it by
    // dots, such as App.Title or Err.Description.
    bool notFixedText()
    {
        const Token &word = peek();
        qsizetype last = m_at;
        while (peekAt(last + 1).is(u".") && peekAt(last + 2).kind == Kind::Word)
            last += 2;
        const Token &end = peekAt(last);
        const QStringView written
            = m_code.sliced(word.offset, end.offset + end.length - word.offset);
        return failAt(word, u"%1 ist kein fester Text."_s.arg(written));
    }

    // Chr takes a Windows-1252 code, ChrW a UTF-16 unit (negative as VB's
    // Integer writes the upper half).
    bool character(QString &into, bool wide)
    {
        const Token &function = peek();
        ++m_at;
        qint64 code = 0;
        if (!expect(u"(") || !numberArgument(function, wide ? -32768 : 0, wide ? 65535 : 255, code))
            return false;
        into += wide ? QChar(char16_t(code)) : windows1252Char(static_cast<unsigned char>(code));
        return expect(u")");
    }

    // Space(n) writes n blanks; String(n, c) n times the first character of
    // the text c, or the character of the Windows-1252 code c.
    bool repeated(QString &into, bool ofBlanks)
    {
        const Token &function = peek();
        ++m_at;
        qint64 count = 0;
        if (!expect(u"(")
            || !numberArgument(function, 0, std::numeric_limits<qint32>::max(), count))
            return false;
        QChar filler = u' ';
        if (!ofBlanks && !(expect(u",") && fillerCharacter(function, filler)))
            return false;
        m_copied += count;
        if (m_copied > kMostCopiedText)
            return failAt(function, u"Der Text wird zu lang."_s);
        into += QString(count, filler);
        return expect(u")");
    }

    bool fillerCharacter(const Token &function, QChar &filler)
    {
        qint64 code = 0;
        if (peek().kind == Kind::Number) {
            if (!numberArgument(function, 0, 255, code))
                return false;
            filler = windows1252Char(static_cast<unsigned char>(code));
            return true;
        }
        const Token &start = peek();
        QString written;
        if (!text(written))
            return false;
        if (written.isEmpty())
            return failAt(start, u"%1 braucht ein Zeichen."_s.arg(function.text));
        filler = written.front();
        return true;
    }

    // A whole number within lowest..highest as the argument of `function`.
    bool numberArgument(const Token &function, qint64 lowest, qint64 highest, qint64 &value)
    {
        const Token &code = peek();
        if (code.kind != Kind::Number)
            return code.kind == Kind::Word ? notFixedText() : unexpected(code);
        if (code.overflow || code.number < lowest || code.number > highest)
            return failAt(code,
                u"%1(%2) liegt außerhalb des gültigen Bereichs."_s.arg(
                    function.text.toString(), code.text.toString()));
        value = code.number;
        ++m_at;
        return true;
    }

    bool buttons()
    {
        qint64 value = 0;
        if (!either(value))
            return false;
        ChoicesOfValue taken = choicesOfValue(qint32(value));
        m_call.choices = taken.choices;
        m_call.notTakenOver += taken.notTakenOver;
        return true;
    }

    // VB's Or binds looser than +; both stay within a Long.
    bool either(qint64 &value)
    {
        if (!sum(value))
            return false;
        while (peek().isWord(u"Or")) {
            ++m_at;
            qint64 right = 0;
            if (!sum(right))
                return false;
            value |= right;
        }
        return true;
    }

    bool sum(qint64 &value)
    {
        const Token &first = peek();
        if (!flag(value))
            return false;
        while (peek().is(u"+")) {
            ++m_at;
            qint64 right = 0;
            if (!flag(right))
                return false;
            value += right;
            if (value < std::numeric_limits<qint32>::min()
                || value > std::numeric_limits<qint32>::max())
                return failAt(first, u"Die Summe ist zu groß für eine Zahl vom Typ Long."_s);
        }
        return true;
    }

    bool flag(qint64 &value)
    {
        const Token &token = peek();
        if (token.is(u"("))
            return nested([&] { return either(value); });
        if (token.kind == Kind::Number) {
            if (token.overflow || token.number > std::numeric_limits<qint32>::max())
                return failAt(
                    token, u"%1 liegt außerhalb des gültigen Bereichs."_s.arg(token.text));
            value = token.number;
        } else if (token.kind == Kind::Word) {
            const std::optional<VbConstant> constant = vbConstantNamed(token.text);
            if (!constant)
                return failAt(token, u"%1 ist keine MsgBox-Konstante."_s.arg(token.text));
            value = constant->value;
        } else {
            return unexpected(token);
        }
        ++m_at;
        return true;
    }

    bool expect(QStringView symbol)
    {
        if (!peek().is(symbol))
            return unexpected(peek());
        ++m_at;
        return true;
    }

    bool unexpected(const Token &token)
    {
        if (token.kind == Kind::StatementEnd || token.kind == Kind::End)
            return failAt(token, u"Der MsgBox-Aufruf ist unvollständig."_s);
        QString written = m_code.sliced(token.offset, token.length).toString();
        if (written.size() > kLongestQuote)
            written = written.first(kLongestQuote) + u'…';
        return failAt(token, u"%1 ist hier unerwartet."_s.arg(written));
    }

    bool failAt(const Token &token, const QString &what)
    {
        if (!m_failure) {
            m_failure = what;
            m_failureOffset = token.offset;
        }
        return false;
    }

    VbReadResult failedResult() const
    {
        return VbReadResult::failed(
            m_failure ? located(m_code, m_failureOffset, *m_failure) : m_error);
    }

    QStringView m_code;
    Lexer m_lexer;
    QList<Token> m_tokens;
    qsizetype m_at = 0;
    QString m_error;
    // Where the code is first refused, placed only when it is told: a
    // statement that does not assign fixed text is refused quietly.
    std::optional<QString> m_failure;
    qsizetype m_failureOffset = 0;
    qsizetype m_copied = 0; // text copied from variables or repeated so far
    QHash<QString, QString> m_variables; // by case-folded name
    QString m_self; // the variable being assigned to itself and more
    qsizetype m_selfLength = 0;
    bool m_inParentheses = false;
    int m_depth = 0;
    VbCall m_call;
    bool m_callRead = false;
};

} // namespace

VbReadResult readMsgBox(QStringView code)
{
    return Reader(code).read();
}

QString takeOverNote(const VbCall &call)
{
    QStringList lines;
    if (!call.notTakenOver.isEmpty())
        lines << u"Nicht übernommen: "_s + call.notTakenOver.join(u", "_s);
    if (call.moreCalls)
        lines << u"Der Code enthält weitere MsgBox-Aufrufe; übernommen wurde der erste."_s;
    return lines.join(u"\r\n"_s);
}

} // namespace codegen
