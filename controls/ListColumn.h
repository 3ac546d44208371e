#pragma once

#include <QString>
#include <Qt>

#include <optional>

namespace kv {

// How a list shows one column: the caption in the header, the width the
// column starts with, how its cells align and, where a window says so, how
// its caption aligns (else as the header's style has it).
struct ListColumn {
    QString caption;
    int width = 100;
    Qt::Alignment alignment = Qt::AlignLeft;
    std::optional<Qt::Alignment> headerAlignment = {};
};

} // namespace kv
