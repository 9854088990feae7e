#pragma once

#include "vb_model/CodeForm.h"
#include "vb_model/Dialect.h"
#include "vb_model/MessageParts.h"
#include "vb_model/StyleFlags.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <variant>

namespace quillon::frontend {

// Where a call stood in the code it was read from, for writing it anew in
// its place: the code around its lines as written, line breaks as CR LF.
struct VbCallPlace
{
    QString before; // the code before the call's first line
    QString indentation; // of that line
    QString lead; // before the call on that line: "If ", "lRet = ", "Call "
    // Before MsgBox, as written: "VBA.", "VBA.Interaction."; a MsgBox of the
    // program's own may be in scope, so the call keeps it.
    QString qualifier;
    bool inParentheses = false; // its arguments stand in parentheses, as VB needs them
    // Behind the call to the end of its last line: " = vbYes Then",
    // ": Exit Sub", a comment.
    QString rest;
    QString after; // the code after the call's last line
    // The prompt argument as written, a continuation in it as one blank.
    QString prompt;
    // What the window's choices cannot hold, kept for the call in its place:
    // the buttons argument as written where the choices leave out some of
    // it (vbMsgBoxHelpButton, ...), and HelpFile and Context, as named
    // arguments.
    QString buttons;
    QStringList helpArguments;
    // In the text-variable form: whether the statements of sText belong to
    // the place, standing together after their Dim right before the call;
    // where they do not, the prompt's variable as written, for the call to
    // keep.
    bool withTextStatements = false;
    QString promptVariable;
};

// The first MsgBox call of a pasted piece of VB code, as read.
struct VbCall
{
    model::MessageParts prompt; // fixed text as exact text, and expressions
    QString message; // the prompt as shown, line breaks as CR LF
    bool hasTitle = false;
    model::MessageParts titleParts;
    QString title; // the title as shown ("" when the call has none)
    model::StyleChoices choices;
    // The buttons argument as written where it is computed only at run time.
    QString buttonsExpression;
    QStringList notTakenOver; // constants, numbers and arguments left out, as written
    bool moreCalls = false; // the text holds further MsgBox calls after the one read
    model::CodeForm form = model::CodeForm::Statement; // the shape the call stood in
    // What follows the call on its line, from the ":" on, as written, line
    // breaks of continuations as CR LF.
    QString trailing;
    // The call stands after the Then or Else of a one-line If.
    bool inLineIf = false;
    VbCallPlace place;
};

// A call read, or why none could be: never both.
class VbReadResult
{
public:
    VbReadResult(VbCall call)
        : m_outcome(std::move(call))
    { }
    static VbReadResult failed(QString error) { return VbReadResult(std::move(error)); }

    bool found() const { return std::holds_alternative<VbCall>(m_outcome); }
    // Only where found.
    const VbCall &call() const { return std::get<VbCall>(m_outcome); }
    const VbCall *operator->() const { return &call(); }
    // Only where not found: German, for the window, where (line, column) and
    // what was found.
    const QString &error() const { return std::get<QString>(m_outcome); }

private:
    explicit VbReadResult(QString error)
        : m_outcome(std::move(error))
    { }

    std::variant<VbCall, QString> m_outcome;
};

enum class VbReading {
    // Variables and constants stay as written; only the tool's own sText is
    // read for its text.
    KeepExpressions,
    // Variables and constants given fixed text before the call, outside any
    // block and never handed to a procedure, are read for their text.
    FixedValues,
};

// Reads the first MsgBox call of the code. Of the prompt and title, what VB
// would compute as fixed text is taken as text: literals, the vb... string
// constants, Chr/ChrW of a number, Space/String of fixed arguments, whole
// numbers joined with &; every other term joined by & stays an expression,
// as written. Buttons are computed where they are fixed, and otherwise kept
// as written. Only code that is no valid call is refused.
// The code is read as the dialect reads it (see SourceReading).
VbReadResult readMsgBox(
    QStringView code, model::Dialect dialect, VbReading reading = VbReading::KeepExpressions);

// What the user must be told of a call that was read: what it holds that the
// options cannot, and that further calls were left. Lines joined by CR LF;
// empty when the call was taken whole.
QString takeOverNote(const VbCall &call);

} // namespace quillon::frontend
