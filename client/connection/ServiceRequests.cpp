#include "connection/ServiceRequests.h"

#include "pipe/PipeClient.h"

#include <QDir>

#include <atomic>
#include <string>

using servicepipe::FirewallOptions;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

std::atomic<long long> connectTimeoutMs{servicepipe::PipeClient::defaultConnectTimeout.count()};

std::u16string toUtf16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

bool okOf(const ServiceRequest& request)
{
    ServiceReply reply;
    return serviceExchange(request, reply) && reply.ok != 0;
}

bool firewallRequest(ServiceCommand command, const QString& addressList, const FirewallOptions& options)
{
    ServiceRequest request(command);
    if (!request.setAddressList(toUtf16(addressList))) {
        return false;
    }
    request.setOptions(options);
    return okOf(request);
}

} // namespace

bool serviceExchange(const ServiceRequest& request, ServiceReply& reply)
{
    return exchangeWithService(request, reply) == servicepipe::PipeClient::Result::Replied;
}

servicepipe::PipeClient::Result exchangeWithService(const ServiceRequest& request, ServiceReply& reply)
{
    servicepipe::PipeClient client;
    client.setConnectTimeout(std::chrono::milliseconds(connectTimeoutMs.load()));
    return client.exchange(request, reply);
}

void setServiceConnectTimeout(std::chrono::milliseconds timeout)
{
    connectTimeoutMs = timeout.count();
}

bool enableFirewall(const QString& addressList, const FirewallOptions& options)
{
    return firewallRequest(ServiceCommand::EnableFirewall, addressList, options);
}

bool updateFirewall(const QString& addressList, const FirewallOptions& options)
{
    return firewallRequest(ServiceCommand::UpdateFirewall, addressList, options);
}

bool disableFirewall()
{
    return okOf(ServiceRequest(ServiceCommand::DisableFirewall));
}

bool isFirewallSupported()
{
    return okOf(ServiceRequest(ServiceCommand::QueryFirewallSupport));
}

bool isTimezoneSupported()
{
    return okOf(ServiceRequest(ServiceCommand::QueryTimezoneSupport));
}

bool changeTimezoneRequest(bool restore, const QString& zoneName)
{
    ServiceRequest request(ServiceCommand::ChangeTimezone);
    request.setFlag(restore ? 1 : 0);
    const QByteArray utf8 = zoneName.toUtf8();
    if (!request.setZoneName(std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())))) {
        return false;
    }
    return okOf(request);
}

QString openVpnCommandLine(const QString& program, const QString& configFile, int managementPort,
                           const QString& passwordFile)
{
    return QDir::toNativeSeparators(program) + QStringLiteral(" --config \"") + QDir::toNativeSeparators(configFile) +
           QStringLiteral("\" --management 127.0.0.1 ") + QString::number(managementPort) + QStringLiteral(" \"") +
           QDir::toNativeSeparators(passwordFile) + QStringLiteral("\" --management-query-passwords");
}
