#pragma once

#include <QSettings>

#include <memory>

namespace kv::data {

inline constexpr char kProfileOrganisation[] = "Kelvane";
inline constexpr char kProfileApplication[] = "Sabion";

// The per-user profile: window placements, column widths and options, one
// group per window.
std::unique_ptr<QSettings> openUserProfile();

} // namespace kv::data
