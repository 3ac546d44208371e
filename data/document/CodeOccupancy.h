#pragma once

#include "data/engine/Connection.h"
#include "data/engine/EngineError.h"

#include <QByteArray>
#include <QString>

namespace kv::data {

// Which codes of a code column are taken, kept in the column's own file so
// that the lowest free code is found without probing code after code.
//
// A small table "<Column>Block" holds, for every block of 1000 codes
// (block b: codes b*1000 .. b*1000+999 within 1..maxCode), how many of them
// are still free. Triggers on the table keep it exact on every insert,
// delete and code change, in the same statement as the row itself, so it
// can never disagree with the rows, whoever writes them. A duplicated code
// counts once. A partial index over the blocks with free codes finds the
// first such block in one seek; the free code is then one short walk over
// at most 1000 index entries.
class CodeOccupancy {
public:
    struct Column {
        const char* fileName; // "010.mdb"
        const char* table;    // "Kok"
        const char* column;   // "KokCode"
        int maxCode;          // 999999
    };

    static const Column kCustomerCodes;
    static const Column kVehicleCodes;
    static const Column kItemCodes;
    static const Column kSetCodes;
    static const Column kSlipNumbers;

    static constexpr int kBlockSize = 1000;

    CodeOccupancy(Connection& connection, const Column& column);

    // Creates the block table, its index and the triggers where they are
    // missing and then counts the blocks afresh from the rows; a file that
    // has them all is left alone. Safe for several processes at once.
    bool install();
    // Counts every block afresh from the rows.
    bool rebuild();

    // The lowest code 1..maxCode without a row; 0 when all are taken or
    // after an engine error (lastError()).
    int lowestFree();
    // The first free code from start upwards, going on from 1 after
    // maxCode; 0 when none is free or after an engine error.
    int firstFreeFrom(int start);
    // The lowest free code within from..to; 0 when none.
    int firstFreeBetween(int from, int to);

    const Column& column() const { return m_column; }
    const EngineError& lastError() const { return m_error; }

private:
    bool schemaComplete(bool* complete);
    // The first block at or after first (up to last) with free codes; -1 none.
    int nextOpenBlock(int first, int last, bool* ok);
    // The lowest free code within from..to (one block at most); 0 none.
    int walkBlock(int from, int to, bool* ok);
    bool recountBlock(int block);
    bool fail(const EngineError& error);
    bool failConnection();

    QByteArray name(const QByteArray& suffix) const; // "KokCodeBlock" + suffix, quoted
    QByteArray qualified(const QByteArray& object) const;

    Connection& m_connection;
    Column m_column;
    QByteArray m_schema; // quoted schema of the file on the connection
    QByteArray m_table;  // quoted table name
    QByteArray m_code;   // quoted code column
    QByteArray m_blockTable;
    EngineError m_error;
};

} // namespace kv::data
