#include "adapter/PortNames.h"
#include "adapter/platform/SerialPort.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or removes an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(AdapterPortNames, ComNamesGoThroughTheInstallationSettings)
{
    kv::test::TempFolder folder;
    ASSERT_TRUE(folder.write("install.ini", "[Serial]\nCOM2=/dev/ttyUSB0\nCOM4=\n"));
    ScopedEnv ini("SABION_INSTALL_INI", folder.file("install.ini").toStdString());
    struct Case {
        const char* name;
        std::string device;
    };
    const Case cases[] = {
        {"COM2", "/dev/ttyUSB0"}, {"com2", "/dev/ttyUSB0"}, {"COM1", "/dev/ttyS0"}, {"COM4", "/dev/ttyS3"},
        {"COM6", "/dev/ttyS5"}, {"COM7", ""}, {"COM0", ""}, {"COM", ""}, {"COM12", ""}, {"ttyS0", ""},
        {"/dev/pts/7", "/dev/pts/7"}, {"", ""}, {nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tlx::devicePathForPort(c.name), c.device) << (c.name ? c.name : "(null)");
}

TEST(AdapterPortNames, SettingsFileFallsBackToTheUsersConfigFolder)
{
    kv::test::TempFolder folder;
    ASSERT_TRUE(folder.write("Kelvane/Sabion-install.ini", "[Serial]\nCOM3=/dev/ttyACM0\n"));
    ScopedEnv ini("SABION_INSTALL_INI", std::nullopt);
    {
        ScopedEnv config("XDG_CONFIG_HOME", folder.path().toStdString());
        EXPECT_EQ(tlx::installSettingsPath(), folder.file("Kelvane/Sabion-install.ini").toStdString());
        EXPECT_EQ(tlx::devicePathForPort("COM3"), "/dev/ttyACM0");
    }
    ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", folder.path().toStdString());
    EXPECT_EQ(tlx::installSettingsPath(), folder.path().toStdString() + "/.config/Kelvane/Sabion-install.ini");
}

TEST(AdapterSerialPort, LineSettingsOfBothFramings)
{
    for (const bool even : {false, true}) {
        termios tio {};
        tio.c_cflag = CS7 | CSTOPB | PARODD | CRTSCTS;
        tio.c_lflag = ICANON | ECHO | ISIG;
        tio.c_iflag = ICRNL | IXON | ISTRIP;
        tio.c_oflag = OPOST;
        ASSERT_TRUE(tlx::SerialPort::lineSettings(tio, 4800, even));
        EXPECT_EQ((tio.c_cflag & PARENB) != 0, even);
        EXPECT_EQ(tio.c_cflag & (CSIZE | CSTOPB | PARODD | CRTSCTS), static_cast<tcflag_t>(CS8));
        EXPECT_NE(tio.c_cflag & CREAD, 0u);
        EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
        EXPECT_EQ(tio.c_iflag, static_cast<tcflag_t>(INPCK));
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B4800));
        EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B4800));
    }
    termios tio {};
    EXPECT_TRUE(tlx::SerialPort::lineSettings(tio, 115200, false));
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_FALSE(tlx::SerialPort::lineSettings(tio, 4801, false));
}
