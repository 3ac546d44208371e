#pragma once

#include "print/PagePainter.h"
#include "print/PrintFont.h"
#include "reports/core/PostcardAddress.h"
#include "reports/core/PostcardShifts.h"

#include <QFont>

namespace kv::print {
class PageCanvas;
}

namespace kv::reports {

class AddressSource;

// The address side of Japanese postcards (100 × 148 mm, portrait): the
// seven postal digits in their boxes, the address, the name with its
// honorific and the framed sender block, one postcard per addressee; or,
// without addressees, one sample card with "9" digits and "Ｘ" lines to
// check the card's position. The address side shifts move the whole side.
class PostcardAddressPrintout final : public print::PagePainter {
public:
    static constexpr int kDigitX[7] = {454, 524, 594, 669, 737, 805, 873};
    static constexpr int kDigitTop = 145;
    static constexpr int kAddressTop = 330;
    static constexpr int kNameTop = 450;
    static constexpr int kSenderTop = 590;
    static constexpr int kLineHeight = 40; // the text font's height

    // One card per addressee of the source, which stays the caller's.
    PostcardAddressPrintout(AddressSource& addressees, PostcardSender sender, PostcardShift shift,
                            QString jobName);
    // The sample card.
    PostcardAddressPrintout(PostcardSender sender, PostcardShift shift, QString jobName);

    print::PageLayout layout() const override;
    int pageCount() const override;
    void paintPage(int page, QPainter& painter) override;

    static print::PrintFont textFont() { return {print::PrintFont::kGothic, 40, 16}; }
    static print::PrintFont digitsFont() { return {print::PrintFont::kGothic, 60, 40}; }
    static print::PrintFont shopNameFont(const QString& face) { return {face, 60, 30, true}; }

private:
    void addressee(print::PageCanvas& canvas, const PostcardAddress& address, int left);
    void senderBlock(print::PageCanvas& canvas);

    AddressSource* m_addressees = nullptr; // none: the sample card
    PostcardSender m_sender;
    PostcardShift m_shift;
    QString m_jobName;
    QFont m_text;
    QFont m_digits;
    QFont m_shopName;
};

} // namespace kv::reports
