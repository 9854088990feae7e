#include "cli/HeadlessFormat.h"

#include "cli/CommandLine.h"
#include "cli/Messages.h"
#include "code_writer/Formatter.h"
#include "code_writer/Reformat.h"
#include "vb_frontend/VbDialect.h"
#include "vb_frontend/VbReader.h"
#include "vb_model/LineBreaks.h"
#include "vb_model/TextEncoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

// Standard error is a terminal stream: plain LF, which Windows turns into CR LF.
QByteArray errorLines(const QString &crlfText)
{
    return (quillon::model::toWidgetText(crlfText) + u'\n').toUtf8();
}

quillon::writer::FormatRequest requestFor(const FormatOptions &options, const QString &message)
{
    quillon::writer::FormatRequest request;
    request.message = message;
    request.title = options.title;
    request.style = options.style;
    request.codeWidth = options.codeWidth;
    request.form = options.form;
    request.dialect = options.dialect;
    return request;
}

// The call as read, written anew at the width and in the form asked for,
// in the dialect it was read in.
quillon::writer::FormatRequest requestFor(const FormatOptions &options,
    const quillon::frontend::VbCall &call, quillon::model::Dialect dialect)
{
    quillon::writer::FormatRequest request = quillon::writer::requestToWriteAnew(call);
    request.codeWidth = options.codeWidth;
    request.form = options.form;
    request.dialect = dialect;
    return request;
}

QJsonArray jsonOf(const quillon::model::MessageParts &parts)
{
    QJsonArray array;
    for (const quillon::model::MessagePart &part : parts)
        array.append(
            QJsonObject { { part.isExpression() ? u"expression"_s : u"text"_s, part.text } });
    return array;
}

// Said as msgbox-format says it; a text refused for its continuations with
// what helps it.
QString refusalOf(const quillon::writer::FormatRequest &request, const QString &refusal)
{
    if (refusal != quillon::writer::continuationLimitMessage())
        return spoken(refusal);
    quillon::writer::FormatRequest widest = request;
    widest.codeWidth = quillon::writer::kMaxCodeWidth;
    const bool widerFits = request.codeWidth < quillon::writer::kMaxCodeWidth
        && quillon::writer::formatMessage(widest).outcome
            == quillon::writer::FormatOutcome::Formatted;
    return spoken(refusal) + u"\r\n"_s
        + continuationRemedy(widerFits ? WiderWidth::Fits : WiderWidth::DoesNotFit);
}

// The length of the prompt the code shows: a typed quote is two apostrophes
// there.
qsizetype shownLength(const quillon::writer::FormatRequest &request)
{
    const QString &message = request.message;
    return message.size() + (request.parts.isEmpty() ? message.count(u'"') : 0);
}

Outcome formatted(const FormatOptions &options, const quillon::writer::FormatRequest &request)
{
    const quillon::writer::FormatResult result = quillon::writer::formatMessage(request);
    switch (result.outcome) {
    case quillon::writer::FormatOutcome::EmptyMessage:
        return {};
    case quillon::writer::FormatOutcome::Refused:
        return { TextRefused, {},
            errorLines(u"msgbox-format: "_s + refusalOf(request, result.refusalMessage)) };
    case quillon::writer::FormatOutcome::Formatted:
        break;
    }
    // Said, not refused: the code is right, only the box will cut the text.
    const QString cut = quillon::model::promptLengthWarning(shownLength(request), request.dialect);
    const QByteArray warning
        = cut.isEmpty() ? QByteArray() : errorLines(u"msgbox-format: "_s + spoken(cut));
    if (!options.printPrompt)
        return { Done, result.code.toUtf8(), warning };
    // The prompt is what the written code shows, read as VB reads it. Code
    // the reader cannot take back would be the formatter's fault: said, not
    // printed as an empty prompt.
    const quillon::frontend::VbReadResult written
        = quillon::frontend::readMsgBox(result.code, request.dialect);
    if (!written.found())
        return { TextRefused, {}, errorLines(spoken(written.error())) };
    return { Done, (written->message + u"\r\n"_s).toUtf8(), warning };
}

