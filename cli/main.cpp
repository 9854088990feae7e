#include "cli/BinaryStandardStreams.h"
#include "cli/CommandLine.h"
#include "cli/HeadlessFormat.h"
#include "cli/Messages.h"
#include "cli/SourceFiles.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

QByteArray readStandardInput()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

void writeTo(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

int finish(const cli::Outcome &outcome)
{
    writeTo(stdout, outcome.standardOutput);
    writeTo(stderr, outcome.standardError);
    return outcome.exitStatus;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    cli::speakTheUsersLanguage(app);
    useBinaryStandardStreams();
    const cli::ParsedCommandLine commandLine = cli::parseCommandLine(app.arguments());
    if (!commandLine.error.isEmpty())
        return finish(cli::usageError(commandLine.error));
    if (commandLine.helpRequested)
        return finish({ cli::Done, cli::usageText().toUtf8(), {} });
    if (commandLine.versionRequested)
        return finish({ cli::Done, cli::versionText().toUtf8(), {} });

    const cli::FormatOptions &options = commandLine.options;
    if (options.checkFiles)
        return finish(cli::checkFiles(options));
    if (!options.files.isEmpty())
        return finish(cli::reformatFiles(options));
    // Without a form to write, the code on standard input is a file's: every
    // call written in its place, and the rest comes back as it came.
    if (options.onlyLine > 0 || (options.reformatCall && !options.formGiven))
        return finish(cli::reformatSourceInput(options, readStandardInput()));
    if (options.readCall || options.reformatCall)
        return finish(cli::readInput(options, readStandardInput()));
    return finish(cli::formatInput(options, readStandardInput()));
}
