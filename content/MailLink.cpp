#include "content/MailLink.h"

QString feedbackMailLink(const QString &caption)
{
    return QStringLiteral("mailto:") + kMakerFeedbackAddress + QStringLiteral("?Subject=") + caption
        + QStringLiteral("&Body=") + QStringLiteral("Feedback zum Programm ") + QStringLiteral("''")
        + caption + QStringLiteral("''");
}
