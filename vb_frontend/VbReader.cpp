#include "vb_frontend/VbReader.h"

#include "vb_frontend/VbEvaluator.h"
#include "vb_frontend/VbSyntax.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace quillon::frontend {

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

constexpr QStringView kTextVariable = u"sText";

// Code as written, each line break (CR LF, CR or LF) a CR LF.
QString withCrLf(QStringView code)
{
    QString text = code.toString();
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    return text.replace(u"\n"_s, u"\r\n"_s);
}

// How a statement changes the blocks that are open: it opens an If block, a
// Select or a With, or a loop, or it closes one.
enum class BlockStep { None, Opens, OpensLoop, Closes };

BlockStep blockStep(const QList<Token> &tokens)
{
    const Token &first = tokens[0];
    const Token &last = tokens[qMax<qsizetype>(tokens.size() - 2, 0)];
    if (first.isWord(u"If"))
        return last.isWord(u"Then") ? BlockStep::Opens : BlockStep::None;
    for (const QStringView loop : { u"For", u"Do", u"While" }) {
        if (first.isWord(loop))
            return BlockStep::OpensLoop;
    }
    if (first.isWord(u"With") || first.isWord(u"Select"))
        return BlockStep::Opens;
    for (const QStringView closing : { u"Next", u"Loop", u"Wend" }) {
        if (first.isWord(closing))
            return BlockStep::Closes;
    }
    if (first.isWord(u"End") && tokens.size() > 2) {
        for (const QStringView block : { u"If", u"Select", u"With" }) {
            if (tokens[1].isWord(block))
                return BlockStep::Closes;
        }
    }
    return BlockStep::None;
}

// The statements up to the first MsgBox call, its arguments, and whether
// more calls follow. What the arguments compute is the evaluator's.
class Reader
{
public:
    Reader(QStringView code, model::Dialect dialect, VbReading reading)
        : m_code(code)
        , m_sourceReading(readingOf(dialect))
        , m_lexer(code, dialect)
        , m_cursor(code)
        , m_evaluator(m_cursor)
        , m_reading(reading)
    {
        m_evaluator.substituteVariables(reading == VbReading::FixedValues);
    }

