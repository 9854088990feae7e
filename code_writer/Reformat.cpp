#include "code_writer/Reformat.h"

#include "vb_model/VbConstants.h"

#include <QStringBuilder>

#include <algorithm>

namespace quillon::writer {

namespace {

using namespace Qt::Literals::StringLiterals;

// The forms' code stands four blanks in; the call takes the indentation of
// its own line instead, the lines of its arguments as far in beyond its
// column.
constexpr QStringView kFormIndentation = u"    ";
constexpr QStringView kCrLf = u"\r\n";

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The call's column: a line number before its statement (VB6 code that
// reports Erl numbers its lines) stands in it as blanks, the blanks behind
// the number as written.
QString callColumn(const frontend::VbCallPlace &place)
{
    const QString &lead = place.lead;
    const auto digitsEnd = std::find_if_not(
        lead.begin(), lead.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const auto blanksEnd = std::find_if_not(digitsEnd, lead.end(), isBlank);
    if (digitsEnd == lead.begin() || blanksEnd == digitsEnd)
        return place.indentation;
    const qsizetype digits = digitsEnd - lead.begin();
    return place.indentation % QString(digits, u' ')
        % QStringView(digitsEnd, blanksEnd - digitsEnd);
}

// The first line keeps the indentation of its own, the lines after it stand
// in the call's column. Where the call stands on a continuation of its
// statement ("lRet = _"), the lines of its lead after the first are the
// code's own and stay as written; indented again, they would move further
// in at every run.
QString indentedAs(
    const QString &code, const QString &indentation, const QString &column, qsizetype leadLines)
{
    QStringList lines = code.split(u"\r\n"_s);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool leadsOwn = i > 0 && i <= leadLines;
        if (!leadsOwn && lines[i].startsWith(kFormIndentation))
            lines[i].replace(0, kFormIndentation.size(), i == 0 ? indentation : column);
    }
    return lines.join(u"\r\n"_s);
}

// The text-variable form calls MsgBox on sText as the form writes it; in
// its place, the call keeps its qualifier.
QString withQualifiedTextCall(const QString &code, const QString &qualifier, model::Dialect dialect)
{
    if (qualifier.isEmpty())
        return code;
    const QString call = kCrLf % textVariableFrameOf(dialect).call;
    const qsizetype at = code.lastIndexOf(call);
    if (at < 0)
        return code;
    return QString(code).insert(at + kCrLf.size() + kFormIndentation.size(), qualifier);
}

// With the one button of OK, the choices write no default button; a call
// that names one keeps it all the same, since VB takes its value. Empty
// where the choices' flags hold all of them.
QString flagsWithLoneDefaultButton(const model::StyleChoices &choices)
{
    const model::VbConstant *defaultButton = model::defaultButtonConstantOf(choices.defaultButton);
    if (choices.buttons != 0 || !defaultButton)
        return {};
    model::StyleChoices before;
    before.icon = choices.icon;
    model::StyleChoices behind = choices;
    behind.icon = 0;
    behind.defaultButton = 1;
    QStringList terms;
    for (const QString &term : { model::computeStyleFlags(before).expression,
             defaultButton->name.toString(), model::computeStyleFlags(behind).expression }) {
        if (!term.isEmpty())
            terms << term;
    }
    return terms.join(u" Or "_s);
}

} // namespace

FormatRequest requestToWriteAnew(const frontend::VbCall &call)
{
    FormatRequest request;
    request.message = call.message;
    request.parts = call.prompt;
    request.title = call.title;
    request.titleParts = call.titleParts;
    // VB shows the program's name without a title, and nothing for "".
    if (call.hasTitle && call.titleParts.isEmpty())
        request.titleParts = { { model::MessagePart::Kind::Text, QString() } };
    request.style = call.choices;
    request.buttonsExpression = call.buttonsExpression.isEmpty()
        ? flagsWithLoneDefaultButton(call.choices)
        : call.buttonsExpression;
    request.trailing = call.trailing;
    request.form = call.form;
    request.rewritesCode = true;
    return request;
}

FormatResult formatInPlace(const frontend::VbCall &call, const FormatRequest &request)
{
    const frontend::VbCallPlace &place = call.place;
    // Left out, they would be lost; written, the code would not compile.
    if (!place.helpArguments.isEmpty() && !model::rulesOf(request.dialect).helpArguments) {
        FormatResult refused;
        refused.outcome = FormatOutcome::Refused;
        refused.refusalMessage = helpArgumentsMessage(request.dialect);
        return refused;
    }
    FormatRequest inPlace = request;
    inPlace.trailing = place.rest;
    // Nothing of the call is left out: what the choices cannot hold is
    // written as it stood.
    if (!place.buttons.isEmpty())
        inPlace.buttonsExpression = place.buttons;
    inPlace.namedArguments = place.helpArguments;
    // Without its statements of sText, the text-variable form would declare
    // sText a second time: the call stays a statement, on the variable it
    // named, or on the fixed text it was read for.
    // A prompt read as one expression stands as written: read so,
    // `sText & ""` would lose its "" and become the tool's own sText.
    const bool oneExpression = call.prompt.size() == 1 && call.prompt.first().isExpression();
    if (oneExpression && call.form != model::CodeForm::TextVariable && request.parts == call.prompt
        && !place.prompt.isEmpty())
        inPlace.parts = { { model::MessagePart::Kind::Expression, place.prompt } };
    if (inPlace.form == model::CodeForm::TextVariable && !place.withTextStatements) {
        inPlace.form = model::CodeForm::Statement;
        if (!place.promptVariable.isEmpty())
            inPlace.parts = { { model::MessagePart::Kind::Expression, place.promptVariable } };
    }
    const QString column = callColumn(place);
    const bool inParentheses
        = place.inParentheses || model::rulesOf(request.dialect).statementInParentheses;
    CallFrame frame { {},
        kFormIndentation + place.lead + place.qualifier
            + callOpening(inParentheses, request.dialect),
        inParentheses ? u")"_s : QString(), {} };
    frame.indentationBeyondForm = std::max<qsizetype>(column.size() - kFormIndentation.size(), 0);
    FormatResult result = formatMessageInFrame(inPlace, frame);
    if (result.outcome != FormatOutcome::Formatted)
        return result;
    // The code ends with what stood behind the call, which keeps its lines
    // as they were.
    const QString laidOut = withQualifiedTextCall(
        result.code.chopped(place.rest.size() + kCrLf.size()), place.qualifier, request.dialect);
    result.code = place.before
        % indentedAs(laidOut, place.indentation, column, place.lead.count(kCrLf)) % place.rest
        % kCrLf % place.after;
    return result;
}

} // namespace quillon::writer
