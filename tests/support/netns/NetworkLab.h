#pragma once

#include <string>

// Two private network namespaces joined by veth links, for tests that send real packets:
//
//   near (the machine under test)            far (the rest of the world)
//   veth0 198.51.100.1/24  fd00:51::1/64 ---- veth1 198.51.100.2 .3  fd00:51::2
//         192.168.77.1/24                           192.168.77.2
//         10.0.7.1/24                               10.0.7.2
//         10.10.1.1/24                              10.10.1.2
//   tun0  100.64.0.1/24    fd00:64::1/64 ---- tunpeer 100.64.0.2     fd00:64::2
//
// tun0 is a veth named like an OpenVPN device, so traffic "through the tunnel" reaches a
// listener. Everything is created inside the namespaces; deleting them removes it all.
class NetworkLab
{
public:
    // Empty when a lab can be built here, else the reason it cannot.
    static std::string unavailableReason();

    // `tag` (a lowercase letter) tells apart several labs of one process.
    explicit NetworkLab(char tag = 0);
    ~NetworkLab();

    NetworkLab(const NetworkLab&) = delete;
    NetworkLab& operator=(const NetworkLab&) = delete;

    bool ok() const { return error.empty(); }
    const std::string& failure() const { return error; }

    const std::string& nearName() const { return near; }
    const std::string& farName() const { return far; }
    int nearFd() const { return nearNamespace; }
    int farFd() const { return farNamespace; }

private:
    bool ip(const std::string& arguments);

    std::string near;
    std::string far;
    std::string error;
    int nearNamespace = -1;
    int farNamespace = -1;
};
