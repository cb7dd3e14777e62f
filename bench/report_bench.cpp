// The detailed hydraulic report of a computed 100-node gravity line, made
// into a PDF file as Save as PDF in the preview does.
#include "sample_jobs.h"

#include "engine/gravity_run.h"
#include "platform/report/preview.h"
#include "reports/detail_report.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

void BM_DetailReportPdf100(benchmark::State& state)
{
    bench::BenchDatabase database;
    bench::MakeGravityLine100();
    Grav->RunGravityProfile();
    QWidget owner;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("detail.pdf"));
    for (auto _ : state) {
        TQRDetail form(&owner);
        if (!report::ExportPdf(form.QRCompositeReport1, file))
            throw std::runtime_error("no PDF");
    }
}
BENCHMARK(BM_DetailReportPdf100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
