#include "codegen/VbReader.h"

#include "codegen/VbEvaluator.h"

#include <array>
#include <optional>

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace vb;

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

// The statements up to the first MsgBox call, its arguments, and whether
// more calls follow. What the arguments compute is the evaluator's.
class Reader
{
public:
    explicit Reader(QStringView code)
        : m_lexer(code)
        , m_cursor(code)
        , m_evaluator(m_cursor)
    { }

    VbReadResult read()
    {
        while (nextStatement()) {
            if (!readStatement())
                return VbReadResult::failed(m_cursor.failure());
            if (m_callRead) {
                m_call.moreCalls = callFrom(m_cursor.position()) || laterCall();
                return m_call;
            }
        }
        if (m_cursor.failed())
            return VbReadResult::failed(m_cursor.failure());
        return VbReadResult::failed(u"Kein MsgBox-Aufruf gefunden."_s);
    }

private:
    // Gives the cursor one statement and the token that ends it; false at
    // the end of the text or on a token error.
    bool nextStatement()
    {
        QList<Token> tokens;
        for (;;) {
            Token token = m_lexer.next();
            const Kind kind = token.kind;
            if (kind == Kind::Error) {
                m_cursor.failLocated(m_lexer.error());
                return false;
            }
            if (kind == Kind::StatementEnd && tokens.isEmpty())
                continue;
            tokens.append(std::move(token));
            if (kind == Kind::End || kind == Kind::StatementEnd) {
                const bool any = kind == Kind::StatementEnd || tokens.size() > 1;
                m_cursor.start(std::move(tokens));
                return any;
            }
        }
    }

    const Token &peek(qsizetype ahead = 0) const { return m_cursor.peek(ahead); }
    const QList<Token> &tokens() const { return m_cursor.tokens(); }

    bool isCallAt(qsizetype i) const
    {
        const QList<Token> &all = tokens();
        if (!all[i].isWord(u"MsgBox"))
            return false;
        return i == 0 || !all[i - 1].is(u".") || (i >= 2 && all[i - 2].isWord(u"VBA"));
    }

