#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// Runs the real quarnel-service inside a network namespace of its own, on a socket,
// state directory and time-zone root in a temporary directory, and follows what it
// tells systemd through a notify socket of the test's own.
class DaemonProcess
{
public:
    struct Paths
    {
        std::string socket;
        std::string stateDir;
        std::string timezoneRoot;
        std::string notifySocket;
        std::string log;
        std::string openvpn; // the program RunProcess may start
    };

    DaemonProcess(std::string namespaceName, Paths paths);
    ~DaemonProcess();

    DaemonProcess(const DaemonProcess&) = delete;
    DaemonProcess& operator=(const DaemonProcess&) = delete;

    // Starts the daemon and waits for READY=1; false when it does not come.
    bool start();
    // SIGTERM, then waits for the exit; the exit status, or -1 when it did not end
    // within the time-out (the process is then killed).
    int stop(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool running() const { return pid > 0; }
    pid_t processId() const { return pid; }
    // The process has not ended yet (it is not reaped by this).
    bool alive() const;

    // Waits for an sd_notify message containing text; false when none came in time.
    bool waitForNotification(const std::string& text, std::chrono::milliseconds timeout);
    // Every sd_notify message received so far, in order.
    std::vector<std::string> notifications();
    std::string log() const;

private:
    bool receive(std::chrono::milliseconds timeout, std::string& message);

    std::string namespaceName;
    Paths paths;
    int notifyFd = -1;
    pid_t pid = -1;
    std::vector<std::string> messages;
};

// Runs a program to its end; its standard output in output; the exit status, or -1.
int runProgram(const std::vector<std::string>& arguments, std::string* output = nullptr);
