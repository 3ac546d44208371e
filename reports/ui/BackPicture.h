#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace kv::data {
class SettingsStore;
}

namespace kv::reports {

// A postcard back picture named in "005.dat" (the inspection reminders' in
// entry 0, the customer postcards' in entry 1): any image Qt reads (BMP,
// PNG, JPEG, ...).
namespace BackPicture {

inline constexpr int kReminderBack = 0;
inline constexpr int kCustomerBack = 1;

QString missingMessage(const QString& path); // "%sが存在しません！\n他の..."
inline QString noneChosen() { return QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙが選択されていません！"); }

// The picture of the stored path; a null image when there is none or it
// cannot be read.
QImage load(data::SettingsStore& settings, int entry);
// The file chooser from the stored path until a picture that can be read
// is chosen (a file that cannot be read is said, and the chooser opens
// again) or the chooser is cancelled. A chosen picture's path is stored,
// "005.dat" saved and the other computers told; the picture is returned
// (null when cancelled or not saved).
QImage choose(QWidget* parent, data::SettingsStore& settings, int entry);
// At a dialog's start: the stored picture, or when it cannot be read the
// message and the chooser.
QImage loadOrChoose(QWidget* parent, data::SettingsStore& settings, int entry);

} // namespace BackPicture

} // namespace kv::reports
