#include "pipe/ServiceReply.h"
#include "pipe/ServiceRequest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace servicepipe;

namespace {

// Records are built by hand here, byte by byte, so that the codec is checked against
// the wire layout rather than against itself.
std::vector<std::uint8_t> blankRecord(std::int32_t command)
{
    std::vector<std::uint8_t> bytes(requestSize, 0);
    const auto v = static_cast<std::uint32_t>(command);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    return bytes;
}

void putUtf16(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::u16string& text)
{
    for (const char16_t unit : text) {
        bytes[offset++] = static_cast<std::uint8_t>(unit & 0xff);
        bytes[offset++] = static_cast<std::uint8_t>(unit >> 8);
    }
}

ServiceRequest decode(const std::vector<std::uint8_t>& bytes)
{
    return ServiceRequest::fromBytes(bytes.data(), bytes.size());
}

} // namespace

TEST(ServiceRequest, AlwaysTheFullRecordSize)
{
    EXPECT_EQ(sizeof(ServiceRequest::Bytes), 32009u);
    EXPECT_EQ(ServiceRequest(ServiceCommand::QueryFirewallSupport).bytes().size(), 32009u);
    EXPECT_EQ(ServiceReply().toBytes().size(), 5u);
}

TEST(ServiceRequest, CommandIsSignedLittleEndian)
{
    for (const std::int32_t code : {0, 1, 8, 4, 9, 12345, -1, INT32_MIN, INT32_MAX}) {
        const std::vector<std::uint8_t> bytes = blankRecord(code);
        EXPECT_EQ(decode(bytes).command(), code);
        ServiceRequest request;
        request.setCommand(code);
        EXPECT_EQ(0, std::memcmp(request.bytes().data(), bytes.data(), 4)) << code;
    }
}

TEST(ServiceRequest, RunProcessFieldsLandAtFlagAndOddTextOffset)
{
    ServiceRequest request(ServiceCommand::RunProcess);
    request.setFlag(1);
    ASSERT_TRUE(request.setCommandLine(u"C:\\p\\openvpn.exe --config \"x\" \u00e9"));
    const auto& b = request.bytes();
    EXPECT_EQ(b[4], 1);
    EXPECT_EQ(b[5], 'C');
    EXPECT_EQ(b[6], 0);
    EXPECT_EQ(b[7], ':');
    // "é" is U+00E9: low byte first.
    const std::size_t last = 5 + 2 * (request.commandLine().size() - 1);
    EXPECT_EQ(b[last], 0xe9);
    EXPECT_EQ(b[last + 1], 0x00);
    EXPECT_EQ(b[last + 2], 0);
    EXPECT_EQ(b[last + 3], 0);

    std::vector<std::uint8_t> bytes = blankRecord(0);
    bytes[4] = 1;
    putUtf16(bytes, 5, u"prog \u20ac");
    const ServiceRequest decoded = decode(bytes);
    EXPECT_EQ(decoded.flag(), 1);
    EXPECT_EQ(decoded.commandLine(), u"prog \u20ac");
}

TEST(ServiceRequest, ZoneNameIsUtf8AtByteFive)
{
    ServiceRequest request(ServiceCommand::ChangeTimezone);
    const std::string name = "America/S\xc3\xa3o_Paulo";
    ASSERT_TRUE(request.setZoneName(name));
    EXPECT_EQ(0, std::memcmp(request.bytes().data() + 5, name.data(), name.size()));
    EXPECT_EQ(request.bytes()[5 + name.size()], 0);
    EXPECT_EQ(request.zoneName(), name);
}

TEST(ServiceRequest, FirewallListAtFourOptionsAtTheEnd)
{
    std::vector<std::uint8_t> bytes = blankRecord(1);
    putUtf16(bytes, 4, u"127.0.0.1;10.1.2.3");
    const std::uint8_t options[5] = {1, 0, 1, 1, 0};
    std::memcpy(bytes.data() + 32004, options, 5);
    const ServiceRequest decoded = decode(bytes);
    EXPECT_EQ(decoded.addressList(), u"127.0.0.1;10.1.2.3");
    const FirewallOptions o = decoded.options();
    EXPECT_EQ(o.killConnect, 1);
    EXPECT_EQ(o.iPv6LeakProtect, 0);
    EXPECT_EQ(o.allowLocalDevices, 1);
    EXPECT_EQ(o.changeTimezone, 1);
    EXPECT_EQ(o.blockDNS, 0);

    ServiceRequest request(ServiceCommand::EnableFirewall);
    ASSERT_TRUE(request.setAddressList(u"127.0.0.1;10.1.2.3"));
    request.setOptions(o);
    EXPECT_EQ(0, std::memcmp(request.bytes().data(), bytes.data(), requestSize));
}

