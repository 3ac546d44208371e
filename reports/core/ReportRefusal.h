#pragma once

#include <QString>

namespace kv::reports {

// Why a report cannot start, and the field to correct.
struct ReportRefusal {
    enum class Field { CodeFrom, ReadingTo, StartMonth, EndMonth, Layout, StartRow, StartColumn, PageFrom };
    Field field = Field::CodeFrom;
    QString message;
};

} // namespace kv::reports
