// The inspection certificate taken into the panel of the main window on the
// demo data, through the keys and windows a user has.

#include "support/FrameOnDocument.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/PanelFrameBridge.h"
#include "controls/CEditEx.h"
#include "controls/FileChooser.h"
#include "records/panel/CDCertificateConfirm.h"
#include "records/panel/CDQrRead.h"
#include "records/panel/CFMainPanel.h"
#include "records/NumberRule.h"

#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tools/DemoData.h"
#include "support/ModalDialogHelper.h"
#include "support/TestPaths.h"
#include "support/Utf8.h"

#include <QDropEvent>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

using namespace kv::app;
using F = kv::records::PanelField;
using kv::records::CDCertificateConfirm;
using kv::test::u;

namespace {

// The file chooser answers with one file.
class OneFile final : public kv::FileChooser {
public:
    QString path;
    int asked = 0;
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override
    {
        ++asked;
        return {path};
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
};

class CertificateWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(kv::data::DemoData::write(folder.folder.path(), QDate(2025, 1, 10), &error))
            << error.toStdString();
        doc = folder.open();
        ASSERT_TRUE(doc);
        kv::installFileChooser(&chooser);
        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
        frame->resize(1100, 820);
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    void TearDown() override
    {
        bridge.reset();
        frame.reset();
        kv::installFileChooser(nullptr);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), key, modifiers);
    }

    kv::records::CFMainPanel& panel() { return bridge->panel(); }

    // The vehicle as it stands in its table.
    kv::data::CarRow vehicle(int code)
    {
        CDaoCarSet set(doc->store().connectionFor(CDaoCarSet::tableDef()));
        set.SetFilter(QStringLiteral("CarCode = %1").arg(code));
        EXPECT_TRUE(set.Open());
        EXPECT_FALSE(set.IsEOF());
        return static_cast<const kv::data::CarRow&>(set);
    }

    // The sample certificate with another chassis number (and plate), as a file.
    QString sampleFor(const QString& chassis, const QString& plate = {})
    {
        QFile sample(kv::test::sourceDir() + QStringLiteral("/tests/records/certificate/registered.json"));
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(sample.readAll()).object();
        QJsonObject info = root.value(QStringLiteral("CertInfo")).toObject();
        info.insert(QStringLiteral("CarNo"), chassis);
        if (!plate.isEmpty())
            info.insert(QStringLiteral("EntryNoCarNo"), plate);
        root.insert(QStringLiteral("CertInfo"), info);
        const QString path = temp.path() + QStringLiteral("/certificate.json");
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QJsonDocument(root).toJson());
        return path;
    }

    static int rowOf(QTableWidget* table, const QString& caption)
    {
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, CDCertificateConfirm::Item)->text() == caption)
                return row;
        return -1;
    }

    kv::test::DocumentTestFolder folder;
    kv::test::TempFolder temp;
    QSettings profile{temp.path() + QStringLiteral("/profile.ini"), QSettings::IniFormat};
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    OneFile chooser;
    kv::test::ModalDialogHelper dialogs;
};

} // namespace

