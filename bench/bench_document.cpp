// The document core on the largest file the editor opens (65,000 bytes), each figure beside
// a baseline measured in the same run; the ratios are printed after the table.
#include "GeneratedConfig.h"
#include "RatioReporter.h"

#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/RowModel.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

namespace {

constexpr int LargestFile = 65000;

const QString& configText()
{
    static const QString text = GenerateConfigText(LargestFile);
    return text;
}

const QByteArray& configBytes()
{
    static const QByteArray bytes = Codepage::encodeWindows1252(configText()).value();
    return bytes;
}

void BM_SplitBaseline(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(configText().split(QStringLiteral("\r\n")));
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_SplitBaseline)->Unit(benchmark::kMicrosecond);

void BM_ParseRender(benchmark::State& state)
{
    for (auto _ : state) {
        const QList<Row> rows = ConfigText::parseLines(ConfigText::ReadFileLines(configText()));
        benchmark::DoNotOptimize(ConfigText::TextFromLines(ConfigText::renderRows(rows)));
    }
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_ParseRender)->Unit(benchmark::kMicrosecond);

void BM_Decode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Codepage::decodeWindows1252(configBytes()));
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMicrosecond);

void BM_Encode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Codepage::encodeWindows1252(configText()));
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMicrosecond);

// The text view as the editor shows it: one shown QPlainTextEdit displaying the document.
struct TextViewFixture {
    ConfigDocument document;
    QPlainTextEdit textView;
    QPlainTextEdit baselineView;

    TextViewFixture()
    {
        QTextDocument& text = document.textDocument();
        text.setDocumentLayout(new QPlainTextDocumentLayout(&text));
        textView.setDocument(&text);
        for (QPlainTextEdit* view : {&textView, &baselineView}) {
            view->resize(800, 600);
            view->show();
        }
    }
};

void BM_SetPlainTextBaseline(benchmark::State& state)
{
    TextViewFixture fixture;
    for (auto _ : state)
        fixture.baselineView.setPlainText(configText());
}
BENCHMARK(BM_SetPlainTextBaseline)->Unit(benchmark::kMicrosecond);

void BM_SetText(benchmark::State& state)
{
    TextViewFixture fixture;
    for (auto _ : state)
        fixture.document.setText(configText());
}
BENCHMARK(BM_SetText)->Unit(benchmark::kMicrosecond);

void BM_ToPlainTextBaseline(benchmark::State& state)
{
    TextViewFixture fixture;
    fixture.baselineView.setPlainText(configText());
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.baselineView.toPlainText());
}
BENCHMARK(BM_ToPlainTextBaseline)->Unit(benchmark::kMicrosecond);

void BM_Text(benchmark::State& state)
{
    TextViewFixture fixture;
    fixture.document.setText(configText());
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.document.text());
}
BENCHMARK(BM_Text)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    RatioReporter reporter({{"BM_ParseRender", "BM_SplitBaseline"},
                            {"BM_SetText", "BM_SetPlainTextBaseline"},
                            {"BM_Text", "BM_ToPlainTextBaseline"}});
    return reporter.run(argc, argv);
}
