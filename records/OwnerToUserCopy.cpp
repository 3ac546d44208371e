#include "records/OwnerToUserCopy.h"

#include "records/BaseOfUse.h"

namespace kv::records {

QString OwnerToUserCopy::userLine(const QString& ownerLine, const QString& userLine)
{
    return !ownerLine.isEmpty() && userLine.isEmpty() ? ownerLine : userLine;
}

QString OwnerToUserCopy::baseOfUseFirstLine(const QString& ownerAddress1, const QString& baseLine1)
{
    return !ownerAddress1.isEmpty() && baseLine1.isEmpty() ? BaseOfUse::marker() : baseLine1;
}

} // namespace kv::records
