#include "records/certificate/CertificateMapping.h"

#include "records/Displacement.h"
#include "records/EraDateField.h"
#include "records/NumberRule.h"
#include "records/certificate/CertificateText.h"

#include "common/Cp932.h"
#include "data/engine/DayNumber.h"

#include <QRegularExpression>

#include <algorithm>

namespace kv::records {
namespace {

using F = PanelField;

const QString kCut = QStringLiteral("長さの上限で切り詰め");
const QString kNotInList = QStringLiteral("「%1」は一覧にありません");
const QString kNotReadable = QStringLiteral("「%1」は読めません");
const QString kOutOfRange = QStringLiteral("「%1」は入力できる範囲外です");
const QString kUnreadableItem = QStringLiteral("車検証の値が異常なため読めません");
const QString kNoCp932 = QStringLiteral("この端末で扱えない文字があります");

QString compact(const QString& text)
{
    QString result = CertificateText::normalised(text);
    result.remove(QRegularExpression(QStringLiteral("\\s")));
    return result;
}

class Collector {
public:
    explicit Collector(const PanelValues& current) : m_current(current) {}

    // An edit typed with text, cut to its byte limit.
    void text(F field, const QString& caption, const QString& value, int bytes,
              bool keepEmpty = false)
    {
        if (value.isEmpty() && !keepEmpty)
            return;
        CertificateChange change = base(field, caption);
        change.text = cp932::truncateToBytes(value, bytes);
        if (change.text.size() < value.size())
            change.note = kCut;
        else if (!cp932::isRepresentable(value))
            change.note = kNoCp932;
        change.proposed = change.text;
        add(change, change.text != m_current.text(field));
    }

    // A text over two lines of bytes each: the first line as much as it
    // holds, the rest in the second.
    void lines(F first, F second, const QString& caption, const QString& value, int bytes)
    {
        if (value.isEmpty())
            return;
        const QString line1 = cp932::truncateToBytes(value, bytes);
        const QString rest = value.mid(line1.size());
        text(first, caption + QStringLiteral("(1)"), line1, bytes, true);
        text(second, caption + QStringLiteral("(2)"), rest, bytes, true);
    }

    // A number field through its own rule; second takes a bracketed figure.
    void number(F field, const QString& caption, const QString& value, const NumberRule& rule,
                F second = F::Count, const QString& secondCaption = {})
    {
        if (value.isEmpty())
            return;
        static const QRegularExpression figures(QStringLiteral(
            "^([0-9][0-9,]*)\\s*(?:[a-zA-Z]+)?\\s*(?:\\(\\s*([0-9][0-9,]*)\\s*[a-zA-Z]*\\s*\\))?$"));
        const QRegularExpressionMatch match = figures.match(value);
        if (!match.hasMatch()) {
            refuse(field, caption, value, kNotReadable.arg(value));
            return;
        }
        figure(field, caption, match.captured(1), rule);
        if (second != F::Count && match.hasCaptured(2))
            figure(second, secondCaption, match.captured(2), rule);
    }

    void displacement(const QString& value)
    {
        if (value.isEmpty())
            return;
        QString litres = value;
        litres.remove(QRegularExpression(QStringLiteral("\\s*[lL]$")));
        int hundredths = 0;
        if (!Displacement::read(litres, &hundredths)) {
            refuse(F::Haikiryo, QStringLiteral("総排気量"), value, kNotReadable.arg(value));
            return;
        }
        CertificateChange change = base(F::Haikiryo, QStringLiteral("総排気量"));
        change.text = change.proposed = Displacement::show(hundredths);
        add(change, change.text != m_current.text(F::Haikiryo));
    }

    // An entry of a list, found by its name.
    void entry(F field, const QString& caption, const QString& name, const QStringList& entries)
    {
        if (name.isEmpty())
            return;
        const int index = CertificateMapping::matchEntry(entries, name);
        if (index < 0) {
            refuse(field, caption, name, kNotInList.arg(name), entries);
            return;
        }
        CertificateChange change = base(field, caption, entries);
        change.index = index;
        change.proposed = entries.value(index);
        add(change, index != m_current.index(field));
    }

    void eraDate(F field, F eraField, const QString& caption, const QDate& date,
                 const EraDateField& rules)
    {
        if (!date.isValid())
            return;
        const ShownDate shown = rules.show(data::toDayNumber(date));
        CertificateChange change = base(field, caption);
        change.eraField = eraField;
        const QStringList eras = rules.eraEntries();
        change.current = (eras.value(m_current.index(eraField)) + QLatin1Char(' ')
                          + m_current.text(field)).trimmed();
        if (shown.eraIndex == 0) {
            change.proposed = date.toString(QStringLiteral("yyyy/MM/dd"));
            change.note = QStringLiteral("この年月日は入力できません");
            change.applicable = false;
            m_changes.push_back(change);
            return;
        }
        change.index = shown.eraIndex;
        change.text = shown.text;
        change.proposed = eras.value(shown.eraIndex) + QLatin1Char(' ') + shown.text;
        add(change, shown.eraIndex != m_current.index(eraField) || shown.text != m_current.text(field));
    }

