// Fuzz target: lines of the cached catalogue as the settings store hands them back
// (a location record or a login record), however the file was damaged or edited.
#include "FuzzCheck.h"

#include "data/ServerInfo.h"
#include "data/VpnAccount.h"

#include <QMap>
#include <QString>

#include <cstdint>

namespace {

bool sameStored(const ServerInfo& a, const ServerInfo& b)
{
    return a.id == b.id && a.flag == b.flag && a.name == b.name && a.ip == b.ip && a.marked == b.marked &&
           a.user == b.user && a.password == b.password && a.tcpPorts == b.tcpPorts && a.udpPorts == b.udpPorts &&
           a.connectionType == b.connectionType && a.sslPort == b.sslPort && a.group == b.group && a.sni == b.sni &&
           a.brume == b.brume;
}

// The first byte says how the rest reads: UTF-8 as the settings file holds it, or
// UTF-16 units as they are in memory (lone surrogates included).
QString lineOf(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return QString();
    }
    if ((data[0] & 1) == 0) {
        return QString::fromUtf8(reinterpret_cast<const char*>(data + 1), int(size - 1));
    }
    QString line;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        line.append(QChar(char16_t(data[i] | data[i + 1] << 8)));
    }
    return line;
}

void checkLocation(const QString& line)
{
    const ServerInfo read = ServerInfo::fromCacheLine(line);
    FUZZ_CHECK(read.ping == 0 && read.groupTitle.isEmpty());
    if (line.count(QLatin1Char(';')) < 9) {
        FUZZ_CHECK(sameStored(read, ServerInfo()));
        return;
    }
    // Written back, the record reads the same.
    const QString written = read.toCacheLine();
    FUZZ_CHECK(written.count(QLatin1Char(';')) == 13);
    FUZZ_CHECK(sameStored(ServerInfo::fromCacheLine(written), read));
}

void checkLogin(const QString& line)
{
    QMap<QString, VpnAccount> accounts;
    if (!VpnAccount::readCacheLine(line, accounts)) {
        FUZZ_CHECK(accounts.isEmpty());
        return;
    }
    FUZZ_CHECK(accounts.size() == 1);
    const VpnAccount read = accounts.first();
    FUZZ_CHECK(accounts.firstKey() == read.login);

    // Written back, the login and password read the same, and from then on the line
    // stays as it is (the expiry is kept to the second).
    const QString written = read.toCacheLine();
    QMap<QString, VpnAccount> again;
    FUZZ_CHECK(VpnAccount::readCacheLine(written, again));
    FUZZ_CHECK(again.size() == 1);
    const VpnAccount reread = again.first();
    FUZZ_CHECK(reread.login == read.login && reread.password == read.password);
    FUZZ_CHECK(reread.expires.isValid() == read.expires.isValid());
    FUZZ_CHECK(reread.toCacheLine() == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString line = lineOf(data, size);
    checkLocation(line);
    checkLogin(line);
    return 0;
}
