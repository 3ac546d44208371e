#pragma once

#include "app/frame/CommandGroup.h"
#include "reports/ui/ReportDialog.h"

#include <QPointer>

#include <functional>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::print {
class PrinterAccess;
}

namespace kv::app {

class CMainFrame;

// The report commands whose dialogs are built: each opens its dialog, one
// at a time, with the main window disabled until it closes. Registered
// before the pending commands, so a report registered here keeps its id.
class ReportCommands {
public:
    // Nothing is owned; the frame, the document and the printers outlive
    // this object.
    ReportCommands(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                   print::PrinterAccess* printers, QSettings* profile);
    ~ReportCommands();

    // The report dialog open now, if any.
    reports::ReportDialog* openDialog() const { return m_dialog; }

private:
    using DialogMaker = std::function<reports::ReportDialog*(reports::ReportDialog::Setup)>;

    // A report command with its menu text, opening what make builds.
    void addReport(int id, const char* text, DialogMaker make);
    void open(const DialogMaker& make);

    CommandGroup m_group;
    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    print::PrinterAccess* m_printers;
    QSettings* m_profile;
    QPointer<reports::ReportDialog> m_dialog;
};

} // namespace kv::app
