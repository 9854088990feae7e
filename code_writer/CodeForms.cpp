#include "code_writer/CodeForms.h"

#include "vb_model/VbConstants.h"

#include <QStringBuilder>

namespace quillon::writer {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QStringView kBodyLine = u"        ";

// "Dim name As Type", or "Dim name" where the dialect has no types.
QString declaration(QStringView name, QStringView type, const model::DialectRules &rules)
{
    if (!rules.typedDeclarations)
        return u"    Dim " % name;
    return u"    Dim " % name % u" As " % type;
}

CallFrame answerFrame(model::Dialect dialect)
{
    const model::DialectRules &rules = model::rulesOf(dialect);
    const QString call = callOpening(true, dialect);
    if (rules.declarationWithValue)
        return { {}, declaration(u"lAntwort", rules.resultType, rules) % u" = " % call, u")"_s,
            {} };
    return { declaration(u"lAntwort", rules.resultType, rules), u"    lAntwort = " % call, u")"_s,
        {} };
}

} // namespace

QString callOpening(bool inParentheses, model::Dialect dialect)
{
    const model::DialectRules &rules = model::rulesOf(dialect);
    if (inParentheses || rules.statementInParentheses)
        return u"MsgBox(" % rules.continuation;
    return u"MsgBox" % rules.continuation;
}

CallFrame callFrameOf(
    model::CodeForm form, const model::StyleChoices &choices, model::Dialect dialect)
{
    const QList<model::VbConstant> answers
        = model::answersOf(model::computeStyleFlags(choices).value);
    const QString call = callOpening(true, dialect);
    switch (model::formFits(form, choices) ? form : model::CodeForm::Select) {
    case model::CodeForm::Answer:
        return answerFrame(dialect);
    case model::CodeForm::If:
        return { {}, u"    If " % call,
            u") = " % model::constantName(answers.constFirst(), dialect) % u" Then",
            { kBodyLine.toString(), u"    Else"_s, kBodyLine.toString(), u"    End If"_s } };
    case model::CodeForm::Select: {
        QStringList after;
        for (const model::VbConstant &answer : answers)
            after << u"    Case " % model::constantName(answer, dialect) << kBodyLine.toString();
        after << u"    End Select"_s;
        return { {}, u"    Select Case " % call, u")"_s, after };
    }
    case model::CodeForm::Statement:
    case model::CodeForm::TextVariable:
        break;
    }
    const bool inParentheses = model::rulesOf(dialect).statementInParentheses;
    return { {}, u"    " % callOpening(false, dialect), inParentheses ? u")"_s : QString(), {} };
}

TextVariableFrame textVariableFrameOf(model::Dialect dialect)
{
    const model::DialectRules &rules = model::rulesOf(dialect);
    const bool inParentheses = rules.statementInParentheses;
    return { declaration(u"sText", u"String", rules), u"    sText =" % rules.continuation,
        u"    sText = sText &" % rules.continuation,
        inParentheses ? u"    MsgBox(sText"_s : u"    MsgBox sText"_s,
        inParentheses ? u")"_s : QString() };
}

} // namespace quillon::writer
