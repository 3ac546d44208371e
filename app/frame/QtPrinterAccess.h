#pragma once

#include "app/frame/PrinterAccess.h"

#include <memory>

class QPrinter;
class QWidget;

namespace kv::app {

// Printer setup through the toolkit's print dialog, offering the printer and
// its options only (no page range, selection or printing to a file). The
// chosen printer is kept as the program's printer.
class QtPrinterAccess final : public PrinterAccess {
public:
    explicit QtPrinterAccess(QWidget* parent = nullptr);
    ~QtPrinterAccess() override;

    std::optional<data::PrinterIdentity> chooseSetup() override;
    QPrinter& printer() { return *m_printer; }
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QWidget* m_parent;
};

} // namespace kv::app
