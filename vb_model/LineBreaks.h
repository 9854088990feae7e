#pragma once

#include <QString>

namespace quillon::model {

// The core speaks CR LF, as the generated VB code and the stored file do;
// Qt's text widgets hold plain LF. Every crossing of that boundary goes
// through these two.
inline QString toWidgetText(QString crlfText)
{
    return crlfText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline QString fromWidgetText(const QString &widgetText)
{
    QString text = widgetText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace quillon::model
