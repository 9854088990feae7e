#pragma once

#include "vb_model/Dialect.h"

#include <QStringView>

#include <optional>

namespace codegen {

// The dialect that code is written in, where only one dialect writes it so:
// VB.NET's MsgBoxStyle and MsgBoxResult and its lines that go on by
// themselves behind "&", "," or "(", VBScript's continuation right behind
// "&" or ",". Nothing where the code could be any of them.
std::optional<Dialect> dialectWrittenIn(QStringView code);

} // namespace codegen
