#include "vb_model/Dialect.h"

#include "vb_model/VbConstants.h"
#include "vb_model/Windows1252.h"

#include <QStringBuilder>
#include <QStringList>

#include <array>
#include <utility>

namespace quillon::model {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr DialectRules kVb6Rules { .classicStatementLayout = true };
// No types, and no named arguments; VBScript's MsgBox is VB6's otherwise.
constexpr DialectRules kVbScriptRules {
    .typedDeclarations = false,
    .resultType = u"",
    .namedArguments = false,
};
// Since VB 2010 a line goes on by itself behind "&", "," and "("; .NET marks
// vbNewLine obsolete, and its MsgBox shows a prompt of any length and takes
// no help file.
constexpr DialectRules kVbNetRules {
    .continuation = u"",
    .statementInParentheses = true,
    .declarationWithValue = true,
    .resultType = u"MsgBoxResult",
    .lineBreak = u"vbCrLf",
    .enumerationNames = true,
    .continuationLimit = 0,
    .promptLengthShown = 0,
    .helpArguments = false,
    .windowsCodePageOnly = false,
};
// VB6's language without VB6's limits.
constexpr DialectRules kTwinBasicRules {
    .continuationLimit = 0,
    .promptLengthShown = 0,
    .windowsCodePageOnly = false,
};

// The members of .NET's MsgBoxStyle and MsgBoxResult enumerations, by the
// VB6 constant each equals; vbDefaultButton4 has none.
constexpr std::array<std::pair<VbConstant, QStringView>, 26> kEnumerationMembers { {
    { kVbOKOnly, u"MsgBoxStyle.OkOnly" },
    { kVbOKCancel, u"MsgBoxStyle.OkCancel" },
    { kVbAbortRetryIgnore, u"MsgBoxStyle.AbortRetryIgnore" },
    { kVbYesNoCancel, u"MsgBoxStyle.YesNoCancel" },
    { kVbYesNo, u"MsgBoxStyle.YesNo" },
    { kVbRetryCancel, u"MsgBoxStyle.RetryCancel" },
    { kVbCritical, u"MsgBoxStyle.Critical" },
    { kVbQuestion, u"MsgBoxStyle.Question" },
    { kVbExclamation, u"MsgBoxStyle.Exclamation" },
    { kVbInformation, u"MsgBoxStyle.Information" },
    { kVbDefaultButton1, u"MsgBoxStyle.DefaultButton1" },
    { kVbDefaultButton2, u"MsgBoxStyle.DefaultButton2" },
    { kVbDefaultButton3, u"MsgBoxStyle.DefaultButton3" },
    { kVbApplicationModal, u"MsgBoxStyle.ApplicationModal" },
    { kVbSystemModal, u"MsgBoxStyle.SystemModal" },
    { kVbMsgBoxHelpButton, u"MsgBoxStyle.MsgBoxHelp" },
    { kVbMsgBoxSetForeground, u"MsgBoxStyle.MsgBoxSetForeground" },
    { kVbMsgBoxRight, u"MsgBoxStyle.MsgBoxRight" },
    { kVbMsgBoxRtlReading, u"MsgBoxStyle.MsgBoxRtlReading" },
    { kVbOK, u"MsgBoxResult.Ok" },
    { kVbCancel, u"MsgBoxResult.Cancel" },
    { kVbAbort, u"MsgBoxResult.Abort" },
    { kVbRetry, u"MsgBoxResult.Retry" },
    { kVbIgnore, u"MsgBoxResult.Ignore" },
    { kVbYes, u"MsgBoxResult.Yes" },
    { kVbNo, u"MsgBoxResult.No" },
} };

} // namespace

const DialectRules &rulesOf(Dialect dialect)
{
    switch (dialect) {
    case Dialect::VbScript:
        return kVbScriptRules;
    case Dialect::VbNet:
        return kVbNetRules;
    case Dialect::TwinBasic:
        return kTwinBasicRules;
    case Dialect::Vb6:
        break;
    }
    return kVb6Rules;
}

QString constantName(const VbConstant &constant, Dialect dialect)
{
    if (rulesOf(dialect).enumerationNames) {
        for (const auto &[vbConstant, member] : kEnumerationMembers) {
            if (vbConstant == constant)
                return member.toString();
        }
        return QString::number(constant.value);
    }
    return constant.name.toString();
}

std::optional<VbConstant> vbConstantOfMember(QStringView enumeration, QStringView member)
{
    for (const auto &[vbConstant, name] : kEnumerationMembers) {
        const qsizetype dot = name.indexOf(u'.');
        if (name.first(dot).compare(enumeration, Qt::CaseInsensitive) == 0
            && name.sliced(dot + 1).compare(member, Qt::CaseInsensitive) == 0)
            return vbConstant;
    }
    return std::nullopt;
}

QString dialectTitle(Dialect dialect)
{
    switch (dialect) {
    case Dialect::VbScript:
        return u"VBScript"_s;
    case Dialect::VbNet:
        return u"VB.NET"_s;
    case Dialect::TwinBasic:
        return u"twinBASIC"_s;
    case Dialect::Vb6:
        break;
    }
    return u"VB6 / VBA"_s;
}

QString promptLengthWarning(qsizetype promptLength, Dialect dialect)
{
    const int shown = rulesOf(dialect).promptLengthShown;
    if (shown == 0 || promptLength <= shown)
        return {};
    return u"Der Text hat %1 Zeichen; MsgBox zeigt in %2 nur etwa die ersten %3 "
           u"und schneidet den Rest ab."_s.arg(promptLength)
               .arg(dialectTitle(dialect))
               .arg(shown);
}

namespace {

// Named so many at most; the rest stand as "...".
constexpr qsizetype kCharactersNamed = 10;

// Each character outside the Windows code page once, in the order of the
// text; a character beyond the 16-bit range as the one character it is.
QStringList charactersOutsideWindows1252(QStringView text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView character = text.sliced(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (!encodeWindows1252(character) && !found.contains(character))
            found.append(character.toString());
    }
    return found;
}

} // namespace

QString unshowableCharactersWarning(QStringView prompt, Dialect dialect)
{
    if (!rulesOf(dialect).windowsCodePageOnly)
        return {};
    QStringList found = charactersOutsideWindows1252(prompt);
    if (found.isEmpty())
        return {};
    if (found.size() > kCharactersNamed) {
        found.resize(kCharactersNamed);
        found.append(u"..."_s);
    }
    return u"Der Text hat Zeichen, die MsgBox in %1 nicht zeigen kann: %2; der Editor macht "
           u"daraus \"?\"."_s.arg(dialectTitle(dialect), found.join(u' '));
}

} // namespace quillon::model
