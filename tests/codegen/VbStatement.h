#pragma once

#include <QString>

// Reads a generated MsgBox statement the way VB would: string literals with
// "" for a quote, vbNewline as CR LF, vbCr and vbLf, pieces joined by &,
// continuations " _" at line ends, then the optional buttons and title
// arguments.
struct VbStatement
{
    bool valid = false;
    QString error;
    QString prompt;
    QString buttons; // the flags expression as written, terms joined by " Or "
    bool hasTitle = false;
    QString title;
};

VbStatement readVbStatement(const QString &code);
