#include "data/document/SlipRemoval.h"

namespace kv::data {

bool SlipRemoval::fail(const EngineError& error)
{
    m_error = error;
    return false;
}

bool SlipRemoval::deleteLines(int slipNumber, QStringList* photos)
{
    m_lines.SetFilter(QStringLiteral("DenNo = %1").arg(slipNumber));
    m_lines.SetSort(QStringLiteral("DenNo, LineNo"));
    if (!m_lines.Requery())
        return fail(m_lines.lastError());
    while (!m_lines.IsEOF()) {
        photos->append(m_lines.m_Photo);
        if (!m_lines.Delete() || !m_lines.MoveNext())
            return fail(m_lines.lastError());
    }
    return true;
}

bool SlipRemoval::unlinkLedger(int slipNumber, bool vehicleGoes)
{
    m_ledger.SetFilter(QStringLiteral("DenFlag = 1 AND DenNo = %1").arg(slipNumber));
    m_ledger.SetSort(QString());
    if (!m_ledger.Requery())
        return fail(m_ledger.lastError());
    // Each edited row leaves the filter; the keyset still walks them all.
    while (!m_ledger.IsEOF()) {
        if (!m_ledger.Edit())
            return fail(m_ledger.lastError());
        m_ledger.m_DenFlag = 0;
        if (vehicleGoes)
            m_ledger.m_CarCode = 0;
        if (!m_ledger.Update()) {
            m_ledger.CancelUpdate();
            return fail(m_ledger.lastError());
        }
        if (!m_ledger.MoveNext())
            return fail(m_ledger.lastError());
    }
    return true;
}

bool SlipRemoval::removeCurrentSlip(bool vehicleGoes, QStringList* photos)
{
    const int slipNumber = m_headers.m_DenNo;
    if (!unlinkLedger(slipNumber, vehicleGoes) || !deleteLines(slipNumber, photos))
        return false;
    if (!m_headers.Delete())
        return fail(m_headers.lastError());
    return true;
}

} // namespace kv::data
