#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QSettings;

namespace kv::records::search {

// The searches' values in the per-user profile ("Kelvane"): the query
// form's target and joiner, the placements of the two index windows, their
// column widths and the last kana row of the reading index. Values out of
// their range read as the default.
class SearchProfile {
public:
    // The profile of openUserProfile(), or the settings given (not owned).
    explicit SearchProfile(QSettings* settings = nullptr);
    ~SearchProfile();
    SearchProfile(const SearchProfile&) = delete;
    SearchProfile& operator=(const SearchProfile&) = delete;

    // "AllSearch" / "KokCar": 0 customers, 1 vehicles.
    int queryTarget() const;
    void setQueryTarget(int target);
    // "AllSearch" / "Conditions": 0 AND, 1 OR.
    int queryJoiner() const;
    void setQueryJoiner(int joiner);

    // "x", "y", "cx", "cy" of the window's section; by default at the main
    // window's top-left corner with the given size.
    QRect placement(const QString& section, QPoint mainTopLeft, QSize defaultSize) const;
    void setPlacement(const QString& section, const QRect& rect);

    int columnWidth(const QString& section, const QString& key, int defaultWidth) const;
    void setColumnWidth(const QString& section, const QString& key, int width);

    // "KokRanCheckStyle" / "Index": 0..10.
    int kanaRow() const;
    void setKanaRow(int row);

private:
    int readInt(const QString& section, const QString& key, int defaultValue, int low,
                int high) const;
    void writeInt(const QString& section, const QString& key, int value);

    std::unique_ptr<QSettings> m_owned;
    QSettings* m_settings;
};

} // namespace kv::records::search
