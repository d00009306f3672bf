#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace servicepipe {

inline constexpr std::size_t replySize = 5;

// The service's answer: ok (0 or 1) at byte 0, value (signed 32-bit little-endian) at 1.
struct ServiceReply
{
    std::uint8_t ok = 0;
    std::int32_t value = 0;

    std::array<std::uint8_t, replySize> toBytes() const;
    // Bytes missing from a short reply read as zero.
    static ServiceReply fromBytes(const std::uint8_t* data, std::size_t size);
};

} // namespace servicepipe
