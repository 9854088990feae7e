#pragma once

#include "vb_frontend/VbCursor.h"

// Whether VB code is a valid expression, whatever its value.
namespace quillon::frontend::vb {

// Whether an expression starts at the token `at` of the cursor's statement,
// as VB's syntax has it; `at` moves behind it. A refusal is the cursor's,
// with where and what.
bool isExpressionAt(Cursor &cursor, qsizetype &at);

} // namespace quillon::frontend::vb
