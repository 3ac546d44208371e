#pragma once

#include "reports/ui/ReportRun.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

namespace kv::reports {

class PageRangeGroup;

// What every report dialog is: a window of its own while the main window
// stays disabled, its fields above a page range, and the buttons print,
// preview, "PDFで保存" and close. The report checks its fields in its own
// order and makes its printout; the run does the rest, with this window
// disabled meanwhile.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        ReportRun::Setup run;
        // Disabled while the dialog is open; not owned.
        QWidget* mainWindow = nullptr;
    };

    // kind: the report kind of the runs. The dialog deletes itself when
    // closed.
    ReportDialog(Setup setup, int kind, const QString& caption);
    ~ReportDialog() override;

    QPushButton* printButton() const { return m_print; }
    QPushButton* previewButton() const { return m_preview; }
    QPushButton* pdfButton() const { return m_pdf; }
    QPushButton* closeButton() const { return m_close; }
    PageRangeGroup* pageRange() const { return m_pages; }

    // Checks the fields and runs the report the way asked; true when the
    // pages went out.
    bool runReport(ReportRun::Way way);

signals:
    // The dialog is going: the main window is enabled again.
    void closedDialog();

protected:
    // Where the report's own fields go, above the page range.
    QVBoxLayout* fieldsLayout() const { return m_fields; }
    data::CCarMaintenanceDoc* document() const { return m_setup.run.document; }
    // A further way out, placed before the close button.
    void addButton(QPushButton* button);
    // The report's checks in its order (its page range among them, through
    // pageRange()->check()); false after the message, the focus on the
    // field to correct.
    virtual bool checkFields() = 0;
    // The request of the checked fields: title, printout, empty message.
    virtual ReportRun::Request request(ReportRun::Way way) = 0;
    // The buttons on or off as the chosen output asks.
    void setPagesEnabled(bool enabled);

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    int kind() const { return m_kind; }

private:
    void releaseMainWindow();

    Setup m_setup;
    int m_kind;
    QVBoxLayout* m_fields;
    QHBoxLayout* m_buttons;
    PageRangeGroup* m_pages;
    QPushButton* m_print;
    QPushButton* m_preview;
    QPushButton* m_pdf;
    QPushButton* m_close;
    bool m_holdsMainWindow = false;
};

} // namespace kv::reports
