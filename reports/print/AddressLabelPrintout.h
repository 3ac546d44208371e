#pragma once

#include "print/PagePainter.h"
#include "print/PrintFont.h"
#include "reports/core/LabelSheet.h"

#include <QFont>
#include <QStringList>

namespace kv::reports {

class AddressSource;
struct PostcardAddress;

// Address labels on A4 sheets (portrait) of one label layout: from the
// start position on the first sheet, row by row. A label holds the postal
// code, the address and the name with its honorific, each line cut at a
// character to the label's width and only as many lines as its height takes.
class AddressLabelPrintout final : public print::PagePainter {
public:
    // Inside a label's edge, tenths of a millimetre.
    static constexpr int kInset = 20;

    // The plan must come from a layout that LabelPlan::check() accepts.
    AddressLabelPrintout(AddressSource& addressees, const LabelPlan& plan, print::PrintFont font,
                         QString jobName);

    print::PageLayout layout() const override;
    int pageCount() const override { return m_plan.pageCount(); }
    void paintPage(int page, QPainter& painter) override;

    // The lines of one label before they are cut.
    static QStringList linesOf(const PostcardAddress& address);
    // The font of the label settings: its face and point size.
    static print::PrintFont fontOfPoints(const QString& face, int points);

private:
    AddressSource& m_addressees;
    LabelPlan m_plan;
    print::PrintFont m_printFont;
    QFont m_font;
    QString m_jobName;
};

} // namespace kv::reports
