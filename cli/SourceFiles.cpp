#include "cli/SourceFiles.h"

#include "cli/CommandLine.h"
#include "io/WholeFile.h"
#include "source_files/SourceCalls.h"
#include "source_files/SourceCheck.h"
#include "source_files/SourceFile.h"
#include "vb_frontend/VbDialect.h"

#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

// The lines every compiler writes, so that editors and CI jump to the place.
QString placed(const QString &file, const codegen::SourceFinding &finding, const QString &message)
{
    return u"%1:%2:%3: %4\n"_s.arg(file).arg(finding.line).arg(finding.column).arg(message);
}

QString fileProblem(const QString &file, const QString &problem)
{
    return u"msgbox-format: %1: %2\n"_s.arg(file, problem);
}

// The dialect asked for, else the one the file's kind tells; else the code
// tells, as far as it does, and otherwise it is VB6's.
codegen::Dialect dialectOf(const FormatOptions &options, const QString &file, QStringView text)
{
    if (options.dialectGiven)
        return options.dialect;
    if (const std::optional<codegen::Dialect> kind = codegen::dialectOfFileName(file))
        return *kind;
    return codegen::dialectOfCode(text, codegen::Dialect::Vb6);
}

struct Relaid
{
    QByteArray bytes; // the file's bytes, its calls written anew
    bool changed = false;
    bool done = true; // every call of it was written or left as it is
    QString errors; // lines for standard error
};

Relaid relaid(const FormatOptions &options, const QString &file, const QByteArray &bytes,
    codegen::TextEncoding asciiEncoding = codegen::TextEncoding::Windows1252)
{
    const codegen::SourceText source = codegen::sourceFromBytes(bytes, asciiEncoding);
    if (!source.problem.isEmpty())
        return { bytes, false, false, fileProblem(file, source.problem + u"; left as it was"_s) };
    const codegen::RelaidSource written = codegen::relayOutCalls(source.text,
        { options.codeWidth, options.onlyLine, source.encoding,
            dialectOf(options, file, source.text) });
    Relaid result { bytes, !written.changed.isEmpty(), written.kept.isEmpty(), {} };
    for (const codegen::SourceFinding &kept : written.kept)
        result.errors += placed(file, kept, u"MsgBox call kept as it stands: "_s + kept.message);
    if (options.onlyLine > 0 && !written.lineCovered && written.kept.isEmpty()) {
        result.done = false;
        result.errors += placed(file, { options.onlyLine, 1, {} },
            u"no MsgBox call to write anew covers line %1"_s.arg(options.onlyLine));
    }
    // Every call written anew was checked to fit the encoding.
    if (result.changed)
        result.bytes = *codegen::encodeText(written.text, source.encoding);
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
        outcome.standardError += fileProblem(file, u"cannot be read: "_s + read.error).toUtf8();
        return;
    }
    const Relaid written = relaid(options, file, read.bytes);
    outcome.standardError += written.errors.toUtf8();
    QString writeError;
    if (written.changed)
        writeError = replaceWholeFile(file, written.bytes);
    if (!writeError.isEmpty())
        outcome.standardError
            += fileProblem(file, u"cannot be written: %1; left as it was"_s.arg(writeError))
                   .toUtf8();
    if (!written.done || !writeError.isEmpty())
        outcome.exitStatus = TextRefused;
}

QString findingsOf(const FormatOptions &options, const QString &file, const QString &text,
    const codegen::RelaidSource &written)
{
    QString lines;
    for (const codegen::CheckFinding &finding : codegen::checkFindings(
             text, written, dialectOf(options, file, text), options.codeWidth))
        lines += placed(file, finding.place, finding.place.message);
    return lines;
}

void checkFile(const FormatOptions &options, const QString &file, Outcome &outcome)
{
    const WholeFile read = readWholeFile(file);
    const codegen::SourceText source = codegen::sourceFromBytes(read.bytes);
    const QString problem
        = !read.error.isEmpty() ? u"cannot be read: "_s + read.error : source.problem;
    if (!problem.isEmpty()) {
        outcome.exitStatus = TextRefused;
        outcome.standardError += fileProblem(file, problem).toUtf8();
        return;
    }
    const codegen::RelaidSource written = codegen::relayOutCalls(source.text,
        { options.codeWidth, 0, source.encoding, dialectOf(options, file, source.text) });
    const QString findings = findingsOf(options, file, source.text, written);
    if (!findings.isEmpty())
        outcome.exitStatus = TextRefused;
    outcome.standardOutput += findings.toUtf8();
}

} // namespace

Outcome reformatFiles(const FormatOptions &options)
{
    if (!options.inPlace) {
        const QString &file = options.files.constFirst();
        const WholeFile read = readWholeFile(file);
        if (!read.error.isEmpty())
            return { TextRefused, {},
                fileProblem(file, u"cannot be read: "_s + read.error).toUtf8() };
        const Relaid written = relaid(options, file, read.bytes);
        return outcomeOf(written, written.bytes);
    }
    Outcome outcome;
    for (const QString &file : options.files)
        replaceFile(options, file, outcome);
    return outcome;
}

Outcome reformatSourceInput(const FormatOptions &options, const QByteArray &input)
{
    const Relaid written
        = relaid(options, u"<standard input>"_s, input, codegen::TextEncoding::Utf8);
    return outcomeOf(written, written.bytes);
}

Outcome checkFiles(const FormatOptions &options)
{
    Outcome outcome;
    for (const QString &file : options.files)
        checkFile(options, file, outcome);
    return outcome;
}

} // namespace cli
