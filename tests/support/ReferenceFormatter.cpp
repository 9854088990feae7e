#include "tests/support/ReferenceFormatter.h"

#include "code_writer/TextBoxLines.h"
#include "tests/support/StringReplace.h"
#include "tests/support/TextBoxModel.h"

#include <QStringList>

#include <algorithm>

using quillon::writer::FormatOutcome;
using quillon::writer::FormatRequest;
using quillon::writer::FormatResult;
using namespace Qt::Literals::StringLiterals;

namespace reference {

namespace {

const QString kCrLf = u"\r\n"_s;
const QString kQuote = u"\""_s;
const QString kEight = u"        "_s;

QString preparedMessage(const QString &message)
{
    // Quotes first: once they are apostrophes, a lone quote can only be the
    // line-break mark.
    const QString apostrophed = StringReplace(message, kQuote, u"''"_s);
    return StringReplace(apostrophed, kCrLf, kCrLf + kQuote + kCrLf);
}

// Quote, text, quote; a CR or LF inside the text stands outside the literal,
// as vbCr or vbLf.
QStringList quotedItems(const QString &text)
{
    if (text.isEmpty())
        return { kQuote + kQuote };
    QStringList items;
    QString run;
    for (const QChar c : text) {
        if (c != u'\r' && c != u'\n') {
            run += c;
            continue;
        }
        if (!run.isEmpty())
            items << kQuote + run + kQuote;
        run.clear();
        items << (c == u'\r' ? u"vbCr"_s : u"vbLf"_s);
    }
    if (!run.isEmpty())
        items << kQuote + run + kQuote;
    return items;
}

// A wrapped line as code lines: its literals and vbCr/vbLf words, as many
// on a line as keep within the room a full line has for them.
QString quotedLines(const QString &text, qsizetype room)
{
    const QStringList items = quotedItems(text);
    QStringList lines { items.first() };
    for (qsizetype i = 1; i < items.size(); ++i) {
        if (lines.last().size() + 3 + items[i].size() > room)
            lines << items[i];
        else
            lines.last() += u" & "_s + items[i];
    }
    return lines.join(u" & _"_s + kCrLf + kEight);
}

QString firstCodeText(const TextBoxLines &txtDummy, qsizetype room)
{
    QString code = u"    MsgBox _"_s + kCrLf;
    const qsizetype n = GetLineCount(txtDummy);
    for (qsizetype i = 1; i < n; ++i)
        code += kEight + quotedLines(GetLineText(txtDummy, i), room) + u" & _"_s + kCrLf;
    code += kEight + quotedLines(GetLineText(txtDummy, n), room);
    return code;
}

QString cleanedUp(QString code)
{
    code = StringReplace(code, kQuote + kQuote + kQuote, u"vbNewline"_s);
    code = StringReplace(code, kEight + kQuote + kQuote + u" & _"_s + kCrLf, QString());
    code = StringReplace(code, u" & _"_s + kCrLf + kEight + kQuote + kQuote, QString());
    const QString stacked = u"vbNewline & _"_s + kCrLf + kEight + u"vbNewline &"_s;
    while (code.contains(stacked))
        code = StringReplace(code, stacked, u"vbNewline & vbNewline &"_s);
    return code + kCrLf;
}

QString joined(QString upper, QString lower)
{
    if (upper.endsWith(u" _"_s))
        upper.chop(2);
    if (lower.startsWith(kEight))
        lower.replace(0, kEight.size(), u" "_s);
    const qsizetype seam = upper.size();
    QString line = upper + lower;
    if (seam >= 3 && line.mid(seam - 3, 5) == u"\" & \""_s)
        line.remove(seam - 3, 5);
    return line;
}

QString afterOnePass(const QString &code, int width)
{
    const TextBoxLines txtFormatiert = TextBoxLines::nonWrapping(code);
    const qsizetype n = GetLineCount(txtFormatiert);
    QString next;
    bool hasJoined = false;
    for (qsizetype k = 1; k <= n - 1; ++k) {
        const QString a = GetLineText(txtFormatiert, k);
        const QString b = GetLineText(txtFormatiert, k + 1);
        if (a.size() + b.size() - 16 < width && k > 1 && !hasJoined) {
            next += joined(a, b) + kCrLf;
            hasJoined = true;
            ++k;
        } else {
            next += a + kCrLf;
        }
    }
    return next;
}

int continuationCount(const QString &code)
{
    const TextBoxLines lines = TextBoxLines::nonWrapping(code);
    int count = 0;
    for (qsizetype n = 1; n <= GetLineCount(lines); ++n)
        count += GetLineText(lines, n).endsWith(u" _"_s) ? 1 : 0;
    return count;
}

bool hasLineLongerThan1023(const QString &code)
{
    const TextBoxLines lines = TextBoxLines::nonWrapping(code);
    for (qsizetype n = 1; n <= GetLineCount(lines); ++n) {
        if (GetLineText(lines, n).size() > 1023)
            return true;
    }
    return false;
}

// A title too long for a line of its own: its items as many on a line as
// leave room for a continuation, each further line while continuations are
// left.
QString titleOverLines(const QStringList &items, int width, int count)
{
    QString appended = u" _"_s + kCrLf + kEight + u", "_s + items.first();
    qsizetype line = 10 + items.first().size();
    ++count;
    for (qsizetype i = 1; i < items.size(); ++i) {
        if (line + 3 + items[i].size() + 4 <= width || count >= 24) {
            appended += u" & "_s + items[i];
            line += 3 + items[i].size();
            continue;
        }
        appended += u" & _"_s + kCrLf + kEight + items[i];
        line = 8 + items[i].size();
        ++count;
    }
    return appended;
}

} // namespace

FormatResult formatMessage(const FormatRequest &request)
{
    FormatResult result;
    if (request.message.isEmpty()) {
        result.outcome = FormatOutcome::EmptyMessage;
        return result;
    }
    const int width = std::clamp(
        request.codeWidth, quillon::writer::kMinCodeWidth, quillon::writer::kMaxCodeWidth);

    result.measuringText = preparedMessage(request.message);
    const qsizetype charsPerLine = quillon::writer::charsPerLineForCodeWidth(width);
    const TextBoxLines txtDummy = TextBoxLines::wrapping(result.measuringText, charsPerLine);
    QString code = cleanedUp(firstCodeText(txtDummy, charsPerLine + 2));

    const qsizetype passes = GetLineCount(TextBoxLines::nonWrapping(code));
    QString atStartOfLastPass;
    for (qsizetype pass = 1; pass <= passes; ++pass) {
        atStartOfLastPass = code;
        code = afterOnePass(code, width);
    }

    int count = continuationCount(code);
    if (count > 24) {
        result.outcome = FormatOutcome::Refused;
        result.code = atStartOfLastPass;
        result.refusalMessage = quillon::writer::continuationLimitMessage();
        return result;
    }

    code.chop(2);
    QString tail;
    const quillon::model::StyleFlags styleFlags = quillon::model::computeStyleFlags(request.style);
    const bool hasFlags = styleFlags.value > 0;
    if (hasFlags) {
        const QString flags = styleFlags.expression;
        const QString appended = count < 24 ? QString(u" _"_s + kCrLf + kEight + u", "_s + flags)
                                            : QString(u", "_s + flags);
        count += count < 24 ? 1 : 0;
        code += appended;
        tail = appended;
    }
    if (request.title != u"Titelleiste"_s && !request.title.isEmpty()) {
        if (!hasFlags) {
            code += u", "_s;
            tail += u", "_s;
        }
        const QStringList items
            = quotedItems(StringReplace(request.title, kQuote, kQuote + kQuote));
        const QString title = items.join(u" & "_s);
        const TextBoxLines box = TextBoxLines::nonWrapping(code);
        const QString last = GetLineText(box, GetLineCount(box));
        const bool ownLine = count < 24 && (title.size() + last.size() > width || !hasFlags);
        const QString appended = !ownLine ? QString(u", "_s + title)
            : 10 + title.size() > width   ? titleOverLines(items, width, count)
                                          : QString(u" _"_s + kCrLf + kEight + u", "_s + title);
        code += appended;
        tail += appended;
    }
    code += kCrLf;

    if (hasLineLongerThan1023(code)) {
        result.outcome = FormatOutcome::Refused;
        result.code = atStartOfLastPass;
        result.refusalMessage = quillon::writer::lineTooLongMessage();
        return result;
    }
    result.code = code;
    result.codeTail = tail;
    return result;
}

} // namespace reference
