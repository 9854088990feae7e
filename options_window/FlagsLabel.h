#pragma once

#include "options_window/StyleFlags.h"

class QLabel;

// lblFlags on the main window carries the flags between the windows: its
// text is the flags expression, its "Tag" property the style value as
// decimal text. The options window writes it; the formatter and the test
// read it.
void writeFlagsLabel(QLabel &lblFlags, const StyleFlags &flags);
qint32 styleValueOf(const QLabel &lblFlags);
