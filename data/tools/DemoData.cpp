#include "data/tools/DemoData.h"

#include "data/engine/DayNumber.h"
#include "data/engine/UnitOfWork.h"
#include "data/settings/BitmapFileNames.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tools/RecordCountWriter.h"
#include "data/tools/SampleRecordMaker.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kv::data {

namespace {
// A fixed seed: every demo folder shows the same shop.
constexpr std::uint64_t kDemoSeed = 20240501;

// The first vehicles fall due in turn in each of the months after today's,
// so that a new user's reminders for next month print real cards at once.
// They are taken to their inspection by the shop, for its agency fee.
bool scheduleInspections(DataStore& store, QDate today, QString* reason)
{
    CDaoCarSet vehicles(store.connectionFor(CDaoCarSet::tableDef()));
    vehicles.SetSort(QStringLiteral("CarCode"));
    UnitOfWork work(store.mainConnection());
    if (!work.isActive()) {
        *reason = work.lastError().description;
        return false;
    }
    if (!vehicles.Open()) {
        *reason = vehicles.lastError().description;
        return false;
    }
    const QDate thisMonth(today.year(), today.month(), 1);
    constexpr int kScheduled = DemoData::kDueMonths * DemoData::kDuePerMonth;
    for (int i = 0; i < kScheduled && !vehicles.IsEOF(); ++i, vehicles.MoveNext()) {
        const QDate month = thisMonth.addMonths(1 + i % DemoData::kDueMonths);
        const int day = std::min(10 + 10 * (i / DemoData::kDueMonths), month.daysInMonth());
        if (!vehicles.Edit()) {
            *reason = vehicles.lastError().description;
            return false;
        }
        vehicles.m_Syaman = toDayNumber(QDate(month.year(), month.month(), day));
        vehicles.m_Daiko = SampleRecordMaker::kAgencyFee;
        if (!vehicles.Update()) {
            *reason = vehicles.lastError().description;
            return false;
        }
    }
    vehicles.Close();
    if (!work.commit()) {
        *reason = work.lastError().description;
        return false;
    }
    return true;
}

// A back picture drawn here rather than shipped: a car on a road under a
// morning sky, at 10 pixels a millimetre of the 90 x 130 mm back side.
QImage backPicture()
{
    QImage image(900, 1300, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 900);
    sky.setColorAt(0, QColor(0x7f, 0xb8, 0xe8));
    sky.setColorAt(1, QColor(0xfd, 0xf1, 0xd8));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf6, 0xb2, 0x3c));
    painter.drawEllipse(QPointF(680, 260), 110, 110);
    painter.setBrush(QColor(0x6d, 0xa8, 0x5a));
    QPainterPath hills;
    hills.moveTo(0, 900);
    hills.cubicTo(200, 700, 420, 760, 520, 840);
    hills.cubicTo(640, 720, 820, 740, 900, 820);
    hills.lineTo(900, 1300);
    hills.lineTo(0, 1300);
    painter.drawPath(hills);
    painter.setBrush(QColor(0x55, 0x55, 0x5c));
    painter.drawRect(0, 1040, 900, 160);
    painter.setBrush(QColor(0xf0, 0xf0, 0xf0));
    for (int x = 30; x < 900; x += 160)
        painter.drawRect(x, 1114, 90, 12);
    // The car: body, cabin with its windows, wheels.
    painter.setBrush(QColor(0xc8, 0x2e, 0x31));
    painter.drawRoundedRect(QRectF(210, 900, 480, 130), 40, 40);
    QPainterPath cabin;
    cabin.moveTo(300, 905);
    cabin.lineTo(360, 800);
    cabin.lineTo(560, 800);
    cabin.lineTo(630, 905);
    cabin.closeSubpath();
    painter.drawPath(cabin);
    painter.setBrush(QColor(0xd8, 0xec, 0xf8));
    painter.drawRect(QRectF(375, 820, 80, 75));
    painter.drawRect(QRectF(470, 820, 80, 75));
    painter.setBrush(QColor(0x22, 0x22, 0x22));
    for (const int x : {320, 580}) {
        painter.drawEllipse(QPointF(x, 1030), 55, 55);
    }
    painter.setBrush(QColor(0xb0, 0xb0, 0xb0));
    for (const int x : {320, 580}) {
        painter.drawEllipse(QPointF(x, 1030), 22, 22);
    }
    painter.end();
    return image;
}

