#include "Dispatcher.h"

#include "pipe/ServiceCommand.h"

namespace service {

using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

// Lists are dotted quads and ";": one byte per unit. Anything else cannot be part of
// an address and becomes "?", which the firewall's parser and settings.dat carry as
// harmlessly as the original text.
std::string toAscii(const std::u16string& text)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (const char16_t unit : text) {
        ascii.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return ascii;
}

// The option bytes are read as C Booleans: any value but 0 is set. Byte 3
// (changeTimezone) is carried only.
firewall::RuleOptions ruleOptions(const servicepipe::FirewallOptions& options)
{
    firewall::RuleOptions rules;
    rules.killConnect = options.killConnect != 0;
    rules.iPv6LeakProtect = options.iPv6LeakProtect != 0;
    rules.allowLocalDevices = options.allowLocalDevices != 0;
    rules.blockDNS = options.blockDNS != 0;
    return rules;
}

std::u16string fromAscii(const std::string& text)
{
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text) {
        wide.push_back(static_cast<unsigned char>(c));
    }
    return wide;
}

} // namespace

Dispatcher::Dispatcher(firewall::Firewall& firewall, timezones::TimezoneChanger& timezone, ProcessRunner& runner,
                       const SavedState& savedState)
    : firewall(firewall), timezone(timezone), runner(runner), savedState(savedState)
{
}

void Dispatcher::remember(const std::u16string& list)
{
    // The field may hold a list with no terminator; the list kept is one that fits
    // the buffer with its terminator, so that settings.dat reads back whole.
    addressList = list.substr(0, SavedState::maxListLength);
}

void Dispatcher::restoreSavedState()
{
    std::string list;
    if (!savedState.load(list)) {
        return;
    }
    remember(fromAscii(list));
    firewall.enable(toAscii(addressList), firewall::RuleOptions::plainKillSwitch());
}

ServiceReply Dispatcher::dispatch(const ServiceRequest& request)
{
    servicepipe::NoRights nobody;
    return dispatch(request, nobody);
}

ServiceReply Dispatcher::dispatch(const ServiceRequest& request, servicepipe::ClientRights& client)
{
    ServiceReply reply;
    switch (request.command()) {
    case static_cast<std::int32_t>(ServiceCommand::RunProcess): {
        // The flag bytes are read as C Booleans: any value but 0 is set.
        const bool wait = request.flag() != 0;
        const RunResult result = runner.run(request.commandLine(), wait, client);
        reply.ok = result.started ? 1 : 0;
        reply.value = result.started && wait ? result.exitCode : 0;
        break;
    }
    case static_cast<std::int32_t>(ServiceCommand::EnableFirewall):
    case static_cast<std::int32_t>(ServiceCommand::UpdateFirewall): {
        const std::u16string list = request.addressList();
        const firewall::RuleOptions options = ruleOptions(request.options());
        if (request.command() == static_cast<std::int32_t>(ServiceCommand::EnableFirewall)) {
            firewall.enable(toAscii(list), options);
        } else {
            firewall.update(toAscii(list), options);
        }
        remember(list);
        reply.ok = 1;
        break;
    }
    case static_cast<std::int32_t>(ServiceCommand::DisableFirewall):
        if (firewall.isSupported() && firewall.isSessionOpen()) {
            firewall.disable();
        }
        timezone.restoreIfChanged();
        reply.ok = 1;
        break;
    case static_cast<std::int32_t>(ServiceCommand::QueryFirewallSupport):
        reply.ok = firewall.isSupported() ? 1 : 0;
        break;
    case static_cast<std::int32_t>(ServiceCommand::SaveFirewallState):
        savedState.save(toAscii(addressList));
        reply.ok = 1;
        break;
    case static_cast<std::int32_t>(ServiceCommand::QueryTimezoneSupport):
        reply.ok = timezone.isSupported() ? 1 : 0;
        break;
    case static_cast<std::int32_t>(ServiceCommand::ChangeTimezone):
        if (request.flag() != 0) {
            timezone.restoreIfChanged();
        } else {
            timezone.setZone(request.zoneName());
        }
        // The support byte, whatever the change itself did.
        reply.ok = timezone.isSupported() ? 1 : 0;
        break;
    default:
        break;
    }
    return reply;
}

} // namespace service
