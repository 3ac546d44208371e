#include "common/KVCommon.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <unistd.h>

namespace {

// A private X server for the test, so that the lock toggles of a real
// keyboard state can be read back independently of the library.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (server.isEmpty())
            return;
        for (int number = 90 + getpid() % 50; number < 200; ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFileInfo::exists(socket)
                || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            m_server.start(server, {QStringLiteral(":%1").arg(number), QStringLiteral("-nolisten"),
                                    QStringLiteral("tcp"), QStringLiteral("-screen"),
                                    QStringLiteral("0"), QStringLiteral("320x240x24")});
            if (!m_server.waitForStarted(5000))
                return;
            m_name = QStringLiteral(":%1").arg(number).toLatin1();
            for (int wait = 0; wait < 100 && !m_display; ++wait) {
                QThread::msleep(100);
                m_display = XOpenDisplay(m_name.constData());
            }
            return;
        }
    }
    ~VirtualDisplay()
    {
        if (m_display)
            XCloseDisplay(m_display);
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

    bool isValid() const { return m_display != nullptr; }
    const QByteArray& name() const { return m_name; }

    bool locked(unsigned int mask) const
    {
        XkbStateRec state{};
        XkbGetState(m_display, XkbUseCoreKbd, &state);
        return (state.locked_mods & mask) != 0;
    }
    unsigned int numLockMask() const { return XkbKeysymToModifiers(m_display, XK_Num_Lock); }

private:
    QProcess m_server;
    QByteArray m_name;
    Display* m_display = nullptr;
};

struct LockStep {
    const char* call;
    int on;
    bool capsAfter;
    bool numAfter;
};

TEST(KeyboardLocks, FollowTheRequestOnARealDisplay)
{
    VirtualDisplay display;
    ASSERT_TRUE(display.isValid()) << "Xvfb could not be started";
    ASSERT_NE(display.numLockMask(), 0u);
    const QByteArray previous = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.name());

    const LockStep steps[] = {
        {"caps", 1, true, false},
        {"caps", 1, true, false},  // already on: stays on
        {"num", 1, true, true},
        {"caps", 0, false, true},
        {"caps", 0, false, true},
        {"num", 0, false, false},
        {"num", 7, false, true},   // any non-zero flag means on
    };
    for (const LockStep& step : steps) {
        if (QByteArray(step.call) == "caps")
            SetCapsLock(step.on);
        else
            SetNumLock(step.on);
        EXPECT_EQ(display.locked(LockMask), step.capsAfter) << step.call << " " << step.on;
        EXPECT_EQ(display.locked(display.numLockMask()), step.numAfter)
            << step.call << " " << step.on;
    }

    // Without a display the calls do nothing, anywhere.
    qunsetenv("DISPLAY");
    SetCapsLock(1);
    SetNumLock(0);
    EXPECT_FALSE(display.locked(LockMask));
    EXPECT_TRUE(display.locked(display.numLockMask()));

    if (previous.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", previous);
}

} // namespace
