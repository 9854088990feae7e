#include "codegen/PromptRebuild.h"

#include "codegen/StringReplace.h"

#include <QLatin1Char>

namespace codegen {

QString rebuildPrompt(const QString &code, const QString &codeTail)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString quote(QLatin1Char('"'));
    const QString eightBlanks(8, QLatin1Char(' '));

    // The order matters: each step relies on the markup the earlier ones left.
    // Message text that happens to look like markup is changed with it, so the
    // prompt shows the message exactly as the generated code carries it.
    QString prompt = StringReplace(code, codeTail, QString());
    prompt = StringReplace(prompt, QStringLiteral("    MsgBox _") + crlf, QString());
    prompt = StringReplace(prompt, QStringLiteral(" & _") + crlf, QString());
    prompt = StringReplace(prompt, eightBlanks + QStringLiteral("vbNewline"), crlf);
    prompt = StringReplace(prompt, QStringLiteral(" & vbNewline"), crlf);
    prompt = StringReplace(prompt, eightBlanks + quote, QString());
    prompt = StringReplace(prompt, crlf + QStringLiteral(" & ") + quote, crlf);
    return StringReplace(prompt, quote, QString());
}

} // namespace codegen
