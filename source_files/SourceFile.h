#pragma once

#include "vb_model/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace codegen {

// A source file's text and the encoding its bytes are written in.
struct SourceText
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
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
    QByteArrayView bytes, TextEncoding asciiEncoding = TextEncoding::Windows1252);

} // namespace codegen
