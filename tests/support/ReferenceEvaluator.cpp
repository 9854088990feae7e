#include "tests/support/ReferenceEvaluator.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <algorithm>
#include <cctype>

using namespace Qt::Literals::StringLiterals;

namespace reference {

namespace {

struct Token
{
    enum class Kind { Word, Text, Number, Symbol };
    Kind kind;
    QString text; // a word in lower case without its type character
    qint64 number = 0;
};
using Tokens = QList<Token>;

bool isWord(const Token &token, QStringView word)
{
    return token.kind == Token::Kind::Word && token.text == word;
}

bool isSymbol(const Token &token, QStringView symbol)
{
    return token.kind == Token::Kind::Symbol && token.text == symbol;
}

bool restOfLineBlank(QStringView code, qsizetype from)
{
    for (; from < code.size() && code[from] != u'\r' && code[from] != u'\n'; ++from) {
        if (code[from] != u' ' && code[from] != u'\t')
            return false;
    }
    return true;
}

qsizetype pastLineEnd(QStringView code, qsizetype at)
{
    while (at < code.size() && code[at] != u'\r' && code[at] != u'\n')
        ++at;
    if (at < code.size() && code[at] == u'\r')
        ++at;
    if (at < code.size() && code[at] == u'\n')
        ++at;
    return at;
}

// A string literal from its opening quote; "" inside is one quote.
Token stringLiteral(QStringView code, qsizetype &at)
{
    QString text;
    for (++at; at < code.size(); ++at) {
        if (code[at] == u'"') {
            if (at + 1 < code.size() && code[at + 1] == u'"') {
                text += u'"';
                ++at;
                continue;
            }
            ++at;
            break;
        }
        text += code[at];
    }
    return { Token::Kind::Text, text };
}

// A whole number. &H literals are Integer up to four digits and Long up to
// eight, unless typed Long with &, so &HFFFF is -1 and &HFFFF& 65535.
Token number(QStringView code, qsizetype &at)
{
    const bool hex = code[at] == u'&';
    const qsizetype start = at += hex ? 2 : 0;
    while (at < code.size() && (hex ? isxdigit(code[at].toLatin1()) : code[at].isDigit()))
        ++at;
    qint64 value = code.sliced(start, at - start).toLongLong(nullptr, hex ? 16 : 10);
    const bool typedLong = at < code.size() && code[at] == u'&'
        && (at + 1 == code.size() || code[at + 1].toUpper() != u'H');
    at += typedLong || (at < code.size() && code[at] == u'%') ? 1 : 0;
    if (hex && !typedLong && at - start <= 4 && value > 0x7FFF)
        value -= 0x10000;
    else if (hex && value > 0x7FFFFFFF && value <= 0xFFFFFFFF)
        value -= 0x100000000;
    return { Token::Kind::Number, {}, value };
}

Token word(QStringView code, qsizetype &at)
{
    const qsizetype start = at;
    while (at < code.size() && (code[at].isLetterOrNumber() || code[at] == u'_'))
        ++at;
    Token token { Token::Kind::Word, code.sliced(start, at - start).toString().toLower() };
    if (at < code.size() && u"$%!#@"_s.contains(code[at]))
        ++at; // s and s$ are one variable
    return token;
}

// The code as logical lines of tokens: continuations joined, comments and
// empty lines gone.
QList<Tokens> logicalLines(QStringView code)
{
    QList<Tokens> lines(1);
    for (qsizetype at = 0; at < code.size();) {
        const QChar c = code[at];
        const QChar next = at + 1 < code.size() ? code[at + 1] : QChar();
        if (c == u'\r' || c == u'\n') {
            if (!lines.last().isEmpty())
                lines.append(Tokens());
            ++at;
        } else if (c == u' ' || c == u'\t') {
            ++at;
        } else if (c == u'_' && restOfLineBlank(code, at + 1)) {
            at = pastLineEnd(code, at);
        } else if (c == u'\'') {
            while (at < code.size() && code[at] != u'\r' && code[at] != u'\n')
                ++at;
        } else if (c == u'"') {
            lines.last().append(stringLiteral(code, at));
        } else if (c.isDigit() || (c == u'&' && (next == u'H' || next == u'h'))) {
            lines.last().append(number(code, at));
        } else if (c.isLetter()) {
            lines.last().append(word(code, at));
        } else {
            const bool assignsByName = c == u':' && next == u'=';
            lines.last().append(
                { Token::Kind::Symbol, code.sliced(at, assignsByName ? 2 : 1).toString() });
            at += assignsByName ? 2 : 1;
        }
    }
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Where the bracket opened at `open` closes, or the end.
qsizetype closing(const Tokens &tokens, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < tokens.size(); ++i) {
        depth += isSymbol(tokens[i], u"(") ? 1 : isSymbol(tokens[i], u")") ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return tokens.size();
}

// The pieces between separators outside brackets.
QList<Tokens> split(const Tokens &tokens, bool (*separates)(const Token &))
{
    QList<Tokens> pieces(1);
    int depth = 0;
    for (const Token &token : tokens) {
        depth += isSymbol(token, u"(") ? 1 : isSymbol(token, u")") ? -1 : 0;
        if (depth == 0 && separates(token))
            pieces.append(Tokens());
        else
            pieces.last().append(token);
    }
    return pieces;
}

bool isComma(const Token &token)
{
    return isSymbol(token, u",");
}
bool isColon(const Token &token)
{
    return isSymbol(token, u":");
}
bool isElse(const Token &token)
{
    return isWord(token, u"else");
}

struct Value
{
    enum class Kind { Unknown, Text, Number };
    Kind kind = Kind::Unknown;
    QString text;
    qint64 number = 0;
    bool throughVariables = false;

    QString asText() const { return kind == Kind::Number ? QString::number(number) : text; }
};
using Variables = QHash<QString, Value>; // absent: unknown

Value text(const QString &text)
{
    return { Value::Kind::Text, text };
}

// Longer texts than any message are left unknown rather than built.
constexpr qint64 kLongest = 100000;

// Chr: the ANSI code page's character; codes 128..159, where Windows-1252
// differs from Latin-1, are left unknown here.
Value character(qint64 code)
{
    if (code < 0 || code > 255 || (code >= 128 && code < 160))
        return {};
    return text(QString(QChar(char16_t(code))));
}

const QHash<QString, QString> &stringConstants()
{
    static const QHash<QString, QString> kConstants {
        { u"vbcr"_s, u"\r"_s },
        { u"vblf"_s, u"\n"_s },
        { u"vbcrlf"_s, u"\r\n"_s },
        { u"vbnewline"_s, u"\r\n"_s },
        { u"vbtab"_s, u"\t"_s },
        { u"vbback"_s, u"\b"_s },
        { u"vbnullchar"_s, QString(QChar(0)) },
        { u"vbnullstring"_s, QString() },
        { u"vbformfeed"_s, u"\f"_s },
        { u"vbverticaltab"_s, u"\v"_s },
    };
    return kConstants;
}

const QSet<QString> &builtInFunctions()
{
    static const QSet<QString> kNames { u"chr"_s, u"chrw"_s, u"space"_s, u"string"_s, u"left"_s,
        u"right"_s, u"mid"_s, u"len"_s, u"trim"_s, u"ucase"_s, u"lcase"_s, u"replace"_s,
        u"format"_s, u"cstr"_s, u"msgbox"_s };
    return kNames;
}

// An expression by VB's precedence: + binds tighter than &.
class Expression
{
public:
    Expression(const Tokens &tokens, const Variables &variables)
        : m_tokens(tokens)
        , m_variables(variables)
    { }

    Value value()
    {
        const Value result = concatenation();
        return m_at == m_tokens.size() ? result : Value();
    }

private:
    bool take(QStringView symbol)
    {
        const bool found = m_at < m_tokens.size() && isSymbol(m_tokens[m_at], symbol);
        m_at += found ? 1 : 0;
        return found;
    }

    static Value joined(const Value &left, const Value &right, Value result)
    {
        const bool known = left.kind != Value::Kind::Unknown && right.kind != Value::Kind::Unknown;
        if (!known)
            result = {};
        result.throughVariables = left.throughVariables || right.throughVariables;
        return result;
    }

    Value concatenation()
    {
        Value left = sum();
        while (take(u"&")) {
            const Value right = sum();
            left = joined(left, right, text(left.asText() + right.asText()));
        }
        return left;
    }

    Value sum()
    {
        Value left = unary();
        while (m_at < m_tokens.size()
            && (isSymbol(m_tokens[m_at], u"+") || isSymbol(m_tokens[m_at], u"-"))) {
            const bool plus = isSymbol(m_tokens[m_at++], u"+");
            const Value right = unary();
            Value result;
            if (left.kind == Value::Kind::Number && right.kind == Value::Kind::Number)
                result = { Value::Kind::Number, {},
                    plus ? left.number + right.number : left.number - right.number };
            else if (plus && left.kind == Value::Kind::Text && right.kind == Value::Kind::Text)
                result = text(left.text + right.text);
            left = joined(left, right, result); // a number beside + text: a run-time matter
        }
        return left;
    }

    Value unary()
    {
        if (!take(u"-"))
            return primary();
        Value operand = unary();
        if (operand.kind != Value::Kind::Number)
            return joined(operand, operand, {});
        operand.number = -operand.number;
        return operand;
    }

    Value primary()
    {
        if (m_at >= m_tokens.size())
            return {};
        const Token &token = m_tokens[m_at++];
        if (token.kind == Token::Kind::Text)
            return text(token.text);
        if (token.kind == Token::Kind::Number)
            return { Value::Kind::Number, {}, token.number };
        if (isSymbol(token, u"(")) {
            const Value inner = concatenation();
            return take(u")") ? inner : Value();
        }
        return token.kind == Token::Kind::Word ? named(token.text) : Value();
    }

    QList<Value> arguments()
    {
        QList<Value> values;
        if (!take(u"("))
            return values;
        do
            values.append(concatenation());
        while (take(u","));
        return take(u")") ? values : QList<Value> { Value() };
    }

    // VBA.vbCr, VBA.Constants.vbCr, VBA.Strings.Chr: the library's own names.
    QString qualified(QString name)
    {
        static const QSet<QString> kModules { u"constants"_s, u"strings"_s, u"interaction"_s };
        if (name == u"vba" && take(u".") && m_at < m_tokens.size())
            name = m_tokens[m_at++].text;
        if (kModules.contains(name) && take(u".") && m_at < m_tokens.size())
            name = m_tokens[m_at++].text;
        return name;
    }

    Value named(const QString &written)
    {
        const QString name = qualified(written);
        if (stringConstants().contains(name))
            return text(stringConstants().value(name));
        if (m_at < m_tokens.size() && isSymbol(m_tokens[m_at], u"("))
            return function(name, arguments());
        if (take(u".")) { // a member of an object: known only at run time
            m_at = m_tokens.size();
            return {};
        }
        Value variable = m_variables.value(name);
        variable.throughVariables = true;
        return variable;
    }

    static Value function(const QString &name, const QList<Value> &arguments)
    {
        Value result;
        const bool numbers = std::all_of(arguments.begin(), arguments.end(),
            [](const Value &v) { return v.kind == Value::Kind::Number; });
        if ((name == u"chr") && arguments.size() == 1 && numbers)
            result = character(arguments[0].number);
        else if (name == u"chrw" && arguments.size() == 1 && numbers
            && arguments[0].number >= -32768 && arguments[0].number <= 65535)
            result = text(QString(QChar(char16_t(arguments[0].number & 0xFFFF))));
        else if (name == u"space" && arguments.size() == 1 && numbers && arguments[0].number >= 0
            && arguments[0].number <= kLongest)
            result = text(QString(arguments[0].number, u' '));
        else if (name == u"string" && arguments.size() == 2)
            result = repeated(arguments[0], arguments[1]);
        for (const Value &argument : arguments)
            result = joined(argument, result, result);
        return result;
    }

    // String(n, c): c's first character, or the character of code c Mod 256.
    static Value repeated(const Value &count, const Value &character)
    {
        if (count.kind != Value::Kind::Number || count.number < 0 || count.number > kLongest)
            return {};
        if (character.kind == Value::Kind::Text && !character.text.isEmpty())
            return text(QString(count.number, character.text[0]));
        if (character.kind != Value::Kind::Number || character.number < 0)
            return {};
        const Value one = reference::character(character.number % 256);
        return one.kind == Value::Kind::Text ? text(QString(count.number, one.text[0])) : Value();
    }

    const Tokens &m_tokens;
    const Variables &m_variables;
    qsizetype m_at = 0;
};

ArgumentValue argumentValue(const Value &value)
{
    if (value.kind == Value::Kind::Unknown)
        return {};
    return { true, value.asText(), value.throughVariables };
}

// A block entered: what held on entry, and what the block may change.
struct Frame
{
    enum class Kind { Branches, Loop, Once };
    Kind kind;
    int line; // where a loop starts
    Variables onEntry;
    QSet<QString> changed;
    bool holdsCall = false;
};

const QSet<QString> &keywords()
{
    static const QSet<QString> kWords { u"if"_s, u"then"_s, u"else"_s, u"elseif"_s, u"end"_s,
        u"for"_s, u"next"_s, u"do"_s, u"loop"_s, u"while"_s, u"wend"_s, u"with"_s, u"select"_s,
        u"case"_s, u"sub"_s, u"function"_s, u"property"_s, u"dim"_s, u"const"_s, u"call"_s,
        u"let"_s, u"set"_s, u"exit"_s, u"goto"_s, u"on"_s, u"resume"_s, u"private"_s, u"public"_s,
        u"static"_s, u"friend"_s };
    return kWords;
}

// One run over the code. Where the call stands in a loop, a later pass knows
// from `loopChanges` what the loop's later rounds may have changed before it.
class Run
{
public:
    Run(const QList<Tokens> &lines, QHash<int, QSet<QString>> &loopChanges)
        : m_lines(lines)
        , m_loopChanges(loopChanges)
    { }

    ReferenceCall result() const { return m_call; }
    bool loopsLearnt() const { return m_learnt; }

    void run()
    {
        for (m_line = 0; m_line < m_lines.size(); ++m_line) {
            line(m_lines[m_line]);
            while (m_lineIfs > 0) {
                --m_lineIfs;
                leave();
            }
        }
    }

private:
    void line(Tokens tokens)
    {
        const bool lineNumber = !tokens.isEmpty() && tokens[0].kind == Token::Kind::Number;
        const bool label = tokens.size() >= 2 && tokens[0].kind == Token::Kind::Word
            && isColon(tokens[1]) && !keywords().contains(tokens[0].text);
        if (lineNumber || label) {
            forgetAll(); // a GoTo may come here with other values
            tokens.remove(0, label ? 2 : 1);
        }
        for (const Tokens &piece : split(tokens, isColon))
            statements(piece);
    }

    // A one-line If's Else ends its Then part.
    void statements(const Tokens &piece)
    {
        const QList<Tokens> parts = m_lineIfs > 0 ? split(piece, isElse) : QList<Tokens> { piece };
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                branch();
            statement(parts[i]);
        }
    }

    void statement(const Tokens &tokens)
    {
        if (tokens.isEmpty())
            return;
        const QString first = tokens[0].kind == Token::Kind::Word ? tokens[0].text : QString();
        const QString second = tokens.size() > 1 ? tokens[1].text : QString();
        if (first == u"if")
            return ifStatement(tokens);
        if (first == u"elseif" || first == u"else" || first == u"case")
            branch();
        look(tokens);
        if (first == u"end" || first == u"next" || first == u"loop" || first == u"wend")
            return second == u"sub" || second == u"function" || second == u"property"
                ? newProcedure()
                : leave();
        if (first == u"sub" || first == u"function" || first == u"property"
            || ((first == u"private" || first == u"public" || first == u"friend"
                    || first == u"static")
                && (second == u"sub" || second == u"function" || second == u"property")))
            return newProcedure();
        if (first == u"for" || first == u"do" || first == u"while")
            return enterLoop(tokens);
        if (first == u"with" || first == u"select")
            return enter(first == u"with" ? Frame::Kind::Once : Frame::Kind::Branches);
        if (first == u"let")
            return assignment(tokens.sliced(1));
        if (first == u"const" || second == u"const")
            return constant(tokens.sliced(first == u"const" ? 1 : 2));
        if (!keywords().contains(first) && tokens.size() > 1 && isSymbol(tokens[1], u"="))
            return assignment(tokens);
        if (!first.isEmpty() && !keywords().contains(first))
            procedureCall(tokens);
    }

    void ifStatement(const Tokens &tokens)
    {
        qsizetype then = 0;
        while (then < tokens.size() && !isWord(tokens[then], u"then"))
            ++then;
        look(tokens.first(then));
        enter(Frame::Kind::Branches);
        if (then + 1 < tokens.size()) { // the rest of the line is the Then part
            ++m_lineIfs;
            statements(tokens.sliced(then + 1));
        }
    }

    // Finds the first call and whatever hands variables to a procedure.
    void look(const Tokens &tokens)
    {
        for (qsizetype i = 0; i < tokens.size(); ++i) {
            if (!m_call.found && isWord(tokens[i], u"msgbox") && isMsgBoxOfVba(tokens, i))
                readCall(tokens, i);
            // At a statement's start, Foo (s) hands over the value of (s).
            if (i > 0 && tokens[i].kind == Token::Kind::Word
                && !builtInFunctions().contains(tokens[i].text) && i + 1 < tokens.size()
                && isSymbol(tokens[i + 1], u"(")) {
                const qsizetype end = closing(tokens, i + 1);
                forgetPassed(split(tokens.mid(i + 2, end - i - 2), isComma));
            }
        }
    }

    static bool isMsgBoxOfVba(const Tokens &tokens, qsizetype at)
    {
        if (at == 0 || !isSymbol(tokens[at - 1], u"."))
            return true;
        const qsizetype before
            = at >= 4 && isWord(tokens[at - 2], u"interaction") ? at - 4 : at - 2;
        return before >= 0 && isWord(tokens[before], u"vba");
    }

    // By reference, as VB passes a variable standing alone.
    void forgetPassed(const QList<Tokens> &arguments)
    {
        for (const Tokens &argument : arguments) {
            if (argument.size() == 1 && argument[0].kind == Token::Kind::Word)
                assign(argument[0].text, {});
        }
    }

    void procedureCall(const Tokens &tokens)
    {
        qsizetype at = 1;
        while (at + 1 < tokens.size() && isSymbol(tokens[at], u"."))
            at += 2; // obj.Method
        if (builtInFunctions().contains(tokens[at - 1].text))
            return; // VB's own functions change no argument
        forgetPassed(split(tokens.sliced(qMin(at, tokens.size())), isComma));
    }

    void assignment(const Tokens &tokens)
    {
        if (tokens.size() < 2 || tokens[0].kind != Token::Kind::Word || !isSymbol(tokens[1], u"="))
            return;
        Value value = Expression(tokens.sliced(2), m_variables).value();
        value.throughVariables = false;
        assign(tokens[0].text, value);
    }

    // Const NAME [As String] = value
    void constant(const Tokens &tokens)
    {
        const qsizetype equals = std::find_if(tokens.begin(), tokens.end(), [](const Token &t) {
            return isSymbol(t, u"=");
        }) - tokens.begin();
        if (!tokens.isEmpty() && equals < tokens.size())
            assignment(Tokens { tokens[0] } + tokens.sliced(equals));
    }

    void readCall(const Tokens &tokens, qsizetype at)
    {
        const bool statementForm = at == 0
            || (at >= 2 && isSymbol(tokens[at - 1], u".")
                && (at == 2 || (at == 4 && isSymbol(tokens[1], u"."))));
        Tokens list = tokens.sliced(at + 1);
        if (!statementForm && !list.isEmpty() && isSymbol(list[0], u"("))
            list = list.sliced(1, qMax<qsizetype>(closing(list, 0) - 1, 0));
        static const QStringList kNames { u"prompt"_s, u"buttons"_s, u"title"_s };
        m_call.found = true;
        const QList<Tokens> arguments = split(list, isComma);
        for (qsizetype position = 0; position < arguments.size(); ++position) {
            Tokens argument = arguments[position];
            qsizetype named = position;
            if (argument.size() > 2 && isSymbol(argument[1], u":=")) {
                named = kNames.indexOf(argument[0].text);
                argument.remove(0, 2);
            }
            const ArgumentValue value = argumentValue(Expression(argument, m_variables).value());
            if (named == 0)
                m_call.prompt = value;
            if (named == 2 && !argument.isEmpty()) {
                m_call.hasTitle = true;
                m_call.title = value;
            }
        }
        for (Frame &frame : m_frames)
            frame.holdsCall = true;
    }

    void assign(const QString &name, const Value &value)
    {
        m_variables.insert(name, value);
        for (Frame &frame : m_frames)
            frame.changed.insert(name);
    }

    void forgetAll()
    {
        m_variables.clear();
        for (Frame &frame : m_frames)
            frame.onEntry.clear();
    }

    void newProcedure()
    {
        m_variables.clear();
        m_frames.clear();
        m_lineIfs = 0;
    }

    void enter(Frame::Kind kind) { m_frames.append({ kind, m_line, m_variables, {} }); }

    void enterLoop(const Tokens &tokens)
    {
        for (const QString &name : m_loopChanges.value(m_line))
            m_variables.remove(name); // as a later round finds it
        enter(Frame::Kind::Loop);
        if (isWord(tokens[0], u"for"))
            assign(tokens.size() > 2 && isWord(tokens[1], u"each") ? tokens[2].text
                                                                   : tokens.value(1).text,
                {});
    }

    // Else, ElseIf, Case: as on entry to the block.
    void branch()
    {
        if (!m_frames.isEmpty() && m_frames.last().kind == Frame::Kind::Branches)
            m_variables = m_frames.last().onEntry;
    }

    void leave()
    {
        if (m_frames.isEmpty())
            return;
        const Frame frame = m_frames.takeLast();
        if (frame.kind == Frame::Kind::Once)
            return;
        m_variables = frame.onEntry;
        for (const QString &name : frame.changed)
            m_variables.remove(name); // the block may or may not have run
        if (frame.kind == Frame::Kind::Loop && frame.holdsCall
            && !m_loopChanges.value(frame.line).contains(frame.changed)) {
            m_loopChanges[frame.line].unite(frame.changed);
            m_learnt = true;
        }
    }

    const QList<Tokens> &m_lines;
    QHash<int, QSet<QString>> &m_loopChanges;
    Variables m_variables;
    QList<Frame> m_frames;
    int m_line = 0;
    int m_lineIfs = 0;
    ReferenceCall m_call;
    bool m_learnt = false;
};

} // namespace

ReferenceCall firstMsgBox(const QString &code)
{
    const QList<Tokens> lines = logicalLines(code);
    QHash<int, QSet<QString>> loopChanges;
    for (;;) {
        Run run(lines, loopChanges);
        run.run();
        if (!run.loopsLearnt())
            return run.result();
    }
}

} // namespace reference
