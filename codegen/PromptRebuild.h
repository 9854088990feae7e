#pragma once

#include <QString>

namespace codegen {

// Strips generated code back to the prompt that the statement shows, the way
// the message box test does it: the tail of arguments, the statement line,
// the continuations and the markup are removed by plain text replacement.
QString rebuildPrompt(const QString &code, const QString &codeTail);

} // namespace codegen
