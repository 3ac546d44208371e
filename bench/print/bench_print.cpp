// Printing slips: one full page of a slip (30 lines and the totals) painted
// into a PDF, and a print run of 100 slips of one page each written to a
// PDF file, as the print runner does for the printer.

#include "print/PagePainter.h"
#include "print/PrintRunner.h"
#include "slips/print/SlipPrintout.h"
#include "tests/slips/SlipPrintSample.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

kv::slips::SlipPrintData onePageSlip(int number)
{
    kv::slips::SlipPrintData data = kv::test::slipPrintSample(30);
    data.slip.m_DenNo = number;
    data.copies = {false, true, false};
    return data;
}

// Many slips one after the other in one run.
class SlipRun final : public kv::print::PagePainter {
public:
    explicit SlipRun(int slips)
    {
        for (int i = 0; i < slips; ++i)
            m_slips.push_back(std::make_unique<kv::slips::SlipPrintout>(onePageSlip(i + 1)));
    }
    kv::print::PageLayout layout() const override { return m_slips.front()->layout(); }
    int pageCount() const override { return int(m_slips.size()); }
    void paintPage(int page, QPainter& painter) override
    {
        m_slips[size_t(page - 1)]->paintPage(1, painter);
    }

private:
    std::vector<std::unique_ptr<kv::slips::SlipPrintout>> m_slips;
};

void BM_SlipPageToPdf(benchmark::State& state)
{
    kv::slips::SlipPrintout printout(onePageSlip(1));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        QPainter painter(&writer);
        kv::print::PrintRunner::paintPage(printout, 1, painter, writer);
        painter.end();
        benchmark::DoNotOptimize(buffer.size());
    }
}
BENCHMARK(BM_SlipPageToPdf)->Unit(benchmark::kMillisecond);

void BM_HundredPageRunToPdf(benchmark::State& state)
{
    QTemporaryDir folder;
    SlipRun run(100);
    for (auto _ : state) {
        const bool written = kv::print::PrintRunner::writePdf(run, folder.filePath("run.pdf"));
        if (!written)
            state.SkipWithError("the PDF could not be written");
    }
}
BENCHMARK(BM_HundredPageRunToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SlipPageImage100Dpi(benchmark::State& state)
{
    kv::slips::SlipPrintout printout(onePageSlip(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(kv::print::PrintRunner::image(printout, 1, 100));
}
BENCHMARK(BM_SlipPageImage100Dpi)->Unit(benchmark::kMillisecond);

} // namespace
