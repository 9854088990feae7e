#pragma once

#include "code_writer/Formatter.h"
#include "vb_frontend/VbReader.h"
#include "vb_model/Dialect.h"
#include "vb_model/TextEncoding.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace quillon::sources {

// A place in a source file, line and column counted from 1, and what
// stands there.
struct SourceFinding
{
    qsizetype line = 0;
    qsizetype column = 0;
    QString message;
};

struct RelayoutRequest
{
    int codeWidth = writer::kDefaultCodeWidth;
    // Counted from 1: only the call that covers this line is written anew;
    // 0 for every call.
    qsizetype onlyLine = 0;
    // The file's own: a call written anew that it cannot hold stays as it
    // stood.
    model::TextEncoding encoding = model::TextEncoding::Utf8;
    // The dialect the calls are written in; without it, the one the file's
    // code tells, else VB6.
    std::optional<model::Dialect> dialect {};
    // A Windows Script File or an HTML application: only the code inside
    // its VBScript script elements is read.
    bool scriptPartsOnly = false;
    // Run-time values kept as expressions, or read for fixed text.
    frontend::VbReading reading = frontend::VbReading::KeepExpressions;
};

struct RelaidSource
{
    QString text; // the code with its calls written anew
    QList<SourceFinding> changed; // the calls written anew, where they begin
    QList<SourceFinding> kept; // calls left as they stood, and why
    bool lineCovered = false; // a call covers RelayoutRequest::onlyLine
};

// Every MsgBox call of a source file written anew in its place, one after
// the other, each as --reformat writes one: the code around it and the line
// breaks of the file stay as they are, byte for byte. A call that cannot be
// read or written anew stays as it stood and is named. A form's designer
// part is not read.
RelaidSource relayOutCalls(QStringView text, const RelayoutRequest &request);

// Every dialect takes lines of at most this many characters.
constexpr qsizetype kLongestLine = 1023;

// The statements that the dialect would not take: more continuations than
// its limit, or a line longer than kLongestLine.
QList<SourceFinding> limitFindings(QStringView text, model::Dialect dialect);

} // namespace quillon::sources
