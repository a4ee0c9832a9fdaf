// What a later start of the program tells the running instance, and the bytes that carry it
// over the single-instance socket. The receiving side trusts nothing: a record that announces
// more than the limits allow, or whose paths are not what a start sends, is refused whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// The message a second start sends: bring your main window to the front.
inline constexpr std::uint32_t kActivateInstanceMessage = 0xD000;

// One path may be as long as the kernel accepts (PATH_MAX, 4096 with its terminator). All
// paths together may be four times what Linux lets a whole command line carry by default
// (2 MiB), so no real start reaches the limit, while a peer cannot make the running instance
// hold more than this.
inline constexpr std::size_t kMaxInstancePathBytes = 4095;
inline constexpr std::size_t kMaxInstancePayloadBytes = 8 * 1024 * 1024;

struct InstanceNotification {
    std::uint32_t message = kActivateInstanceMessage;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
    // Absolute paths the later start was given, in their order, for the running one to open.
    std::vector<std::string> paths;
    friend bool operator==(const InstanceNotification&, const InstanceNotification&) = default;
};

// The record: four little-endian 32-bit words (message, wParam, lParam, payload size), then
// the payload, every path followed by one zero byte.
inline constexpr std::size_t kInstanceHeaderBytes = 16;

struct InstanceHeader {
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
    std::uint32_t payloadBytes = 0;
};

// True for what a start may send: an absolute path, at most kMaxInstancePathBytes long, with
// no zero byte inside.
bool isSendableInstancePath(std::string_view path);

// The record for a notification. Paths that are not sendable are left out, and so are the
// ones that no longer fit the payload limit, so that everything sent arrives as it was.
std::string encodeInstanceNotification(const InstanceNotification& notification);

// The header of a record; nothing when it announces a payload over kMaxInstancePayloadBytes.
std::optional<InstanceHeader> decodeInstanceHeader(std::string_view bytes);

// The paths of a payload; nothing unless it is a run of sendable paths, each with its zero
// byte (an empty payload carries no paths).
std::optional<std::vector<std::string>> decodeInstancePaths(std::string_view payload);

} // namespace scalora
