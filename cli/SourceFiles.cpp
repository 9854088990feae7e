#include "cli/SourceFiles.h"

#include "cli/CommandLine.h"
#include "cli/Messages.h"
#include "io/SourceFolder.h"
#include "io/WholeFile.h"
#include "source_files/SourceCalls.h"
#include "source_files/SourceFile.h"
#include "vb_frontend/VbDialect.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

// The lines every compiler writes, so that editors and CI jump to the place.
QString placed(
    const QString &file, const quillon::sources::SourceFinding &finding, const QString &message)
{
    return u"%1:%2:%3: %4\n"_s.arg(file).arg(finding.line).arg(finding.column).arg(message);
}

QString fileProblem(const QString &file, const QString &problem)
{
    return u"msgbox-format: %1: %2\n"_s.arg(file, problem);
}

// The dialect asked for, else the one the file's kind tells; else the code
// tells, as far as it does, and otherwise it is VB6's.
quillon::model::Dialect dialectOf(
    const FormatOptions &options, const QString &file, QStringView text)
{
    if (options.dialectGiven)
        return options.dialect;
    if (const std::optional<quillon::model::Dialect> kind
        = quillon::sources::dialectOfFileName(file))
        return *kind;
    return quillon::frontend::dialectOfCode(text, quillon::model::Dialect::Vb6);
}

// Why a call stays as it stood, in msgbox-format's words; for too many
// continuations, what helps.
QString reasonOf(const quillon::sources::SourceFinding &kept)
{
    const QString reason = spoken(kept.message);
    const QString tooMany = spoken(quillon::writer::continuationLimitMessage());
    return reason == tooMany ? reason + u' ' + continuationRemedy(WiderWidth::Untried) : reason;
}

struct Relaid
{
    QByteArray bytes; // the file's bytes, its calls written anew
    bool changed = false;
    bool done = true; // every call of it was written or left as it is
    QString errors; // lines for standard error
};

Relaid relaid(const FormatOptions &options, const QString &file, const QByteArray &bytes,
    quillon::model::TextEncoding asciiEncoding = quillon::model::TextEncoding::Windows1252)
{
    const quillon::sources::SourceText source
        = quillon::sources::sourceFromBytes(bytes, asciiEncoding);
    if (!source.problem.isEmpty())
        return { bytes, false, false,
            fileProblem(file, Cli::tr("%1; left as it was").arg(spoken(source.problem))) };
    const quillon::sources::RelaidSource written = quillon::sources::relayOutCalls(source.text,
        { options.codeWidth, options.onlyLine, source.encoding,
            dialectOf(options, file, source.text), quillon::sources::holdsScriptParts(file),
            options.fixedValues ? quillon::frontend::VbReading::FixedValues
                                : quillon::frontend::VbReading::KeepExpressions });
    Relaid result { bytes, !written.changed.isEmpty(), written.kept.isEmpty(), {} };
    for (const quillon::sources::SourceFinding &kept : written.kept)
        result.errors
            += placed(file, kept, Cli::tr("MsgBox call kept as it stands: %1").arg(reasonOf(kept)));
    if (options.onlyLine > 0 && !written.lineCovered && written.kept.isEmpty()) {
        result.done = false;
        result.errors += placed(file, { options.onlyLine, 1, {} },
            Cli::tr("no MsgBox call to write anew covers line %1").arg(options.onlyLine));
    }
    // Every call written anew was checked to fit the encoding.
    if (result.changed)
        result.bytes = *quillon::model::encodeText(written.text, source.encoding);
    return result;
}

Outcome outcomeOf(const Relaid &file, QByteArray standardOutput)
{
    return { file.done ? Done : TextRefused, std::move(standardOutput), file.errors.toUtf8() };
}

// Named, or left as it was, on standard error; the exit status says so.
void replaceFile(const FormatOptions &options, const QString &file, Outcome &outcome)
{
    const WholeFile read = readWholeFile(file);
    if (!read.error.isEmpty()) {
        outcome.exitStatus = TextRefused;
        outcome.standardError
            += fileProblem(file, Cli::tr("cannot be read: %1").arg(read.error)).toUtf8();
        return;
    }
    const Relaid written = relaid(options, file, read.bytes);
    outcome.standardError += written.errors.toUtf8();
    QString writeError;
    if (written.changed)
        writeError = replaceWholeFile(file, written.bytes);
    if (!writeError.isEmpty())
        outcome.standardError
            += fileProblem(file, Cli::tr("cannot be written: %1; left as it was").arg(writeError))
                   .toUtf8();
    if (!written.done || !writeError.isEmpty())
        outcome.exitStatus = TextRefused;
}

