#pragma once

#include "platform/ConnectionType.h"

#include <windows.h>

#include <ras.h>

#include <string>
#include <vector>

namespace win32 {

// One device that RAS can dial through.
struct RasDevice
{
    std::wstring type;
    std::wstring name;
};

// The Win32 half of the PPTP/L2TP dialer: the phone-book entry "Quarnel" in the
// default phone book, its dial parameters, the asynchronous dial and its
// hang-up. Every call returns the RAS result code (0 on success) so that the
// caller can log it.
class RasDialer
{
public:
    // What the dial notification asks the front to do on its own thread.
    enum Event
    {
        NoEvent = 0,
        ConnectedEvent = 1001,
        FailedEvent = 1002
    };

    struct Notification
    {
        std::wstring status;
        Event event = NoEvent;
    };

    static const wchar_t* const entryName;
    // L2TP pre-shared key of the servers (three lower-case letters).
    static const wchar_t* const preSharedKey;

    // Fills `devices` with every RAS device; on failure leaves it empty.
    static DWORD enumDevices(std::vector<RasDevice>& devices);
    // Index of the first device whose type contains "vpn" in any case, or -1.
    static int findVpnDevice(const std::vector<RasDevice>& devices);

    // The entry for PPTP or L2TP. Other types get the common fields only: no options,
    // strategy or second options.
    static RASENTRYW phoneBookEntry(ConnectionType connectionType, const std::wstring& address,
                                    const RasDevice& device);
    static DWORD writeEntry(const RASENTRYW& entry);
    static DWORD writePreSharedKey();

    // Texts longer than the RAS fields are cut to fit, always terminated.
    static RASDIALPARAMSW dialParams(const std::wstring& userName, const std::wstring& password);
    static DWORD writeDialParams(const RASDIALPARAMSW& params);

    // Starts the asynchronous dial; `notify` runs on a RAS thread for every
    // state. On failure `handle` is null: a half-made connection is hung up
    // first.
    static DWORD dial(const RASDIALPARAMSW& params, RASDIALFUNC notify, HRASCONN& handle);
    // Hangs up and returns once RAS has released the connection (its status query
    // stops answering), polling every millisecond; gives up after `limitMs` so that a
    // RAS that never lets go cannot hold the caller for ever.
    static void hangUp(HRASCONN handle, DWORD limitMs = 30000);
    // ERROR_INVALID_HANDLE once the connection is gone.
    static DWORD connectionStatus(HRASCONN handle);
    // Bytes received and sent on sub-entry 1.
    static DWORD linkStatistics(HRASCONN handle, DWORD& received, DWORD& sent);

    // Name of a RASCONNSTATE value, or nullptr for a value the dialer does not
    // name.
    static const wchar_t* stateName(unsigned state);
    // The system's text for a RAS error code (at most 1024 characters).
    static std::wstring errorText(DWORD code);
    // The new status text after one notification and the event to post for it.
    static Notification notification(const std::wstring& status, unsigned state, DWORD error,
                                     const std::wstring& errorText);
};

} // namespace win32
