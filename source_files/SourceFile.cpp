#include "source_files/SourceFile.h"

#include <QRegularExpression>

#include <algorithm>

namespace quillon::sources {

using namespace Qt::Literals::StringLiterals;

namespace {

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; });
}

} // namespace

// Only a file that reads back to its very bytes is written anew: a broken
// byte would otherwise come back as another character.
SourceText sourceFromBytes(QByteArrayView bytes, model::TextEncoding asciiEncoding)
{
    model::DecodedText decoded = model::decodeText(bytes);
    SourceText source { std::move(decoded.text), decoded.encoding, {} };
    if (isAscii(bytes))
        source.encoding = asciiEncoding;
    if (source.text.contains(QChar(0)))
        source.problem = u"it is not text: it holds NUL bytes"_s;
    else if (model::encodeText(source.text, source.encoding) != bytes.toByteArray())
        source.problem = u"its bytes are not valid %1"_s.arg(model::encodingName(source.encoding));
    return source;
}

std::optional<model::Dialect> dialectOfFileName(QStringView fileName)
{
    struct Kind
    {
        QStringView suffix;
        model::Dialect dialect;
    };
    static constexpr Kind kKinds[] {
        { u".bas", model::Dialect::Vb6 },
        { u".cls", model::Dialect::Vb6 },
        { u".frm", model::Dialect::Vb6 },
        { u".ctl", model::Dialect::Vb6 },
        { u".dsr", model::Dialect::Vb6 },
        { u".dob", model::Dialect::Vb6 },
        { u".pag", model::Dialect::Vb6 },
        { u".vba", model::Dialect::Vb6 },
        { u".vbs", model::Dialect::VbScript },
        { u".wsf", model::Dialect::VbScript },
        { u".hta", model::Dialect::VbScript },
        { u".vb", model::Dialect::VbNet },
        { u".twin", model::Dialect::TwinBasic },
    };
    for (const Kind &kind : kKinds) {
        if (fileName.endsWith(kind.suffix, Qt::CaseInsensitive))
            return kind.dialect;
    }
    return std::nullopt;
}

bool holdsScriptParts(QStringView fileName)
{
    return fileName.endsWith(u".wsf", Qt::CaseInsensitive)
        || fileName.endsWith(u".hta", Qt::CaseInsensitive);
}

QString scriptPartsOf(QStringView text)
{
    // <script language="VBScript"> or type="text/vbscript", to </script>;
    // a Windows Script File may wrap the code in <![CDATA[ ... ]]>.
    static const QRegularExpression scriptElement(
        u"(<script\\b[^>]*vbscript[^>]*>\\s*(?:<!\\[CDATA\\[)?)(.*?)(?:\\]\\]>\\s*)?</script\\s*>"_s,
        QRegularExpression::CaseInsensitiveOption
            | QRegularExpression::DotMatchesEverythingOption);
    QString code(text.size(), u' ');
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            code[i] = text[i];
    }
    QRegularExpressionMatchIterator elements = scriptElement.globalMatch(text.toString());
    while (elements.hasNext()) {
        const QRegularExpressionMatch element = elements.next();
        code.replace(element.capturedStart(2), element.capturedLength(2), element.captured(2));
    }
    return code;
}

} // namespace quillon::sources
