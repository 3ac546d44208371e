#include "data/tables/DaoRecordsets.h"

namespace {

// Indexes: every column list the windows filter or sort on, so that each
// lookup and each ordered read is an index seek or an index walk. Text
// columns carry the CP932 collation, and the row id each index ends in
// keeps equal keys in a stable order.
#define KV_INDEXES_Seal {"Maker, Hinban", "Hinban"}
#define KV_INDEXES_SyaJnl {"DenNo, LineNo"}
#define KV_INDEXES_Syahead {"DenNo", "CarCode, HatuDate", "DenKind", "NyuukoKbnCode, HatuDate"}
#define KV_INDEXES_NyuukoKbn {}
#define KV_INDEXES_Syasyu {"SyameiNo, Syasyu", "Syasyu"}
#define KV_INDEXES_Jyu {"Furi, Jyu"}
#define KV_INDEXES_KokName {"KokFuri, KokName"}
#define KV_INDEXES_Car                                                                   \
    {"CarCode", "KokCode, CarCode", "Preno, CarCode", "Syaman, KokCode, CarCode",        \
     "Homan, KokCode, CarCode", "Syonen, KokCode, CarCode", "Syamei, Syonen", "Syatai"}
#define KV_INDEXES_Kok                                                                   \
    {"KokCode", "Furi, KokCode", "SyoukaiKokCode, KokCode", "UserName1", "Tel1", "Tel2", \
     "Post"}
#define KV_INDEXES_Meisai {"MeisaiCode", "Furi, Meisai, MeisaiCode", "Meisai"}
#define KV_INDEXES_MeisaiSetHead {"SetCode", "Furi, SetName, SetCode", "SetName"}
#define KV_INDEXES_MeisaiSetJnl {"SetCode, LineNo"}
#define KV_INDEXES_ToriJnl {"KokCode, Date", "NyuukoKbnCode, Date", "DenNo", "Date"}
#define KV_INDEXES_Zan {"KokCode"}
#define KV_INDEXES_UriBunReport {"NyuukoKbn, Date", "Date"}

} // namespace

#define KV_DEFINE_DATA_RECORDSET(Table, Class, File)                                 \
    Class::Class(kv::data::Connection& connection)                                   \
        : kv::data::TypedRecordset<Class>(connection, tableDef())                   \
    {                                                                                \
    }                                                                                \
    const kv::data::TableDef& Class::tableDef()                                      \
    {                                                                                \
        static const kv::data::TableDef table{                                       \
            #Table, File, {KV_COLUMNS_##Table(KV_COLUMN_DEF)}, KV_INDEXES_##Table};   \
        return table;                                                                \
    }                                                                                \
    const std::vector<Class::Member>& Class::members()                               \
    {                                                                                \
        using Self = Class;                                                          \
        static const std::vector<Member> list{KV_COLUMNS_##Table(KV_MEMBER_POINTER)}; \
        return list;                                                                 \
    }

KV_DATA_TABLES(KV_DEFINE_DATA_RECORDSET)
