// msgbox-format's own reading of its command line and standard input: any
// arguments give either a usable set of options or one usage error, and any
// input bytes give a statement, a refusal or a usage error.

#include "fuzz/FuzzInput.h"

#include "cli/CommandLine.h"
#include "cli/HeadlessFormat.h"
#include "cli/Messages.h"
#include "code_writer/Formatter.h"
#include "vb_frontend/VbReader.h"
#include "vb_model/Dialect.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

// Arguments are the NUL-separated UTF-8 pieces before the first 0xFF; the
// bytes behind it are standard input.
struct Invocation
{
    QStringList arguments;
    QByteArray standardInput;
};

Invocation invocationFrom(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\xFF');
    Invocation invocation;
    invocation.arguments << u"msgbox-format"_s;
    const QByteArray argumentBytes = split < 0 ? bytes : bytes.first(split);
    if (!argumentBytes.isEmpty()) {
        for (const QByteArray &argument : argumentBytes.split('\0'))
            invocation.arguments << QString::fromUtf8(argument);
    }
    if (split >= 0)
        invocation.standardInput = bytes.sliced(split + 1);
    return invocation;
}

QString described(const Invocation &invocation)
{
    QStringList shown;
    for (const QString &argument : invocation.arguments)
        shown << escaped(argument);
    return u"arguments: "_s + shown.join(u" | "_s) + u"\ninput: "_s
        + escaped(QString::fromLatin1(invocation.standardInput));
}

void checkOptions(const cli::ParsedCommandLine &parsed, const Invocation &invocation)
{
    const cli::FormatOptions &o = parsed.options;
    const bool inRange = o.codeWidth >= quillon::writer::kMinCodeWidth
        && o.codeWidth <= quillon::writer::kMaxCodeWidth && o.style.icon >= 0 && o.style.icon <= 4
        && o.style.buttons >= 0 && o.style.buttons <= 5 && o.style.defaultButton >= 1
        && o.style.defaultButton <= 3;
    if (!inRange)
        propertyBroken("options accepted out of range", described(invocation));
    if (o.title.contains(u'\r') || o.title.contains(u'\n'))
        propertyBroken("a title with a line break was accepted", described(invocation));
}

// Done says one thing on standard error, and only then: that the dialect's
// MsgBox cuts a prompt this long.
void checkLengthWarning(const cli::Outcome &outcome, qsizetype promptLength,
    const cli::FormatOptions &options, const Invocation &invocation)
{
    const QString warning
        = cli::spoken(quillon::model::promptLengthWarning(promptLength, options.dialect));
    const QString said = QString::fromUtf8(outcome.standardError);
    if (warning.isEmpty() ? !said.isEmpty() : !said.contains(warning))
        propertyBroken("done, but standard error does not say just that the prompt is cut",
            described(invocation));
}

void checkOutcome(
    const cli::Outcome &outcome, const cli::FormatOptions &options, const Invocation &invocation)
{
    switch (outcome.exitStatus) {
    case cli::Done:
        if (options.printPrompt) {
            const qsizetype promptLength = QString::fromUtf8(outcome.standardOutput).size() - 2;
            checkLengthWarning(outcome, promptLength, options, invocation);
        } else if (!outcome.standardOutput.isEmpty()) {
            const QString code = QString::fromUtf8(outcome.standardOutput);
            const quillon::frontend::VbReadResult read
                = quillon::frontend::readMsgBox(code, options.dialect);
            if (!read.found())
                propertyBroken(
                    "VB cannot read the statement", read.error() + u'\n' + described(invocation));
            if (read->moreCalls || read->form != options.form)
                propertyBroken(
                    "the code is not one call in the chosen form", described(invocation));
            checkVbLimits(code, described(invocation));
            checkLengthWarning(outcome, read->message.size(), options, invocation);
        } else if (!outcome.standardError.isEmpty()) {
            propertyBroken("nothing done, but something on standard error", described(invocation));
        }
        break;
    case cli::TextRefused:
    case cli::UsageError:
        if (!outcome.standardOutput.isEmpty() || outcome.standardError.isEmpty())
            propertyBroken("a failure without its message, or with output", described(invocation));
        break;
    default:
        propertyBroken("an unknown exit status", described(invocation));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Invocation invocation = invocationFrom(data, size);
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(invocation.arguments);
    if (!parsed.error.isEmpty())
        return 0;
    checkOptions(parsed, invocation);
    checkOutcome(
        cli::formatInput(parsed.options, invocation.standardInput), parsed.options, invocation);
    return 0;
}