    VbReadResult read()
    {
        while (nextStatement()) {
            if (!readStatement())
                return VbReadResult::failed(m_cursor.failure());
            if (m_callRead) {
                m_call.moreCalls = callFrom(m_cursor.position());
                const qsizetype firstLine = lineBegin(m_placeBegin);
                const Token &last = m_cursor.tokenAt(m_cursor.position() - 1);
                const qsizetype callEnd = last.offset + last.length;
                const qsizetype lineEnd = readTrailing();
                m_call.moreCalls = m_call.moreCalls || laterCall();
                placeCall(firstLine, callEnd, lineEnd);
                return m_call;
            }
        }
        if (m_cursor.failed())
            return VbReadResult::failed(m_cursor.failure());
        return VbReadResult::failed(u"Kein MsgBox-Aufruf gefunden."_s);
    }

private:
    // Gives the cursor one statement and the token that ends it; false at
    // the end of the text or on a token error. A line number is passed as
    // the label it is.
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
            if (kind == Kind::Number && tokens.isEmpty() && startsItsLine(token.offset)) {
                forgetAllValues();
                continue;
            }
            tokens.append(token);
            if (kind == Kind::End || kind == Kind::StatementEnd) {
                const bool any = kind == Kind::StatementEnd || tokens.size() > 1;
                m_cursor.start(std::move(tokens));
                return any;
            }
        }
    }

    const Token &peek(qsizetype ahead = 0) const { return m_cursor.peek(ahead); }
    const QList<Token> &tokens() const { return m_cursor.tokens(); }

    // A MsgBox of VB's own, also with the library and module that the
    // dialect names it by (VBA.MsgBox, Interaction.MsgBox); not a procedure
    // of that name where it is declared, nor a variable or parameter so
    // named, nor the function's result where it is assigned (MsgBox =
    // VBA.MsgBox(...) in a wrapper): no call of MsgBox goes on so.
    bool isCallAt(qsizetype i) const
    {
        const QList<Token> &all = tokens();
        if (!all[i].isWord(u"MsgBox") || qualifierBefore(i) < 0)
            return false;
        if (i > 0 && (all[i - 1].isWord(u"Sub") || all[i - 1].isWord(u"Function")))
            return false;
        // msgBox As String, msgBox.Trim(), Kuerzen(msgBox), If msgBox = "";
        // but MsgBox .Caption in a With block is a call.
        const Token &next = all[i + 1];
        const bool member = next.is(u".") && next.offset == all[i].offset + all[i].length;
        return !(next.isWord(u"As") || member || next.is(u")") || next.is(u"="));
    }

    // How many tokens before the MsgBox at i name its library and module;
    // -1 where it is the member of something else.
    qsizetype qualifierBefore(qsizetype i) const
    {
        if (i == 0 || !tokens()[i - 1].is(u"."))
            return 0;
        qsizetype longest = -1;
        for (const QStringView qualifier : m_sourceReading.qualifiers) {
            const qsizetype count = qualifierTokens(i - 1, qualifier);
            longest = std::max(longest, count);
        }
        return longest;
    }

    // The tokens of the dotted path that ends at `dot`, the dot behind it
    // included, where they spell it and nothing stands before them by a dot;
    // -1 where they do not.
    qsizetype qualifierTokens(qsizetype dot, QStringView path) const
    {
        const QList<Token> &all = tokens();
        qsizetype at = dot;
        const QList<QStringView> names = path.split(u'.');
        for (auto name = names.crbegin(); name != names.crend(); ++name) {
            if (at < 1 || !all[at].is(u".") || !all[at - 1].isWord(*name))
                return -1;
            at -= 2;
        }
        const bool standsFirst = at < 0 || !all[at].is(u".");
        return standsFirst ? dot - at : -1;
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

    // The statements behind a ":" that ends the call, to the end of its
    // line, as written; gives where that line ends.
    qsizetype readTrailing()
    {
        const Token &end = tokens().last();
        if (end.kind == Kind::End)
            return m_code.size();
        if (end.length == 0)
            return end.offset;
        const qsizetype from = end.offset;
        const qsizetype to = trailingEnd();
        m_call.trailing = withCrLf(m_code.sliced(from, to - from).trimmed());
        return to;
    }

    // Where the line of the statements behind the call's ":" ends. A colon
    // with nothing behind it but a comment ends the line there; the
    // statements would pass over the empty one into the next line.
    qsizetype trailingEnd()
    {
        for (;;) {
            Lexer probe = m_lexer;
            if (const Token next = probe.next();
                next.kind == Kind::StatementEnd && next.length == 0)
                return next.offset;
            // At the end of the code, or at what cannot be read: that line
            // is the last the statements take.
            if (!nextStatement())
                return lineEndFrom(m_lexer.position());
            m_call.moreCalls = m_call.moreCalls || callFrom(0);
            const Token &last = tokens().last();
            if (last.kind != Kind::StatementEnd || last.length == 0)
                return last.kind == Kind::End ? m_code.size() : last.offset;
        }
    }

    // The call's first line begins at firstLine, where the call's statement
    // begins, or its statements of sText; callEnd is behind its arguments,
    // lineEnd where its last line ends.
    void placeCall(qsizetype firstLine, qsizetype callEnd, qsizetype lineEnd)
    {
        VbCallPlace &place = m_call.place;
        place.before = withCrLf(m_code.first(firstLine));
        qsizetype leadBegin = firstLine;
        while (leadBegin < m_code.size() && isBlank(m_code[leadBegin]))
            ++leadBegin;
        place.indentation = m_code.sliced(firstLine, leadBegin - firstLine).toString();
        if (!place.withTextStatements)
            place.lead = withCrLf(m_code.sliced(leadBegin, m_callBegin - leadBegin));
        place.rest = withCrLf(m_code.sliced(callEnd, lineEnd - callEnd));
        qsizetype afterBegin = lineEnd;
        if (afterBegin < m_code.size())
            afterBegin += m_code.sliced(afterBegin).startsWith(u"\r\n") ? 2 : 1;
        place.after = withCrLf(m_code.sliced(afterBegin));
    }

    qsizetype lineEndFrom(qsizetype offset) const
    {
        while (offset < m_code.size() && !isBreak(m_code[offset]))
            ++offset;
        return offset;
    }

    qsizetype lineBegin(qsizetype offset) const
    {
        while (offset > 0 && !isBreak(m_code[offset - 1]))
            --offset;
        return offset;
    }

    bool startsItsLine(qsizetype offset) const
    {
        const qsizetype begin = lineBegin(offset);
        return std::all_of(m_code.begin() + begin, m_code.begin() + offset, isBlank);
    }

    // Where the statement's tokens begin and end, its end token apart.
    struct Span
    {
        qsizetype begin = 0;
        qsizetype end = 0;
    };

    Span statementSpan() const
    {
        const Token &last = tokens()[tokens().size() - 2];
        return { tokens()[0].offset, last.offset + last.length };
    }

    // Whether nothing but blanks, line ends and ":" stand between: no
    // comment, no other statement.
    bool onlyBreaksBetween(qsizetype from, qsizetype to) const
    {
        const QStringView between = m_code.sliced(from, to - from);
        return std::all_of(between.begin(), between.end(),
            [](QChar c) { return isBlank(c) || isBreak(c) || c == u':'; });
    }

    // VBScript declares it without a type.
    bool isDimText() const
    {
        const bool typed = tokens().size() == 5 && tokens()[2].isWord(u"As")
            && tokens()[3].isWord(u"String");
        return (typed || tokens().size() == 3) && tokens()[0].isWord(u"Dim")
            && tokens()[1].isWord(kTextVariable);
    }

    // Where the name stands in `x = …`, `Let x = …` or
    // `[Private|Public|Global] Const x [As String] = …`, and where its value
    // begins; nothing when the statement assigns no name.
    struct Assignment
    {
        qsizetype target = 0;
        qsizetype value = 0;
        bool constant = false;
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
        return Assignment { at, equals + 1, constant };
    }

    bool readStatement()
    {
        for (qsizetype i = 0; i < tokens().size(); ++i) {
            if (isCallAt(i)) {
                m_cursor.moveTo(i);
                const qsizetype start = i - qualifierBefore(i);
                m_callBegin = tokens()[start].offset;
                m_call.place.qualifier = source(start, i);
                m_placeBegin = tokens()[0].offset;
                // A later round of the loop may show what the rest of its
                // body assigns, even to a name declared Const there.
                if (m_openBlocks.contains(true))
                    forgetAllValues();
                return readCall(start);
            }
        }
        if (isLabel())
            forgetAllValues();
        if (const std::optional<bool> begins = procedureBoundary()) {
            enterProcedure(*begins);
            return true;
        }
        if (!followVariables())
            return false;
        stepBlocks(blockStep(tokens()));
        // The statements behind a one-line If's Then on its line are its own.
        const Token &end = tokens().last();
        const bool lineGoesOn = end.kind == Kind::StatementEnd && end.length > 0;
        const bool oneLineIf
            = tokens()[0].isWord(u"If") && !tokens()[tokens().size() - 2].isWord(u"Then");
        m_inOneLineIf = lineGoesOn && (m_inOneLineIf || oneLineIf);
        return true;
    }

    // A label on a line of its own; a GoTo may reach what follows from
    // anywhere.
    bool isLabel() const
    {
        return tokens().size() == 2 && tokens()[0].kind == Kind::Word && tokens()[1].length == 1
            && startsItsLine(tokens()[0].offset);
    }

    // Past a label, or in a loop, no value given before is sure to hold.
    void forgetAllValues()
    {
        m_evaluator.forgetAll();
        forgetTextVariable();
    }

    // Whether the statement begins a Sub, Function or Property (true) or
    // ends one (false).
    std::optional<bool> procedureBoundary() const
    {
        const auto isProcedure = [](const Token &token) {
            return token.isWord(u"Sub") || token.isWord(u"Function") || token.isWord(u"Property");
        };
        if (tokens()[0].isWord(u"End"))
            return isProcedure(tokens()[1]) ? std::optional(false) : std::nullopt;
        qsizetype at = 0;
        while (at < 2
            && (tokens()[at].isWord(u"Private") || tokens()[at].isWord(u"Public")
                || tokens()[at].isWord(u"Friend") || tokens()[at].isWord(u"Static")))
            ++at;
        return isProcedure(m_cursor.tokenAt(at)) ? std::optional(true) : std::nullopt;
    }

    // Each procedure starts knowing only the constants declared outside
    // procedures.
    void enterProcedure(bool begins)
    {
        knowOnlyModuleConstants();
        m_openBlocks.clear();
        m_inProcedure = begins;
    }

    void knowOnlyModuleConstants()
    {
        m_evaluator.forgetAll();
        for (auto constant = m_moduleConstants.cbegin(); constant != m_moduleConstants.cend();
             ++constant)
            m_evaluator.give(constant.key(), constant.value());
        forgetTextVariable();
    }

    void stepBlocks(BlockStep step)
    {
        if (step == BlockStep::Opens || step == BlockStep::OpensLoop)
            m_openBlocks.append(step == BlockStep::OpensLoop);
        else if (step == BlockStep::Closes && !m_openBlocks.isEmpty())
            m_openBlocks.removeLast();
    }

    // A variable keeps fixed text it is given outside any block and outside
    // a one-line If. It may change where it is assigned otherwise, and
    // wherever it may be handed to a procedure: named in a statement that
    // assigns nothing, or within parentheses.
    bool followVariables()
    {
        const std::optional<Assignment> assigned = assignment();
        const std::optional<Span> dimBefore
            = std::exchange(m_dimText, isDimText() ? std::optional(statementSpan()) : std::nullopt);
        const bool unconditional = m_openBlocks.isEmpty() && !m_inOneLineIf;
        const bool givesText
            = assigned && unconditional && isTextVariable(tokens()[assigned->target]);
        if (!givesText && !m_dimText)
            m_textStatements.reset();
        if (assigned && unconditional) {
            const Token &target = tokens()[assigned->target];
            if (givesText) {
                followTextVariable(assigned->value, dimBefore);
                return true;
            }
            forgetInTextVariable(target);
            m_cursor.moveTo(assigned->value);
            if (m_evaluator.assign(target.text)) {
                if (assigned->constant && !m_inProcedure)
                    m_moduleConstants.insert(variableKey(target.text),
                        m_evaluator.valueOf(target.text).value_or(QString()));
                return true;
            }
            if (m_evaluator.exhausted() && m_reading == VbReading::FixedValues)
                return false;
            m_cursor.forgetFailure();
        }
        if (assigned)
            forget(tokens()[assigned->target]);
        // Behind the Else of a one-line If stands a statement of its own.
        int depth = 0;
        bool afterElse = false;
        for (const Token &token : tokens()) {
            depth += token.is(u"(") - token.is(u")");
            afterElse = afterElse || token.isWord(u"Else");
            if (token.kind == Kind::Word && (!assigned || depth > 0 || afterElse))
                forget(token);
        }
        return true;
    }

    void forget(const Token &variable)
    {
        m_evaluator.forget(variable.text);
        if (isTextVariable(variable))
            forgetTextVariable();
        forgetInTextVariable(variable);
    }

    // sText's parts name the variable, which may now hold other text.
    void forgetInTextVariable(const Token &variable)
    {
        if (m_textVariableNames.contains(variableKey(variable.text)))
            forgetTextVariable();
    }

    void forgetTextVariable()
    {
        m_textVariable.reset();
        m_textVariableNames.clear();
    }

    static bool isTextVariable(const Token &token)
    {
        return token.kind == Kind::Word && variableKey(token.text) == variableKey(kTextVariable);
    }

    // The tool's own text-variable form builds the prompt in sText, which
    // is followed in parts: sText = ..., then sText = sText & ... Where its
    // statements stand together after a Dim sText, they are the call's.
    void followTextVariable(qsizetype begin, std::optional<Span> dimBefore)
    {
        const qsizetype end = tokens().size() - 1;
        qsizetype at = begin;
        const bool valid = isExpressionAt(m_cursor, at) && at == end;
        m_cursor.forgetFailure();
        const bool appends = isTextVariable(m_cursor.tokenAt(begin));
        if (!valid || !namesTextVariableAlone(begin, end)) {
            forgetTextVariable();
            return;
        }
        const Span statement = statementSpan();
        if (!appends) {
            // The form declares sText right before; without that Dim, sText
            // may be declared elsewhere, and the form's own would be one too
            // many.
            const bool declared = dimBefore && onlyBreaksBetween(dimBefore->end, statement.begin);
            m_textStatements
                = declared ? std::optional(Span { dimBefore->begin, statement.end }) : std::nullopt;
        } else if (m_textStatements && onlyBreaksBetween(m_textStatements->end, statement.begin)) {
            m_textStatements->end = statement.end;
        } else {
            m_textStatements.reset();
        }
        for (qsizetype i = begin; i < end; ++i) {
            if (m_cursor.tokenAt(i).kind == Kind::Word)
                m_textVariableNames.insert(variableKey(m_cursor.tokenAt(i).text));
        }
        if (appends)
            begin = qMin(begin + 2, end);
        // sText named again on the right stands for what it held before.
        m_textVariableBefore = m_textVariable;
        model::MessageParts parts = appends ? *m_textVariable : model::MessageParts();
        if (begin < end) {
            for (model::MessagePart &part : partsOf(begin, end))
                model::appendPart(parts, std::move(part));
        }
        m_textVariableBefore.reset();
        m_textVariable = std::move(parts);
    }

    // Whether sText, where named in its own new value, is known and a term
    // of its own between &, as in sText = sText & "a" & sText: in any other
    // place, as in Replace(sText, "a", "b"), it is no longer followed.
    bool namesTextVariableAlone(qsizetype begin, qsizetype end) const
    {
        int depth = 0;
        for (qsizetype i = begin; i < end; ++i) {
            const Token &token = m_cursor.tokenAt(i);
            depth += token.is(u"(") - token.is(u")");
            if (!isTextVariable(token))
                continue;
            const bool alone = depth == 0 && (i == begin || m_cursor.tokenAt(i - 1).is(u"&"))
                && (i + 1 == end || m_cursor.tokenAt(i + 1).is(u"&"));
            if (!alone || !m_textVariable)
                return false;
        }
        return true;
    }

    // The shape a call stands in, from the tokens of its statement before it.
    model::CodeForm formBefore(qsizetype start)
    {
        if (start == 0)
            return model::CodeForm::Statement;
        const Token &last = tokens()[start - 1];
        const Token &first = tokens()[0];
        const bool inIf = first.isWord(u"If") || first.isWord(u"ElseIf");
        if (last.isWord(u"Then") || last.isWord(u"Else")) {
            m_call.inLineIf = inIf;
            return model::CodeForm::Statement;
        }
        if (last.isWord(u"Call"))
            return model::CodeForm::Statement;
        if (start == 2 && first.isWord(u"Select") && tokens()[1].isWord(u"Case"))
            return model::CodeForm::Select;
        return inIf ? model::CodeForm::If : model::CodeForm::Answer;
    }

    bool readCall(qsizetype start)
    {
        const model::CodeForm form = formBefore(start);
        m_call.inLineIf = m_call.inLineIf || m_inOneLineIf;
        const Token &call = peek();
        m_call.form = form;
        m_cursor.advance();
        // As a statement, MsgBox (x) passes the one value (x); parentheses
        // hold the arguments after Call, or where they hold several, and
        // always in VB.NET.
        const bool holdArguments = m_sourceReading.argumentsAlwaysInParentheses
            || (start > 0 && tokens()[start - 1].isWord(u"Call"));
        const qsizetype open = m_cursor.position();
        const bool inParentheses = peek().is(u"(")
            && (form != model::CodeForm::Statement
                || (closesStatement(open) && (holdArguments || holdsSeveral(open))));
        if (!inParentheses && form != model::CodeForm::Statement)
            return m_cursor.unexpected(peek());
        m_inParentheses = inParentheses;
        // A statement takes them only after Call, and in VB.NET; VB6 refuses
        // them elsewhere.
        m_call.place.inParentheses
            = inParentheses && (form != model::CodeForm::Statement || holdArguments);
        m_cursor.advance(inParentheses);
        if (!arguments(call))
            return false;
        if (inParentheses && !m_cursor.expect(u")"))
            return false;
        if (form == model::CodeForm::Statement && !m_cursor.atStatementEnd()
            && !peek().isWord(u"Else"))
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

    // Whether the parentheses at `open` hold a comma of their own.
    bool holdsSeveral(qsizetype open) const
    {
        int depth = 0;
        for (qsizetype i = open; i < tokens().size(); ++i) {
            depth += tokens()[i].is(u"(") - tokens()[i].is(u")");
            if (depth == 0)
                return false;
            if (depth == 1 && tokens()[i].is(u","))
                return true;
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

    // Reads one argument's expression, which must be valid VB, and leaves
    // the cursor behind it.
    bool argument(Argument which, const Token &start, bool named)
    {
        const qsizetype begin = m_cursor.position();
        qsizetype end = begin;
        if (!isExpressionAt(m_cursor, end))
            return false;
        if (!(m_cursor.tokenAt(end).is(u",") || atArgumentsEnd(end - begin)))
            return m_cursor.unexpected(m_cursor.tokenAt(end));
        switch (which) {
        case Prompt:
            prompt(begin, end);
            break;
        case Buttons:
            buttons(begin, end);
            break;
        case Title:
            m_call.hasTitle = true;
            m_call.titleParts = partsOf(begin, end);
            m_call.title = model::shownText(m_call.titleParts);
            break;
        case HelpFile:
        case Context:
            const QString argument
                = (named ? m_cursor.written(start, start) : kArgumentNames[which]) + u":="_s
                + source(begin, end);
            m_call.notTakenOver << argument;
            m_call.place.helpArguments << argument;
            break;
        }
        m_cursor.moveTo(end);
        return !m_cursor.failed();
    }

    // The tool's own text-variable form calls MsgBox sText: that variable is
    // read for the parts it was given, other ones for their text only when
    // asked.
    void prompt(qsizetype begin, qsizetype end)
    {
        const Token &first = m_cursor.tokenAt(begin);
        m_call.place.prompt = source(begin, end);
        const bool alone = end == begin + 1 && first.kind == Kind::Word;
        if (alone && isTextVariable(first) && m_textVariable) {
            m_call.form = model::CodeForm::TextVariable;
            m_call.prompt = *m_textVariable;
            placeWithTextStatements(first);
        } else {
            if (alone && m_reading == VbReading::FixedValues && m_evaluator.knows(first.text))
                m_call.form = model::CodeForm::TextVariable;
            m_call.prompt = partsOf(begin, end);
        }
        m_call.message = model::shownText(m_call.prompt);
    }

    // The statements of sText are the call's place too where they stand
    // together after their Dim, each on lines of its own, right before a
    // call that begins its line. Elsewhere sText stays the variable in the
    // call's place, since what stands between may change what it stands for.
    void placeWithTextStatements(const Token &variable)
    {
        VbCallPlace &place = m_call.place;
        place.withTextStatements = m_textStatements && !m_inParentheses
            && m_callBegin == m_placeBegin && startsItsLine(m_placeBegin)
            && onlyBreaksBetween(m_textStatements->end, m_placeBegin)
            && startsItsLine(m_textStatements->begin);
        if (place.withTextStatements)
            m_placeBegin = m_textStatements->begin;
        else
            place.promptVariable = variable.text.toString();
    }

    // Whether the evaluator computes the tokens begin..end-1 alone, all of
    // them. Its refusal is no error: the tokens are then an expression.
    template<typename Evaluation> bool computes(qsizetype begin, qsizetype end, Evaluation evaluate)
    {
        m_cursor.moveTo(begin);
        m_cursor.limitTo(end);
        m_cursor.setQuiet(true);
        const bool computed = evaluate() && m_cursor.atStatementEnd();
        m_cursor.setQuiet(false);
        m_cursor.unlimited();
        if (!computed)
            m_cursor.forgetFailure();
        return computed;
    }

    void buttons(qsizetype begin, qsizetype end)
    {
        qint64 value = 0;
        if (!computes(begin, end, [&] { return m_evaluator.buttonsValue(value); })) {
            m_call.buttonsExpression = source(begin, end);
            return;
        }
        model::ChoicesOfValue taken = model::choicesOfValue(qint32(value));
        m_call.choices = taken.choices;
        m_call.notTakenOver += taken.notTakenOver;
        if (!taken.notTakenOver.isEmpty())
            m_call.place.buttons = source(begin, end);
    }

    // The terms joined by & outside parentheses: each one fixed text where
    // the evaluator computes it alone, otherwise an expression. An operator
    // that binds looser than & makes the whole one expression.
    model::MessageParts partsOf(qsizetype begin, qsizetype end)
    {
        QList<qsizetype> joins;
        int depth = 0;
        for (qsizetype i = begin; i < end; ++i) {
            const Token &token = m_cursor.tokenAt(i);
            depth += token.is(u"(") - token.is(u")");
            if (depth > 0)
                continue;
            if (bindsLooserThanJoin(token))
                return { { model::MessagePart::Kind::Expression, source(begin, end) } };
            if (token.is(u"&"))
                joins << i;
        }
        joins << end;
        model::MessageParts parts;
        qsizetype termBegin = begin;
        for (const qsizetype join : joins) {
            appendTerm(parts, termBegin, join);
            termBegin = join + 1;
        }
        return parts;
    }

    void appendTerm(model::MessageParts &parts, qsizetype begin, qsizetype end)
    {
        if (m_textVariableBefore && end == begin + 1 && isTextVariable(m_cursor.tokenAt(begin))) {
            for (const model::MessagePart &part : *m_textVariableBefore)
                model::appendPart(parts, part);
            return;
        }
        QString text;
        if (computes(begin, end, [&] { return m_evaluator.text(text); }))
            model::appendPart(parts, { model::MessagePart::Kind::ExactText, std::move(text) });
        else
            model::appendPart(parts, { model::MessagePart::Kind::Expression, source(begin, end) });
    }

    // The tokens begin..end-1 as written, blanks between them kept and a
    // continuation between them one blank.
    QString source(qsizetype begin, qsizetype end) const
    {
        QString written;
        for (qsizetype i = begin; i < end; ++i) {
            const Token &token = m_cursor.tokenAt(i);
            if (i > begin) {
                const Token &before = m_cursor.tokenAt(i - 1);
                const qsizetype gapStart = before.offset + before.length;
                const QStringView gap = m_code.sliced(gapStart, token.offset - gapStart);
                written += gap.contains(u'\n') || gap.contains(u'\r') ? u" "_s : gap.toString();
            }
            written += m_cursor.written(token, token);
        }
        return written;
    }

    QStringView m_code;
    const SourceReading &m_sourceReading;
    Lexer m_lexer;
    Cursor m_cursor;
    Evaluator m_evaluator;
    VbReading m_reading;
    QList<bool> m_openBlocks; // the blocks the statement stands in, true for a loop
    std::optional<model::MessageParts> m_textVariable; // sText, while it is known
    // The variables sText's parts name, while it is known.
    QSet<QString> m_textVariableNames;
    std::optional<model::MessageParts> m_textVariableBefore; // while sText is given new parts
    QHash<QString, QString> m_moduleConstants; // by case-folded name
    bool m_inProcedure = false;
    bool m_inParentheses = false;
    std::optional<Span> m_textStatements; // sText's, while they stand together
    std::optional<Span> m_dimText; // the statement before, where it is Dim sText As String
    qsizetype m_callBegin = 0;
    qsizetype m_placeBegin = 0; // the call's statement, or sText's before it
    bool m_inOneLineIf = false; // the statement stands behind a one-line If on its line
    VbCall m_call;
    bool m_callRead = false;
};

} // namespace

VbReadResult readMsgBox(QStringView code, model::Dialect dialect, VbReading reading)
{
    return Reader(code, dialect, reading).read();
}

QString takeOverNote(const VbCall &call)
{
    QStringList lines;
    if (!call.notTakenOver.isEmpty())
        lines << u"Nicht übernommen: "_s + call.notTakenOver.join(u", "_s);
    if (call.inLineIf)
        lines
            << u"Der Aufruf steht in einem einzeiligen If; dessen Bedingung ist nicht übernommen."_s;
    if (call.moreCalls)
        lines << u"Der Code enthält weitere MsgBox-Aufrufe; übernommen wurde der erste."_s;
    return lines.join(u"\r\n"_s);
}

} // namespace quillon::frontend
