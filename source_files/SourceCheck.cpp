#include "source_files/SourceCheck.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace codegen {

QList<CheckFinding> checkFindings(
    QStringView text, const RelaidSource &written, Dialect dialect, int codeWidth)
{
    QList<CheckFinding> findings;
    const QString notLaidOut
        = u"MsgBox call not laid out as --reformat --width %1 writes it"_s.arg(codeWidth);
    for (const SourceFinding &changed : written.changed)
        findings.append({ { changed.line, changed.column, notLaidOut }, CheckKind::Layout });
    for (const SourceFinding &kept : written.kept)
        findings.append(
            { { kept.line, kept.column, u"MsgBox call cannot be written anew: "_s + kept.message },
                CheckKind::NotWritable });
    for (const SourceFinding &limit : limitFindings(text, dialect))
        findings.append({ limit, CheckKind::Limit });
    std::stable_sort(findings.begin(), findings.end(), [](const auto &a, const auto &b) {
        return std::pair(a.place.line, a.place.column) < std::pair(b.place.line, b.place.column);
    });
    return findings;
}

} // namespace codegen
