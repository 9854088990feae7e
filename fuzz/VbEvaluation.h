#pragma once

#include <QString>

// What VB makes of a generated MsgBox statement: the prompt evaluated as an
// expression, and the arguments behind it as written.
struct EvaluatedMsgBox
{
    QString error; // empty when VB would accept the statement
    QString prompt;
    bool hasButtons = false;
    QString buttons; // the terms joined by " Or "; empty for an empty argument
    bool hasTitle = false;
    QString title;
    int continuations = 0;
};

// Reads the statement as VB's editor does: physical lines end with CR LF, a
// line that goes on ends with a blank and "_", a string literal stays on one
// line and writes a quote as "", vbNewline is CR LF, & joins the pieces.
EvaluatedMsgBox evaluateMsgBox(const QString &code);
