#pragma once

#include <QString>

class QFontMetricsF;

namespace kv::reports {

// The longest start of text, ending at a character boundary, that is no
// wider than width on the painter's device.
QString cutToWidth(const QString& text, double width, const QFontMetricsF& metrics);

} // namespace kv::reports
