#include "codegen/Formatter.h"

namespace codegen {

QString continuationLimitMessage()
{
    return {};
}

QString lineTooLongMessage()
{
    return {};
}

FormatResult formatMessage(const FormatRequest &)
{
    return {};
}

} // namespace codegen
