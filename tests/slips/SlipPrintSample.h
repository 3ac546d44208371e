#pragma once

// A slip ready to print for the printout tests and benchmarks: delivery note
// 123 of 山田 太郎 for a 日産 ﾏｰﾁ, with as many numbered lines as asked,
// colour ink and the default print positions.

#include "data/engine/DayNumber.h"
#include "slips/core/SlipPrintData.h"

#include <QDate>

namespace kv::test {

inline slips::SlipPrintData slipPrintSample(int lines = 3)
{
    slips::SlipPrintData d;
    data::SyaheadRow& s = d.slip;
    s.m_DenNo = 123;
    s.m_DenKind = 0;
    s.m_HatuDate = data::toDayNumber(QDate(2024, 3, 5), QTime(10, 0));
    s.m_Km = 123456;
    s.m_Syaman = data::toDayNumber(QDate(2026, 3, 31));
    s.m_NyuDate = data::toDayNumber(QDate(2024, 3, 1));
    s.m_NouDate = data::kEmptyDate;
    s.m_BuhiMeiTot = 12345;
    s.m_BuhiNebi = 1234;
    s.m_BuhiNebiPer = 1000;
    s.m_BuhiTot = 11111;
    s.m_KouMeiTot = 20000;
    s.m_KouTot = 20000;
    s.m_BuhiKouTot = 31111;
    s.m_BuhiKouZei = 3111;
    s.m_Jibai = 17650;
    s.m_JyuZei = 16400;
    s.m_Insi = 1800;
    s.m_DaikoZeiFlag = 1;
    s.m_Daiko = 10000;
    s.m_SyoTot = 45850;
    s.m_SyoZei = 1000;
    s.m_Tot = 81072;
    s.m_Azu = 10000;
    s.m_Seikyu = 71072;
    d.categoryName = QStringLiteral("車検");
    for (int i = 0; i < lines; ++i) {
        d.rows.push_back({QStringLiteral("ｴﾝｼﾞﾝｵｲﾙ交換 %1").arg(i + 1), QStringLiteral("部品"), QString(),
                          QStringLiteral("1.0"), QStringLiteral("1,000"), QStringLiteral("1,000"),
                          QStringLiteral("500")});
    }
    d.billing.m_KokCode = 42;
    d.billing.m_Post = 1234567;
    d.billing.m_UserJyu1 = QStringLiteral("東京都千代田区丸の内１－１");
    d.billing.m_UserName1 = QStringLiteral("山田 太郎");
    d.billing.m_Sama = 1;
    d.billing.m_Tel1 = QStringLiteral("03-1234-5678");
    d.vehicle.m_CarCode = 10;
    d.vehicle.m_Rikuji = QStringLiteral("品川");
    d.vehicle.m_Rno = 500;
    d.vehicle.m_Kana = QStringLiteral("あ");
    d.vehicle.m_Preno = 1234;
    d.vehicle.m_Syasyu = QStringLiteral("K13");
    d.vehicle.m_Katasiki = QStringLiteral("DBA-K13");
    d.vehicle.m_Syatai = QStringLiteral("K13-123456");
    d.vehicle.m_Gendoki = QStringLiteral("HR12");
    d.vehicle.m_Syonen = data::toDayNumber(QDate(2015, 6, 1));
    d.vehicle.m_Kata = 12345;
    d.vehicle.m_Rui = 1;
    d.makeName = QStringLiteral("ニッサン");
    d.shop.shopName = QStringLiteral("有限会社 サンプル自動車");
    d.shop.address1 = QStringLiteral("東京都港区芝１－２－３");
    d.shop.telephone1 = QStringLiteral("03-0000-0000");
    d.shop.telephone2 = QStringLiteral("03-0000-0001");
    d.shop.business = QStringLiteral("自動車整備・車検・板金塗装");
    d.shop.slipNotice = QStringLiteral("毎度ありがとうございます。\r\nお振込は下記口座へお願いします。");
    d.settings.positions = data::PrintPositions::defaults();
    d.settings.colourInk = 1;
    return d;
}

} // namespace kv::test
