#pragma once

#include "vb_model/Dialect.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace quillon::frontend {

// How a dialect's source looks to a reader: where a statement goes on in
// the next line, which characters are type characters, and which names
// call VB's own MsgBox. The lexer, the reader, the source-file walker and
// the dialect guess all read code by these rules alone.
struct SourceReading
{
    // Every dialect goes on behind " _"; VBScript also behind "&_" and ",_".
    bool joinedContinuation = false;
    // VB.NET goes on by itself behind an operator, a comma or "(", and
    // before ")".
    bool implicitContinuation = false;
    // A comment that ends in " _" goes on in the next line, as in VB6.
    bool commentsContinue = true;
    // "n&", "s$"; VBScript knows no types.
    bool typeCharacters = true;
    // VB.NET's "$"...{x}..."".
    bool interpolatedStrings = false;
    // Parentheses behind MsgBox always hold its arguments, also where the
    // call is a statement: VB.NET's MsgBox(x) is never VB6's MsgBox (x).
    bool argumentsAlwaysInParentheses = false;
    // What may stand before ".MsgBox" for VB's own: the library and module
    // paths, dotted.
    std::span<const QStringView> qualifiers;
};

const SourceReading &readingOf(model::Dialect dialect);

// What shows that code can only be one dialect's, and which.
struct DialectEvidence
{
    model::Dialect dialect = model::Dialect::Vb6;
    QString shownBy; // the code that shows it, as written: "MsgBoxStyle", "&_", "Imports"
};

// The dialect that code is written in, where only one dialect writes it so
// and the code reads in that dialect: VB.NET's MsgBoxStyle and MsgBoxResult,
// Imports, Handles, End Class and the like, VBScript's continuation right
// behind "&" or ",". A type character, a Print zone or a syntax error tells
// nothing.
std::optional<DialectEvidence> dialectEvidenceIn(QStringView code);

// The dialect pasted code is read in: the one its evidence shows, else the
// one in use.
model::Dialect dialectOfCode(QStringView code, model::Dialect inUse);

// For each line of the code (CR LF, LF and CR each end one), whether its
// statement goes on in the next line, as the dialect reads it.
QList<bool> linesGoingOn(QStringView code, model::Dialect dialect);

} // namespace quillon::frontend
