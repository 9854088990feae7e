#include "vb_model/MessageParts.h"

namespace quillon::model {

void appendPart(MessageParts &parts, MessagePart part)
{
    if (part.isExpression())
        parts.append(std::move(part));
    else if (!parts.isEmpty() && parts.last().kind == part.kind)
        parts.last().text += part.text;
    else if (!part.text.isEmpty())
        parts.append(std::move(part));
}

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

} // namespace quillon::model
