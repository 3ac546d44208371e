// Another process on the same data folder, changing it the way another
// computer would:
//   engine DIR add CODE FURI | edit CODE FURI | delete CODE
//   engine DIR churn   (units of work over two files, until killed)
//   engine DIR delete-each CODE...   (one commit each; prints "CODE NS" once
//                                     committed, NS on the steady clock)

#include "PeerCommands.h"

#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"

#include <chrono>
#include <cstdio>

namespace kv::test::peer {

namespace {

using data::DataStore;
using data::EngineError;
using data::UnitOfWork;

int fail(const EngineError& error)
{
    std::fprintf(stderr, "%d %s\n", error.code, error.description.toUtf8().constData());
    return 2;
}

int churn(DataStore& store)
{
    CDaoKokSet customers(store.mainConnection());
    CDaoCarSet vehicles(store.mainConnection());
    if (!customers.Open() || !vehicles.Open())
        return fail(customers.lastError().isError() ? customers.lastError() : vehicles.lastError());
    for (int round = 1;; ++round) {
        UnitOfWork work(store.mainConnection());
        // Every customer and every vehicle carries the round number.
        for (customers.MoveFirst(); !customers.IsEOF(); customers.MoveNext()) {
            if (!customers.Edit())
                return fail(customers.lastError());
            customers.m_Hoyu = round;
            customers.m_KokBiko1 = QString(200, QChar(u'あ' + round % 40));
            if (!customers.Update())
                return fail(customers.lastError());
        }
        for (vehicles.MoveFirst(); !vehicles.IsEOF(); vehicles.MoveNext()) {
            if (!vehicles.Edit())
                return fail(vehicles.lastError());
            vehicles.m_Teiin = round;
            vehicles.m_CarBiko1 = QString(200, QChar(u'ア' + round % 40));
            if (!vehicles.Update())
                return fail(vehicles.lastError());
        }
        if (!work.commit())
            return fail(work.lastError());
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

} // namespace

int runEngine(const QStringList& args)
{
    if (args.size() < 2)
        return 1;
    DataStore store;
    if (!store.open(args[0]))
        return fail(store.lastError());
    const QString& command = args[1];
    const int code = args.value(2).toInt();
    if (command == u"churn")
        return churn(store);

    CDaoKokSet customers(store.mainConnection());
    customers.SetSort(QStringLiteral("KokCode"));
    if (!customers.Open())
        return fail(customers.lastError());
    if (command == u"add") {
        if (!customers.AddNew())
            return fail(customers.lastError());
        customers.m_KokCode = code;
        customers.m_Furi = args.value(3);
        return customers.Update() ? 0 : fail(customers.lastError());
    }
    if (command == u"delete-each") {
        for (const QString& each : args.mid(2)) {
            if (!customers.FindFirst(QStringLiteral("KokCode = %1").arg(each.toInt())))
                return customers.lastError().isError() ? fail(customers.lastError()) : 3;
            if (!customers.Delete())
                return fail(customers.lastError());
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("%d %lld\n", each.toInt(),
                        static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
        }
        return 0;
    }
    if (!customers.FindFirst(QStringLiteral("KokCode = %1").arg(code)))
        return customers.lastError().isError() ? fail(customers.lastError()) : 3;
    if (command == u"edit") {
        if (!customers.Edit())
            return fail(customers.lastError());
        customers.m_Furi = args.value(3);
        return customers.Update() ? 0 : fail(customers.lastError());
    }
    if (command == u"delete")
        return customers.Delete() ? 0 : fail(customers.lastError());
    return 1;
}

} // namespace kv::test::peer
