#include "records/certificate/CertificateFile.h"

#include "records/certificate/CertificateText.h"

#include "common/Cp932.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace kv::records {
namespace {

const QString kNotReadable = QStringLiteral("車検証ファイルが読めません！\n%1");
const QString kNotJson =
    QStringLiteral("車検証ファイルの形式が異常です！\n電子車検証の閲覧アプリで出力したJSONファイルを指定して下さい");
const QString kTooLarge = QStringLiteral("車検証ファイルが大き過ぎます！\n(1MBまで)");
const QString kNoCertInfo = QStringLiteral("車検証ファイルに車検証情報(CertInfo)がありません！");
const QString kOtherVersion = QStringLiteral(
    "車検証ファイルの版(%1)は確認されていません！\n読める項目だけを読み込みます");

class Fields {
public:
    explicit Fields(const QJsonObject& object) : m_object(object) {}

    // Every value is a string; a number is taken as its text.
    QString operator()(const char* key) const
    {
        const QJsonValue value = m_object.value(QLatin1String(key));
        if (value.isString())
            return CertificateText::normalised(value.toString());
        if (value.isDouble())
            return QString::number(value.toDouble());
        return {};
    }

    QDate date(const char* prefix, bool yearMonth, const QString& caption,
               QStringList& unreadable) const
    {
        const QString p = QString::fromLatin1(prefix);
        const auto part = [&](const char* suffix) {
            const QJsonValue value = m_object.value(p + QLatin1String(suffix));
            return value.isString() ? value.toString() : value.isDouble() ? QString::number(value.toInt()) : QString();
        };
        QDate date;
        const auto outcome = CertificateText::eraDate(part("E"), part("Y"), part("M"),
                                                      yearMonth ? QString() : part("D"),
                                                      yearMonth, &date);
        if (outcome == CertificateText::DateOutcome::Invalid)
            unreadable << caption;
        return outcome == CertificateText::DateOutcome::Date ? date : QDate();
    }

private:
    const QJsonObject& m_object;
};

// The high-level characters may hold kanji the shop's code page lacks;
// the low-level ones are then taken.
QString nameOf(const QString& high, const QString& low)
{
    if (high.isEmpty() || (!low.isEmpty() && !cp932::isRepresentable(high)))
        return low;
    return high;
}

} // namespace

CertificateFile::Result CertificateFile::read(const QString& path)
{
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = kNotReadable.arg(path);
        return result;
    }
    if (file.size() > kMaxBytes) {
        result.message = kTooLarge;
        return result;
    }
    return parse(file.read(kMaxBytes + 1));
}

CertificateFile::Result CertificateFile::parse(const QByteArray& bytes)
{
    Result result;
    if (bytes.size() > kMaxBytes) {
        result.message = kTooLarge;
        return result;
    }
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        result.message = kNotJson;
        return result;
    }
    const QJsonObject root = document.object();
    const QJsonValue info = root.value(QLatin1String("CertInfo"));
    if (!info.isObject()) {
        result.message = kNoCertInfo;
        return result;
    }
    const QString version =
        CertificateText::normalised(root.value(QLatin1String("CertInfoImportFileVersion")).toString());
    if (version != QLatin1String("1.0"))
        result.warning = kOtherVersion.arg(version);

    const QJsonObject object = info.toObject();
    const Fields f(object);
    CertificateData& d = result.data;
    d.plate = f("EntryNoCarNo");
    d.chassis = f("CarNo");
    d.engine = f("EngineModel");
    d.model = f("Model");
    d.make = f("CarName");
    d.registration = f.date("Reggrantdate", false, QStringLiteral("登録年月日"), d.unreadable);
    d.firstRegistration =
        f.date("Firstregistdate", true, QStringLiteral("初度登録年月"), d.unreadable);
    d.expiry = f.date("ValidPeriodExpirdate", false, QStringLiteral("車検満了日"), d.unreadable);
    d.kind = f("CarKind");
    d.use = f("Use");
    d.privateBusiness = f("PrivateBusiness");
    d.shape = f("CarShape");
    d.capacity = f("Cap");
    d.maxLoad = f("Maxloadage");
    d.weight = f("CarWgt");
    d.grossWeight = f("CarTotalWgt");
    d.length = f("Length");
    d.width = f("Width");
    d.height = f("Height");
    d.axleWeights = {f("FfAxWgt"), f("FrAxWgt"), f("RfAxWgt"), f("RrAxWgt")};
    d.displacement = f("Displacement");
    d.fuel = f("FuelClass");
    d.designation = f("ModelSpecifyNo");
    d.category = f("ClassifyAroundNo");
    d.ownerName = nameOf(f("OwnernameHighLevelChar"), f("OwnernameLowLevelChar"));
    d.ownerAddress = f("OwnerAddressChar") + f("OwnerAddressNumValue");
    d.userName = nameOf(f("UsernameHighLevelChar"), f("UsernameLowLevelChar"));
    d.userAddress = f("UserAddressChar") + f("UserAddressNumValue");
    d.baseOfUse = f("UseheadqrterChar") + f("UseheadqrterNumValue");
    result.ok = true;
    return result;
}

} // namespace kv::records
