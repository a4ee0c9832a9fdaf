#include "net/http_client.h"

#include <string>
#include <string_view>
#include <vector>

namespace scalora {

HttpError httpErrorFromSocket(SocketError code) {
    switch (code) {
    case SocketError::InitFailed:
        return HttpError::SocketInit;
    case SocketError::CreateFailed:
        return HttpError::SocketCreate;
    case SocketError::DetectHostFailed:
        return HttpError::HostLookup;
    case SocketError::ConnectFailed:
        return HttpError::Connect;
    case SocketError::AlreadyOpen:
        return HttpError::AlreadyOpen;
    case SocketError::NotInit:
        return HttpError::NotInit;
    case SocketError::NotOpen:
        return HttpError::NotOpen;
    case SocketError::ReadParamsIncorrect:
        return HttpError::ReadParams;
    case SocketError::ReadTimeout:
        return HttpError::ReadTimeout;
    case SocketError::ReadFailed:
        return HttpError::ReadFailed;
    case SocketError::ReadBufferFull:
        return HttpError::ReadBufferFull;
    case SocketError::WriteParamsIncorrect:
        return HttpError::WriteParams;
    case SocketError::WriteFailed:
        return HttpError::WriteFailed;
    case SocketError::WriteTimeout:
        return HttpError::WriteTimeout;
    case SocketError::None:
        break;
    }
    return HttpError::Other;
}

void HttpClient::takeSocketError(const SocketClient& socket) {
    error_ = httpErrorFromSocket(socket.errorCode());
    systemError_ = socket.lastSystemError();
}

bool HttpClient::exchange() {
    error_ = HttpError::None;
    systemError_ = 0;
    response_.clear();
    if (resultBufferSize_ < 1) {
        error_ = HttpError::ResultBufferSize;
        return false;
    }
    SocketClient socket(receiveTimeout_, request_.sendTimeout(), request_.host(), request_.port());
    socket.setCancel(cancel_);
    if (socket.errorCode() != SocketError::None || !socket.connect()) {
        takeSocketError(socket);
        return false;
    }
    const std::string text = request_.requestText();
    std::vector<char> buffer(static_cast<std::size_t>(resultBufferSize_), 0);
    if (!socket.send(text.data(), static_cast<std::ptrdiff_t>(text.size()))) {
        takeSocketError(socket);
        return false;
    }
    const std::ptrdiff_t received = socket.receive(buffer.data(), resultBufferSize_);
    if (received <= 0 || socket.hasError()) {
        takeSocketError(socket);
        return false;
    }
    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(received));
    // A reply that starts with a zero byte reads as empty text.
    if (bytes.front() == '\0') {
        error_ = HttpError::Other;
        return false;
    }
    if (!splitResponse(bytes, response_)) {
        error_ = HttpError::SplitFailed;
        return false;
    }
    return true;
}

} // namespace scalora
