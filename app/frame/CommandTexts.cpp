#include "app/frame/CommandTexts.h"

#include "app/frame/CommandId.h"
#include "app/startup/StartupTexts.h"

#include <QHash>

namespace kv::app {

QString CommandTexts::entry(int command)
{
    using namespace CommandId;
    static const QHash<int, QString> table = {
        {RecordCustomerVehicle, QStringLiteral("表示中の顧客・車輌を記録します(F12)\n顧客・車輌 記録")},
        {CustomerCodeSearch, QStringLiteral("顧客ｺｰﾄﾞで検索します(F1)\n顧客ｺｰﾄﾞ検索")},
        {CustomerReadingSearch, QStringLiteral("顧客ﾌﾘｶﾞﾅで検索します(F2)\n顧客ﾌﾘｶﾞﾅ検索")},
        {VehicleCodeSearch, QStringLiteral("車輌ｺｰﾄﾞで検索します(F3)\n車輌ｺｰﾄﾞ検索")},
        {PlateNumberSearch, QStringLiteral("車輌ﾌﾟﾚｰﾄﾅﾝﾊﾞｰで検索します(F4)\n車輌ﾌﾟﾚｰﾄﾅﾝﾊﾞｰ検索")},
        {OwnedVehicles, QStringLiteral("表示中の顧客が保有する車輌の一覧を表示します(F5)\n保有車輌一覧表示")},
        {Previous, QStringLiteral("現在検索モードで前のデータを検索します(Ctrl+←)\n前検索")},
        {Next, QStringLiteral("現在検索モードで次のデータを検索します(Ctrl+→)\n次検索")},
        {Delete, QStringLiteral("表示中の顧客・車輌を削除します(Alt+F5)\n顧客・車輌 削除")},
        {NewCustomer, QStringLiteral("顧客データを新規に作成します(F10)\n顧客新規")},
        {NewVehicle, QStringLiteral("車輌データを新規に作成します(F11)\n車輌新規")},
        {CreateSlip, QStringLiteral("伝票を作成します(F8)\n伝票作成")},
        {Ledger, QStringLiteral("売上・入金を元帳に入力します(F9)\n元帳入力")},
        {CarriedForwardBalance, QStringLiteral("繰越残高を設定します(Alt+F2)\n繰越残高設定")},
        {ReadingIndexSearch, QStringLiteral("顧客ﾌﾘｶﾞﾅ一覧で検索します(Ctrl+F1)\n顧客ﾌﾘｶﾞﾅ一覧検索")},
        {Exit, StartupTexts::ApplicationTitle + QStringLiteral("を終了します(Alt+F4)\n終了")},
    };
    return table.value(command);
}

QString CommandTexts::prompt(int command)
{
    return entry(command).section(QLatin1Char('\n'), 0, 0);
}

QString CommandTexts::toolTip(int command)
{
    return entry(command).section(QLatin1Char('\n'), 1, 1);
}

QString CommandTexts::exitMenuText()
{
    return StartupTexts::ApplicationTitle + QStringLiteral("の終了(&X)");
}

QString CommandTexts::menuText(int command)
{
    using namespace CommandId;
    static const QHash<int, QString> table = {
        {Backup, QStringLiteral("バックアップ(&B)...")},
        {PrinterSetup, QStringLiteral("プリンタ設定(&P)...")},
        {LedgerReport, QStringLiteral("元帳(&C)...")},
        {BillingList, QStringLiteral("請求一覧(&B)...")},
        {DetailedInvoice, QStringLiteral("明細請求書(&S)...")},
        {ReceivableList, QStringLiteral("売掛残金一覧(&Z)...")},
        {SalesAnalysis, QStringLiteral("売上分析表(&U)...")},
        {SalesGraph, QStringLiteral("売上分析グラフ(&G)...")},
        {CustomerVehicleList, QStringLiteral("顧客・車輌一覧(&K)...")},
        {InspectionDueList, QStringLiteral("車検入庫予定車輌一覧・はがき(&N)...")},
        {InspectionMissedList, QStringLiteral("車検未入庫車輌一覧(&M)...")},
        {InsuranceDueList, QStringLiteral("任意保険満期予定車輌一覧(&H)...")},
        {FirstYearList, QStringLiteral("初年度該当車輌一覧(&F)...")},
        {VehicleHistoryList, QStringLiteral("車歴一覧(&Y)...")},
        {CompanyInformation, QStringLiteral("自社情報(&J)...")},
        {Rounding, QStringLiteral("端数処理(&H)...")},
        {AgencyFeeTax, QStringLiteral("代行料 課税・非課税(&D)...")},
        {JobCategories, QStringLiteral("入庫区分(&K)...")},
        {VehicleKinds, QStringLiteral("種別（&S）...")},
        {VehicleUses, QStringLiteral("用途（&Y）...")},
        {BodyShapes, QStringLiteral("車体の形状（&K）...")},
        {VehicleNameList, QStringLiteral("車名（&M）...")},
        {Fuels, QStringLiteral("燃料の種類（&E）...")},
        {WorkPartsItems, QStringLiteral("作業・部品(&B)...")},
        {WorkPartsSets, QStringLiteral("作業・部品セット(&S)...")},
        {CustomerNameList, QStringLiteral("名前(&N)...")},
        {AddressList, QStringLiteral("住所(&A)...")},
        {TransportOfficeList, QStringLiteral("陸事(&R)...")},
        {ModelList, QStringLiteral("車種（&S）...")},
        {HelpContents, QStringLiteral("目次(&C)")},
        {VersionInfo, QStringLiteral("バージョン情報(&A)...")},
    };
    if (command == Exit)
        return exitMenuText();
    return table.value(command);
}

} // namespace kv::app
