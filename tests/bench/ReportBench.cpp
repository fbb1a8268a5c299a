// The full report of the demonstration configuration (every section, channels 1-30) drawn to a
// PDF in memory, portrait and landscape. Bar: under 1 s each.
#include "TestPaths.h"
#include "document/DocumentFlows.h"
#include "model/DataFile.h"
#include "print/PrintSelection.h"
#include "print/ReportPages.h"
#include "print/ReportPainter.h"
#include "texts/LanguageTable.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace rps;

struct Demo {
    Demo()
    {
        texts.loadFile(rps::test::kLanguageFile, "English");
        env.texts = [this](int n) { return texts.text(n); };
        loadImage(std::string(rps::test::kSourceDir) + "/demo/demo.dat", *image);
        InstallationId none{};
        none.fill(0xFF);
        acceptStagedImage(*image, ImageSource::File, none, env.limits);
    }
    LanguageTable texts;
    fields::FieldEnv env;
    std::unique_ptr<ConfigImage> image = std::make_unique<ConfigImage>();
};

void fullReport(benchmark::State& state)
{
    static Demo demo;
    const bool landscape = state.range(0) != 0;
    const auto orientation = landscape ? print::Orientation::Landscape : print::Orientation::Portrait;
    std::size_t pages = 0;
    for (auto _ : state) {
        const print::ReportPages report(*demo.image, demo.env, print::kAllFlags, 1, 30, orientation);
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        benchmark::DoNotOptimize(print::printReport(writer, report));
        pages = report.plan().size();
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(fullReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
