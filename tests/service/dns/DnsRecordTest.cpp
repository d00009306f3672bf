// The record of a DNS change: what the service undoes after OpenVPN or the service ended.

#include "dns/DnsRecord.h"

#include <gtest/gtest.h>

using dns::DnsRecord;

namespace {

DnsRecord resolvConfRecord(DnsRecord::Original original)
{
    DnsRecord record;
    record.owner = {4242, 987654321};
    record.method = DnsRecord::Method::ResolvConf;
    record.original = original;
    record.mode = 0640;
    record.uid = 0;
    record.gid = 101;
    return record;
}

void expectSame(const DnsRecord& a, const DnsRecord& b)
{
    EXPECT_EQ(a.owner, b.owner);
    EXPECT_EQ(a.method, b.method);
    EXPECT_EQ(a.device, b.device);
    if (a.method == DnsRecord::Method::ResolvConf) {
        EXPECT_EQ(a.original, b.original);
        if (a.original == DnsRecord::Original::File) {
            EXPECT_EQ(a.mode, b.mode);
            EXPECT_EQ(a.uid, b.uid);
            EXPECT_EQ(a.gid, b.gid);
        }
    }
}

TEST(DnsRecordFormat, ReadsBackWhatItWrites)
{
    DnsRecord resolved;
    resolved.owner = {7, 1};
    resolved.method = DnsRecord::Method::Resolved;
    resolved.device = "tun12";
    for (const DnsRecord& record :
         {resolved, resolvConfRecord(DnsRecord::Original::File), resolvConfRecord(DnsRecord::Original::Link),
          resolvConfRecord(DnsRecord::Original::Absent)}) {
        DnsRecord parsed;
        ASSERT_TRUE(DnsRecord::parse(record.format(), parsed)) << record.format();
        expectSame(record, parsed);
    }
    EXPECT_EQ(resolvConfRecord(DnsRecord::Original::File).format(),
              "quarnel-dns 1\nowner 4242 987654321\nmethod resolv.conf\noriginal file 640 0 101\n");
}

TEST(DnsRecordFormat, RefusesAnythingElse)
{
    const char* const refused[] = {
        "",
        "quarnel-dns 2\nowner 1 1\nmethod resolved\ndevice tun0\n",
        "quarnel-dns 1\nowner 0 1\nmethod resolved\ndevice tun0\n",
        "quarnel-dns 1\nowner -1 1\nmethod resolved\ndevice tun0\n",
        "quarnel-dns 1\nowner 1\nmethod resolved\ndevice tun0\n",
        "quarnel-dns 1\nowner 1 1 1\nmethod resolved\ndevice tun0\n",
        "quarnel-dns 1\nowner 99999999999 1\nmethod resolved\ndevice tun0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolved\ndevice -tun0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolved\ndevice tun0 --help\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolved\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolved\ndevice tun0\nextra\n",
        "quarnel-dns 1\nowner 1 1\nmethod other\ndevice tun0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolv.conf\noriginal file 644 0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolv.conf\noriginal file 689 0 0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolv.conf\noriginal file 17777 0 0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolv.conf\noriginal file 644 4294967296 0\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolv.conf\noriginal link /etc/x\n",
        "quarnel-dns 1\nowner 1 1\nmethod resolv.conf\noriginal pipe\n",
        "quarnel-dns 1\nowner  1 1\nmethod resolved\ndevice tun0\n",
    };
    for (const char* text : refused) {
        DnsRecord parsed;
        EXPECT_FALSE(DnsRecord::parse(text, parsed)) << text;
    }
}

} // namespace
