#include "cli/BinaryStandardStreams.h"

// The streams of a Unix are binary already.
void useBinaryStandardStreams() { }
