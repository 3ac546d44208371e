#include "data/tools/DataGenerator.h"

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
        return items() && customers(size) && balances(size) && vehicles(size) && slips(size);
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
        return load<CDaoCarSet>(QStringLiteral("車輌"), size.vehicles, [&](CDaoCarSet& r, int code) {
            const int owner = m_ownerOf[size_t(code)];
            m_maker.vehicle(r, code, owner, m_addressOf[size_t(owner)]);
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
        if (!headers.isValid() || !lines.isValid())
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
        }
        if (!work.commit())
            return failed(work.lastError().description);
        told(QStringLiteral("伝票"), size.slips);
        told(QStringLiteral("伝票明細"), int(linesWritten));
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
