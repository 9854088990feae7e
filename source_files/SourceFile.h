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

SourceText sourceFromBytes(QByteArrayView bytes);

} // namespace codegen
