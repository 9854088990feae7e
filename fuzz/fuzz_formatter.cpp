// The formatter against arbitrary messages and titles at every code width and
// style: what it accepts must read back, as VB reads it, as exactly the
// message; on small inputs it must agree with the step-by-step reference.
// Requests with run-time values read back as their parts.

#include "fuzz/FuzzInput.h"

#include "code_writer/Formatter.h"
#include "vb_frontend/VbReader.h"
#include "tests/support/MessageMaker.h"
#include "tests/support/ReferenceFormatter.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

// The reference does every replacement over the whole text, pass after
// pass; beyond this it is too slow to keep the fuzzer busy.
constexpr qsizetype kLongestComparedMessage = 300;

QString described(
    const quillon::writer::FormatRequest &request, const quillon::writer::FormatResult &result)
{
    const quillon::model::StyleFlags flags = quillon::model::computeStyleFlags(request.style);
    return u"width %1, style %2 (%3)\nmessage: %4\ntitle:   %5\ncode:\n%6\ntail:    %7"_s
        .arg(request.codeWidth)
        .arg(flags.value)
        .arg(flags.expression, escaped(request.message), escaped(request.title),
            escaped(result.code).replace(u"\\u000d\\u000a"_s, u"\\r\\n\n"_s),
            escaped(result.codeTail));
}

void checkReadsBack(
    const quillon::writer::FormatRequest &request, const quillon::writer::FormatResult &result)
{
    const quillon::frontend::VbReadResult read
        = quillon::frontend::readMsgBox(result.code, request.dialect);
    const QString details = described(request, result);
    if (!read.found())
        propertyBroken("VB cannot read the statement", read.error() + u'\n' + details);
    if (read->moreCalls || read->form != quillon::model::CodeForm::Statement)
        propertyBroken("the code is not one MsgBox statement", details);
    if (!result.code.startsWith(u"    MsgBox _\r\n"_s))
        propertyBroken("the statement line is not alone on line 1", details);
    checkVbLimits(result.code, details);

    QString expectedPrompt = request.message;
    expectedPrompt.replace(u'"', u"''"_s);
    if (read->message != expectedPrompt)
        propertyBroken("the prompt is not the message",
            u"prompt:  "_s + escaped(read->message) + u'\n' + details);

    const quillon::model::StyleFlags flags = quillon::model::computeStyleFlags(request.style);
    if (quillon::model::computeStyleFlags(read->choices).expression != flags.expression
        || !read->notTakenOver.isEmpty() || !result.codeTail.contains(flags.expression))
        propertyBroken("the buttons argument is not the flags", details);
    if (read->hasTitle != quillon::writer::hasTitle(request.title)
        || (read->hasTitle && read->title != request.title))
        propertyBroken("the title argument is not the title", details);

    const QString withoutBreak = result.code.chopped(2);
    if (!withoutBreak.endsWith(result.codeTail))
        propertyBroken("the code does not end with its tail", details);
}

void checkAgreesWithReference(
    const quillon::writer::FormatRequest &request, const quillon::writer::FormatResult &result)
{
    const quillon::writer::FormatResult expected = reference::formatMessage(request);
    if (result.outcome != expected.outcome || result.code != expected.code
        || result.measuringText != expected.measuringText
        || (result.outcome == quillon::writer::FormatOutcome::Formatted
            && result.codeTail != expected.codeTail)
        || result.refusalMessage != expected.refusalMessage)
        propertyBroken("the formatter and the reference differ",
            u"reference:\n"_s + described(request, expected) + u"\nformatter:\n"_s
                + described(request, result));
}

} // namespace

void checkPartsReadBack(const quillon::writer::FormatRequest &request)
{
    const quillon::writer::FormatResult result = quillon::writer::formatMessage(request);
    if (result.outcome != quillon::writer::FormatOutcome::Formatted)
        return;
    const quillon::frontend::VbReadResult read
        = quillon::frontend::readMsgBox(result.code, request.dialect);
    QString details = described(request, result);
    for (const quillon::model::MessagePart &part : request.parts)
        details += u"\npart %1: %2"_s.arg(int(part.kind)).arg(escaped(part.text));
    if (!read.found())
        propertyBroken("VB cannot read the statement", read.error() + u'\n' + details);
    for (const quillon::model::MessagePart &part : read->prompt)
        details += u"\nread %1: %2"_s.arg(int(part.kind)).arg(escaped(part.text));
    checkVbLimits(result.code, details);
    if (read->prompt != readerView(request.parts)
        || read->titleParts != readerViewOfTitle(request)
        || read->buttonsExpression != request.buttonsExpression
        || read->trailing != request.trailing)
        propertyBroken("a call with expressions reads back differently", details);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    if (size > 0 && data[0] % 4 == 0) {
        checkPartsReadBack(MessageMaker(input).requestWithExpressions());
        return 0;
    }
    const quillon::writer::FormatRequest request = MessageMaker(input).request();
    const quillon::writer::FormatResult result = quillon::writer::formatMessage(request);

    switch (result.outcome) {
    case quillon::writer::FormatOutcome::EmptyMessage:
        if (!request.message.isEmpty())
            propertyBroken("a message was taken for empty", described(request, result));
        break;
    case quillon::writer::FormatOutcome::Refused:
        if (result.refusalMessage != quillon::writer::continuationLimitMessage()
            && result.refusalMessage != quillon::writer::lineTooLongMessage())
            propertyBroken("refused without a known reason", described(request, result));
        break;
    case quillon::writer::FormatOutcome::Formatted:
        checkReadsBack(request, result);
        break;
    }
    if (request.message.size() <= kLongestComparedMessage)
        checkAgreesWithReference(request, result);
    return 0;
}
