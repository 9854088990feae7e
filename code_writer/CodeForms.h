#pragma once

#include "vb_model/CodeForm.h"
#include "vb_model/Dialect.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace quillon::writer {

// The call of MsgBox and the lines around it: the statement itself, or a
// function call whose answer the code goes on to use. Statements stand four
// blanks in, the bodies the programmer fills in eight.
struct CallFrame
{
    QString declaration; // the line before the call; empty for none
    QString opening; // the call's first line, which ends with a continuation
    QString closer; // behind the last argument
    QStringList after; // the lines after the call
    // How much further in than the form's the call's lines stand where it is
    // written in its place: the layout leaves them that room.
    qsizetype indentationBeyondForm = 0;
};

// The frame of a call form in the dialect; an If that does not fit the
// choices is a Select Case, and the text-variable form calls as the
// statement does.
CallFrame callFrameOf(model::CodeForm form, const model::StyleChoices &choices,
    model::Dialect dialect = model::Dialect::Vb6);

// "MsgBox" and what opens its arguments on the next line: "MsgBox _",
// "MsgBox( _", or VB.NET's "MsgBox(".
QString callOpening(bool inParentheses, model::Dialect dialect);

// The text-variable form: the prompt built in sText over as many statements
// as the continuation limit needs, then the call on sText.
struct TextVariableFrame
{
    QString declaration;
    QString firstOpening;
    QString nextOpening;
    QString call;
    QString closer;
};

TextVariableFrame textVariableFrameOf(model::Dialect dialect);

} // namespace quillon::writer
