// What "Text formatieren" costs the window for a long text in the form "Text
// in Variable": the formatting and the two boxes taking its text, as the
// main window does it, on Qt's offscreen platform.

#include "code_writer/Formatter.h"
#include "vb_model/LineBreaks.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kMessageSize = 100'000;

void formatIntoCodeBox(benchmark::State &state)
{
    const QString unit = u"Ein ganz gewöhnlicher Absatz aus Wörtern, die umbrechen.\r\n"_s;
    quillon::writer::FormatRequest request;
    request.message = unit.repeated(kMessageSize / unit.size() + 1).first(kMessageSize);
    request.form = quillon::model::CodeForm::TextVariable;
    QPlainTextEdit txtDummy;
    QPlainTextEdit txtFormatiert;
    txtFormatiert.setLineWrapMode(QPlainTextEdit::NoWrap);
    txtDummy.show();
    txtFormatiert.show();
    for (auto _ : state) {
        const quillon::writer::FormatResult result = quillon::writer::formatMessage(request);
        txtDummy.setPlainText(quillon::model::toWidgetText(result.measuringText));
        txtFormatiert.setPlainText(quillon::model::toWidgetText(result.code));
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(formatIntoCodeBox)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
