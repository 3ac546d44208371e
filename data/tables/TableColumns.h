#pragma once

// The column table: every table of the data folder and the postal files,
// its columns in exchange order with their types. The schema, the filter
// translator's names and the recordset members all come from these lists.
// Types: Long, AutoLong (numbered by the database), Text, Date (day
// number), Double.

#define KV_COLUMNS_Kok(C) \
    C(KokCode, Long) C(OwnerName1, Text) C(OwnerName2, Text) C(Sama, Long) C(Furi, Text) \
    C(Post, Long) C(OwnerJyu1, Text) C(OwnerJyu2, Text) C(Tel1, Text) C(Tel2, Text) \
    C(UserName1, Text) C(UserName2, Text) C(UserJyu1, Text) C(UserJyu2, Text) \
    C(UseBase1, Text) C(UseBase2, Text) C(Burth, Date) C(Shime1, Long) C(Shime2, Long) \
    C(Shime3, Long) C(Shime4, Long) C(KokBiko1, Text) C(KokBiko2, Text) C(Syochuu, Long) \
    C(Nenga, Long) C(Chuugen, Long) C(Seibo, Long) C(SyoukaiKokCode, Long) C(Hoyu, Long)

#define KV_COLUMNS_Car(C) \
    C(CarCode, Long) C(KokCode, Long) C(Rikuji, Text) C(Rno, Long) C(Kana, Text) \
    C(Preno, Long) C(Tounen, Date) C(Syonen, Date) C(Syubetu, Long) C(Youto, Long) \
    C(Jiei, Long) C(Keijyo, Long) C(Syamei, Long) C(Syasyu, Text) C(Katasiki, Text) \
    C(Teiin, Long) C(Teiin2, Long) C(Sekisai, Long) C(Sekisai2, Long) C(Jyuryo, Long) \
    C(SouJyuryo, Long) C(SouJyuryo2, Long) C(Syatai, Text) C(Gendoki, Text) C(Nagasa, Long) \
    C(Haba, Long) C(Takasa, Long) C(Haikiryo, Long) C(Nenryo, Long) C(Kata, Long) \
    C(Rui, Long) C(Syaman, Date) C(Yuko, Long) C(Homan, Date) C(Jibai, Long) C(JyuZei, Long) \
    C(Insi, Long) C(Daiko, Long) C(CarBiko1, Text) C(CarBiko2, Text) C(ZenZen, Long) \
    C(ZenKou, Long) C(KouZen, Long) C(KouKou, Long)

#define KV_COLUMNS_Syahead(C) \
    C(DenNo, Long) C(CarCode, Long) C(SeiKokCode, Long) C(DenKind, Long) C(HatuDate, Date) \
    C(NyuukoKbnCode, Long) C(Km, Long) C(Syaman, Date) C(NyuDate, Date) C(NouDate, Date) \
    C(KouLeba, Long) C(BanLeba, Long) C(BuhiMeiTot, Long) C(BuhiNebi, Long) \
    C(BuhiNebiPer, Long) C(BuhiTot, Long) C(KouMeiTot, Long) C(KouNebi, Long) \
    C(KouNebiPer, Long) C(KouTot, Long) C(BuhiKouTot, Long) C(BuhiKouZei, Long) \
    C(Jibai, Long) C(JyuZei, Long) C(Insi, Long) C(DaikoZeiFlag, Long) C(Daiko, Long) \
    C(SyoName5, Text) C(Syo5ZeiFlag, Long) C(Syo5, Long) C(SyoName6, Text) \
    C(Syo6ZeiFlag, Long) C(Syo6, Long) C(SyoTot, Long) C(SyoZei, Long) C(Tot, Long) \
    C(Azu, Long) C(Seikyu, Long) C(PrintFlag, Long)

#define KV_COLUMNS_SyaJnl(C) \
    C(JnlNo, AutoLong) C(DenNo, Long) C(LineNo, Long) C(Meisai, Text) C(Kubun, Long) \
    C(Sisu, Long) C(Suuryo, Long) C(Tanka, Long) C(Kingaku, Long) C(Koutin, Long) \
    C(Photo, Text)

#define KV_COLUMNS_NyuukoKbn(C) \
    C(NyuukoKbnCode, AutoLong) C(NyuukoKbn, Text) C(NyuukoKind, Long)

#define KV_COLUMNS_Syasyu(C) C(ID, AutoLong) C(SyameiNo, Long) C(Syasyu, Text)

#define KV_COLUMNS_Jyu(C) C(ID, AutoLong) C(Jyu, Text) C(Furi, Text)

#define KV_COLUMNS_KokName(C) C(ID, AutoLong) C(KokName, Text) C(KokFuri, Text)

#define KV_COLUMNS_Meisai(C) \
    C(MeisaiCode, Long) C(Meisai, Text) C(Furi, Text) C(Kubun, Long) C(Tanka, Long)

#define KV_COLUMNS_MeisaiSetHead(C) C(SetCode, Long) C(SetName, Text) C(Furi, Text)

#define KV_COLUMNS_MeisaiSetJnl(C) \
    C(ID, AutoLong) C(SetCode, Long) C(LineNo, Long) C(Meisai, Text) C(Kubun, Long) \
    C(Sisu, Long) C(Suuryo, Long) C(Tanka, Long) C(Kingaku, Long) C(Koutin, Long)

