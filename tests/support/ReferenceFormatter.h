#pragma once

#include "code_writer/Formatter.h"

namespace reference {

// The formatter done the slow, plain way: step by step over the whole code
// text with StringReplace and the text boxes' line queries, one join per
// pass. The production formatter must give exactly the same results.
quillon::writer::FormatResult formatMessage(const quillon::writer::FormatRequest &request);

} // namespace reference
