#include "code_writer/CodeForms.h"

#include "vb_model/VbConstants.h"

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QStringView kBodyLine = u"        ";

} // namespace

CallFrame callFrameOf(CodeForm form, const StyleChoices &choices)
{
    const QList<VbConstant> answers = answersOf(computeStyleFlags(choices).value);
    switch (formFits(form, choices) ? form : CodeForm::Select) {
    case CodeForm::Answer:
        return { u"    Dim lAntwort As VbMsgBoxResult"_s, u"    lAntwort = MsgBox( _"_s, u")"_s, {} };
    case CodeForm::If:
        return { {}, u"    If MsgBox( _"_s, u") = " % answers.constFirst().name % u" Then",
            { kBodyLine.toString(), u"    Else"_s, kBodyLine.toString(), u"    End If"_s } };
    case CodeForm::Select: {
        QStringList after;
        for (const VbConstant &answer : answers)
            after << u"    Case " % answer.name << kBodyLine.toString();
        after << u"    End Select"_s;
        return { {}, u"    Select Case MsgBox( _"_s, u")"_s, after };
    }
    case CodeForm::Statement:
    case CodeForm::TextVariable:
        break;
    }
    return { {}, u"    MsgBox _"_s, {}, {} };
}

} // namespace codegen
