#pragma once

#include "code_writer/Formatter.h"
#include "vb_frontend/VbReader.h"

namespace quillon::writer {

// A call read from code as a request to write it anew: its prompt, title,
// buttons and the statements behind it, in the form it stood in.
FormatRequest requestToWriteAnew(const frontend::VbCall &call);

// The code the call was read from, the call written anew in its place at the
// request's width: the code around it stays as it stood, and so do what
// stands before the call on its first line and behind it on its last (an
// If's condition, the variable given the answer, a comment). The call keeps
// the indentation of its line; the tool's own text-variable form is written
// anew with its statements of sText.
FormatResult formatInPlace(const frontend::VbCall &call, const FormatRequest &request);

} // namespace quillon::writer
