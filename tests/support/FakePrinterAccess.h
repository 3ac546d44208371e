#pragma once

#include "print/PagePainter.h"
#include "print/PrinterAccess.h"

#include <QStringList>

namespace kv::test {

// The program's printer as a test sees it: what was printed or previewed
// (job names, page count of the last), whether it takes a job, and the
// PDF path it answers with.
class FakePrinterAccess final : public kv::print::PrinterAccess {
public:
    std::optional<kv::data::PrinterIdentity> chooseSetup() override { return std::nullopt; }
    bool hasPrinter() const override { return installed; }
    bool print(kv::print::PagePainter& printout) override
    {
        printed << printout.layout().jobName;
        pages = printout.pageCount();
        return accepts;
    }
    void preview(kv::print::PagePainter& printout) override
    {
        previewed << printout.layout().jobName;
        pages = printout.pageCount();
    }
    std::optional<QString> choosePdfFile(const QString& suggested) override
    {
        suggestedName = suggested;
        return pdfPath;
    }

    bool installed = true;
    bool accepts = true; // false: the job cannot start
    QStringList printed;
    QStringList previewed;
    int pages = 0;
    QString suggestedName;
    std::optional<QString> pdfPath;
};

} // namespace kv::test
