#include "reports/print/PostcardAddressPrintout.h"

#include "print/PageCanvas.h"
#include "reports/core/AddressSource.h"

#include <QPainter>

namespace kv::reports {
namespace {

// The sample card's lines and their left edge.
const QString kSampleAddress = QStringLiteral("ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ");
const QString kSampleName = QStringLiteral("ＸＸＸＸＸＸＸＸＸＸ");
constexpr int kSampleLeft = 370;
constexpr int kAddressLeft = 350;

} // namespace

PostcardAddressPrintout::PostcardAddressPrintout(AddressSource& addressees, PostcardSender sender,
                                                 PostcardShift shift, QString jobName)
    : PostcardAddressPrintout(std::move(sender), shift, std::move(jobName))
{
    m_addressees = &addressees;
}

PostcardAddressPrintout::PostcardAddressPrintout(PostcardSender sender, PostcardShift shift,
                                                 QString jobName)
    : m_sender(std::move(sender))
    , m_shift(shift)
    , m_jobName(std::move(jobName))
    , m_side(m_sender.fontFace)
{
}

print::PageLayout PostcardAddressPrintout::layout() const
{
    return postcardLayout(m_shift, m_jobName);
}

int PostcardAddressPrintout::pageCount() const
{
    return m_addressees ? m_addressees->count() : 1;
}

void PostcardAddressPrintout::paintPage(int page, QPainter& painter)
{
    print::PageCanvas canvas(painter);
    canvas.setTextColour(Qt::black);
    if (!m_addressees) {
        const PostcardAddress sample{9999999,     kSampleAddress, kSampleAddress,
                                     kSampleName, kSampleName,    1};
        m_side.addressee(canvas, sample, kSampleLeft, kAddressTop, kNameTop);
    } else if (const auto address = m_addressees->at(page - 1)) {
        m_side.addressee(canvas, *address, kAddressLeft, kAddressTop, kNameTop);
    }
    m_side.senderBlock(canvas, m_sender, kSenderTop);
}

} // namespace kv::reports