TEST(ServiceRequest, EmptyListIsJustTheTerminator)
{
    ServiceRequest request(ServiceCommand::EnableFirewall);
    ASSERT_TRUE(request.setAddressList(u""));
    EXPECT_EQ(request.bytes()[4], 0);
    EXPECT_EQ(request.bytes()[5], 0);
    EXPECT_EQ(request.addressList(), u"");
}

TEST(ServiceRequest, TextsWithoutTerminatorStopAtTheirField)
{
    // The list fills its whole field with no terminator: reading stops before the options.
    std::vector<std::uint8_t> bytes = blankRecord(3);
    putUtf16(bytes, 4, std::u16string(16000, u'7'));
    std::memset(bytes.data() + 32004, 1, 5);
    const ServiceRequest list = decode(bytes);
    EXPECT_EQ(list.addressList().size(), 16000u);
    // The option bytes (1, 1) would read as the unit 0x0101 if the reader ran past the field.
    EXPECT_EQ(list.addressList().find(u'\x0101'), std::u16string::npos);

    // A text with no terminator up to the end of the record ends with the record; the
    // last odd byte cannot form a code unit.
    std::vector<std::uint8_t> all(requestSize, 'A');
    const ServiceRequest text = decode(all);
    EXPECT_EQ(text.commandLine().size(), (requestSize - 5) / 2);
    EXPECT_EQ(text.zoneName().size(), requestSize - 5);
}

TEST(ServiceRequest, ShortAndLongRecords)
{
    // A short write: the missing bytes read as zeros, never as a previous request's.
    std::vector<std::uint8_t> bytes = blankRecord(8);
    bytes[5] = 'U';
    bytes[6] = 'T';
    bytes[7] = 'C';
    bytes.resize(8);
    const ServiceRequest shortRecord = decode(bytes);
    EXPECT_EQ(shortRecord.command(), 8);
    EXPECT_EQ(shortRecord.zoneName(), "UTC");
    EXPECT_EQ(shortRecord.options(), FirewallOptions());

    EXPECT_EQ(ServiceRequest::fromBytes(nullptr, 0).command(), 0);
    std::vector<std::uint8_t> longer = blankRecord(5);
    longer.resize(requestSize + 100, 0xff);
    EXPECT_EQ(decode(longer).command(), 5);
}

TEST(ServiceRequest, OverlongTextsAreRefusedBeforeCopying)
{
    ServiceRequest request(ServiceCommand::EnableFirewall);
    EXPECT_TRUE(request.setAddressList(std::u16string(15999, u'1')));
    EXPECT_EQ(request.bytes()[4 + 2 * 15999], 0);
    ServiceRequest untouched(ServiceCommand::EnableFirewall);
    EXPECT_FALSE(untouched.setAddressList(std::u16string(16000, u'1')));
    EXPECT_EQ(untouched.bytes()[4], 0);

    ServiceRequest run(ServiceCommand::RunProcess);
    EXPECT_TRUE(run.setCommandLine(std::u16string(16001, u'x')));
    EXPECT_EQ(run.commandLine().size(), 16001u);
    EXPECT_FALSE(ServiceRequest().setCommandLine(std::u16string(16002, u'x')));

    ServiceRequest zone(ServiceCommand::ChangeTimezone);
    EXPECT_TRUE(zone.setZoneName(std::string(32003, 'z')));
    EXPECT_EQ(zone.bytes()[requestSize - 1], 0);
    EXPECT_FALSE(ServiceRequest().setZoneName(std::string(32004, 'z')));

    // An embedded terminator would silently cut the text on the other side.
    EXPECT_FALSE(ServiceRequest().setZoneName(std::string("Europe\0Paris", 12)));
    EXPECT_FALSE(ServiceRequest().setAddressList(std::u16string(u"1.2.3.4\0;5.6.7.8", 16)));
}

TEST(ServiceReply, OkAndSignedValue)
{
    const std::uint8_t bytes[5] = {1, 0xfe, 0xff, 0xff, 0xff};
    const ServiceReply reply = ServiceReply::fromBytes(bytes, 5);
    EXPECT_EQ(reply.ok, 1);
    EXPECT_EQ(reply.value, -2);
    const auto encoded = reply.toBytes();
    EXPECT_EQ(0, std::memcmp(encoded.data(), bytes, 5));

    ServiceReply exitCode{1, 0x01020304};
    const auto e = exitCode.toBytes();
    EXPECT_EQ(e[1], 0x04);
    EXPECT_EQ(e[4], 0x01);

    const std::uint8_t shortReply[2] = {1, 7};
    EXPECT_EQ(ServiceReply::fromBytes(shortReply, 2).value, 7);
}
