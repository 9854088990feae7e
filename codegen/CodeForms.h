#pragma once

#include "codegen/StyleFlags.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace codegen {

// The shapes of code the tool writes around the same laid-out prompt.
enum class CodeForm {
    Statement, // MsgBox _ ... : the answer is not used
    Answer, // Dim lAntwort As VbMsgBoxResult, lAntwort = MsgBox( _ ... )
    If, // If MsgBox( _ ... ) = vbYes Then ... Else ... End If (sets of two buttons)
    Select, // Select Case MsgBox( _ ... ), a Case for each button
    TextVariable, // Dim sText As String, sText = ... in statements, MsgBox sText, ...
};

// Whether the form can be written for these choices: If compares with the
// first of exactly two buttons, so it does not fit a set of one or three.
bool formFits(CodeForm form, const StyleChoices &choices);

// The call of MsgBox and the lines around it: the statement itself, or a
// function call whose answer the code goes on to use. Statements stand four
// blanks in, the bodies the programmer fills in eight.
struct CallFrame
{
    QString declaration; // the line before the call; empty for none
    QString opening; // the call's first line, which ends with a continuation
    QString closer; // behind the last argument
    QStringList after; // the lines after the call
};

// The frame of a call form; an If that does not fit the choices is a Select
// Case, and the text-variable form calls as the statement does.
CallFrame callFrameOf(CodeForm form, const StyleChoices &choices);

// The text-variable form: the prompt built in sText over as many statements
// as the continuation limit needs, then the call on sText.
struct TextVariableFrame
{
    QStringView declaration;
    QStringView firstOpening;
    QStringView nextOpening;
    QStringView call;
};

inline constexpr TextVariableFrame kTextVariableFrame { u"    Dim sText As String",
    u"    sText = _", u"    sText = sText & _", u"    MsgBox sText" };

} // namespace codegen
