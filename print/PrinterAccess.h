#pragma once

#include "data/settings/PrinterIdentity.h"

#include <QString>

#include <optional>

namespace kv::print {

class PagePainter;

// The program's printer and the ways out of a printout the user chooses:
// the printer itself, the print preview, or a PDF file named in a file
// chooser. Tests stand in for it.
class PrinterAccess {
public:
    virtual ~PrinterAccess();

    // The printer-setup dialog: the printer the user chose, nothing when the
    // dialog was cancelled. The chosen printer becomes the program's printer.
    virtual std::optional<data::PrinterIdentity> chooseSetup() = 0;
    // Whether there is a printer to print on at all.
    virtual bool hasPrinter() const = 0;
    // Every page on the program's printer, without a dialog; false when the
    // job could not be started.
    virtual bool print(PagePainter& printout) = 0;
    // The print preview, exactly the pages the printer would get; the user
    // may print from it.
    virtual void preview(PagePainter& printout) = 0;
    // Where a PDF is to be written: the path the user chose, starting from
    // suggestedName; nothing when cancelled.
    virtual std::optional<QString> choosePdfFile(const QString& suggestedName) = 0;
};

} // namespace kv::print