TEST_F(CertificateWiring, FileForARecordedVehicleFillsTheTickedFieldsAndF12RecordsThem)
{
    const kv::data::CarRow before = vehicle(3);
    chooser.path = sampleFor(before.m_Syatai);
    QStringList rows;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* confirm = qobject_cast<CDCertificateConfirm*>(dialog);
        ASSERT_NE(confirm, nullptr);
        QTableWidget* table = confirm->table();
        for (int row = 0; row < table->rowCount(); ++row)
            rows << table->item(row, CDCertificateConfirm::Item)->text();
        // The weight stays as it is: Space takes its tick away.
        const int weight = rowOf(table, u("車輌重量"));
        ASSERT_GE(weight, 0);
        table->setCurrentCell(weight, CDCertificateConfirm::Item);
        QTest::keyClick(table, Qt::Key_Space);
        EXPECT_EQ(table->item(weight, CDCertificateConfirm::Item)->checkState(), Qt::Unchecked);
        QTest::keyClick(table, Qt::Key_Return);
    });
    press(Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_EQ(chooser.asked, 1);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();

    // The chassis number found the vehicle, which is shown; it is the same,
    // so it is no change.
    EXPECT_EQ(panel().shownVehicleCode(), 3);
    EXPECT_EQ(frame->state().mode, FrameState::VehicleCodeOrder);
    EXPECT_FALSE(rows.contains(u("車台番号")));
    EXPECT_TRUE(rows.contains(u("車検満了日")));
    const auto shown = [&](F field) {
        return static_cast<kv::CEditEx*>(panel().fieldWidget(field))->text();
    };
    EXPECT_EQ(shown(F::Syaman), u("07/04/30"));
    EXPECT_EQ(shown(F::Jyuryo), kv::records::NumberRule::weight().format(before.m_Jyuryo));
    EXPECT_EQ(shown(F::SouJyuryo), u("1,505"));

    // Nothing is written before F12.
    EXPECT_EQ(vehicle(3).m_Syaman, before.m_Syaman);
    EXPECT_EQ(vehicle(3).m_Preno, before.m_Preno);
    press(Qt::Key_F12);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();

    const kv::data::CarRow after = vehicle(3);
    EXPECT_EQ(after.m_Syatai, before.m_Syatai);
    EXPECT_EQ(after.m_Rikuji, u("品川"));
    EXPECT_EQ(after.m_Rno, 300);
    EXPECT_EQ(after.m_Kana, u("ま"));
    EXPECT_EQ(after.m_Preno, 2051);
    EXPECT_EQ(after.m_Katasiki, u("ABC-XY123"));
    EXPECT_EQ(after.m_Syaman, kv::data::toDayNumber(QDate(2025, 4, 30)));
    EXPECT_EQ(after.m_Tounen, kv::data::toDayNumber(QDate(2023, 4, 1)));
    EXPECT_EQ(after.m_SouJyuryo, 1505);
    EXPECT_EQ(after.m_Haikiryo, 198);
    EXPECT_EQ(after.m_Kata, 12345);
    EXPECT_EQ(after.m_Jyuryo, before.m_Jyuryo); // unticked
    CDaoKokSet owner(doc->store().connectionFor(CDaoKokSet::tableDef()));
    owner.SetFilter(QStringLiteral("KokCode = %1").arg(after.m_KokCode));
    ASSERT_TRUE(owner.Open());
    EXPECT_EQ(owner.m_OwnerName1, u("試験 一郎"));
}

TEST_F(CertificateWiring, DroppedFileOfAnUnknownVehicleOffersANewOneAndCancelChangesNothing)
{
    ASSERT_TRUE(panel().ShowCustomer(1, true));
    frame->state().mode = FrameState::CustomerCodeOrder;
    const QString ownerBefore = panel().heldValues().text(F::OwnerName1);
    folder.messages.answerNext(true); // a new vehicle for the customer
    bool offered = false;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* confirm = qobject_cast<CDCertificateConfirm*>(dialog);
        ASSERT_NE(confirm, nullptr);
        offered = rowOf(confirm->table(), u("車台番号")) >= 0;
        QTest::keyClick(confirm->table(), Qt::Key_Escape);
    });
    // Dropped onto a field, whose own drop would take the name as text.
    QMimeData mime;
    const QString path = sampleFor(u("NEW-0001"), u("湘南　９９９　ゆ　９９９８"));
    mime.setUrls({QUrl::fromLocalFile(path)});
    mime.setText(path);
    auto* field = static_cast<kv::CEditEx*>(panel().fieldWidget(F::CarBiko1));
    const QString remark = field->text();
    // The query form takes no certificate.
    frame->state().queryMode = true;
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(&panel(), &refused);
    EXPECT_FALSE(refused.isAccepted());
    frame->state().queryMode = false;
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &drop);
    EXPECT_EQ(field->text(), remark);
    QTRY_VERIFY(dialogs.idle());
    EXPECT_TRUE(offered);
    EXPECT_EQ(frame->state().mode, FrameState::NewVehicle);
    EXPECT_EQ(folder.messages.questions().size(), 1);
    // Cancelled: the new vehicle is as empty as F11 made it.
    EXPECT_TRUE(panel().heldValues().text(F::Syatai).isEmpty());
    EXPECT_EQ(panel().heldValues().text(F::OwnerName1), ownerBefore);
}

