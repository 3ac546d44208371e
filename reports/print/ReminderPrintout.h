#pragma once

#include "print/PagePainter.h"
#include "reports/core/ReminderCard.h"
#include "reports/print/PostcardPaper.h"

#include <QFont>

#include <functional>
#include <optional>

namespace kv::print {
class PageCanvas;
}

namespace kv::reports {

// The address side of the inspection reminder on Japanese postcards: the
// addressee and the sender block set higher than on the customer card, the
// heading "車検満期のご案内", the vehicle, its plate and expiry and, when
// asked, its statutory costs with their total. The cards come from a
// function of the page; the sample card has the form's placeholders.
class ReminderPrintout final : public print::PagePainter {
public:
    using CardOf = std::function<std::optional<ReminderCard>(int index)>;

    static constexpr int kAddressTop = 280;
    static constexpr int kNameTop = 400;
    static constexpr int kSenderTop = 540;
    static constexpr int kHeadingTop = 750;
    static constexpr int kVehicleTop = 860;
    static constexpr int kCostsTop = 1010;
    static constexpr int kLineHeight = PostcardSide::kLineHeight;

    // Captions differ between paper and preview, whose font sets blanks
    // wider.
    ReminderPrintout(int count, CardOf cardOf, PostcardSender sender, PostcardShift shift,
                     bool agencyTaxable, bool preview, QString jobName);

    // The sample card: "9" digits, "Ｘ" lines and 999,999 for every cost.
    // Its address and name lines stand from x = 370 as the real ones do.
    static ReminderCard sampleCard(bool withCosts);

    print::PageLayout layout() const override;
    int pageCount() const override { return m_count; }
    void paintPage(int page, QPainter& painter) override;

private:
    void vehicle(print::PageCanvas& canvas, const ReminderCard& card);
    void costs(print::PageCanvas& canvas, const ReminderCard::Costs& costs);
    QString caption(const char* paper, const char* preview) const;

    int m_count = 0;
    CardOf m_cardOf;
    PostcardSender m_sender;
    PostcardShift m_shift;
    bool m_agencyTaxable = false;
    bool m_preview = false;
    QString m_jobName;
    PostcardSide m_side;
    QFont m_large;
};

} // namespace kv::reports
