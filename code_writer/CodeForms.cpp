#include "code_writer/CodeForms.h"

#include "vb_model/VbConstants.h"

#include <QStringBuilder>

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QStringView kBodyLine = u"        ";

// "Dim name As Type", or "Dim name" where the dialect has no types.
QString declaration(QStringView name, QStringView type, const DialectRules &rules)
{
    if (!rules.typedDeclarations)
        return u"    Dim " % name;
    return u"    Dim " % name % u" As " % type;
}

CallFrame answerFrame(Dialect dialect)
{
    const DialectRules &rules = rulesOf(dialect);
    const QString call = callOpening(true, dialect);
    if (rules.declarationWithValue)
        return { {}, declaration(u"lAntwort", rules.resultType, rules) % u" = " % call, u")"_s,
            {} };
    return { declaration(u"lAntwort", rules.resultType, rules), u"    lAntwort = " % call, u")"_s,
        {} };
}

} // namespace

QString callOpening(bool inParentheses, Dialect dialect)
{
    const DialectRules &rules = rulesOf(dialect);
    if (inParentheses || rules.statementInParentheses)
        return u"MsgBox(" % rules.continuation;
    return u"MsgBox" % rules.continuation;
}

CallFrame callFrameOf(CodeForm form, const StyleChoices &choices, Dialect dialect)
{
    const QList<VbConstant> answers = answersOf(computeStyleFlags(choices).value);
    const QString call = callOpening(true, dialect);
    switch (formFits(form, choices) ? form : CodeForm::Select) {
    case CodeForm::Answer:
        return answerFrame(dialect);
    case CodeForm::If:
        return { {}, u"    If " % call,
            u") = " % constantName(answers.constFirst(), dialect) % u" Then",
            { kBodyLine.toString(), u"    Else"_s, kBodyLine.toString(), u"    End If"_s } };
    case CodeForm::Select: {
        QStringList after;
        for (const VbConstant &answer : answers)
            after << u"    Case " % constantName(answer, dialect) << kBodyLine.toString();
        after << u"    End Select"_s;
        return { {}, u"    Select Case " % call, u")"_s, after };
    }
    case CodeForm::Statement:
    case CodeForm::TextVariable:
        break;
    }
    const bool inParentheses = rulesOf(dialect).statementInParentheses;
    return { {}, u"    " % callOpening(false, dialect), inParentheses ? u")"_s : QString(), {} };
}

TextVariableFrame textVariableFrameOf(Dialect dialect)
{
    const DialectRules &rules = rulesOf(dialect);
    const bool inParentheses = rules.statementInParentheses;
    return { declaration(u"sText", u"String", rules), u"    sText =" % rules.continuation,
        u"    sText = sText &" % rules.continuation,
        inParentheses ? u"    MsgBox(sText"_s : u"    MsgBox sText"_s,
        inParentheses ? u")"_s : QString() };
}

} // namespace codegen
