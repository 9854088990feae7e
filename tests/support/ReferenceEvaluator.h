#pragma once

#include <QString>

namespace reference {

// A value of a MsgBox argument as VB would compute it: a fixed text, or
// unknown before the program runs.
struct ArgumentValue
{
    bool known = false;
    QString text; // where known
    // Known only by following variables and constants through the code; a
    // reader may stay more careful there and keep the expression.
    bool throughVariables = false;
};

struct ReferenceCall
{
    bool found = false;
    ArgumentValue prompt;
    bool hasTitle = false;
    ArgumentValue title;
};

// Runs pasted VB code the slow, plain way, statement by statement, and gives
// the prompt and title of its first MsgBox call. Fixed text is what VB's
// language reference makes of literals, &, +, the vb string constants,
// Chr/ChrW, Space, String and whole numbers; a variable keeps its text until
// something that may change it: an assignment in a branch or loop, a
// procedure it is handed to by reference, a label a GoTo may reach with
// other values, the end of its procedure.
ReferenceCall firstMsgBox(const QString &code);

} // namespace reference
