#pragma once

// SQLite's calls for code built both into the engine, against the SQLite
// library, and into the sqlite3 shell's loadable extension, where the calls
// go through the table the host passes in.
#ifdef KV_SQLITE_EXTENSION
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif
