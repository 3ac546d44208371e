#pragma once

#include "print/PageLayout.h"
#include "print/PrintFont.h"
#include "reports/core/PostcardAddress.h"
#include "reports/core/PostcardShifts.h"

#include <QFont>

namespace kv::print {
class PageCanvas;
}

namespace kv::reports {

// Japanese postcard paper (100 × 148 mm) upright, in colour, the whole side
// moved by its shift.
print::PageLayout postcardLayout(const PostcardShift& shift, const QString& jobName);

// What every address side shares, in tenths of a millimetre from the card's
// corner: the postal digits in their boxes, the addressee and the framed
// sender block, in the postcard fonts.
class PostcardSide {
public:
    static constexpr int kDigitX[7] = {454, 524, 594, 669, 737, 805, 873};
    static constexpr int kDigitTop = 145;
    static constexpr int kLineHeight = 40; // the text font's height

    static print::PrintFont textFont() { return {print::PrintFont::kGothic, 40, 16}; }
    static print::PrintFont digitsFont() { return {print::PrintFont::kGothic, 60, 40}; }
    static print::PrintFont shopNameFont(const QString& face) { return {face, 60, 30, true}; }

    explicit PostcardSide(const QString& shopFontFace);

    const QFont& text() const { return m_text; }
    // The digits, the address lines from addressTop and the name lines from
    // nameTop, all from left.
    void addressee(print::PageCanvas& canvas, const PostcardAddress& address, int left,
                   int addressTop, int nameTop) const;
    // The shop's name centred in 50..950 over 60 from top, its address and
    // TEL lines below it, and the frame around them all.
    void senderBlock(print::PageCanvas& canvas, const PostcardSender& sender, int top) const;

private:
    QFont m_text;
    QFont m_digits;
    QFont m_shopName;
};

} // namespace kv::reports
