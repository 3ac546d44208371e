#include "common/InstallSettings.h"
#include "ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using kv::InstallSettings;
using kv::test::ScopedEnvironment;
using kv::test::TempFolder;

TEST(InstallSettings, PathComesFromTheEnvironmentThenTheConfigFolder)
{
    {
        ScopedEnvironment named("SABION_INSTALL_INI", "/etc/sabion/install.ini");
        ScopedEnvironment config("XDG_CONFIG_HOME", "/somewhere");
        EXPECT_EQ(InstallSettings::path(), "/etc/sabion/install.ini");
    }
    ScopedEnvironment named("SABION_INSTALL_INI", std::nullopt);
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(InstallSettings::path(), "/cfg/Kelvane/Sabion-install.ini");
    }
    ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnvironment home("HOME", "/home/shop");
    EXPECT_EQ(InstallSettings::path(), "/home/shop/.config/Kelvane/Sabion-install.ini");
}

TEST(InstallSettings, ReadsTheInstallersLayout)
{
    TempFolder dir;
    ASSERT_TRUE(dir.write("install.ini",
                          "Port=7000\n"
                          "[Sabion]\n"
                          "Path=/opt/Sabion/Sabion\n"
                          "DataDirectoryPath=/srv/サビオン/Data\n"
                          "SvrName=\n"
                          "Kind\\sw=1\n"
                          "[Serial]\n"
                          "COM2=/dev/ttyUSB0\n"));
    const InstallSettings settings(dir.file("install.ini"));
    EXPECT_TRUE(settings.isReadable());
    EXPECT_TRUE(settings.hasProgram("Sabion"));
    EXPECT_FALSE(settings.hasProgram("Sabdel"));
    EXPECT_EQ(settings.programPath("Sabion"), QString("/opt/Sabion/Sabion"));
    EXPECT_EQ(settings.dataDirectoryPath("Sabion"), QString("/srv/サビオン/Data"));
    ASSERT_TRUE(settings.serverName("Sabion").has_value());
    EXPECT_TRUE(settings.serverName("Sabion")->isEmpty());
    EXPECT_EQ(settings.lanRole("Sabion"), 1);
    EXPECT_EQ(settings.port(), 7000);
    EXPECT_EQ(settings.serialDevice(2), QString("/dev/ttyUSB0"));
    EXPECT_EQ(settings.serialDevice(1), std::nullopt);
    EXPECT_EQ(settings.serialDevice(7), std::nullopt);
    EXPECT_EQ(settings.programPath("Sabdel"), std::nullopt);
}

TEST(InstallSettings, MissingOrBrokenValuesAreMissing)
{
    TempFolder dir;
    ASSERT_TRUE(dir.write("install.ini", "Port=http\n[Sabion]\nKind\\sw=server\n"));
    const InstallSettings settings(dir.file("install.ini"));
    EXPECT_TRUE(settings.hasProgram("Sabion"));
    EXPECT_EQ(settings.programPath("Sabion"), std::nullopt);
    EXPECT_EQ(settings.dataDirectoryPath("Sabion"), std::nullopt);
    EXPECT_EQ(settings.lanRole("Sabion"), std::nullopt);
    EXPECT_EQ(settings.port(), InstallSettings::DefaultPort);

    const InstallSettings absent(dir.file("none.ini"));
    EXPECT_FALSE(absent.isReadable());
    EXPECT_FALSE(absent.hasProgram("Sabion"));
    EXPECT_EQ(absent.port(), 700);
}

TEST(InstallSettings, WritesWhatItReads)
{
    TempFolder dir;
    const QString file = dir.file("new/folder/install.ini");
    {
        InstallSettings settings(file);
        settings.setProgramPath("Sabion", "/opt/Sabion/Sabion");
        settings.setDataDirectoryPath("Sabion", "/srv/data");
        settings.setServerName("Sabion", "PC01");
        settings.setLanRole("Sabion", 0);
        settings.setPort(701);
        settings.setSerialDevice(6, "/dev/ttyS5");
        ASSERT_TRUE(settings.sync());
    }
    const QString text = QString::fromUtf8(dir.read("new/folder/install.ini"));
    EXPECT_TRUE(text.contains("[Sabion]"));
    EXPECT_TRUE(text.contains("Kind\\sw=0"));
    EXPECT_TRUE(text.contains("[Serial]"));
    const InstallSettings again(file);
    EXPECT_EQ(again.programPath("Sabion"), QString("/opt/Sabion/Sabion"));
    EXPECT_EQ(again.serverName("Sabion"), QString("PC01"));
    EXPECT_EQ(again.lanRole("Sabion"), 0);
    EXPECT_EQ(again.port(), 701);
    EXPECT_EQ(again.serialDevice(6), QString("/dev/ttyS5"));
}
