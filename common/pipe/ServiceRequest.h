#pragma once

#include "pipe/FirewallOptions.h"
#include "pipe/ServiceCommand.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace servicepipe {

inline constexpr std::size_t requestSize = 32009;

// Field offsets. Commands 0 and 8 carry a flag and a text; commands 1 and 3 an address
// list and the firewall options; the others only the command.
inline constexpr std::size_t commandOffset = 0;
inline constexpr std::size_t flagOffset = 4;
inline constexpr std::size_t textOffset = 5;
inline constexpr std::size_t addressListOffset = 4;
inline constexpr std::size_t addressListFieldBytes = 32000;
inline constexpr std::size_t optionsOffset = 32004;

// Longest texts that fit their fields together with their terminator.
inline constexpr std::size_t maxAddressListUnits = 15999;
inline constexpr std::size_t maxCommandLineUnits = 16001;
inline constexpr std::size_t maxZoneNameBytes = 32003;

// A request exactly as it crosses the pipe: 32,009 bytes, little-endian. Setters refuse
// a text that does not fit its field (nothing is copied then); getters never read past
// the record: a text ends at its terminator or at the end of its field.
class ServiceRequest
{
public:
    using Bytes = std::array<std::uint8_t, requestSize>;

    ServiceRequest();
    explicit ServiceRequest(ServiceCommand command);

    // A received record; a shorter one reads as if the rest were zeros, extra bytes are ignored.
    static ServiceRequest fromBytes(const std::uint8_t* data, std::size_t size);
    const Bytes& bytes() const { return record; }

    std::int32_t command() const;
    void setCommand(std::int32_t code);
    void setCommand(ServiceCommand command) { setCommand(static_cast<std::int32_t>(command)); }

    std::uint8_t flag() const;
    void setFlag(std::uint8_t flag);

    // RunProcess: the command line, UTF-16LE from byte 5.
    std::u16string commandLine() const;
    bool setCommandLine(const std::u16string& line);

    // ChangeTimezone: the zone name, UTF-8 from byte 5.
    std::string zoneName() const;
    bool setZoneName(const std::string& name);

    // EnableFirewall / UpdateFirewall: the list, UTF-16LE from byte 4, and the options.
    std::u16string addressList() const;
    bool setAddressList(const std::u16string& list);
    FirewallOptions options() const;
    void setOptions(const FirewallOptions& options);

private:
    std::u16string readUtf16(std::size_t offset, std::size_t fieldBytes) const;
    bool writeUtf16(std::size_t offset, const std::u16string& text, std::size_t maxUnits);

    Bytes record{};
};

} // namespace servicepipe
