#pragma once

#include "vb_model/StyleFlags.h"

namespace quillon::model {

// The shapes of code the tool writes around the same laid-out prompt, and
// that the reader finds a call in.
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

} // namespace quillon::model