QString findingsOf(const FormatOptions &options, const QString &file, const QString &text,
    const quillon::sources::RelaidSource &written)
{
    QString lines;
    for (const CheckFinding &finding : checkFindings(options, file, text, written))
        lines += placed(file, finding.place, finding.place.message);
    return lines;
}

void checkFile(const FormatOptions &options, const QString &file, Outcome &outcome)
{
    const WholeFile read = readWholeFile(file);
    const quillon::sources::SourceText source = quillon::sources::sourceFromBytes(read.bytes);
    const QString problem = !read.error.isEmpty() ? Cli::tr("cannot be read: %1").arg(read.error)
                                                  : spoken(source.problem);
    if (!problem.isEmpty()) {
        outcome.exitStatus = TextRefused;
        outcome.standardError += fileProblem(file, problem).toUtf8();
        return;
    }
    const quillon::sources::RelaidSource written = quillon::sources::relayOutCalls(source.text,
        { options.codeWidth, 0, source.encoding, dialectOf(options, file, source.text),
            quillon::sources::holdsScriptParts(file) });
    const QString findings = findingsOf(options, file, source.text, written);
    if (!findings.isEmpty())
        outcome.exitStatus = TextRefused;
    outcome.standardOutput += findings.toUtf8();
}

// A folder stands for the VB source files in it and in its folders, by
// their kinds; a file named is taken whatever its name.
QStringList sourceFilesOf(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments) {
        if (QFileInfo(argument).isDir())
            files << filesInFolder(argument, quillon::sources::isVbSourceFileName);
        else
            files << argument;
    }
    return files;
}

} // namespace

Outcome reformatFiles(const FormatOptions &options)
{
    if (!options.inPlace) {
        const QString &file = options.files.constFirst();
        const WholeFile read = readWholeFile(file);
        if (!read.error.isEmpty())
            return { TextRefused, {},
                fileProblem(file, Cli::tr("cannot be read: %1").arg(read.error)).toUtf8() };
        const Relaid written = relaid(options, file, read.bytes);
        return outcomeOf(written, written.bytes);
    }
    Outcome outcome;
    for (const QString &file : sourceFilesOf(options.files))
        replaceFile(options, file, outcome);
    return outcome;
}

Outcome reformatSourceInput(const FormatOptions &options, const QByteArray &input)
{
    const Relaid written
        = relaid(options, Cli::tr("<standard input>"), input, quillon::model::TextEncoding::Utf8);
    return outcomeOf(written, written.bytes);
}

QList<CheckFinding> checkFindings(const FormatOptions &options, const QString &file,
    const QString &text, const quillon::sources::RelaidSource &written)
{
    QList<CheckFinding> findings;
    for (const quillon::sources::SourceFinding &changed : written.changed)
        findings.append({ { changed.line, changed.column,
                              Cli::tr("MsgBox call not laid out as --reformat --width %1 writes it")
                                  .arg(options.codeWidth) },
            CheckKind::Layout });
    for (const quillon::sources::SourceFinding &kept : written.kept)
        findings.append(
            { { kept.line, kept.column,
                  Cli::tr("MsgBox call cannot be written anew: %1").arg(reasonOf(kept)) },
                CheckKind::NotWritable });
    const QString code
        = quillon::sources::holdsScriptParts(file) ? quillon::sources::scriptPartsOf(text) : text;
    for (const quillon::sources::SourceFinding &limit :
        quillon::sources::limitFindings(code, dialectOf(options, file, code)))
        findings.append({ { limit.line, limit.column, spoken(limit.message) }, CheckKind::Limit });
    std::stable_sort(findings.begin(), findings.end(), [](const auto &a, const auto &b) {
        return std::pair(a.place.line, a.place.column) < std::pair(b.place.line, b.place.column);
    });
    return findings;
}

Outcome checkFiles(const FormatOptions &options)
{
    Outcome outcome;
    for (const QString &file : sourceFilesOf(options.files))
        checkFile(options, file, outcome);
    return outcome;
}

} // namespace cli
