#include "data/tools/DataGenerator.h"

#include "data/engine/DayNumber.h"
#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tools/DataFolderCreator.h"
#include "data/tools/RecordCountWriter.h"
#include "data/tools/SampleRecordMaker.h"
#include "data/tools/TableInserter.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <limits>
#include <random>
#include <vector>

namespace kv::data {

namespace {

constexpr int kMaxCode = 999999;
constexpr int kSlipHistoryDays = 5 * 365;

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// The slip-number counter "015.dat": the last number handed out.
bool storeLastSlipNumber(const QString& dataFolder, int last, QString* error)
{
    QFile file(QDir(dataFolder).filePath(QStringLiteral("015.dat")));
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(last, bytes.data());
    if (!file.open(QIODevice::ReadWrite) || file.write(bytes) != bytes.size() || !file.flush())
        return fail(error, QStringLiteral("ファイル [%1] を書き込めません！（%2）").arg(file.fileName(), file.errorString()));
    return true;
}

class Writer {
public:
    Writer(DataStore& store, SampleRecordMaker& maker, const DataGenerator::Options& options, QString* error)
        : m_store(store), m_maker(maker), m_options(options), m_error(error),
          m_random(options.seed ^ 0x9E3779B97F4A7C15ull)
    {
    }

    bool run()
    {
        const DataGenerator::Size& size = m_options.size;
        assignVehicles(size);
        m_ledgerLeft = size.ledgerRows == DataGenerator::kAutomatic ? std::numeric_limits<qint64>::max()
                                                                     : qint64(size.ledgerRows);
        m_ledgerRowsOf.assign(size_t(size.customers) + 1, 0);
        return items() && customers(size) && balances(size) && vehicles(size) && slips(size)
               && typedLedgerRows(size);
    }

private:
    void told(const QString& table, int count)
    {
        if (m_options.progress)
            m_options.progress(QStringLiteral("%1 %2 件").arg(table).arg(count));
    }

    bool failed(const QString& reason) { return fail(m_error, reason); }

    template <class Set, class Fill>
    bool load(const QString& label, int count, Fill fill)
    {
        Connection& connection = m_store.connectionFor(Set::tableDef());
        Set buffer(connection);
        TableInserter inserter(connection, Set::tableDef());
        if (!inserter.isValid())
            return failed(connection.lastError().description);
        UnitOfWork work(connection);
        if (!work.isActive())
            return failed(work.lastError().description);
        for (int code = 1; code <= count; ++code) {
            fill(buffer, code);
            if (!inserter.insert(buffer))
                return failed(inserter.lastError().description);
        }
        if (!work.commit())
            return failed(work.lastError().description);
        told(label, count);
        return true;
    }

    // While there are enough vehicles every customer owns one; the rest go
    // to random customers.
    void assignVehicles(const DataGenerator::Size& size)
    {
        m_ownerOf.assign(size_t(size.vehicles) + 1, 0);
        m_vehiclesOf.assign(size_t(size.customers) + 1, 0);
        std::uniform_int_distribution<int> anyCustomer(1, std::max(1, size.customers));
        for (int car = 1; car <= size.vehicles; ++car) {
            const int owner = car <= size.customers ? car : anyCustomer(m_random);
            m_ownerOf[size_t(car)] = owner;
            ++m_vehiclesOf[size_t(owner)];
        }
    }

    bool items()
    {
        return load<CDaoMeisaiSet>(QStringLiteral("作業・部品"), SampleRecordMaker::itemCount(),
                                   [&](CDaoMeisaiSet& r, int code) { m_maker.item(r, code, code - 1); });
    }

    bool customers(const DataGenerator::Size& size)
    {
        m_addressOf.assign(size_t(size.customers) + 1, 0);
        return load<CDaoKokSet>(QStringLiteral("顧客"), size.customers, [&](CDaoKokSet& r, int code) {
            m_addressOf[size_t(code)] = quint8(m_maker.customer(r, code, m_vehiclesOf[size_t(code)], code));
        });
    }

    // Every customer has its balance record from the start, as one recorded
    // on the panel has.
    bool balances(const DataGenerator::Size& size)
    {
        return load<CDaoZanSet>(QStringLiteral("残高"), size.customers, [](CDaoZanSet& r, int code) {
            r.m_KokCode = code;
            r.m_KuriZan = 0;
        });
    }

