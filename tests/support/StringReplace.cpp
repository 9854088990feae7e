#include "tests/support/StringReplace.h"

QString StringReplace(const QString &sText, const QString &OldString, const QString &NewString)
{
    if (OldString.isEmpty())
        return sText;
    QString result;
    result.reserve(sText.size());
    qsizetype i = 0;
    while (i < sText.size()) {
        const qsizetype match = sText.indexOf(OldString, i);
        if (match < 0) {
            result += QStringView(sText).mid(i);
            break;
        }
        result += QStringView(sText).mid(i, match - i);
        result += NewString;
        i = match + OldString.size();
    }
    return result;
}
