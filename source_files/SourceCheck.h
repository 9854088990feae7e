#pragma once

#include "source_files/SourceCalls.h"

#include <QList>
#include <QStringView>

namespace codegen {

// What a finding of --check is about: a call not laid out at the width, a
// call that cannot be written anew, or a statement over VB's limits.
enum class CheckKind {
    Layout,
    NotWritable,
    Limit,
};

struct CheckFinding
{
    SourceFinding place; // its message as --check says it
    CheckKind kind = CheckKind::Layout;
};

// What --check names in a text, in the order of their places: the calls
// that relayOutCalls wrote anew or kept, and the statements over the
// dialect's limits.
QList<CheckFinding> checkFindings(
    QStringView text, const RelaidSource &written, Dialect dialect, int codeWidth);

} // namespace codegen
