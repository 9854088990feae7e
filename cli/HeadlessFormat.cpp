#include "cli/HeadlessFormat.h"

#include "cli/CommandLine.h"
#include "codegen/Formatter.h"
#include "codegen/LineBreaks.h"
#include "codegen/VbReader.h"

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
    return (codegen::toWidgetText(crlfText) + u'\n').toUtf8();
}

codegen::FormatRequest requestFor(const FormatOptions &options, const QString &message)
{
    return { message, options.title, options.style, options.codeWidth, options.form };
}

Outcome formatted(const FormatOptions &options, const codegen::FormatRequest &request)
{
    const codegen::FormatResult result = codegen::formatMessage(request);
    switch (result.outcome) {
    case codegen::FormatOutcome::EmptyMessage:
        return {};
    case codegen::FormatOutcome::Refused:
        return { TextRefused, {}, errorLines(result.refusalMessage) };
    case codegen::FormatOutcome::Formatted:
        break;
    }
    if (!options.printPrompt)
        return { Done, result.code.toUtf8(), {} };
    // The prompt is what the written code shows, read as VB reads it. Code
    // the reader cannot take back would be the formatter's fault: said, not
    // printed as an empty prompt.
    const codegen::VbReadResult written = codegen::readMsgBox(result.code);
    if (!written.found())
        return { TextRefused, {}, errorLines(written.error()) };
    return { Done, (written->message + u"\r\n"_s).toUtf8(), {} };
}

QJsonObject jsonOf(const codegen::VbReadResult &read)
{
    const codegen::StyleChoices &choices = read->choices;
    return {
        { u"title"_s, read->title },
        { u"message"_s, read->message },
        { u"icon"_s, iconWords().value(choices.icon) },
        { u"buttons"_s, buttonSetWords().value(choices.buttons) },
        { u"default"_s, choices.defaultButton },
        { u"systemModal"_s, choices.systemModal },
        { u"right"_s, choices.textRight },
        { u"notTakenOver"_s, QJsonArray::fromStringList(read->notTakenOver) },
    };
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
    return codegen::fromWidgetText(text);
}

Outcome formatInput(const FormatOptions &options, const QByteArray &input)
{
    const std::optional<QString> message = messageFromInput(input);
    if (!message)
        return usageError(u"Standard input is not valid UTF-8."_s);
    return formatted(options, requestFor(options, *message));
}

Outcome readInput(const FormatOptions &options, const QByteArray &input)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString code = decoder.decode(input);
    if (decoder.hasError())
        return usageError(u"Standard input is not valid UTF-8."_s);
    const codegen::VbReadResult read = codegen::readMsgBox(code);
    if (!read.found())
        return { TextRefused, {}, errorLines(u"msgbox-format: "_s + read.error()) };
    // What was left out goes to standard error, so that no script loses it
    // unawares; the JSON lists it as well.
    const QString note = codegen::takeOverNote(read.call());
    const QByteArray noteLines
        = note.isEmpty() ? QByteArray() : errorLines(u"msgbox-format: "_s + note);
    if (options.readCall)
        return { Done, QJsonDocument(jsonOf(read)).toJson(QJsonDocument::Indented), noteLines };
    FormatOptions reformat = options;
    reformat.title = read->title;
    reformat.style = read->choices;
    if (!options.formGiven)
        reformat.form = read->form;
    Outcome outcome = formatted(reformat, requestFor(reformat, read->message));
    outcome.standardError.prepend(noteLines);
    return outcome;
}

} // namespace cli
