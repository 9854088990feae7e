// The reader against arbitrary code, in both its readings: it answers every
// input, and the call it reads, written anew in its place as --reformat
// writes it, reads back the same way as the same call: the same parts, title,
// buttons, form and trailing statements.

#include "fuzz/FuzzInput.h"

#include "code_writer/Reformat.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

QString described(const QString &code, const quillon::frontend::VbReadResult &read)
{
    if (!read.found())
        return u"code:    %1\nerror:   %2"_s.arg(escaped(code), read.error());
    return u"code:    %1\nmessage: %2\ntitle:   %3\nflags:   %4"_s.arg(escaped(code),
        escaped(read->message), escaped(read->title),
        quillon::model::computeStyleFlags(read->choices).expression);
}

// Buttons computed at run time are written as they were, but broken over
// lines to keep to the width: where a line was broken, the reader gives one
// blank for the blanks that stood there.
QString withSingleBlanks(const QString &expression)
{
    QString single;
    bool inLiteral = false;
    for (const QChar c : expression) {
        inLiteral = inLiteral != (c == u'"');
        if (inLiteral || c != u' ' || !single.endsWith(u' '))
            single += c;
    }
    return single;
}

void checkReadsBackWrittenAnew(const QString &code, const quillon::frontend::VbReadResult &read,
    quillon::model::Dialect dialect, quillon::frontend::VbReading reading)
{
    quillon::writer::FormatRequest request = quillon::writer::requestToWriteAnew(read.call());
    request.codeWidth = quillon::writer::kMinCodeWidth + int(code.size() % 36);
    request.dialect = dialect;
    const quillon::writer::FormatResult written
        = quillon::writer::formatInPlace(read.call(), request);
    if (written.outcome != quillon::writer::FormatOutcome::Formatted)
        return;
    const quillon::frontend::VbReadResult again
        = quillon::frontend::readMsgBox(written.code, dialect, reading);
    const bool same = again.found() && again->prompt == read->prompt
        && quillon::model::computeStyleFlags(again->choices).expression
            == quillon::model::computeStyleFlags(read->choices).expression
        && withSingleBlanks(again->buttonsExpression) == withSingleBlanks(read->buttonsExpression)
        && again->titleParts == read->titleParts && again->trailing == read->trailing
        && again->form == read->form && again->inLineIf == read->inLineIf
        && again->moreCalls == read->moreCalls;
    if (!same)
        propertyBroken("the call written anew in its place reads back differently",
            described(code, read) + u"\nwritten anew:\n"_s + described(written.code, again));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto dialect
        = quillon::model::Dialect(input.byte() % (int(quillon::model::Dialect::TwinBasic) + 1));
    const QString code = input.text();
    for (const auto reading : { quillon::frontend::VbReading::KeepExpressions,
             quillon::frontend::VbReading::FixedValues }) {
        const quillon::frontend::VbReadResult read
            = quillon::frontend::readMsgBox(code, dialect, reading);
        if (read.found())
            checkReadsBackWrittenAnew(code, read, dialect, reading);
    }
    return 0;
}