#define KV_COLUMNS_ToriJnl(C) \
    C(ID, AutoLong) C(KokCode, Long) C(Date, Date) C(DenFlag, Long) C(DenNo, Long) \
    C(NyuukoKbnCode, Long) C(CarCode, Long) C(Rikuji, Text) C(Rno, Long) C(Kana, Text) \
    C(Preno, Long) C(ToriKbn, Long) C(Buhin, Long) C(Koutin, Long) C(Sonota, Long) \
    C(Zei, Long) C(HikaSyohi, Long) C(KaSyohi, Long) C(SyoZei, Long) C(Tot, Long) \
    C(Nyu, Long) C(NyuCho, Long) C(GTot, Long) C(Tekiyo, Text)

#define KV_COLUMNS_Zan(C) C(KokCode, Long) C(KuriZan, Long)

#define KV_COLUMNS_Seal(C) \
    C(ID, AutoLong) C(Maker, Text) C(Hinban, Text) C(Gyo, Long) C(Retu, Long) C(Tate, Long) \
    C(Yoko, Long) C(Top, Long) C(Left, Long) C(Vertical, Long) C(Horizontal, Long)

#define KV_COLUMNS_UriBunReport(C) \
    C(ID, AutoLong) C(Date, Date) C(NyuukoKbn, Text) C(Kensu, Long) C(Buhin, Double) \
    C(Koutin, Double) C(Sonota, Double) C(UriTot, Double) C(Syohi, Double) C(Zei, Double) \
    C(Tot, Double)

// The 47 postal tables share these columns.
#define KV_COLUMNS_Post(C) \
    C(ID, AutoLong) C(Post, Text) C(Section1, Text) C(Section2, Text) C(Section3, Text)

// The data-folder tables: table, recordset class, file.
#define KV_DATA_TABLES(T) \
    T(Seal, CDaoSealSet, "001.mdb") \
    T(SyaJnl, CDaoSyaJnlSet, "002.mdb") \
    T(Syahead, CDaoSyaHeadSet, "003.mdb") \
    T(NyuukoKbn, CDaoNyuukoKbnSet, "004.mdb") \
    T(Syasyu, CDaoSyasyuSet, "006.mdb") \
    T(Jyu, CDaoJyuSet, "007.mdb") \
    T(KokName, CDaoKokNameSet, "008.mdb") \
    T(Car, CDaoCarSet, "009.mdb") \
    T(Kok, CDaoKokSet, "010.mdb") \
    T(Meisai, CDaoMeisaiSet, "011.mdb") \
    T(MeisaiSetHead, CDaoMeisaiSetHeadSet, "012.mdb") \
    T(MeisaiSetJnl, CDaoMeisaiSetJnlSet, "012.mdb") \
    T(ToriJnl, CDaoToriJnlSet, "013.mdb") \
    T(Zan, CDaoZanSet, "014.mdb") \
    T(UriBunReport, CDaoUriBunReportSet, "030.mdb")

// The postal tables: class infix (CDaoPost<infix>Set), table name, file.
// Prefecture 15 lies in 015.mdb and 19 in 016.mdb; the third table is
// spelt "03IWa" while its class is CDaoPost03IwaSet.
#define KV_POSTAL_TABLES(P) \
    P(01Hok, "01Hok", "015.mdb") P(02Aom, "02Aom", "015.mdb") P(03Iwa, "03IWa", "015.mdb") \
    P(04Miy, "04Miy", "015.mdb") P(05Aki, "05Aki", "015.mdb") P(06Yam, "06Yam", "015.mdb") \
    P(07Fuk, "07Fuk", "015.mdb") P(15Nii, "15Nii", "015.mdb") \
    P(08Iba, "08Iba", "016.mdb") P(09Toc, "09Toc", "016.mdb") P(10Gum, "10Gum", "016.mdb") \
    P(11Sai, "11Sai", "016.mdb") P(12Chi, "12Chi", "016.mdb") P(13Tok, "13Tok", "016.mdb") \
    P(14Kan, "14Kan", "016.mdb") P(19Yam, "19Yam", "016.mdb") \
    P(16Toy, "16Toy", "017.mdb") P(17Ish, "17Ish", "017.mdb") P(18Fuk, "18Fuk", "017.mdb") \
    P(20Nag, "20Nag", "017.mdb") P(21Gif, "21Gif", "017.mdb") P(22Shi, "22Shi", "017.mdb") \
    P(23Aic, "23Aic", "017.mdb") P(24Mie, "24Mie", "017.mdb") P(25Shi, "25Shi", "017.mdb") \
    P(26Kyo, "26Kyo", "017.mdb") P(27Osa, "27Osa", "017.mdb") P(28Hyo, "28Hyo", "017.mdb") \
    P(29Nar, "29Nar", "017.mdb") P(30Wak, "30Wak", "017.mdb") \
    P(31Tot, "31Tot", "018.mdb") P(32Shi, "32Shi", "018.mdb") P(33Oka, "33Oka", "018.mdb") \
    P(34Hir, "34Hir", "018.mdb") P(35Yam, "35Yam", "018.mdb") P(36Tok, "36Tok", "018.mdb") \
    P(37Kag, "37Kag", "018.mdb") P(38Ehi, "38Ehi", "018.mdb") P(39Koc, "39Koc", "018.mdb") \
    P(40Fuk, "40Fuk", "019.mdb") P(41Sag, "41Sag", "019.mdb") P(42Nag, "42Nag", "019.mdb") \
    P(43Kum, "43Kum", "019.mdb") P(44Oit, "44Oit", "019.mdb") P(45Miy, "45Miy", "019.mdb") \
    P(46Kag, "46Kag", "019.mdb") P(47Oki, "47Oki", "019.mdb")
