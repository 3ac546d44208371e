#include "support/TestPaths.h"

namespace kv::test {

QString buildDir()
{
    return QStringLiteral(KV_TEST_BUILD_DIR);
}

QString sourceDir()
{
    return QStringLiteral(KV_TEST_SOURCE_DIR);
}

QString peerProgram()
{
    return QStringLiteral(KV_TEST_PEER_PROGRAM);
}

} // namespace kv::test
