#pragma once

#include "print/PagePainter.h"
#include "reports/core/PostcardShifts.h"

#include <QImage>
#include <QString>

namespace kv::reports {

// The picture side of postcards: the back picture scaled into 90 × 130 mm
// from the card's corner moved by the back side shift, the same on every
// page. Without a picture the pages stay empty.
class PostcardBackPrintout final : public print::PagePainter {
public:
    static constexpr int kWidth = 900;
    static constexpr int kHeight = 1300;

    PostcardBackPrintout(QImage picture, PostcardShift shift, int copies, QString jobName);

    print::PageLayout layout() const override;
    int pageCount() const override { return m_copies; }
    void paintPage(int page, QPainter& painter) override;

private:
    QImage m_picture;
    PostcardShift m_shift;
    int m_copies = 1;
    QString m_jobName;
};

} // namespace kv::reports
