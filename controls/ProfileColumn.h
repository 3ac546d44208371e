#pragma once

#include "controls/TypedListModel.h"

#include <QSettings>
#include <QString>

#include <cstddef>
#include <optional>

namespace kv {

// A list column as a window describes it once: its caption, the profile
// key under which its width is kept, the width it starts with, how its
// cells align and the member of the row it shows.
template <typename Row>
struct ProfileColumn {
    const char* caption;
    const char* key;
    int width;
    Qt::Alignment alignment;
    QString Row::*text;
    // How the caption aligns; as the header's style has it when not given.
    std::optional<Qt::Alignment> headerAlignment = {};

    // "section/key" of the profile.
    QString profileKey(const QString& section) const
    {
        return section + QLatin1Char('/') + QLatin1String(key);
    }

    // The model's columns, each at the width the profile keeps under the
    // section, else at its own.
    template <std::size_t N>
    static QList<typename TypedListModel<Row>::Column>
    columns(const ProfileColumn (&looks)[N], const QSettings* profile, const QString& section)
    {
        QList<typename TypedListModel<Row>::Column> columns;
        for (const ProfileColumn& look : looks) {
            const int width =
                profile ? profile->value(look.profileKey(section), look.width).toInt() : look.width;
            QString Row::*text = look.text;
            columns.append({QString::fromUtf8(look.caption), width, look.alignment,
                            [text](const Row& row) { return row.*text; },
                            look.headerAlignment});
        }
        return columns;
    }
};

} // namespace kv