    bool vehicles(const DataGenerator::Size& size)
    {
        m_plateOf.assign(size_t(size.vehicles) + 1, {});
        return load<CDaoCarSet>(QStringLiteral("車輌"), size.vehicles, [&](CDaoCarSet& r, int code) {
            const int owner = m_ownerOf[size_t(code)];
            m_maker.vehicle(r, code, owner, m_addressOf[size_t(owner)]);
            m_plateOf[size_t(code)] = {r.m_Rikuji, r.m_Rno, r.m_Kana, r.m_Preno};
        });
    }

    // Headers and lines of a slip are made together (the header carries the
    // lines' totals) and written in one transaction over both files.
    bool slips(const DataGenerator::Size& size)
    {
        Connection& connection = m_store.connectionFor(CDaoSyaHeadSet::tableDef());
        CDaoSyaHeadSet header(connection);
        CDaoSyaJnlSet line(m_store.connectionFor(CDaoSyaJnlSet::tableDef()));
        TableInserter headers(connection, CDaoSyaHeadSet::tableDef());
        TableInserter lines(m_store.connectionFor(CDaoSyaJnlSet::tableDef()), CDaoSyaJnlSet::tableDef());
        TableInserter ledger(m_store.connectionFor(CDaoToriJnlSet::tableDef()), CDaoToriJnlSet::tableDef());
        if (!headers.isValid() || !lines.isValid() || !ledger.isValid())
            return failed(connection.lastError().description);
        UnitOfWork work(connection);
        if (!work.isActive())
            return failed(work.lastError().description);
        std::uniform_int_distribution<int> anyVehicle(1, std::max(1, size.vehicles));
        const QDate first = m_options.today.addDays(-kSlipHistoryDays);
        qint64 linesWritten = 0;
        for (int slip = 1; slip <= size.slips; ++slip) {
            // Even spread: slip n ends at line n × lines / slips.
            const qint64 lineEnd = qint64(slip) * size.lines / size.slips;
            const int category = m_maker.slipJobCategory();
            SampleRecordMaker::SlipTotals totals;
            for (int lineNo = 0; linesWritten < lineEnd; ++lineNo, ++linesWritten) {
                m_maker.slipLine(line, slip, lineNo, category, totals);
                if (!lines.insert(line))
                    return failed(lines.lastError().description);
            }
            const int vehicle = anyVehicle(m_random);
            const QDate issued = first.addDays(qint64(slip) * kSlipHistoryDays / size.slips);
            m_maker.slipHeader(header, slip, vehicle, m_ownerOf[size_t(vehicle)], category, issued, totals);
            if (!headers.insert(header))
                return failed(headers.lastError().description);
            if (header.m_DenKind == 0 && !postSlip(ledger, header))
                return false;
        }
        if (!work.commit())
            return failed(work.lastError().description);
        told(QStringLiteral("伝票"), size.slips);
        told(QStringLiteral("伝票明細"), int(linesWritten));
        return true;
    }

    bool takeLedgerRow(int customer)
    {
        if (m_ledgerLeft <= 0 || m_ledgerRowsOf[size_t(customer)] >= DataGenerator::kMaxLedgerRowsPerCustomer)
            return false;
        --m_ledgerLeft;
        ++m_ledgerRowsOf[size_t(customer)];
        ++m_ledgerWritten;
        return true;
    }

    bool writeLedgerRow(TableInserter& ledger)
    {
        return ledger.insert(m_ledgerRow) || failed(ledger.lastError().description);
    }

    // A sale on credit is paid some weeks later unless that lies ahead.
    bool payLater(TableInserter& ledger, int customer, QDate sold, int amount)
    {
        const QDate paid = sold.addDays(m_maker.paymentDelay());
        if (amount == 0 || paid > m_options.today || !takeLedgerRow(customer))
            return true;
        m_maker.payment(m_ledgerRow, customer, paid, amount);
        return writeLedgerRow(ledger);
    }

    bool postSlip(TableInserter& ledger, const CDaoSyaHeadSet& header)
    {
        const int customer = header.m_SeiKokCode;
        if (!takeLedgerRow(customer))
            return true;
        m_maker.postedSale(m_ledgerRow, header, m_plateOf[size_t(header.m_CarCode)]);
        if (!writeLedgerRow(ledger))
            return false;
        return payLater(ledger, customer, fromDayNumber(header.m_HatuDate).date(), m_ledgerRow.m_GTot);
    }

