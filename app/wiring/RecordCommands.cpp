#include "app/wiring/RecordCommands.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"

namespace kv::app {

namespace {

QKeySequence key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

// The pick-list keys answer the digits of the keypad as well.
QList<QKeySequence> controlDigit(Qt::Key digit)
{
    return {key(digit, Qt::ControlModifier), key(digit, Qt::ControlModifier | Qt::KeypadModifier)};
}

} // namespace

RecordCommands::RecordCommands(CMainFrame& frame, SearchWindows windows, PickLists pickLists,
                               Certificate certificate)
    : m_group(frame.registry())
{
    using namespace CommandId;
    using Search = FrameCommands::Search;
    FrameCommands& flows = frame.commands();
    const CommandAvailability& rules = frame.availability();
    const FrameState& state = frame.state();

    // The searches ask through the entry dialogs and are held off while an
    // index window shows records.
    const auto searchOpen = [&flows, &rules, &state] {
        return flows.panelAttached() && flows.searchEntryAttached() && rules.panelHoldsRecord()
            && !state.indexWindowOpen;
    };
    const auto search = [&](int id, Search which, Qt::Key keyName, bool followsButton,
                            const char* prompt, const char* tip) {
        std::function<bool()> available = searchOpen;
        if (followsButton)
            available = [searchOpen, &rules, id] { return searchOpen() && rules.buttonEnabled(id); };
        m_group.add({
            .id = id,
            .statusTip = QString::fromUtf8(prompt),
            .toolTip = QString::fromUtf8(tip),
            .keys = {key(keyName)},
            .run = [&flows, which] { flows.runSearch(which); },
            .available = std::move(available),
        });
    };
    search(CustomerCodeSearch, Search::CustomerCode, Qt::Key_F1, false,
           "顧客ｺｰﾄﾞで検索します(F1)", "顧客ｺｰﾄﾞ検索");
    search(CustomerReadingSearch, Search::CustomerReading, Qt::Key_F2, false,
           "顧客ﾌﾘｶﾞﾅで検索します(F2)", "顧客ﾌﾘｶﾞﾅ検索");
    search(VehicleCodeSearch, Search::VehicleCode, Qt::Key_F3, true,
           "車輌ｺｰﾄﾞで検索します(F3)", "車輌ｺｰﾄﾞ検索");
    search(PlateNumberSearch, Search::PlateNumber, Qt::Key_F4, true,
           "車輌ﾌﾟﾚｰﾄﾅﾝﾊﾞｰで検索します(F4)", "車輌ﾌﾟﾚｰﾄﾅﾝﾊﾞｰ検索");

    // The commands on the shown record follow the buttons the panel set.
    const auto onRecord = [&](int id, QList<QKeySequence> keys, std::function<void()> run,
                              const char* prompt, const char* tip) {
        m_group.add({
            .id = id,
            .statusTip = QString::fromUtf8(prompt),
            .toolTip = QString::fromUtf8(tip),
            .keys = std::move(keys),
            .run = std::move(run),
            .available = [&flows, &rules, id] {
                return flows.panelAttached() && rules.recordCommandOn(id);
            },
        });
    };
    onRecord(OwnedVehicles, {key(Qt::Key_F5)}, [&flows] { flows.ownedVehicles(); },
             "表示中の顧客が保有する車輌の一覧を表示します(F5)", "保有車輌一覧表示");
    onRecord(Previous, {key(Qt::Key_Left, Qt::ControlModifier)}, [&flows] { flows.step(false); },
             "現在検索モードで前のデータを検索します(Ctrl+←)", "前検索");
    onRecord(Next, {key(Qt::Key_Right, Qt::ControlModifier)}, [&flows] { flows.step(true); },
             "現在検索モードで次のデータを検索します(Ctrl+→)", "次検索");
    onRecord(NewCustomer, {key(Qt::Key_F10)}, [&flows] { flows.newCustomer(); },
             "顧客データを新規に作成します(F10)", "顧客新規");
    onRecord(NewVehicle, {key(Qt::Key_F11)}, [&flows] { flows.newVehicle(); },
             "車輌データを新規に作成します(F11)", "車輌新規");
    onRecord(RecordCustomerVehicle, {key(Qt::Key_F12)}, [&flows] { flows.record(); },
             "表示中の顧客・車輌を記録します(F12)", "顧客・車輌 記録");
    // Deleting asks through the chooser and is for a server nobody shares.
    m_group.add({
        .id = Delete,
        .statusTip = QStringLiteral("表示中の顧客・車輌を削除します(Alt+F5)"),
        .toolTip = QStringLiteral("顧客・車輌 削除"),
        .keys = {key(Qt::Key_F5, Qt::AltModifier)},
        .run = [&flows] { flows.deleteShown(); },
        .available =
            [&flows, &rules] {
                return flows.panelAttached() && flows.searchEntryAttached()
                    && rules.recordCommandOn(Delete) && rules.alone();
            },
    });

    m_group.add({
        .id = ReadingIndexSearch,
        .statusTip = QStringLiteral("顧客ﾌﾘｶﾞﾅ一覧で検索します(Ctrl+F1)"),
        .toolTip = QStringLiteral("顧客ﾌﾘｶﾞﾅ一覧検索"),
        .keys = {key(Qt::Key_F1, Qt::ControlModifier)},
        .run = std::move(windows.readingIndex),
        .available = [&rules] { return rules.recordCommandOn(ReadingIndexSearch); },
    });
    // The second press runs the query the first one opened, so the command
    // stays on in query mode; its button shows the mode.
    m_group.add({
        .id = QueryByFormSearch,
        .keys = {key(Qt::Key_F2, Qt::ControlModifier)},
        .run = std::move(windows.queryByForm),
        .checked = [&state] { return state.queryMode; },
    });

    // A certificate fills the panel as typing would: not while a query is
    // entered or an index window holds the record commands.
    const auto certificateOn = [&flows, &state] {
        return flows.panelAttached() && !state.queryMode && !state.indexWindowOpen;
    };
    m_group.add({
        .id = ImportCertificate,
        .text = QStringLiteral("車検証読込(&I)..."),
        .statusTip = QStringLiteral("電子車検証の閲覧アプリで出力したファイルを読み込みます(Ctrl+I)"),
        .toolTip = QStringLiteral("車検証読込"),
        .keys = {key(Qt::Key_I, Qt::ControlModifier)},
        .run = std::move(certificate.importFile),
        .available = certificateOn,
    });
    m_group.add({
        .id = ReadCertificateCodes,
        .text = QStringLiteral("QR読取(&Q)..."),
        .statusTip = QStringLiteral("車検証の2次元コードをスキャナで読み取ります(Ctrl+Q)"),
        .toolTip = QStringLiteral("QR読取"),
        .keys = {key(Qt::Key_Q, Qt::ControlModifier)},
        .run = std::move(certificate.readCodes),
        .available = certificateOn,
    });

    // The panel's pick lists by key: the focused field's, the owner's name
    // and address, the transport office and the vehicle name.
    // The panel checks its own state; the keys only need the lists.
    const auto pickList = [&](int id, QList<QKeySequence> keys) {
        std::function<void()> run;
        if (pickLists.open)
            run = [open = pickLists.open, id] { open(id); };
        m_group.add({.id = id, .keys = std::move(keys), .run = std::move(run),
                     .available = pickLists.attached});
    };
    pickList(FieldPickList, {key(Qt::Key_Space, Qt::ControlModifier)});
    pickList(OwnerNamePickList, controlDigit(Qt::Key_1));
    pickList(OwnerAddressPickList, controlDigit(Qt::Key_3));
    pickList(TransportOfficePickList, controlDigit(Qt::Key_5));
    pickList(VehicleNamePickList, controlDigit(Qt::Key_6));
}

} // namespace kv::app
