#include "code_writer/Reformat.h"

#include <QStringBuilder>

namespace codegen {

namespace {

using namespace Qt::Literals::StringLiterals;

// The forms' code stands four blanks in; the call takes the indentation of
// its own line instead, the lines of its arguments as far in beyond it.
constexpr QStringView kFormIndentation = u"    ";
constexpr QStringView kCrLf = u"\r\n";

// Where the call stands on a continuation of its statement ("lRet = _"),
// the lines of its lead after the first are the code's own and stay as
// written; indented again, they would move further in at every run.
QString indentedAs(const QString &code, const QString &indentation, qsizetype leadLines)
{
    QStringList lines = code.split(u"\r\n"_s);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool leadsOwn = i > 0 && i <= leadLines;
        if (!leadsOwn && lines[i].startsWith(kFormIndentation))
            lines[i].replace(0, kFormIndentation.size(), indentation);
    }
    return lines.join(u"\r\n"_s);
}

} // namespace

FormatRequest requestToWriteAnew(const VbCall &call)
{
    FormatRequest request;
    request.message = call.message;
    request.parts = call.prompt;
    request.title = call.title;
    request.titleParts = call.titleParts;
    request.style = call.choices;
    request.buttonsExpression = call.buttonsExpression;
    request.trailing = call.trailing;
    request.form = call.form;
    return request;
}

FormatResult formatInPlace(const VbCall &call, const FormatRequest &request)
{
    const VbCallPlace &place = call.place;
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
    if (inPlace.form == CodeForm::TextVariable && !place.withTextStatements) {
        inPlace.form = CodeForm::Statement;
        if (!place.promptVariable.isEmpty())
            inPlace.parts = { { MessagePart::Kind::Expression, place.promptVariable } };
    }
    const CallFrame frame { {},
        kFormIndentation + place.lead + (place.inParentheses ? u"MsgBox( _"_s : u"MsgBox _"_s),
        place.inParentheses ? u")"_s : QString(), {} };
    FormatResult result = formatMessageInFrame(inPlace, frame);
    if (result.outcome != FormatOutcome::Formatted)
        return result;
    // The code ends with what stood behind the call, which keeps its lines
    // as they were.
    const QString laidOut = result.code.chopped(place.rest.size() + kCrLf.size());
    result.code = place.before % indentedAs(laidOut, place.indentation, place.lead.count(kCrLf))
        % place.rest % kCrLf % place.after;
    return result;
}

} // namespace codegen
