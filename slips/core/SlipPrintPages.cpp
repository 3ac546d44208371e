#include "slips/core/SlipPrintPages.h"

#include "slips/core/SlipRecording.h"

#include <algorithm>

namespace kv::slips {

namespace {

// Copies that exist per kind.
int copiesOf(int kind)
{
    switch (kind) {
    case DeliveryNote: return 3;
    case WorkOrder: return 1;
    case RoughEstimate:
    case Estimate: return 2;
    }
    return 0;
}

} // namespace

SlipPrintPages::SlipPrintPages(int kind, int usedRows, const std::array<bool, 3>& selected)
    : m_pagesPerCopy(std::max(1, (std::max(0, usedRows) + kRowsPerPage - 1) / kRowsPerPage))
{
    if (kind == WorkOrder) {
        m_copies = {1};
        return;
    }
    for (int copy = 1; copy <= copiesOf(kind); ++copy) {
        if (selected[size_t(copy - 1)])
            m_copies.push_back(copy);
    }
}

SlipPrintPages::Page SlipPrintPages::page(int p) const
{
    Page page;
    if (m_copies.empty() || p < 1)
        return page;
    const int ordinal = std::min(copyCount(), (p + m_pagesPerCopy - 1) / m_pagesPerCopy);
    page.copy = m_copies[size_t(ordinal - 1)];
    page.pageInCopy = (p - 1) % m_pagesPerCopy + 1;
    return page;
}

QString SlipPrintPages::title(int kind, int copy)
{
    switch (kind) {
    case DeliveryNote:
        return copy == 1   ? QStringLiteral("納  品  書（控）")
             : copy == 2   ? QStringLiteral("請 求 明 細 書")
                           : QStringLiteral("納  品  書");
    case WorkOrder: return QStringLiteral("作 業 指 示 書");
    case RoughEstimate:
        return copy == 1 ? QStringLiteral("概 算 見 積 書（控）") : QStringLiteral("概 算 見 積 書");
    case Estimate:
        return copy == 1 ? QStringLiteral("御 見 積 書（控）") : QStringLiteral("御 見 積 書");
    }
    return {};
}

QString SlipPrintPages::profileKey(int kind, int copy)
{
    if (copy < 1 || copy > copiesOf(kind) || kind == WorkOrder)
        return {};
    switch (kind) {
    case DeliveryNote: return QStringLiteral("PrintNou%1").arg(copy);
    case RoughEstimate: return QStringLiteral("PrintGai%1").arg(copy);
    case Estimate: return QStringLiteral("PrintOn%1").arg(copy);
    }
    return {};
}

bool SlipPrintPages::forCustomer(int kind, int copy)
{
    return kind != WorkOrder && (copy == 2 || copy == 3);
}

} // namespace kv::slips
