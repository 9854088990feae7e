#include "cli/HeadlessFormat.h"

#include "cli/CommandLine.h"
#include "codegen/Formatter.h"
#include "codegen/LineBreaks.h"
#include "codegen/PromptRebuild.h"

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

    const codegen::FormatResult result = codegen::formatMessage(requestFor(options, *message));
    switch (result.outcome) {
    case codegen::FormatOutcome::EmptyMessage:
        return {};
    case codegen::FormatOutcome::Refused:
        return { TextRefused, {}, errorLines(result.refusalMessage) };
    case codegen::FormatOutcome::Formatted:
        break;
    }
    const QString text
        = options.printPrompt ? codegen::rebuildPrompt(result.code, result.codeTail) : result.code;
    return { Done, text.toUtf8(), {} };
}

} // namespace cli