QJsonObject jsonOf(const quillon::frontend::VbReadResult &read)
{
    const quillon::model::StyleChoices &choices = read->choices;
    return {
        { u"title"_s, read->title },
        { u"message"_s, read->message },
        { u"icon"_s, iconWords().value(choices.icon) },
        { u"buttons"_s, buttonSetWords().value(choices.buttons) },
        { u"default"_s, choices.defaultButton },
        { u"systemModal"_s, choices.systemModal },
        { u"right"_s, choices.textRight },
        { u"notTakenOver"_s, QJsonArray::fromStringList(read->notTakenOver) },
        { u"parts"_s, jsonOf(read->prompt) },
        { u"titleParts"_s, jsonOf(read->titleParts) },
        { u"buttonsExpression"_s, read->buttonsExpression },
        { u"trailing"_s, read->trailing },
        { u"inLineIf"_s, read->inLineIf },
    };
}

// A call that cannot be written anew without losing code is refused, so
// that no script writes the new code over the old unawares. In the form
// asked for, the call is written alone, without the code around it.
QString reformatProblem(const quillon::frontend::VbCall &call)
{
    if (call.inLineIf)
        return Cli::tr("The MsgBox call stands in a one-line If, whose condition --form would "
                       "lose; write it as an If block, or leave out --form.");
    if (call.prompt.isEmpty())
        return Cli::tr("The MsgBox call has an empty prompt; there is nothing to write anew.");
    return {};
}

// The code goes back in the encoding it came in, its mark included.
Outcome inEncoding(Outcome outcome, quillon::model::TextEncoding encoding)
{
    if (outcome.exitStatus != Done || outcome.standardOutput.isEmpty())
        return outcome;
    const std::optional<QByteArray> bytes
        = quillon::model::encodeText(QString::fromUtf8(outcome.standardOutput), encoding);
    if (bytes) {
        outcome.standardOutput = *bytes;
        return outcome;
    }
    const QString problem = u"msgbox-format: "_s
        + Cli::tr("The call written anew needs characters that %1 cannot hold.")
              .arg(quillon::model::encodingName(encoding));
    return { TextRefused, {}, outcome.standardError + errorLines(problem) };
}

} // namespace

Outcome usageError(const QString &problem)
{
    return { UsageError, {}, errorLines(u"msgbox-format: "_s + problem) };
}

std::optional<QString> messageFromInput(const QByteArray &input)
{
    // Verbatim: a byte order mark stays part of the message like any character.
    QStringDecoder decoder(QStringDecoder::Utf8,
        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(input);
    if (decoder.hasError())
        return std::nullopt;
    if (text.endsWith(u"\r\n"))
        text.chop(2);
    else if (text.endsWith(u'\n'))
        text.chop(1);
    return quillon::model::fromWidgetText(text);
}

Outcome formatInput(const FormatOptions &options, const QByteArray &input)
{
    const std::optional<QString> message = messageFromInput(input);
    if (!message)
        return usageError(Cli::tr("Standard input is not valid UTF-8."));
    return formatted(options, requestFor(options, *message));
}

Outcome readInput(const FormatOptions &options, const QByteArray &input)
{
    // Typed or piped code is read as a file is: a byte-order mark decides,
    // else UTF-8 where it is valid, else Windows-1252.
    const quillon::model::DecodedText decoded = quillon::model::decodeText(input);
    const QString &code = decoded.text;
    // The dialect asked for, else the one the code shows, else VB6.
    const quillon::model::Dialect dialect = options.dialectGiven
        ? options.dialect
        : quillon::frontend::dialectOfCode(code, quillon::model::Dialect::Vb6);
    const quillon::frontend::VbReadResult read = quillon::frontend::readMsgBox(code, dialect,
        options.fixedValues ? quillon::frontend::VbReading::FixedValues
                            : quillon::frontend::VbReading::KeepExpressions);
    if (!read.found())
        return { TextRefused, {}, errorLines(u"msgbox-format: "_s + spoken(read.error())) };
    // What was left out goes to standard error, so that no script loses it
    // unawares; the JSON lists it as well.
    const QString note = quillon::frontend::takeOverNote(read.call());
    const QByteArray noteLines
        = note.isEmpty() ? QByteArray() : errorLines(u"msgbox-format: "_s + spoken(note));
    if (options.readCall)
        return { Done, QJsonDocument(jsonOf(read)).toJson(QJsonDocument::Indented), noteLines };
    if (const QString problem = reformatProblem(read.call()); !problem.isEmpty())
        return { TextRefused, {}, noteLines + errorLines(u"msgbox-format: "_s + problem) };
    Outcome outcome = formatted(options, requestFor(options, read.call(), dialect));
    outcome.standardError.prepend(noteLines);
    return inEncoding(std::move(outcome), decoded.encoding);
}

} // namespace cli
