#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quillon::model {

struct VbConstant;

// The VB the code is written for. VBA takes VB6's code as it is.
enum class Dialect {
    Vb6,
    VbScript,
    VbNet,
    TwinBasic,
};

// What a dialect's code looks like, as the writer asks it; the layout itself
// is the same for all of them.
struct DialectRules
{
    // Ends a line that the statement goes on behind: " _", or nothing where
    // the line ends in "&", "," or "(" and the language goes on by itself.
    QStringView continuation = u" _";
    // The call as a statement: "MsgBox" with its arguments behind a blank,
    // or in parentheses as everywhere else.
    bool statementInParentheses = false;
    // Declarations name their type ("Dim sText As String").
    bool typedDeclarations = true;
    // The answer's variable is declared and given the answer in one line.
    bool declarationWithValue = false;
    QStringView resultType = u"VbMsgBoxResult"; // of the answer's variable, where typed
    QStringView lineBreak = u"vbNewline"; // the constant for a line break of the message
    // The constants of the style and of the answers: "vbQuestion" as VB6
    // names them, or the enumerations' "MsgBoxStyle.Question".
    bool enumerationNames = false;
    // Statements hold at most this many continuations; 0 for no limit.
    int continuationLimit = 24;
    // MsgBox shows about this many characters of a prompt and cuts the rest;
    // 0 where it shows all.
    int promptLengthShown = 1024;
    // HelpFile and Context can be named (HelpFile:=...).
    bool namedArguments = true;
    // MsgBox takes HelpFile and Context at all.
    bool helpArguments = true;
    // Its editor keeps code in the Windows code page, and its MsgBox shows
    // no other character: the editor makes a "?" of any other.
    bool windowsCodePageOnly = true;
    // The statement written from a typed message keeps the layout the tool
    // has always written for VB6: joined lines may pass the width by what the
    // join allowance leaves, and the buttons and the title stand whole on
    // their lines. Elsewhere the lines keep to the width.
    bool classicStatementLayout = false;
};

const DialectRules &rulesOf(Dialect dialect);

// A MsgBox constant as the dialect's code names it.
QString constantName(const VbConstant &constant, Dialect dialect);

// The constant that a member of .NET's enumerations equals, by the names of
// both, as VB.NET compares names: without regard to case.
std::optional<VbConstant> vbConstantOfMember(QStringView enumeration, QStringView member);

// The name users know the dialect by: "VB6 / VBA", "VBScript", ...
QString dialectTitle(Dialect dialect);

// Where the dialect's MsgBox would cut a prompt of this length, what the
// user is told; empty where it shows all of it.
QString promptLengthWarning(qsizetype promptLength, Dialect dialect);

// Where the dialect cannot show characters of the prompt, what the user is
// told, naming them; empty where it shows all of them.
QString unshowableCharactersWarning(QStringView prompt, Dialect dialect);

} // namespace quillon::model
