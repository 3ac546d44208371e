// The loadable extension that lets the stock sqlite3 shell read the data
// files: `.load kv_sqlite_cp932` registers the CP932 collation every text
// column is declared with, and kv_tel_digits, on which the caller-ID
// indexes of the customers' telephone numbers are built.

#include "data/engine/Cp932Collation.h"
#include "data/engine/TelephoneDigits.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

extern "C" __attribute__((visibility("default"))) int
sqlite3_extension_init(sqlite3* db, char** errorMessage, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    int rc = kv::data::registerCp932Collation(db);
    if (rc != SQLITE_OK) {
        if (errorMessage)
            *errorMessage = sqlite3_mprintf("cannot register collation %s", kv::data::kTextCollation);
        return rc;
    }
    rc = kv::data::registerTelephoneDigits(db);
    if (rc != SQLITE_OK && errorMessage)
        *errorMessage = sqlite3_mprintf("cannot register %s", kv::data::kTelephoneDigitsFunction);
    return rc;
}
