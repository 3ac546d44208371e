#pragma once

// The real slip window over the test shop, with items, sets and the keys a
// clerk presses: a new slip of customer 1's vehicle 10, shown and active.

#include "SlipTestShop.h"
#include "masters/core/DocumentItemStore.h"
#include "masters/core/SetStore.h"
#include "slips/core/SlipAccess.h"
#include "slips/ui/CDenFrame.h"
#include "slips/ui/CMeisaiScView.h"
#include "slips/ui/SlipWindowFactory.h"
#include "support/ItemBuilder.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QTest>

namespace kv::test {

class SlipWindowTest : public SlipTestShop {
protected:
    void SetUp() override
    {
        SlipTestShop::SetUp();
        if (HasFatalFailure())
            return;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profileFolder.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileFolder.path());
        doc->settings().rounding().taxRate = 0.10;
        profile = std::make_unique<QSettings>(profileFolder.path() + "/profile.ini",
                                              QSettings::IniFormat);
        access = std::make_unique<kv::slips::SlipAccess>(*doc);
        ASSERT_TRUE(access->open(1, 10).ok);
        items = std::make_unique<kv::masters::DocumentItemStore>(*doc);
        sets = std::make_unique<kv::masters::SetStore>(*doc);
    }
    void TearDown() override
    {
        delete frame;
        SlipTestShop::TearDown();
    }

    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }

    // Opens the window on the context; false when it did not open.
    bool open(kv::slips::SlipContext context = {})
    {
        if (context.slipNumber == 0) {
            context.slipNumber = 1;
            context.customerCode = 1;
            context.vehicleCode = 10;
        }
        frame = kv::slips::openSlipWindow(*doc, *access, items.get(), profile.get(), context,
                                          nullptr, nullptr, sets.get());
        if (!frame)
            return false;
        frame->show();
        QApplication::setActiveWindow(frame);
        if (!QTest::qWaitForWindowActive(frame))
            return false;
        grid = frame->findChild<kv::slips::CMeisaiScView*>();
        return grid != nullptr;
    }

public:
    // The keys to the widget with the focus.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_TRUE(focus) << "no focus for key " << key;
        QTest::keyClick(focus, Qt::Key(key), modifiers);
        QApplication::processEvents();
    }
    static void type(const QString& text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        press(Qt::Key_Return);
    }
protected:
    // The shown top-level window of the class, or nullptr.
    template <typename Window>
    static Window* shown()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* w = qobject_cast<Window*>(window); w && w->isVisible())
                return w;
        }
        return nullptr;
    }
    QString messages() const { return folder.messages.messages().join('|'); }

    TempFolder profileFolder;
    std::unique_ptr<QSettings> profile;
    std::unique_ptr<kv::slips::SlipAccess> access;
    std::unique_ptr<kv::masters::DocumentItemStore> items;
    std::unique_ptr<kv::masters::SetStore> sets;
    QPointer<kv::slips::CDenFrame> frame;
    kv::slips::CMeisaiScView* grid = nullptr;
};

} // namespace kv::test
