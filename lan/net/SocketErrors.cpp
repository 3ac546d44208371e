#include "lan/net/SocketErrors.h"

#include "lan/core/LanTexts.h"
#include "lan/core/SocketErrorTexts.h"

namespace kv::lan {

int windowsSocketCode(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::RemoteHostClosedError:
        return 0;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10022;
    case QAbstractSocket::UnfinishedSocketOperationError:
    case QAbstractSocket::TemporaryError:
        return 10036;
    case QAbstractSocket::NetworkError:
        return 10050;
    case QAbstractSocket::SocketTimeoutError:
        return 10053;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    default:
        return -1;
    }
}

QString receiveErrorMessage(QAbstractSocket::SocketError error)
{
    const int code = windowsSocketCode(error);
    if (code == 0)
        return LanTexts::ConnectionClosed;
    return receiveErrorText(code).text;
}

} // namespace kv::lan