// The picture saved in the data folder and named as the back of the
// customer postcards and of the inspection reminders in "005.dat".
bool writeBackPicture(const QString& dataFolder, QString* reason)
{
    const QString path = QDir(dataFolder).filePath(DemoData::backPictureName());
    if (!backPicture().save(path, "PNG")) {
        *reason = QStringLiteral("%1が作成できません！").arg(path);
        return false;
    }
    QFile file(QDir(dataFolder).filePath(QStringLiteral("005.dat")));
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    BitmapFileNames names = BitmapFileNames::fromBytes(file.readAll());
    file.close();
    names.paths[0] = QDir::toNativeSeparators(path);
    names.paths[1] = names.paths[0];
    QString refusal;
    const QByteArray bytes = names.toBytes(&refusal);
    if (!refusal.isEmpty()) {
        *reason = refusal;
        return false;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool DemoData::write(const QString& dataFolder, QDate today, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    DataStore store;
    if (!store.open(dataFolder))
        return fail(store.lastError().description);

    SampleRecordMaker maker(kDemoSeed, today);
    CDaoKokSet customers(store.connectionFor(CDaoKokSet::tableDef()));
    CDaoCarSet vehicles(store.connectionFor(CDaoCarSet::tableDef()));
    CDaoMeisaiSet items(store.connectionFor(CDaoMeisaiSet::tableDef()));
    CDaoZanSet balances(store.connectionFor(CDaoZanSet::tableDef()));
    {
        UnitOfWork work(store.mainConnection());
        if (!work.isActive())
            return fail(work.lastError().description);
        for (Recordset* set : std::initializer_list<Recordset*>{&customers, &vehicles, &items, &balances}) {
            if (!set->Open())
                return fail(set->lastError().description);
        }
        auto add = [&](Recordset& set, const auto& fill) {
            if (!set.AddNew())
                return false;
            fill();
            return set.Update();
        };

        int vehicleCode = 0;
        for (int code = 1; code <= kCustomers; ++code) {
            // Every other customer keeps a second car.
            const int held = code % 2 == 0 ? 2 : 1;
            int address = 0;
            if (!add(customers, [&] { address = maker.customer(customers, code, held, code); }))
                return fail(customers.lastError().description);
            // Each customer has its balance record, as one recorded on the panel has.
            const auto zeroBalance = [&] {
                balances.m_KokCode = code;
                balances.m_KuriZan = 0;
            };
            if (!add(balances, zeroBalance))
                return fail(balances.lastError().description);
            for (int i = 0; i < held; ++i) {
                ++vehicleCode;
                if (!add(vehicles, [&] { maker.vehicle(vehicles, vehicleCode, code, address); }))
                    return fail(vehicles.lastError().description);
            }
        }
        for (int i = 0; i < SampleRecordMaker::itemCount(); ++i) {
            if (!add(items, [&] { maker.item(items, i + 1, i); }))
                return fail(items.lastError().description);
        }
        customers.Close();
        vehicles.Close();
        items.Close();
        balances.Close();
        if (!work.commit())
            return fail(work.lastError().description);
    }
    {
        CDaoSyasyuSet models(store.connectionFor(CDaoSyasyuSet::tableDef()));
        UnitOfWork work(store.pickListConnection());
        if (!work.isActive() || !models.Open())
            return fail(work.isActive() ? models.lastError().description : work.lastError().description);
        for (int i = 0; i < SampleRecordMaker::modelCount(); ++i) {
            if (!models.AddNew())
                return fail(models.lastError().description);
            maker.model(models, i);
            if (!models.Update())
                return fail(models.lastError().description);
        }
        models.Close();
        if (!work.commit())
            return fail(work.lastError().description);
    }
    QString reason;
    if (!scheduleInspections(store, today, &reason))
        return fail(reason);
    store.close();
    if (!writeBackPicture(dataFolder, &reason))
        return fail(reason);
    return storeRecordCounts(dataFolder, error);
}

} // namespace kv::data
