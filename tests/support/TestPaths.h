#pragma once

#include <QString>

namespace kv::test {

// The build and source trees the tests were built from. They are compiled
// in, so that a test program run on its own, without ctest, finds its
// helper programs and files.
QString buildDir();
QString sourceDir();

// The test peer, the other computer of the tests (tests/support/peer): its
// first argument names the work, see PeerCommands.h there.
QString peerProgram();

} // namespace kv::test
