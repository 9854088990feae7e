#include "codegen/PromptRebuild.h"

namespace codegen {

QString rebuildPrompt(const QString &code, const QString &)
{
    return code;
}

} // namespace codegen