    // 車検満了日 has no era list: its era follows from the year as typed.
    void expiry(const QDate& date)
    {
        if (!date.isValid())
            return;
        const double day = data::toDayNumber(date);
        CertificateChange change = base(F::Syaman, QStringLiteral("車検満了日"));
        change.text = change.proposed = ExpiryDateField::show(day);
        const DateReading reading = ExpiryDateField::read(change.text);
        if (reading.outcome != DateReading::Outcome::Date || reading.dayNumber != day) {
            change.proposed = date.toString(QStringLiteral("yyyy/MM/dd"));
            change.text.clear();
            change.note = QStringLiteral("この年月日は入力できません");
            change.applicable = false;
            m_changes.push_back(change);
            return;
        }
        add(change, change.text != m_current.text(F::Syaman));
    }

    void plate(const QString& value)
    {
        if (value.isEmpty())
            return;
        CertificateMapping::PlateParts parts;
        if (!CertificateMapping::plateParts(value, &parts)) {
            refuse(F::Rikuji, QStringLiteral("登録番号"), value, kNotReadable.arg(value));
            return;
        }
        text(F::Rikuji, QStringLiteral("登録番号(陸事)"), parts.office, 8);
        const QString& classNumber = parts.classNumber;
        if (classNumber.contains(QRegularExpression(QStringLiteral("\\D"))))
            refuse(F::Rno, QStringLiteral("登録番号(分類番号)"), classNumber,
                   QStringLiteral("分類番号「%1」は数字だけではありません").arg(classNumber));
        else
            figure(F::Rno, QStringLiteral("登録番号(分類番号)"), classNumber,
                   NumberRule::classNumber());
        text(F::Kana, QStringLiteral("登録番号(かな)"), parts.kana, 2);
        figure(F::Preno, QStringLiteral("登録番号(番号)"), parts.serial, NumberRule::plateNumber());
    }

    void digits(F field, const QString& caption, const QString& value, const NumberRule& rule)
    {
        if (value.isEmpty())
            return;
        if (value.contains(QRegularExpression(QStringLiteral("\\D")))) {
            refuse(field, caption, value, kNotReadable.arg(value));
            return;
        }
        figure(field, caption, value, rule);
    }

    void note(const QString& caption, const QString& noteText)
    {
        CertificateChange change;
        change.caption = caption;
        change.note = noteText;
        change.applicable = false;
        m_changes.push_back(change);
    }

    std::vector<CertificateChange> take()
    {
        std::stable_sort(m_changes.begin(), m_changes.end(),
                         [](const CertificateChange& a, const CertificateChange& b) {
                             return int(a.field) < int(b.field);
                         });
        return std::move(m_changes);
    }

private:
    CertificateChange base(F field, const QString& caption, const QStringList& entries = {}) const
    {
        CertificateChange change;
        change.field = field;
        change.caption = caption;
        change.current = entries.isEmpty() ? m_current.text(field)
                                           : entries.value(m_current.index(field));
        return change;
    }

    void refuse(F field, const QString& caption, const QString& value, const QString& why,
                const QStringList& entries = {})
    {
        CertificateChange change = base(field, caption, entries);
        change.proposed = value;
        change.note = why;
        change.applicable = false;
        m_changes.push_back(change);
    }

    void figure(F field, const QString& caption, const QString& digitsText, const NumberRule& rule)
    {
        QString plain = digitsText;
        plain.remove(QLatin1Char(','));
        bool ok = false;
        const int value = plain.toInt(&ok);
        const QString formatted = rule.format(value);
        if (!ok || value < rule.minimum || value > rule.maximum
            || !rule.check(formatted).accepted) {
            refuse(field, caption, digitsText, kOutOfRange.arg(digitsText));
            return;
        }
        CertificateChange change = base(field, caption);
        change.text = change.proposed = rule.check(formatted).text;
        add(change, change.text != m_current.text(field));
    }

    void add(const CertificateChange& change, bool differs)
    {
        if (differs)
            m_changes.push_back(change);
    }

