#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cli {

struct FormatOptions;

enum ExitStatus {
    Done = 0,
    TextRefused = 1,
    UsageError = 2,
};

// What msgbox-format hands back to its caller, as bytes ready to write.
struct Outcome
{
    int exitStatus = Done;
    QByteArray standardOutput;
    QByteArray standardError;
};

Outcome usageError(const QString &problem);

// The message in the core's form: UTF-8 decoded, one final line break (LF or
// CR LF) dropped, every other LF a CR LF. Nothing when the bytes are not UTF-8.
std::optional<QString> messageFromInput(const QByteArray &input);

// Formats the message read from standard input, or prints its prompt.
Outcome formatInput(const FormatOptions &options, const QByteArray &input);

// Reads the first VB MsgBox call from standard input: printed as one JSON
// object (--read), or written alone in the form asked for (--reformat
// --form). Exit 1 when no call can be read.
Outcome readInput(const FormatOptions &options, const QByteArray &input);

} // namespace cli
