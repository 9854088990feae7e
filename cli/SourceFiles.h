#pragma once

#include "cli/HeadlessFormat.h"

#include <QByteArray>

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

} // namespace cli
