#pragma once

#include "print/PagePainter.h"
#include "reports/print/PostcardPaper.h"

namespace kv::reports {

class AddressSource;

// The address side of Japanese postcards (100 × 148 mm, portrait): the
// seven postal digits in their boxes, the address, the name with its
// honorific and the framed sender block, one postcard per addressee; or,
// without addressees, one sample card with "9" digits and "Ｘ" lines to
// check the card's position. The address side shift moves the whole side.
class PostcardAddressPrintout final : public print::PagePainter {
public:
    static constexpr int kAddressTop = 330;
    static constexpr int kNameTop = 450;
    static constexpr int kSenderTop = 590;

    // One card per addressee of the source, which stays the caller's.
    PostcardAddressPrintout(AddressSource& addressees, PostcardSender sender, PostcardShift shift,
                            QString jobName);
    // The sample card.
    PostcardAddressPrintout(PostcardSender sender, PostcardShift shift, QString jobName);

    print::PageLayout layout() const override;
    int pageCount() const override;
    void paintPage(int page, QPainter& painter) override;

private:
    AddressSource* m_addressees = nullptr; // none: the sample card
    PostcardSender m_sender;
    PostcardShift m_shift;
    QString m_jobName;
    PostcardSide m_side;
};

} // namespace kv::reports
