#include "pipe/ServiceReply.h"

namespace servicepipe {

std::array<std::uint8_t, replySize> ServiceReply::toBytes() const
{
    const auto v = static_cast<std::uint32_t>(value);
    return {ok, static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

ServiceReply ServiceReply::fromBytes(const std::uint8_t* data, std::size_t size)
{
    std::array<std::uint8_t, replySize> bytes{};
    for (std::size_t i = 0; i < size && i < replySize; ++i) {
        bytes[i] = data[i];
    }
    ServiceReply reply;
    reply.ok = bytes[0];
    reply.value = static_cast<std::int32_t>(std::uint32_t(bytes[1]) | std::uint32_t(bytes[2]) << 8 |
                                            std::uint32_t(bytes[3]) << 16 | std::uint32_t(bytes[4]) << 24);
    return reply;
}

} // namespace servicepipe
