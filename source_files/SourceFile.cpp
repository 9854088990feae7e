#include "source_files/SourceFile.h"

#include <QRegularExpression>

#include <algorithm>

namespace codegen {

using namespace Qt::Literals::StringLiterals;

namespace {

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; });
}

} // namespace

// Only a file that reads back to its very bytes is written anew: a broken
// byte would otherwise come back as another character.
SourceText sourceFromBytes(QByteArrayView bytes, TextEncoding asciiEncoding)
{
    DecodedText decoded = decodeText(bytes);
    SourceText source { std::move(decoded.text), decoded.encoding, {} };
    if (isAscii(bytes))
        source.encoding = asciiEncoding;
    if (source.text.contains(QChar(0)))
        source.problem = u"it is not text: it holds NUL bytes"_s;
    else if (encodeText(source.text, source.encoding) != bytes.toByteArray())
        source.problem = u"its bytes are not valid %1"_s.arg(encodingName(source.encoding));
    return source;
}

std::optional<Dialect> dialectOfFileName(QStringView fileName)
{
    struct Kind
    {
        QStringView suffix;
        Dialect dialect;
    };
    static constexpr Kind kKinds[] {
        { u".bas", Dialect::Vb6 },
        { u".cls", Dialect::Vb6 },
        { u".frm", Dialect::Vb6 },
        { u".ctl", Dialect::Vb6 },
        { u".dsr", Dialect::Vb6 },
        { u".dob", Dialect::Vb6 },
        { u".pag", Dialect::Vb6 },
        { u".vba", Dialect::Vb6 },
        { u".vbs", Dialect::VbScript },
        { u".wsf", Dialect::VbScript },
        { u".hta", Dialect::VbScript },
        { u".vb", Dialect::VbNet },
        { u".twin", Dialect::TwinBasic },
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

} // namespace codegen
