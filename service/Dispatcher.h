#pragma once

#include "ProcessRunner.h"
#include "SavedState.h"

#include "firewall/Firewall.h"
#include "pipe/ServiceReply.h"
#include "pipe/ServiceRequest.h"
#include "timezone/TimezoneChanger.h"

#include <string>

namespace service {

// Carries out one request and builds its reply, and owns the address list that
// SaveFirewallState writes. The service's worker thread is its only caller.
class Dispatcher
{
public:
    Dispatcher(firewall::Firewall& firewall, timezones::TimezoneChanger& timezone, ProcessRunner& runner,
               const SavedState& savedState);

    // Brings back the kill switch of a saved list, once: the file is deleted.
    void restoreSavedState();

    // client: the rights of the request's sender, for the files it names.
    servicepipe::ServiceReply dispatch(const servicepipe::ServiceRequest& request, servicepipe::ClientRights& client);
    // A request of no known sender: nothing is opened in its name.
    servicepipe::ServiceReply dispatch(const servicepipe::ServiceRequest& request);

    const std::u16string& savedAddressList() const { return addressList; }

private:
    void remember(const std::u16string& list);

    firewall::Firewall& firewall;
    timezones::TimezoneChanger& timezone;
    ProcessRunner& runner;
    const SavedState& savedState;
    std::u16string addressList;
};

} // namespace service
