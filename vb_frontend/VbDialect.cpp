#include "vb_frontend/VbDialect.h"

#include "vb_frontend/VbLexer.h"

#include <algorithm>
#include <array>

namespace quillon::frontend {

namespace {

using namespace Qt::Literals::StringLiterals;
using vb::Kind;
using vb::Lexer;
using vb::Token;

constexpr std::array<QStringView, 3> kVbaQualifiers { u"VBA", u"VBA.Interaction", u"Interaction" };
constexpr std::array<QStringView, 3> kDotNetQualifiers { u"Interaction", u"Microsoft.VisualBasic",
    u"Microsoft.VisualBasic.Interaction" };

constexpr SourceReading kVb6Reading { .qualifiers = kVbaQualifiers };
constexpr SourceReading kVbScriptReading {
    .joinedContinuation = true,
    .typeCharacters = false,
    .qualifiers = {},
};
constexpr SourceReading kVbNetReading {
    .implicitContinuation = true,
    .commentsContinue = false,
    .interpolatedStrings = true,
    .argumentsAlwaysInParentheses = true,
    .qualifiers = kDotNetQualifiers,
};

// Words that only VB.NET writes where they stand: anywhere, or first in a
// statement, or behind End.
constexpr std::array<QStringView, 4> kDotNetWords { u"MsgBoxStyle", u"MsgBoxResult", u"AndAlso",
    u"OrElse" };
constexpr std::array<QStringView, 4> kDotNetStatements { u"Imports", u"Namespace", u"Try",
    u"Using" };
constexpr std::array<QStringView, 6> kDotNetBlocks { u"Class", u"Module", u"Namespace",
    u"Structure", u"Try", u"Using" };

bool isOneOf(const Token &token, std::span<const QStringView> words)
{
    return std::any_of(words.begin(), words.end(), [&](QStringView w) { return token.isWord(w); });
}

// What a token shows of its dialect, given the two tokens before it.
std::optional<DialectEvidence> evidenceAt(
    QStringView code, const Token &token, const Token &before, const Token &beforeThat)
{
    const bool startsStatement = before.kind == Kind::StatementEnd || before.kind == Kind::End;
    const bool dotNet = isOneOf(token, kDotNetWords)
        || (startsStatement && isOneOf(token, kDotNetStatements))
        || (before.isWord(u"End") && isOneOf(token, kDotNetBlocks)
            && (beforeThat.kind == Kind::StatementEnd || beforeThat.kind == Kind::End))
        || (token.isWord(u"Handles") && before.is(u")"))
        || (token.kind == Kind::String && before.is(u"$") && before.offset + 1 == token.offset);
    if (dotNet)
        return DialectEvidence { model::Dialect::VbNet,
            code.sliced(token.offset, token.kind == Kind::String ? 1 : token.length).toString() };
    const bool joinedContinuation = token.is(u"_") && (before.is(u"&") || before.is(u","))
        && before.offset + 1 == token.offset;
    if (joinedContinuation)
        return DialectEvidence { model::Dialect::VbScript, before.text + u'_' };
    return std::nullopt;
}

// The first evidence, read as VB6 reads code, so that strings and comments
// tell nothing.
std::optional<DialectEvidence> firstEvidence(QStringView code)
{
    Lexer lexer(code, model::Dialect::Vb6);
    Token beforeThat;
    beforeThat.kind = Kind::StatementEnd;
    Token before = beforeThat;
    for (Token token = lexer.next(); token.kind != Kind::End; token = lexer.next()) {
        if (token.kind == Kind::Error) {
            lexer.resumeAtLineEnd();
            continue;
        }
        if (const auto evidence = evidenceAt(code, token, before, beforeThat))
            return evidence;
        beforeThat = before;
        before = token;
    }
    return std::nullopt;
}

bool readsWithoutError(QStringView code, model::Dialect dialect)
{
    Lexer lexer(code, dialect);
    for (Token token = lexer.next(); token.kind != Kind::End; token = lexer.next()) {
        if (token.kind == Kind::Error)
            return false;
    }
    return true;
}

} // namespace

const SourceReading &readingOf(model::Dialect dialect)
{
    switch (dialect) {
    case model::Dialect::VbScript:
        return kVbScriptReading;
    case model::Dialect::VbNet:
        return kVbNetReading;
    case model::Dialect::Vb6:
    case model::Dialect::TwinBasic:
        break;
    }
    return kVb6Reading;
}

std::optional<DialectEvidence> dialectEvidenceIn(QStringView code)
{
    std::optional<DialectEvidence> evidence = firstEvidence(code);
    if (evidence && !readsWithoutError(code, evidence->dialect))
        return std::nullopt;
    return evidence;
}

model::Dialect dialectOfCode(QStringView code, model::Dialect inUse)
{
    const std::optional<DialectEvidence> evidence = dialectEvidenceIn(code);
    return evidence ? evidence->dialect : inUse;
}

QList<bool> linesGoingOn(QStringView code, model::Dialect dialect)
{
    Lexer lexer(code, dialect);
    for (Token token = lexer.next(); token.kind != Kind::End; token = lexer.next()) {
        if (token.kind == Kind::Error)
            lexer.resumeAtLineEnd();
    }
    QList<bool> goingOn;
    const QList<qsizetype> &joined = lexer.joinedBreaks();
    auto nextJoined = joined.cbegin();
    for (qsizetype pos = 0; pos < code.size(); ++pos) {
        if (!vb::isBreak(code[pos]))
            continue;
        while (nextJoined != joined.cend() && *nextJoined < pos)
            ++nextJoined;
        goingOn.append(nextJoined != joined.cend() && *nextJoined == pos);
        if (code[pos] == u'\r' && pos + 1 < code.size() && code[pos + 1] == u'\n')
            ++pos;
    }
    // The last line, where the code does not end with its break.
    if (code.isEmpty() || !vb::isBreak(code.back()))
        goingOn.append(false);
    return goingOn;
}

} // namespace quillon::frontend
