#include "data/document/RecordRemoval.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/document/SlipRemoval.h"
#include "data/costs/CostStore.h"
#include "data/engine/UnitOfWork.h"

namespace kv::data {

namespace {

QString equals(const char* column, int code)
{
    return QStringLiteral("%1 = %2").arg(QLatin1String(column)).arg(code);
}

// A recordset of its own on the main connection, so that the document's
// views keep their filters and the unit of work covers every write.
template <typename Set>
bool openWhere(Set& set, const char* column, int code, const char* sort = nullptr)
{
    set.SetFilter(equals(column, code));
    set.SetSort(sort ? QString::fromLatin1(sort) : QString());
    return set.Open();
}

// Open on no row (codes and numbers start at 1): the slip removal filters
// the set afresh for every slip, and an unfiltered open would read the
// keys of the whole table first.
template <typename Set>
bool openIdle(Set& set, const char* column)
{
    return openWhere(set, column, 0);
}

} // namespace

bool RecordRemoval::fail(const EngineError& error)
{
    m_error = error;
    return false;
}

bool RecordRemoval::deleteAll(Recordset& set)
{
    while (!set.IsEOF()) {
        if (!set.Delete() || !set.MoveNext())
            return fail(set.lastError());
    }
    return true;
}

bool RecordRemoval::removeVehicleRow(CDaoCarSet& vehicle, CDaoSyaJnlSet& lines,
                                     CDaoToriJnlSet& ledger, QStringList* photos)
{
    CDaoSyaHeadSet headers(m_document.store().mainConnection());
    if (!openWhere(headers, "CarCode", vehicle.m_CarCode, "CarCode, HatuDate"))
        return fail(headers.lastError());
    SlipRemoval slips(headers, lines, ledger);
    while (!headers.IsEOF()) {
        if (!slips.removeCurrentSlip(true, photos))
            return fail(slips.lastError());
        if (!headers.MoveNext())
            return fail(headers.lastError());
    }
    const int code = vehicle.m_CarCode;
    if (!vehicle.Delete())
        return fail(vehicle.lastError());
    // The code is handed out again: the eco flag goes with the vehicle.
    if (const QString failed = CostStore(m_document.store().mainConnection()).forgetVehicle(code);
        !failed.isEmpty())
        return fail(EngineError{error::kGeneric, failed});
    return true;
}

RecordRemoval::Outcome RecordRemoval::removeCustomer(int customerCode, int* vehiclesRemoved)
{
    if (vehiclesRemoved)
        *vehiclesRemoved = 0;
    Connection& connection = m_document.store().mainConnection();
    CDaoKokSet customer(connection);
    CDaoCarSet vehicles(connection);
    CDaoToriJnlSet ledger(connection);
    CDaoZanSet balance(connection);
    CDaoSyaJnlSet lines(connection);
    m_error = {};
    if (!openWhere(customer, "KokCode", customerCode)) {
        showMessage(customer.lastError().description);
        return Outcome::Failed;
    }
    if (customer.IsEOF())
        return Outcome::Missing;

    QStringList photos;
    int removed = 0;
    bool ok = false;
    {
        UnitOfWork work(connection);
        ok = work.isActive() || fail(work.lastError());
        ok = ok && (openWhere(ledger, "KokCode", customerCode) || fail(ledger.lastError()))
            && deleteAll(ledger);
        ok = ok && (openWhere(vehicles, "KokCode", customerCode, "KokCode, CarCode")
                    || fail(vehicles.lastError()));
        ok = ok && (openIdle(lines, "DenNo") || fail(lines.lastError()));
        while (ok && !vehicles.IsEOF()) {
            ok = removeVehicleRow(vehicles, lines, ledger, &photos)
                && (vehicles.MoveNext() || fail(vehicles.lastError()));
            removed += ok ? 1 : 0;
        }
        ok = ok && (openWhere(balance, "KokCode", customerCode) || fail(balance.lastError()))
            && deleteAll(balance);
        ok = ok && (customer.Delete() || fail(customer.lastError()));
        ok = ok && (work.commit() || fail(work.lastError()));
    }
    if (!ok) {
        showMessage(m_error.description);
        return Outcome::Failed;
    }
    if (vehiclesRemoved)
        *vehiclesRemoved = removed;
    finish(photos);
    return Outcome::Removed;
}

RecordRemoval::Outcome RecordRemoval::removeVehicle(int vehicleCode)
{
    Connection& connection = m_document.store().mainConnection();
    CDaoCarSet vehicle(connection);
    CDaoKokSet owner(connection);
    CDaoToriJnlSet ledger(connection);
    CDaoSyaJnlSet lines(connection);
    m_error = {};
    if (!openWhere(vehicle, "CarCode", vehicleCode)) {
        showMessage(vehicle.lastError().description);
        return Outcome::Failed;
    }
    if (vehicle.IsEOF())
        return Outcome::Missing;

    QStringList photos;
    bool ok = false;
    {
        UnitOfWork work(connection);
        ok = work.isActive() || fail(work.lastError());
        ok = ok && (openIdle(ledger, "ID") || fail(ledger.lastError()))
            && (openIdle(lines, "DenNo") || fail(lines.lastError()));
        const int ownerCode = vehicle.m_KokCode;
        ok = ok && removeVehicleRow(vehicle, lines, ledger, &photos);
        ok = ok && (openWhere(owner, "KokCode", ownerCode) || fail(owner.lastError()));
        if (ok && !owner.IsEOF() && owner.m_Hoyu > 0) {
            ok = owner.Edit() || fail(owner.lastError());
            if (ok) {
                owner.m_Hoyu -= 1;
                ok = owner.Update() || fail(owner.lastError());
            }
        }
        ok = ok && (work.commit() || fail(work.lastError()));
    }
    if (!ok) {
        showMessage(m_error.description);
        return Outcome::Failed;
    }
    finish(photos);
    return Outcome::Removed;
}

void RecordRemoval::finish(const QStringList& photos)
{
    for (const QString& names : photos)
        m_document.DeletePhotoFiles(names);
    // A failed re-read leaves the old view, whose deleted rows read as gone.
    m_document.customers().Requery();
    m_document.vehicles().Requery();
}

} // namespace kv::data
