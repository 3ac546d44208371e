#include "records/search/SearchProfile.h"

#include "data/settings/UserProfile.h"
#include "records/search/ReadingRange.h"

#include <QSettings>

namespace kv::records::search {
namespace {

const QString kAllSearch = QStringLiteral("AllSearch");
constexpr int kMaxExtent = 100000;

} // namespace

SearchProfile::SearchProfile(QSettings* settings)
    : m_owned(settings ? nullptr : data::openUserProfile())
    , m_settings(settings ? settings : m_owned.get())
{
}

SearchProfile::~SearchProfile() = default;

int SearchProfile::readInt(const QString& section, const QString& key, int defaultValue, int low,
                           int high) const
{
    bool ok = false;
    const int value = m_settings->value(section + u'/' + key, defaultValue).toInt(&ok);
    return ok && value >= low && value <= high ? value : defaultValue;
}

void SearchProfile::writeInt(const QString& section, const QString& key, int value)
{
    m_settings->setValue(section + u'/' + key, value);
}

int SearchProfile::queryTarget() const
{
    return readInt(kAllSearch, QStringLiteral("KokCar"), 0, 0, 1);
}

void SearchProfile::setQueryTarget(int target)
{
    writeInt(kAllSearch, QStringLiteral("KokCar"), target);
}

int SearchProfile::queryJoiner() const
{
    return readInt(kAllSearch, QStringLiteral("Conditions"), 0, 0, 1);
}

void SearchProfile::setQueryJoiner(int joiner)
{
    writeInt(kAllSearch, QStringLiteral("Conditions"), joiner);
}

QRect SearchProfile::placement(const QString& section, QPoint mainTopLeft, QSize defaultSize) const
{
    return QRect(readInt(section, QStringLiteral("x"), mainTopLeft.x(), -kMaxExtent, kMaxExtent),
                 readInt(section, QStringLiteral("y"), mainTopLeft.y(), -kMaxExtent, kMaxExtent),
                 readInt(section, QStringLiteral("cx"), defaultSize.width(), 1, kMaxExtent),
                 readInt(section, QStringLiteral("cy"), defaultSize.height(), 1, kMaxExtent));
}

void SearchProfile::setPlacement(const QString& section, const QRect& rect)
{
    writeInt(section, QStringLiteral("x"), rect.x());
    writeInt(section, QStringLiteral("y"), rect.y());
    writeInt(section, QStringLiteral("cx"), rect.width());
    writeInt(section, QStringLiteral("cy"), rect.height());
}

int SearchProfile::columnWidth(const QString& section, const QString& key, int defaultWidth) const
{
    return readInt(section, key, defaultWidth, 1, kMaxExtent);
}

void SearchProfile::setColumnWidth(const QString& section, const QString& key, int width)
{
    writeInt(section, key, width);
}

int SearchProfile::kanaRow() const
{
    return readInt(QStringLiteral("KokRanCheckStyle"), QStringLiteral("Index"), 0, 0,
                   ReadingRange::kKanaRows - 1);
}

void SearchProfile::setKanaRow(int row)
{
    writeInt(QStringLiteral("KokRanCheckStyle"), QStringLiteral("Index"), row);
}

} // namespace kv::records::search
