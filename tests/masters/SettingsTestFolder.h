#pragma once

#include "data/document/DocumentTestFolder.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QWidget>

#include "controls/CListCtrlEx.h"

#include <memory>

namespace kv::test {

// A fresh data folder with the document open on it as the server, a
// recording announcer and a profile of its own, with what the settings
// dialogs' tests do to their windows.
struct SettingsTestFolder {
    DocumentTestFolder data;
    TempFolder profileFolder;
    kv::lan::RecordingChangeAnnouncer announcer;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;

    SettingsTestFolder()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileFolder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profileFolder.path());
        doc = data.open();
    }

    RecordingMessageGateway& messages() { return data.messages; }
    QByteArray file(const char* name) const { return data.folder.read(QString::fromLatin1(name)); }
    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }
    // On the pick-list connection: "006.mdb" as main, "007.mdb", "008.mdb".
    void pickListSql(const QByteArray& text)
    {
        kv::data::Connection& c = doc->store().pickListConnection();
        ASSERT_TRUE(c.execute(text)) << c.lastError().description.toStdString();
    }
    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }

    static void showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Types over the field's text with keys (no input method: ASCII and
    // half-width kana only) and leaves it with Tab.
    static void typeOver(QLineEdit* field, const QString& text)
    {
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        QApplication::processEvents();
    }

    static QPoint rowCentre(kv::CListCtrlEx* list, int row)
    {
        return list->visualRect(list->model()->index(row, 0)).center();
    }
    static void clickRow(kv::CListCtrlEx* list, int row)
    {
        list->scrollTo(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
        QApplication::processEvents();
    }
    static void rightClickRow(kv::CListCtrlEx* list, int row)
    {
        list->scrollTo(list->model()->index(row, 0));
        const QPoint at = rowCentre(list, row);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &menu);
        QApplication::processEvents();
    }
};

} // namespace kv::test
