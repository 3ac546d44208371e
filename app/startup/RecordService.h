#pragma once

namespace kv::app {

// What the shell needs of the record service while the document is created
// and closed.
class RecordService {
public:
    virtual ~RecordService();
    // Opens every database and recordset, loads the settings files and joins
    // the lock tables; false after the error was shown.
    virtual bool OpenAllDatabases() = 0;
    // Drops the placeholders still reserved, closes everything and releases
    // this computer's locks.
    virtual void CloseDatabases() = 0;
};

} // namespace kv::app
