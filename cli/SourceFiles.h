#pragma once

#include "cli/HeadlessFormat.h"
#include "source_files/SourceCalls.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace cli {

struct FormatOptions;

// --reformat on files: every call of each written anew in its place, the
// one file to standard output, or with --in-place each file that changes
// replaced. Exit 1 where a call was kept as it stood or a file was not done.
Outcome reformatFiles(const FormatOptions &options);

// --reformat on standard input, read as a file is: the whole code back in
// its own encoding and line breaks, every call written anew in its place, or
// with --line N the one that covers line N. A call it cannot write stays as
// it came, and standard error says why.
Outcome reformatSourceInput(const FormatOptions &options, const QByteArray &input);

// --check: what --reformat would change and what VB would not take, as
// FILE:LINE:COLUMN: lines on standard output; exit 1 where there is any.
Outcome checkFiles(const FormatOptions &options);

// What a finding of --check is about: a call not laid out at the width, a
// call that cannot be written anew, or a statement over VB's limits.
enum class CheckKind {
    Layout,
    NotWritable,
    Limit,
};

struct CheckFinding
{
    quillon::sources::SourceFinding place; // its message in msgbox-format's words
    CheckKind kind = CheckKind::Layout;
};

// What --check names in a file's text that relayOutCalls wrote as
// `written`, in the order of their places; the language server's
// diagnostics as well.
QList<CheckFinding> checkFindings(const FormatOptions &options, const QString &file,
    const QString &text, const quillon::sources::RelaidSource &written);

} // namespace cli
