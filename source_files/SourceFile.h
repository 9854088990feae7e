#pragma once

#include "vb_model/Dialect.h"
#include "vb_model/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace quillon::sources {

// A source file's text and the encoding its bytes are written in.
struct SourceText
{
    QString text;
    model::TextEncoding encoding = model::TextEncoding::Utf8;
    // Why the bytes are no text that could be written back as they were (NUL
    // bytes, bytes that are not of the encoding their mark names); empty
    // for a file that is.
    QString problem;
};

// ASCII alone reads the same in every encoding without a mark; what a call
// written anew brings in (Chr(252) as text) goes in asciiEncoding. VB6, the
// VBA editor and VBScript read such a file as Windows-1252; code typed or
// piped from an editor is UTF-8.
SourceText sourceFromBytes(
    QByteArrayView bytes, model::TextEncoding asciiEncoding = model::TextEncoding::Windows1252);

// The dialect a file's kind tells, by its name's suffix, without regard to
// case: VB6's and VBA's modules, classes, forms and designers; VBScript's
// scripts, also in Windows Script Files and HTML applications; VB.NET's
// .vb; twinBASIC's .twin. Nothing for any other name.
std::optional<model::Dialect> dialectOfFileName(QStringView fileName);

// Whether the file is a Windows Script File or an HTML application, whose
// code stands in script elements among markup.
bool holdsScriptParts(QStringView fileName);

// The text with everything but the code of its VBScript script elements
// blanked, line breaks kept: the same lines and columns, read as code.
QString scriptPartsOf(QStringView text);

// Whether the file's kind is a VB source file's.
inline bool isVbSourceFileName(QStringView fileName)
{
    return dialectOfFileName(fileName).has_value();
}

} // namespace quillon::sources
