#include "codegen/MessageParts.h"

#include <algorithm>

namespace codegen {

QString markedExpression(QStringView source)
{
    return u'«' + source.toString() + u'»';
}

QString shownText(const MessageParts &parts)
{
    QString shown;
    for (const MessagePart &part : parts)
        shown += part.isExpression() ? markedExpression(part.text) : part.text;
    return shown;
}

bool hasExpression(const MessageParts &parts)
{
    return std::any_of(
        parts.cbegin(), parts.cend(), [](const MessagePart &part) { return part.isExpression(); });
}

} // namespace codegen
