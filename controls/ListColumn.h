#pragma once

#include <QString>
#include <Qt>

namespace kv {

// How a list shows one column: the caption in the header, the width the
// column starts with and how its cells align.
struct ListColumn {
    QString caption;
    int width = 100;
    Qt::Alignment alignment = Qt::AlignLeft;
};

} // namespace kv
