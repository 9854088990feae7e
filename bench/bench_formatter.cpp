#include "code_writer/Formatter.h"
#include "vb_frontend/VbReader.h"
#include "tests/support/ReferenceFormatter.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

using namespace Qt::Literals::StringLiterals;
using namespace std::string_literals;

namespace {

struct Shape
{
    const char *name;
    QString unit; // repeated and cut to the wanted length
};

const Shape kShapes[] = {
    { "paragraph", u"Ein ganz gewöhnlicher Absatz aus Wörtern, die umbrechen. "_s },
    { "breaks", u"a\r\n"_s },
    { "blank-lines", u"kurze Zeile\r\n\r\n"_s },
    { "one-word", u"x"_s },
};

constexpr qsizetype kSizes[] = { 4096, 32767, 1024 * 1024 };
constexpr qsizetype kComparedSize = 4096;
constexpr int kWidths[] = { 40, 75 };

QString messageOf(const Shape &shape, qsizetype size)
{
    return shape.unit.repeated(size / shape.unit.size() + 1).first(size);
}

using Formatter
    = std::function<quillon::writer::FormatResult(const quillon::writer::FormatRequest &)>;

void registerRun(
    const std::string &name, const Formatter &format, quillon::writer::FormatRequest request)
{
    benchmark::RegisterBenchmark(name.c_str(), [format, request](benchmark::State &state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(format(request));
    })->Unit(benchmark::kMillisecond);
}

// Prints the console report, then how much faster the production formatter
// is than the step-by-step one on the same input, and how much longer the
// text-variable form takes than the statement form.
class SpeedUpReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nSpeed-up over the step-by-step formatter at %lld characters:\n",
            static_cast<long long>(kComparedSize));
        printRatios("reference/", "production/", "%10.0fx");
        std::printf("\nText-variable form over the statement form (time ratio):\n");
        printRatios("text-variable/", "production/", "%10.2f");
        std::printf("\nWith run-time values over fixed text alone (time ratio):\n");
        printRatios("expressions/", "production/", "%10.2f");
        printRatios("reader-expressions/", "reader/", "%10.2f");
    }

private:
    // For each run named prefix/case, its time over that of base/case.
    void printRatios(const std::string &prefix, const std::string &base, const char *format)
    {
        for (const auto &[name, time] : m_times) {
            if (name.rfind(prefix, 0) != 0)
                continue;
            const std::string caseName = name.substr(prefix.size());
            const auto baseRun = m_times.find(base + caseName);
            if (baseRun == m_times.end() || baseRun->second <= 0)
                continue;
            std::printf("  %-28s ", caseName.c_str());
            std::printf(format, time / baseRun->second);
            std::printf("\n");
        }
    }

    std::map<std::string, double> m_times;
};

// Code of about a mebibyte that the reader reads as one call: the prompt in
// lines that continue, or in statements that append to a text variable.
struct ReadShape
{
    const char *name;
    QString head;
    QString unit; // repeated up to the size
    QString tail;
};

const ReadShape kReadShapes[] = {
    { "continued-lines", u"MsgBox _\r\n"_s,
        u"        \"Ein Stück Text, \"\"zitiert\"\" \" & vbNewline & _\r\n"_s,
        u"        \"Ende\", vbQuestion Or vbYesNo, \"Titel\"\r\n"_s },
    { "long-lines", u"MsgBox _\r\n"_s, u"\"Ein Stück Text\" & Chr(10) & "_s,
        u"\"Ende\" _\r\n, vbQuestion Or vbYesNo, \"Titel\"\r\n"_s },
    { "text-variable", u"sText = \"\"\r\n"_s,
        u"sText = sText & \"Ein Stück Text\" & vbNewline\r\n"_s,
        u"MsgBox sText, vbQuestion, \"Titel\"\r\n"_s },
};

// The same code with run-time values in each unit.
const ReadShape kReadShapesWithExpressions[] = {
    { "continued-lines", u"MsgBox _\r\n"_s,
        u"        \"Ein Stück \"\"zitiert\"\" \" & sName & vbNewline & _\r\n"_s,
        u"        \"Ende\", vbQuestion Or vbYesNo, \"Titel\"\r\n"_s },
    { "long-lines", u"MsgBox _\r\n"_s, u"\"Ein Stück\" & Err.Description & Chr(10) & "_s,
        u"\"Ende\" _\r\n, vbQuestion Or vbYesNo, \"Titel\"\r\n"_s },
    { "text-variable", u"sText = \"\"\r\n"_s,
        u"sText = sText & \"Ein Stück\" & Format(x, \"0.00\") & vbNewline\r\n"_s,
        u"MsgBox sText, vbQuestion, \"Titel\"\r\n"_s },
};

constexpr qsizetype kReadSize = 1024 * 1024;

// A message of the paragraph shape with a run-time value after each
// sentence, of about `size` characters in all.
quillon::model::MessageParts partsOf(qsizetype size)
{
    const QString sentence = kShapes[0].unit;
    const QString value = u"Err.Description"_s;
    quillon::model::MessageParts parts;
    for (qsizetype written = 0; written < size; written += sentence.size() + value.size()) {
        parts.append({ quillon::model::MessagePart::Kind::ExactText, sentence });
        parts.append({ quillon::model::MessagePart::Kind::Expression, value });
    }
    return parts;
}

void registerRead(const std::string &name, const QString &code)
{
    benchmark::RegisterBenchmark(name.c_str(), [code](benchmark::State &state) {
        if (!quillon::frontend::readMsgBox(code, quillon::model::Dialect::Vb6).found())
            state.SkipWithError("the code does not read as a call");
        for (auto _ : state)
            benchmark::DoNotOptimize(
                quillon::frontend::readMsgBox(code, quillon::model::Dialect::Vb6));
    })->Unit(benchmark::kMillisecond);
}

QString codeOf(const ReadShape &shape)
{
    return shape.head + shape.unit.repeated(kReadSize / shape.unit.size()) + shape.tail;
}

} // namespace

int main(int argc, char **argv)
{
    for (const Shape &shape : kShapes) {
        for (const int width : kWidths) {
            for (const qsizetype size : kSizes) {
                quillon::writer::FormatRequest request;
                request.message = messageOf(shape, size);
                request.codeWidth = width;
                const std::string name = std::string(shape.name) + "/" + std::to_string(width) + "/"
                    + std::to_string(size);
                registerRun("production/" + name, quillon::writer::formatMessage, request);
                request.form = quillon::model::CodeForm::TextVariable;
                registerRun("text-variable/" + name, quillon::writer::formatMessage, request);
                request.form = quillon::model::CodeForm::Statement;
                if (size == kComparedSize)
                    registerRun("reference/" + name, reference::formatMessage, request);
            }
        }
    }
    for (const int width : kWidths) {
        quillon::writer::FormatRequest request;
        request.parts = partsOf(kReadSize);
        request.codeWidth = width;
        registerRun(
            "expressions/paragraph/" + std::to_string(width) + "/" + std::to_string(kReadSize),
            quillon::writer::formatMessage, request);
    }
    for (const ReadShape &shape : kReadShapes)
        registerRead("reader/"s + shape.name + "/1MiB", codeOf(shape));
    for (const ReadShape &shape : kReadShapesWithExpressions)
        registerRead("reader-expressions/"s + shape.name + "/1MiB", codeOf(shape));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SpeedUpReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
