#include "platform/instance_message.h"

namespace scalora {
namespace {

void putWord(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint32_t getWord(std::string_view in, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
    }
    return value;
}

} // namespace

bool isSendableInstancePath(std::string_view path) {
    return !path.empty() && path.front() == '/' && path.size() <= kMaxInstancePathBytes &&
           path.find('\0') == std::string_view::npos;
}

std::string encodeInstanceNotification(const InstanceNotification& notification) {
    std::string payload;
    for (const std::string& path : notification.paths) {
        if (!isSendableInstancePath(path) ||
            payload.size() + path.size() + 1 > kMaxInstancePayloadBytes) {
            continue;
        }
        payload += path;
        payload.push_back('\0');
    }
    std::string record;
    record.reserve(kInstanceHeaderBytes + payload.size());
    putWord(record, notification.message);
    putWord(record, notification.wParam);
    putWord(record, notification.lParam);
    putWord(record, static_cast<std::uint32_t>(payload.size()));
    record += payload;
    return record;
}

std::optional<InstanceHeader> decodeInstanceHeader(std::string_view bytes) {
    if (bytes.size() < kInstanceHeaderBytes) {
        return std::nullopt;
    }
    const InstanceHeader header{getWord(bytes, 0), getWord(bytes, 4), getWord(bytes, 8),
                                getWord(bytes, 12)};
    if (header.payloadBytes > kMaxInstancePayloadBytes) {
        return std::nullopt;
    }
    return header;
}

std::optional<std::vector<std::string>> decodeInstancePaths(std::string_view payload) {
    std::vector<std::string> paths;
    while (!payload.empty()) {
        const std::size_t end = payload.find('\0');
        if (end == std::string_view::npos) {
            return std::nullopt; // the last path lost its terminator: cut short or not ours
        }
        const std::string_view path = payload.substr(0, end);
        if (!isSendableInstancePath(path)) {
            return std::nullopt;
        }
        paths.emplace_back(path);
        payload.remove_prefix(end + 1);
    }
    return paths;
}

} // namespace scalora
