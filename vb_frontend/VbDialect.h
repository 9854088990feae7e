#pragma once

#include "vb_model/Dialect.h"

#include <QStringView>

#include <optional>

namespace codegen {

// The dialect that code is written in, where only one dialect writes it so:
// VB.NET's MsgBoxStyle and MsgBoxResult, VBScript's continuation right
// behind "&" or ",". Nothing where the code could be any of them.
std::optional<Dialect> dialectWrittenIn(QStringView code);

} // namespace codegen