    bool callFrom(qsizetype from) const
    {
        for (qsizetype i = from; i < tokens().size(); ++i) {
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
            at += tokens()[0].isWord(scope);
        const bool constant = m_cursor.tokenAt(at).isWord(u"Const");
        if (at > 0 && !constant)
            return std::nullopt;
        at += constant || m_cursor.tokenAt(at).isWord(u"Let");
        qsizetype equals = at + 1;
        if (constant && m_cursor.tokenAt(equals).isWord(u"As")
            && m_cursor.tokenAt(equals + 1).kind == Kind::Word)
            equals += 2;
        if (m_cursor.tokenAt(at).kind != Kind::Word || !m_cursor.tokenAt(equals).is(u"="))
            return std::nullopt;
        return Assignment { at, equals + 1 };
    }

    bool readStatement()
    {
        if (const std::optional<Assignment> assigned = assignment()) {
            m_cursor.moveTo(assigned->value);
            if (!callFrom(assigned->value) && m_evaluator.assign(tokens()[assigned->target].text))
                return true;
            if (m_evaluator.exhausted())
                return false;
            // A statement that assigns no fixed text is no error.
            m_cursor.forgetFailure();
        }
        for (qsizetype i = 0; i < tokens().size(); ++i) {
            if (isCallAt(i)) {
                m_cursor.moveTo(i);
                return readCall(formBefore(i >= 2 && tokens()[i - 1].is(u".") ? i - 2 : i));
            }
        }
        return true;
    }

    // The shape a call stands in, from the tokens of its statement before it.
    CodeForm formBefore(qsizetype start) const
    {
        if (start == 0)
            return CodeForm::Statement;
        const Token &last = tokens()[start - 1];
        if (last.isWord(u"Call") || last.isWord(u"Then") || last.isWord(u"Else"))
            return CodeForm::Statement;
        const Token &first = tokens()[0];
        if (start == 2 && first.isWord(u"Select") && tokens()[1].isWord(u"Case"))
            return CodeForm::Select;
        if (first.isWord(u"If") || first.isWord(u"ElseIf"))
            return CodeForm::If;
        return CodeForm::Answer;
    }

    bool readCall(CodeForm form)
    {
        const Token &call = peek();
        m_call.form = form;
        m_cursor.advance();
        const bool inParentheses = peek().is(u"(")
            && (form != CodeForm::Statement || closesStatement(m_cursor.position()));
        if (!inParentheses && form != CodeForm::Statement)
            return m_cursor.unexpected(peek());
        m_inParentheses = inParentheses;
        m_cursor.advance(inParentheses);
        if (!arguments(call))
            return false;
        if (inParentheses && !m_cursor.expect(u")"))
            return false;
        if (form == CodeForm::Statement && !m_cursor.atStatementEnd() && !peek().isWord(u"Else"))
            return m_cursor.unexpected(peek());
        m_callRead = true;
        return true;
    }

    // Whether the parenthesis at `open` closes at the end of the statement:
    // then it holds the arguments; otherwise it only starts the prompt.
    bool closesStatement(qsizetype open) const
    {
        int depth = 0;
        for (qsizetype i = open; i < tokens().size(); ++i) {
            depth += tokens()[i].is(u"(") - tokens()[i].is(u")");
            if (depth == 0) {
                const Token &after = m_cursor.tokenAt(i + 1);
                return after.kind == Kind::StatementEnd || after.kind == Kind::End
                    || after.isWord(u"Else");
            }
        }
        return false;
    }

    bool atArgumentsEnd(qsizetype ahead = 0) const
    {
        const Token &token = peek(ahead);
        return m_cursor.atStatementEnd(ahead)
            || (m_inParentheses ? token.is(u")") : token.isWord(u"Else"));
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
                    return m_cursor.failAt(
                        start, u"%1 ist kein Argument von MsgBox."_s.arg(start.text));
                named = true;
                m_cursor.advance(2);
            } else if (!named && position < kArgumentCount) {
                which = Argument(position);
            }
            if (!which || given[*which])
                return m_cursor.unexpected(start);
            given[*which] = true;
            ++position;
            const bool omitted = peek().is(u",") || atArgumentsEnd();
            if (omitted && named)
                return m_cursor.unexpected(peek());
            if (!omitted && !argument(*which, start, named))
                return false;
            hasPrompt = hasPrompt || (*which == Prompt && !omitted);
            if (!peek().is(u","))
                break;
            m_cursor.advance();
        }
        return hasPrompt || m_cursor.failAt(call, u"MsgBox ohne Text."_s);
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
            return m_evaluator.text(m_call.title);
        case HelpFile:
        case Context:
            break;
        }
        skipArgument();
        const QStringView written = m_cursor.written(start, m_cursor.previous());
        m_call.notTakenOver << (named ? written.toString()
                                      : kArgumentNames[which] + u":="_s + written);
        return true;
    }

    bool prompt()
    {
        const Token &first = peek();
        const bool variable = first.kind == Kind::Word && m_evaluator.knows(first.text)
            && (peek(1).is(u",") || atArgumentsEnd(1));
        if (!m_evaluator.text(m_call.message))
            return false;
        if (variable)
            m_call.form = CodeForm::TextVariable;
        return true;
    }

    void skipArgument()
    {
        int depth = 0;
        while (
            !m_cursor.atStatementEnd() && (depth > 0 || !(peek().is(u",") || atArgumentsEnd()))) {
            depth += peek().is(u"(") - peek().is(u")");
            m_cursor.advance();
        }
    }

    bool buttons()
    {
        qint64 value = 0;
        if (!m_evaluator.buttonsValue(value))
            return false;
        ChoicesOfValue taken = choicesOfValue(qint32(value));
        m_call.choices = taken.choices;
        m_call.notTakenOver += taken.notTakenOver;
        return true;
    }

    Lexer m_lexer;
    Cursor m_cursor;
    Evaluator m_evaluator;
    bool m_inParentheses = false;
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
