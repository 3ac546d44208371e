#pragma once

// The sub-commands of the test peer, the other computer of the tests. Each
// takes the arguments after its own name and gives the exit code.

#include "data/document/DocumentConfig.h"

#include <QString>
#include <QStringList>

namespace kv::test::peer {

// engine DIR add CODE FURI | edit CODE FURI | delete CODE | churn
int runEngine(const QStringList& args);
// document FOLDER COMPUTER COUNT
int runDocument(const QStringList& args);
// contention claims|slips|counter FOLDER COMPUTER COUNT
int runContention(const QStringList& args);
// lock-holder FOLDER COMPUTER claim RESOURCE CODE | hold RESOURCE
int runLockHolder(const QStringList& args);
// items lock FOLDER COMPUTER ACTION CODE | reserve FOLDER COMPUTER
int runItems(const QStringList& args);
// log write FOLDER TAG COUNT | hold FILE MS
int runLog(const QStringList& args);
// slips FOLDER COMPUTER CUSTOMER VEHICLE COUNT (0: until killed)
int runSlips(const QStringList& args);
// invoices FOLDER SLIP COUNT STARTFILE
int runInvoices(const QStringList& args);
// lan server FOLDER PORT | lan client FOLDER PORT ADDRESS (commands on stdin)
int runLan(const QStringList& args);
// ledger FOLDER COMPUTER CUSTOMER: holds the ledger's lock until stdin closes
int runLedger(const QStringList& args);

// Waits up to timeoutMs for a file to appear, as the start signal of a run.
bool waitForFile(const QString& path, int timeoutMs);

// The document settings of a client computer on folder, without a printer
// and with room on the disk.
data::DocumentConfig clientConfig(const QString& folder, const QString& computer);

} // namespace kv::test::peer
