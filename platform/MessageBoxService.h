#pragma once

#include <QString>

// The standard message box as the tool shows it: for its own messages and
// for the test of the user's box. Windows reach it only through this
// interface, so tests put a scripted double in its place.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;

    // Shows a modal box and returns the number of the button that closed
    // it: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No; 0 where
    // the system could not show the box at all.
    // `prompt` breaks lines with CR LF. `style` is the sum of the VB MsgBox
    // constants. An empty title shows the application title.
    virtual int show(const QString &prompt, qint32 style, const QString &title = {}) = 0;
};
