#pragma once

#include <string>

namespace tlx {

// The device behind a port name: "COM1" ... "COM6" through the group
// [Serial] of the installation settings (default /dev/ttyS0 ... /dev/ttyS5),
// an absolute path as it stands; empty for any other name.
std::string devicePathForPort(const char* portName);

// $SABION_INSTALL_INI, else $XDG_CONFIG_HOME (or ~/.config) + /Kelvane/Sabion-install.ini.
std::string installSettingsPath();

} // namespace tlx
