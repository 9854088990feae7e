// The source-file walker against arbitrary files in every dialect: it
// answers every input, names only lines of the file, and what it writes is
// its own fixed point: a second run over it finds nothing to write anew.

#include "fuzz/FuzzInput.h"

#include "source_files/SourceCalls.h"
#include "source_files/SourceFile.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

// The first byte picks the dialect, or none for the one the code tells; the
// second the width; the rest are the file's bytes.
quillon::sources::RelayoutRequest requestFrom(const std::uint8_t *data, std::size_t size)
{
    quillon::sources::RelayoutRequest request;
    const int dialects = int(quillon::model::Dialect::TwinBasic) + 1;
    if (size > 0 && data[0] % (dialects + 1) < dialects)
        request.dialect = quillon::model::Dialect(data[0] % (dialects + 1));
    if (size > 1)
        request.codeWidth = quillon::writer::kMinCodeWidth
            + data[1] % (quillon::writer::kMaxCodeWidth - quillon::writer::kMinCodeWidth + 1);
    return request;
}

void checkPlaces(const QList<quillon::sources::SourceFinding> &findings, const QString &text)
{
    const qsizetype lines = text.count(u'\n') + text.count(u'\r') + 1;
    for (const quillon::sources::SourceFinding &finding : findings) {
        if (finding.line < 1 || finding.line > lines || finding.column < 1)
            propertyBroken("a finding names no place of the file",
                u"line %1, column %2 of %3"_s.arg(finding.line).arg(finding.column).arg(
                    escaped(text)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    quillon::sources::RelayoutRequest request = requestFrom(data, size);
    const std::size_t skipped = std::min<std::size_t>(size, 2);
    const quillon::sources::SourceText source = quillon::sources::sourceFromBytes(
        QByteArrayView(data + skipped, qsizetype(size - skipped)),
        quillon::model::TextEncoding::Utf8);
    if (!source.problem.isEmpty())
        return 0;
    request.encoding = source.encoding;
    const quillon::sources::RelaidSource relaid
        = quillon::sources::relayOutCalls(source.text, request);
    checkPlaces(relaid.changed, source.text);
    checkPlaces(relaid.kept, source.text);
    if (relaid.changed.isEmpty())
        return 0;
    const quillon::sources::RelaidSource again
        = quillon::sources::relayOutCalls(relaid.text, request);
    if (!again.changed.isEmpty())
        propertyBroken("a file written anew is written anew once more",
            u"first:  %1\nsecond: %2"_s.arg(escaped(relaid.text), escaped(again.text)));
    return 0;
}