    // What the slips left of the ledger's count: sales typed in the ledger.
    bool typedLedgerRows(const DataGenerator::Size& size)
    {
        if (size.ledgerRows != DataGenerator::kAutomatic && m_ledgerLeft > 0) {
            Connection& connection = m_store.connectionFor(CDaoToriJnlSet::tableDef());
            TableInserter ledger(connection, CDaoToriJnlSet::tableDef());
            if (!ledger.isValid())
                return failed(connection.lastError().description);
            UnitOfWork work(connection);
            if (!work.isActive())
                return failed(work.lastError().description);
            std::uniform_int_distribution<int> anyCustomer(1, size.customers);
            std::uniform_int_distribution<int> anyDay(0, kSlipHistoryDays);
            const QDate first = m_options.today.addDays(-kSlipHistoryDays);
            while (m_ledgerLeft > 0) {
                int customer = anyCustomer(m_random);
                // A full ledger passes its sale on to the next customer.
                while (m_ledgerRowsOf[size_t(customer)] >= DataGenerator::kMaxLedgerRowsPerCustomer)
                    customer = customer % size.customers + 1;
                const QDate day = first.addDays(anyDay(m_random));
                takeLedgerRow(customer);
                m_maker.typedSale(m_ledgerRow, customer, day, m_maker.typedSaleJobCategory());
                if (!writeLedgerRow(ledger)
                    || !payLater(ledger, customer, day, m_ledgerRow.m_GTot))
                    return false;
            }
            if (!work.commit())
                return failed(work.lastError().description);
        }
        told(QStringLiteral("元帳"), int(m_ledgerWritten));
        return true;
    }

    DataStore& m_store;
    SampleRecordMaker& m_maker;
    const DataGenerator::Options& m_options;
    QString* m_error;
    std::mt19937_64 m_random;
    std::vector<int> m_ownerOf;     // by vehicle code
    std::vector<int> m_vehiclesOf;  // by customer code
    std::vector<quint8> m_addressOf; // by customer code
    std::vector<SampleRecordMaker::Plate> m_plateOf; // by vehicle code
    std::vector<int> m_ledgerRowsOf; // by customer code
    qint64 m_ledgerLeft = 0;
    qint64 m_ledgerWritten = 0;
    CDaoToriJnlSet m_ledgerRow{m_store.connectionFor(CDaoToriJnlSet::tableDef())};
};

} // namespace

QString DataGenerator::checkSize(const Size& size)
{
    if (size.customers < 0 || size.vehicles < 0 || size.slips < 0 || size.lines < 0)
        return QStringLiteral("件数に負の値は指定できません！");
    if (size.customers > kMaxCode || size.vehicles > kMaxCode || size.slips > kMaxCode)
        return QStringLiteral("顧客・車輌・伝票の件数は 999999 までです！");
    if (size.vehicles > 0 && size.customers == 0)
        return QStringLiteral("車輌には顧客が必要です！");
    if (size.slips > 0 && size.vehicles == 0)
        return QStringLiteral("伝票には車輌が必要です！");
    if (size.lines > 0 && size.slips == 0)
        return QStringLiteral("伝票明細には伝票が必要です！");
    if (size.ledgerRows < kAutomatic)
        return QStringLiteral("件数に負の値は指定できません！");
    if (size.ledgerRows > 0 && qint64(size.ledgerRows) > qint64(size.customers) * kMaxLedgerRowsPerCustomer)
        return QStringLiteral("元帳の件数は顧客１件につき %1 件までです！").arg(kMaxLedgerRowsPerCustomer);
    return {};
}

bool DataGenerator::generate(const QString& dataFolder, const Options& options, QString* error)
{
    const QString sizeProblem = checkSize(options.size);
    if (!sizeProblem.isEmpty())
        return fail(error, sizeProblem);
    if (!DataFolderCreator::create(dataFolder, error))
        return false;
    {
        DataStore store;
        if (!store.open(dataFolder))
            return fail(error, store.lastError().description);
        SampleRecordMaker maker(options.seed, options.today);
        Writer writer(store, maker, options, error);
        if (!writer.run()) {
            store.close();
            QDir(dataFolder).removeRecursively();
            return false;
        }
    }
    if (!storeRecordCounts(dataFolder, error) || !storeLastSlipNumber(dataFolder, options.size.slips, error)) {
        QDir(dataFolder).removeRecursively();
        return false;
    }
    return true;
}

} // namespace kv::data
