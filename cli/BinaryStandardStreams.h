#pragma once

// The code is CR LF already, and the messages end in LF on every system:
// Windows must neither add CRs on output nor take them away on input.
void useBinaryStandardStreams();
