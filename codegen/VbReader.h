#pragma once

#include "codegen/Formatter.h"
#include "codegen/StyleFlags.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <variant>

namespace codegen {

// The first MsgBox call of a pasted piece of VB code, as read.
struct VbCall
{
    QString message; // the prompt's value, line breaks as CR LF
    bool hasTitle = false;
    QString title; // the title's value ("" when the call has none)
    StyleChoices choices;
    QStringList notTakenOver; // constants, numbers and arguments left out, as written
    bool moreCalls = false; // the text holds further MsgBox calls after the one read
    CodeForm form = CodeForm::Statement; // the shape the call stood in
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

// Reads the first MsgBox call of the code, as VB would evaluate its prompt,
// buttons and title. Only fixed text is taken: literals, the vb... string
// constants, Chr/ChrW of a number, Space/String of fixed arguments, whole
// numbers joined with &, and variables or constants the code gave such text
// before the call. Anything else is an error, never a guess.
VbReadResult readMsgBox(QStringView code);

// What the user must be told of a call that was read: what it holds that the
// options cannot, and that further calls were left. Lines joined by CR LF;
// empty when the call was taken whole.
QString takeOverNote(const VbCall &call);

} // namespace codegen