TEST_F(CertificateWiring, WithNoCustomerShownTheOwnerBecomesACustomerAndTheVehicleFollowsF12)
{
    chooser.path = sampleFor(u("NEW-0002"), u("湘南　９９９　ゆ　９９９７"));
    folder.messages.answerNext(true); // a new customer from the owner
    folder.messages.answerNext(true); // then the vehicle
    QStringList firstRows;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* confirm = qobject_cast<CDCertificateConfirm*>(dialog);
        ASSERT_NE(confirm, nullptr);
        for (int row = 0; row < confirm->table()->rowCount(); ++row)
            firstRows << confirm->table()->item(row, CDCertificateConfirm::Item)->text();
        QTest::keyClick(confirm->table(), Qt::Key_Return);
    });
    press(Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_EQ(frame->state().mode, FrameState::NewCustomer);
    // Only the customer's half is open while a new customer is entered.
    EXPECT_TRUE(firstRows.contains(u("所有者の氏名又は名称(1)")));
    EXPECT_FALSE(firstRows.contains(u("車台番号")));
    const int customer = panel().shownCustomerCode();

    dialogs.answerNext([&](QWidget* dialog) {
        auto* confirm = qobject_cast<CDCertificateConfirm*>(dialog);
        ASSERT_NE(confirm, nullptr);
        EXPECT_GE(rowOf(confirm->table(), u("車台番号")), 0);
        QTest::keyClick(confirm->table(), Qt::Key_Return);
    });
    press(Qt::Key_F12);
    QTRY_VERIFY(dialogs.idle());
    EXPECT_EQ(folder.messages.questions().size(), 2);
    EXPECT_EQ(frame->state().mode, FrameState::NewVehicle);
    const int vehicleCode = panel().shownVehicleCode();
    press(Qt::Key_F12);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();

    const kv::data::CarRow recorded = vehicle(vehicleCode);
    EXPECT_EQ(recorded.m_KokCode, customer);
    EXPECT_EQ(recorded.m_Syatai, u("NEW-0002"));
    EXPECT_EQ(recorded.m_Rikuji, u("湘南"));
    EXPECT_EQ(recorded.m_Syaman, kv::data::toDayNumber(QDate(2025, 4, 30)));
    CDaoKokSet owner(doc->store().connectionFor(CDaoKokSet::tableDef()));
    owner.SetFilter(QStringLiteral("KokCode = %1").arg(customer));
    ASSERT_TRUE(owner.Open());
    EXPECT_EQ(owner.m_OwnerName1, u("試験 一郎"));
    EXPECT_EQ(owner.m_UserJyu1, u("東京都品川区試験町1-2-3"));
}

TEST_F(CertificateWiring, ScannedCodesGoToTheSameConfirmation)
{
    const kv::data::CarRow before = vehicle(2);
    const QString code2 = u("2/品川 300 ま 2051/11/") + before.m_Syatai + u("/1AB/1");
    bool refused = false;
    int rows = 0;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* window = qobject_cast<kv::records::CDQrRead*>(dialog);
        ASSERT_NE(window, nullptr);
        // A cut code is refused, with the window left open.
        QTest::keyClicks(window->scanField(), QStringLiteral("2/001/123450006/250430"));
        QTest::keyClick(window->scanField(), Qt::Key_Return);
        folder.messages.clear();
        QTest::keyClick(window->scanField(), Qt::Key_F9);
        refused = window->isVisible() && folder.messages.messages().size() == 1;
        window->scanField()->clear();
        window->scanField()->insertPlainText(code2 + u("\n"));
        QTest::keyClicks(window->scanField(),
                         QStringLiteral("2/001/123450006/250430/1806/ABC-XY123/71/-/52/-/1/76/2/0/1/0/0/150101/01"));
        EXPECT_EQ(window->recognisedList()->count(), 2);
        QTest::keyClick(window->scanField(), Qt::Key_F9);
    });
    dialogs.answerNext([&](QWidget* dialog) {
        auto* confirm = qobject_cast<CDCertificateConfirm*>(dialog);
        ASSERT_NE(confirm, nullptr);
        rows = confirm->table()->rowCount();
        QTest::keyClick(confirm->table(), Qt::Key_Return);
    });
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_TRUE(refused);
    EXPECT_GT(rows, 0);
    EXPECT_EQ(panel().shownVehicleCode(), 2);
    EXPECT_EQ(panel().heldValues().text(F::Syaman), u("07/04/30"));
    EXPECT_EQ(panel().heldValues().text(F::Kata), u("12345"));
}
