#include "app/frame/QtPrinterAccess.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kv::app {

QtPrinterAccess::QtPrinterAccess(QWidget* parent)
    : m_printer(std::make_unique<QPrinter>())
    , m_parent(parent)
{
}

QtPrinterAccess::~QtPrinterAccess() = default;

std::optional<data::PrinterIdentity> QtPrinterAccess::chooseSetup()
{
    QPrintDialog dialog(m_printer.get(), m_parent);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    data::PrinterIdentity identity;
    identity.name = m_printer->printerName();
    return identity;
}

} // namespace kv::app
