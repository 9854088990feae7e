#include "tests/support/MessageMaker.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList &markupAndLookAlikes()
{
    static const QStringList kPieces {
        u"\""_s,
        u"\"\""_s,
        u"\" & \""_s,
        u"''"_s,
        u"°"_s,
        u"\r\n°\r\n"_s,
        u" _"_s,
        u" & _\r\n"_s,
        u"vbNewline"_s,
        u" & vbNewline"_s,
        u"        vbNewline"_s,
        u" & "_s,
        u"    MsgBox _\r\n"_s,
        u", "_s,
        u", vbQuestion"_s,
        u"\r"_s,
        u"\n"_s,
        u"\t"_s,
        QString(QChar(0)),
        u"\u00A0"_s,
        u"\u2028"_s,
        u"\u200F"_s,
        u"\uFEFF"_s,
        u"\u05E9\u05DC\u05D5\u05DD"_s,
        u"###DiesIstDasTrennzeichen###"_s,
        u"###dIESiSTdAStRENNZEICHEN###"_s,
        u"Titelleiste"_s,
    };
    return kPieces;
}

} // namespace

QString MessageMaker::word(int length)
{
    static const QString kLetters = u"abcdefghijklmnopqrstuvwxyzÄÖÜäöüßé€\t'°&_-.,"_s;
    QString text;
    for (int i = 0; i < length; ++i) {
        const int kind = pick(25);
        if (kind == 0)
            text += u"\U0001F600"_s; // a surrogate pair
        else if (kind == 1)
            text += QChar(char16_t(pick(0x10000))); // any unit, lone surrogates too
        else
            text += kLetters[pick(kLetters.size())];
    }
    return text;
}

QString MessageMaker::piece()
{
    const QStringList &markup = markupAndLookAlikes();
    const int kind = pick(20);
    if (kind < 9)
        return markup[pick(markup.size())];
    if (kind == 9)
        return u"\r\n"_s.repeated(1 + pick(chance(5) ? 100 : 4));
    if (kind == 10)
        return QString(2 + pick(chance(10) ? 1100 : 40), u' ');
    if (kind == 11)
        return word(20 + pick(110));
    return (chance(70) ? u" "_s : QString()) + word(1 + pick(12));
}

QString MessageMaker::message()
{
    // Short unless chosen otherwise, so that a fuzzer's input that runs out
    // ends the text.
    const int pieces = chance(90) ? pick(30) : 40 + pick(160);
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += piece();
    return text;
}

QString MessageMaker::title()
{
    static const QStringList kFixed
        = { QString(), u"Titelleiste"_s, u"Sag \"Ja\""_s, u"Frage"_s, u"\"\""_s };
    const int kind = pick(8);
    if (kind < 4)
        return kFixed[pick(kFixed.size())];
    if (kind == 4)
        return QString(pick(3), u'"') + word(pick(30)) + u"\""_s;
    if (kind == 5)
        return word(pick(10)) + (chance(50) ? u"\r"_s : u"\n"_s) + word(pick(10));
    return word(1 + pick(60));
}

quillon::model::StyleChoices MessageMaker::choices()
{
    return { pick(quillon::model::kIconChoiceCount), pick(quillon::model::kButtonSetChoiceCount),
        1 + pick(quillon::model::kDefaultButtonChoiceCount), chance(50), chance(50) };
}

int MessageMaker::codeWidth()
{
    return quillon::writer::kMinCodeWidth
        + pick(quillon::writer::kMaxCodeWidth - quillon::writer::kMinCodeWidth + 1);
}

quillon::writer::FormatRequest MessageMaker::request()
{
    quillon::writer::FormatRequest request;
    request.style = choices();
    request.codeWidth = codeWidth();
    request.message = message();
    request.title = title();
    return request;
}

// Run-time values as real code writes them, each one that the reader keeps
// whole: no & or comparison outside parentheses.
QString MessageMaker::expression()
{
    static const QStringList kExpressions {
        u"sFile"_s,
        u"Err.Description"_s,
        u"Format(x, \"0.00\")"_s,
        u"Left$(s, 3)"_s,
        u"rs!Name"_s,
        u".Caption"_s,
        u"Me.Text1.Text"_s,
        u"n + 1"_s,
        u"CStr(Now)"_s,
        u"arr(i, j)"_s,
        u"(a & \"b\")"_s,
        u"UCase$(sName)"_s,
        u"Chr(i)"_s,
        u"1.5"_s,
        u"IIf(x > 0, \"ja\", \"nein\")"_s,
    };
    return kExpressions[pick(kExpressions.size())];
}

quillon::model::MessageParts MessageMaker::parts()
{
    using Kind = quillon::model::MessagePart::Kind;
    quillon::model::MessageParts parts;
    const int count = 1 + pick(6);
    for (int i = 0; i < count; ++i) {
        if (chance(50))
            parts.append({ Kind::Expression, expression() });
        else if (const QString text = message(); !text.isEmpty())
            parts.append({ chance(30) ? Kind::Text : Kind::ExactText, text });
    }
    if (parts.isEmpty())
        parts.append({ Kind::Expression, expression() });
    return parts;
}

quillon::writer::FormatRequest MessageMaker::requestWithExpressions()
{
    using Kind = quillon::model::MessagePart::Kind;
    quillon::writer::FormatRequest request = this->request();
    request.parts = parts();
    if (chance(30))
        request.titleParts = { { Kind::Expression, expression() } };
    else if (chance(30))
        request.titleParts = { { Kind::ExactText, title() }, { Kind::Expression, expression() } };
    if (chance(30))
        request.buttonsExpression = chance(50) ? u"intStyle"_s : u"vbYesNo Or iIcon"_s;
    if (chance(20))
        request.trailing = chance(50) ? u": Exit Sub"_s : u": GoTo Ende ' weiter"_s;
    return request;
}

quillon::model::MessageParts readerView(const quillon::model::MessageParts &parts)
{
    using Kind = quillon::model::MessagePart::Kind;
    quillon::model::MessageParts joined;
    for (const quillon::model::MessagePart &part : parts) {
        if (part.isExpression()) {
            quillon::model::appendPart(joined, part);
            continue;
        }
        QString text = part.text;
        if (part.kind == Kind::Text)
            text.replace(u'"', u"''"_s);
        quillon::model::appendPart(joined, { Kind::ExactText, text });
    }
    return joined;
}

quillon::model::MessageParts readerViewOfTitle(const quillon::writer::FormatRequest &request)
{
    if (!request.titleParts.isEmpty())
        return readerView(request.titleParts);
    if (!quillon::writer::hasTitle(request.title))
        return {};
    return { { quillon::model::MessagePart::Kind::ExactText, request.title } };
}
