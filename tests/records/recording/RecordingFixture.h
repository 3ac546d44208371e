#pragma once

// A panel with its recording on a document over a fresh data folder:
// customers 1 (vehicles 10 and 11), 3 (none) and 4 (vehicle 20).

#include "records/DocumentPanelSource.h"
#include "records/PanelHost.h"
#include "records/panel/CFMainPanel.h"
#include "records/recording/NewRecordEntry.h"
#include "records/recording/PanelRecorder.h"
#include "records/recording/PanelRemoval.h"
#include "records/ReservationHost.h"

#include "controls/CEditEx.h"
#include "data/document/DocumentTestFolder.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "support/CustomerBuilder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace kv::test {

// The frame's side: mode, buttons and the codes held for new records.
class RecordingHost final : public records::PanelHost, public records::ReservationHost {
public:
    explicit RecordingHost(data::CCarMaintenanceDoc& document) : m_document(document) {}

    int mode() const override { return currentMode; }
    void SetCommandButtons(bool, bool, bool f5, bool, bool, bool, bool, bool newVehicle, bool,
                           bool record) override
    {
        ownedVehiclesOn = f5;
        newVehicleOn = newVehicle;
        recordOn = record;
    }
    int reservedCode(records::RecordKind kind) const override { return reserved[index(kind)]; }
    void setReservedCode(records::RecordKind kind, int code) override
    {
        reserved[index(kind)] = code;
    }
    void discardReservation(records::RecordKind kind) override
    {
        int& code = reserved[index(kind)];
        const bool found = kind == records::RecordKind::Customer ? m_document.FindCustomer(code)
                                                                 : m_document.FindVehicle(code);
        if (code != 0 && found) {
            if (kind == records::RecordKind::Customer)
                m_document.customers().Delete();
            else
                m_document.vehicles().Delete();
        }
        code = 0;
    }
    int previousSearchMode() const override { return previousMode; }

    int currentMode = 1;
    int previousMode = 1;
    int reserved[2] = {0, 0};
    bool ownedVehiclesOn = false;
    bool newVehicleOn = false;
    bool recordOn = false;

private:
    static int index(records::RecordKind kind) { return kind == records::RecordKind::Customer ? 0 : 1; }
    data::CCarMaintenanceDoc& m_document;
};

class RecordingFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        data::DataStore& store = doc->store();
        CustomerBuilder(1).name(u("山田")).reading(u("ﾔﾏﾀﾞ")).vehicles(2).phone(u("03-1111-2222"))
            .insertInto(store);
        CustomerBuilder(3).name(u("佐藤")).reading(u("ｻﾄｳ")).insertInto(store);
        CustomerBuilder(4).name(u("鈴木")).reading(u("ｽｽﾞｷ")).vehicles(1).insertInto(store);
        VehicleBuilder(10).owner(1).plate(u("品川"), 0, {}, 1234).chassis(u("A-10")).insertInto(store);
        VehicleBuilder(11).owner(1).plate(u("練馬"), 0, {}, 42).chassis(u("A-11")).insertInto(store);
        VehicleBuilder(20).owner(4).plate(u("足立"), 0, {}, 7).chassis(u("B-20")).insertInto(store);
        sql("INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (1, 5000), (4, 0)");
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
        ASSERT_TRUE(doc->balances().Requery());
        source = std::make_unique<records::DocumentPanelSource>(*doc);
        host = std::make_unique<RecordingHost>(*doc);
        panel = std::make_unique<records::CFMainPanel>(*source, doc->settings(), *host);
        entry = std::make_unique<records::NewRecordEntry>(*panel, *doc, *host, *host);
        recorder = std::make_unique<records::PanelRecorder>(*panel, *doc, *host, *host);
        removal = std::make_unique<records::PanelRemoval>(*panel, *doc, *host);
        panel->resize(panel->sizeHint());
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    }

    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }
    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }
    CEditEx* edit(records::PanelField field)
    {
        return static_cast<CEditEx*>(panel->fieldWidget(field));
    }
    // Types over the field's text as a user would and leaves it with Tab;
    // Japanese text arrives as the input method would commit it.
    void type(records::PanelField field, const QString& text)
    {
        edit(field)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        edit(field)->selectAll();
        QTest::keyClick(edit(field), Qt::Key_Delete);
        bool ascii = true;
        for (const QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(edit(field), text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(edit(field), &commit);
        }
        QTest::keyClick(edit(field), Qt::Key_Tab);
        QApplication::processEvents();
    }
    QString shown(records::PanelField field) { return panel->heldValues().text(field); }
    QStringList messages() const { return folder.messages.messages(); }

    // Starts a new customer as the frame does for F10.
    int newCustomer()
    {
        host->previousMode = host->currentMode;
        const int code = entry->NewCustomer();
        host->reserved[0] = code;
        host->currentMode = 100;
        return code;
    }

    DocumentTestFolder folder;
    lan::RecordingChangeAnnouncer announcer;
    std::unique_ptr<data::CCarMaintenanceDoc> doc;
    std::unique_ptr<records::DocumentPanelSource> source;
    std::unique_ptr<RecordingHost> host;
    std::unique_ptr<records::CFMainPanel> panel;
    std::unique_ptr<records::NewRecordEntry> entry;
    std::unique_ptr<records::PanelRecorder> recorder;
    std::unique_ptr<records::PanelRemoval> removal;
};

} // namespace kv::test
