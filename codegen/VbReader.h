#pragma once

#include "codegen/Formatter.h"
#include "codegen/StyleFlags.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace codegen {

// What a pasted piece of VB code says about its first MsgBox call.
struct VbReadResult
{
    bool found = false; // a call was read; false: see error
    QString error; // German, for the window: where (line, column) and what was found
    QString message; // the prompt's value, line breaks as CR LF
    bool hasTitle = false;
    QString title; // the title's value ("" when the call has none)
    StyleChoices choices;
    QStringList notTakenOver; // constants, numbers and arguments left out, as written
    bool moreCalls = false; // the text holds further MsgBox calls after the one read
    CodeForm form = CodeForm::Statement; // the shape the call stood in
};

// Reads the first MsgBox call of the code, as VB would evaluate its prompt,
// buttons and title. Only fixed text is taken: literals, the vb... string
// constants, Chr/ChrW of a number, Space/String of fixed arguments, whole
// numbers joined with &, and variables or constants the code gave such text
// before the call. Anything else is an error, never a guess.
VbReadResult readMsgBox(QStringView code);

// What the user must be told of a call that was read: what it holds that the
// options cannot, and that further calls were left. Lines joined by CR LF;
// empty when the call was taken whole.
QString takeOverNote(const VbReadResult &read);

} // namespace codegen
