#pragma once

#include "print/PrinterAccess.h"

#include <memory>

class QPrinter;
class QWidget;

namespace kv::print {

// The print system through the toolkit: the printer of the setup dialog
// (the system's default printer until one is chosen), the print preview
// dialog and a file chooser for PDF files.
class QtPrinterAccess final : public PrinterAccess {
public:
    explicit QtPrinterAccess(QWidget* parent = nullptr);
    ~QtPrinterAccess() override;

    // The print dialog offering the printer and its options only (no page
    // range, selection or printing to a file).
    std::optional<data::PrinterIdentity> chooseSetup() override;
    bool hasPrinter() const override;
    bool print(PagePainter& printout) override;
    void preview(PagePainter& printout) override;
    std::optional<QString> choosePdfFile(const QString& suggestedName) override;

    QPrinter& printer() { return *m_printer; }
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QWidget* m_parent;
};

} // namespace kv::print
