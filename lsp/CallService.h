#pragma once

#include "code_writer/Formatter.h"
#include "lsp/TextPositions.h"
#include "vb_model/Dialect.h"
#include "vb_model/TextEncoding.h"

#include <QJsonArray>
#include <QString>
#include <QStringView>

#include <optional>

// What the server offers on a document's MsgBox calls, as LSP's JSON: the
// file mode's --check, --reformat and --form on text an editor holds.
namespace lsp {

struct CallDocument
{
    QStringView text;
    QString uri;
    QString fileName; // the local file's, or the URI's path
    quillon::model::Dialect dialect = quillon::model::Dialect::Vb6;
    int codeWidth = quillon::writer::kDefaultCodeWidth;
    // The file's own, where it has one on disk: a call written anew keeps
    // to what it can hold, as in the file mode.
    quillon::model::TextEncoding encoding = quillon::model::TextEncoding::Utf8;
};

// Diagnostic objects of what --check names, each over the statement it
// names: information for a call not laid out, a warning for a statement
// over VB's limits, an error for a call VB would not take.
QJsonArray diagnosticsOf(const CallDocument &document);

// TextEdit objects, one for each call that --reformat writes anew: every
// call of the document, or the calls that meet the range.
QJsonArray formattingEdits(const CallDocument &document, std::optional<Range> range = {});

// CodeAction objects for the call at the range's start: re-laid out at the
// width where it is not, and written in each other form that fits it.
QJsonArray codeActionsAt(const CallDocument &document, const Range &range);

} // namespace lsp
