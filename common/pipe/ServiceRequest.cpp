#include "pipe/ServiceRequest.h"

#include <algorithm>

namespace servicepipe {

ServiceRequest::ServiceRequest() = default;

ServiceRequest::ServiceRequest(ServiceCommand command)
{
    setCommand(command);
}

ServiceRequest ServiceRequest::fromBytes(const std::uint8_t* data, std::size_t size)
{
    ServiceRequest request;
    if (data != nullptr) {
        std::copy_n(data, std::min(size, requestSize), request.record.begin());
    }
    return request;
}

std::int32_t ServiceRequest::command() const
{
    const std::uint32_t v = std::uint32_t(record[0]) | std::uint32_t(record[1]) << 8 | std::uint32_t(record[2]) << 16 |
                            std::uint32_t(record[3]) << 24;
    return static_cast<std::int32_t>(v);
}

void ServiceRequest::setCommand(std::int32_t code)
{
    const auto v = static_cast<std::uint32_t>(code);
    for (std::size_t i = 0; i < 4; ++i) {
        record[commandOffset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint8_t ServiceRequest::flag() const
{
    return record[flagOffset];
}

void ServiceRequest::setFlag(std::uint8_t flag)
{
    record[flagOffset] = flag;
}

std::u16string ServiceRequest::readUtf16(std::size_t offset, std::size_t fieldBytes) const
{
    std::u16string text;
    for (std::size_t i = offset; i + 1 < offset + fieldBytes + 1 && i + 1 < requestSize; i += 2) {
        const char16_t unit = static_cast<char16_t>(record[i] | record[i + 1] << 8);
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

bool ServiceRequest::writeUtf16(std::size_t offset, const std::u16string& text, std::size_t maxUnits)
{
    if (text.size() > maxUnits || text.find(u'\0') != std::u16string::npos) {
        return false;
    }
    std::size_t i = offset;
    for (const char16_t unit : text) {
        record[i++] = static_cast<std::uint8_t>(unit);
        record[i++] = static_cast<std::uint8_t>(unit >> 8);
    }
    record[i++] = 0;
    record[i] = 0;
    return true;
}

std::u16string ServiceRequest::commandLine() const
{
    return readUtf16(textOffset, requestSize - textOffset);
}

bool ServiceRequest::setCommandLine(const std::u16string& line)
{
    return writeUtf16(textOffset, line, maxCommandLineUnits);
}

std::string ServiceRequest::zoneName() const
{
    const auto begin = record.begin() + textOffset;
    return std::string(begin, std::find(begin, record.end(), std::uint8_t(0)));
}

bool ServiceRequest::setZoneName(const std::string& name)
{
    if (name.size() > maxZoneNameBytes || name.find('\0') != std::string::npos) {
        return false;
    }
    std::copy(name.begin(), name.end(), record.begin() + textOffset);
    record[textOffset + name.size()] = 0;
    return true;
}

std::u16string ServiceRequest::addressList() const
{
    return readUtf16(addressListOffset, addressListFieldBytes);
}

bool ServiceRequest::setAddressList(const std::u16string& list)
{
    return writeUtf16(addressListOffset, list, maxAddressListUnits);
}

FirewallOptions ServiceRequest::options() const
{
    FirewallOptions options;
    options.killConnect = record[optionsOffset];
    options.iPv6LeakProtect = record[optionsOffset + 1];
    options.allowLocalDevices = record[optionsOffset + 2];
    options.changeTimezone = record[optionsOffset + 3];
    options.blockDNS = record[optionsOffset + 4];
    return options;
}

void ServiceRequest::setOptions(const FirewallOptions& options)
{
    record[optionsOffset] = options.killConnect;
    record[optionsOffset + 1] = options.iPv6LeakProtect;
    record[optionsOffset + 2] = options.allowLocalDevices;
    record[optionsOffset + 3] = options.changeTimezone;
    record[optionsOffset + 4] = options.blockDNS;
}

} // namespace servicepipe