    const PanelValues& m_current;
    std::vector<CertificateChange> m_changes;
};

} // namespace

bool CertificateMapping::plateParts(const QString& plate, PlateParts* parts)
{
    static const QRegularExpression shape(QStringLiteral(
        "^(\\D+?)\\s*([0-9A-Z]{1,3})\\s*(\\D)\\s*([0-9・.\\-\\s]{1,8})$"));
    const QRegularExpressionMatch match = shape.match(CertificateText::normalised(plate));
    if (!match.hasMatch())
        return false;
    parts->office = match.captured(1).trimmed();
    parts->classNumber = match.captured(2);
    parts->kana = match.captured(3);
    parts->serial = match.captured(4);
    parts->serial.remove(QRegularExpression(QStringLiteral("\\D")));
    return !parts->serial.isEmpty();
}

QString CertificateMapping::sameAsMarker()
{
    return QStringLiteral("＊＊＊");
}

int CertificateMapping::matchEntry(const QStringList& entries, const QString& name)
{
    const QString wanted = compact(name);
    if (wanted.isEmpty())
        return -1;
    int partial = -1;
    int partials = 0;
    for (int i = 1; i < entries.size(); ++i) {
        const QString entry = compact(entries[i]);
        if (entry.isEmpty())
            continue;
        if (entry == wanted)
            return i;
        if (entry.startsWith(wanted) || wanted.startsWith(entry)) {
            partial = i;
            ++partials;
        }
    }
    return partials == 1 ? partial : -1;
}

std::vector<CertificateChange> CertificateMapping::changes(const CertificateData& d,
                                                           const PanelValues& current,
                                                           const CertificateLists& lists,
                                                           Halves halves)
{
    Collector c(current);
    if (halves.vehicle) {
        c.plate(d.plate);
        c.eraDate(F::Tounen, F::TounenEra, QStringLiteral("登録年月日"), d.registration,
                  EraDateField::registration());
        c.eraDate(F::Syonen, F::SyonenEra, QStringLiteral("初度登録年月"), d.firstRegistration,
                  EraDateField::firstRegistration());
        c.entry(F::Syubetu, QStringLiteral("自動車の種別"), d.kind, lists.kinds);
        c.entry(F::Youto, QStringLiteral("用途"), d.use, lists.uses);
        c.entry(F::Jiei, QStringLiteral("自家・事業"), d.privateBusiness,
                {QString(), QStringLiteral("自家用"), QStringLiteral("事業用")});
        c.entry(F::Keijyo, QStringLiteral("車体の形状"), d.shape, lists.shapes);
        c.entry(F::Syamei, QStringLiteral("車名"), d.make, lists.makes);
        c.text(F::Katasiki, QStringLiteral("型式"), d.model, 20);
        c.number(F::Teiin, QStringLiteral("乗車定員"), d.capacity, NumberRule::capacity(),
                 F::Teiin2, QStringLiteral("乗車定員(2)"));
        c.number(F::Sekisai, QStringLiteral("最大積載量"), d.maxLoad, NumberRule::weight(),
                 F::Sekisai2, QStringLiteral("最大積載量(2)"));
        c.number(F::Jyuryo, QStringLiteral("車輌重量"), d.weight, NumberRule::weight());
        c.number(F::SouJyuryo, QStringLiteral("車輌総重量"), d.grossWeight, NumberRule::weight(),
                 F::SouJyuryo2, QStringLiteral("車輌総重量(2)"));
        c.text(F::Syatai, QStringLiteral("車台番号"), d.chassis, 22);
        c.text(F::Gendoki, QStringLiteral("原動機の型式"), d.engine, 20);
        c.number(F::Nagasa, QStringLiteral("長さ"), d.length, NumberRule::length());
        c.number(F::Haba, QStringLiteral("幅"), d.width, NumberRule::length());
        c.number(F::Takasa, QStringLiteral("高さ"), d.height, NumberRule::length());
        c.displacement(d.displacement);
        c.entry(F::Nenryo, QStringLiteral("燃料の種類"), d.fuel, lists.fuels);
        c.digits(F::Kata, QStringLiteral("型式指定"), d.designation, NumberRule::typeDesignation());
        c.digits(F::Rui, QStringLiteral("類別"), d.category, NumberRule::classification());
        const F axles[] = {F::ZenZen, F::ZenKou, F::KouZen, F::KouKou};
        const char* const axleCaptions[] = {"前前軸重", "前後軸重", "後前軸重", "後後軸重"};
        for (size_t i = 0; i < 4; ++i)
            c.number(axles[i], QString::fromUtf8(axleCaptions[i]), d.axleWeights[i],
                     NumberRule::weight());
        c.expiry(d.expiry);
    }
    if (halves.customer) {
        // The certificate writes "***" for a user who is the owner and for
        // a base of use at the user's address.
        const auto same = [](const QString& text) {
            return compact(text) == QLatin1String("***");
        };
        const QString userName = same(d.userName) ? d.ownerName : d.userName;
        const QString userAddress = same(d.userAddress) ? d.ownerAddress : d.userAddress;
        c.lines(F::OwnerName1, F::OwnerName2, QStringLiteral("所有者の氏名又は名称"), d.ownerName, 20);
        c.lines(F::OwnerJyu1, F::OwnerJyu2, QStringLiteral("所有者の住所"), d.ownerAddress, 30);
        c.lines(F::UserName1, F::UserName2, QStringLiteral("使用者の氏名又は名称"), userName, 20);
        c.lines(F::UserJyu1, F::UserJyu2, QStringLiteral("使用者の住所"), userAddress, 30);
        if (same(d.baseOfUse)) {
            c.text(F::UseBase1, QStringLiteral("使用の本拠の位置(1)"), sameAsMarker(), 30);
            c.text(F::UseBase2, QStringLiteral("使用の本拠の位置(2)"), QString(), 30, true);
        } else {
            c.lines(F::UseBase1, F::UseBase2, QStringLiteral("使用の本拠の位置"), d.baseOfUse, 30);
        }
    }
    for (const QString& item : d.unreadable)
        c.note(item, kUnreadableItem);
    return c.take();
}

} // namespace kv::records
