#include "pipe/PipeServer.h"

#include "pipe/ServiceRequest.h"

#include "pipe/win/PipeClientRights.h"
#include "pipe/win/WideText.h"

#include <windows.h>

#include <cstdio>
#include <utility>

namespace servicepipe {

namespace {

} // namespace

struct PipeServer::Native
{
    HANDLE pipe = INVALID_HANDLE_VALUE;
    HANDLE connectEvent = nullptr;
    HANDLE ioEvent = nullptr;
    OVERLAPPED connectOverlapped = {};
    SECURITY_DESCRIPTOR descriptor = {};
    PipeClientRights client;
    bool connected = false;
};

PipeServer::PipeServer(std::string endpoint, const StopEvent& stopEvent)
    : endpoint(std::move(endpoint)), stopEvent(stopEvent), native(std::make_unique<Native>())
{
}

PipeServer::~PipeServer()
{
    close();
}

bool PipeServer::open()
{
    // A present but null DACL: every local user may connect. Remote clients are
    // refused, as nothing on the network has business with this pipe.
    if (!InitializeSecurityDescriptor(&native->descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&native->descriptor, TRUE, nullptr, FALSE)) {
        return false;
    }
    SECURITY_ATTRIBUTES attributes = {};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = &native->descriptor;
    attributes.bInheritHandle = TRUE;

    native->pipe = CreateNamedPipeW(widen(endpoint).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                    PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                    PIPE_UNLIMITED_INSTANCES, requestSize, requestSize, 0, &attributes);
    if (native->pipe == INVALID_HANDLE_VALUE) {
        std::printf("CreateNamedPipe failed (%lu)\n", GetLastError());
        return false;
    }
    native->connectEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    native->ioEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (native->connectEvent == nullptr || native->ioEvent == nullptr) {
        close();
        return false;
    }
    return true;
}

ServerTransport::Wait PipeServer::waitForClient()
{
    native->connectOverlapped = {};
    native->connectOverlapped.hEvent = native->connectEvent;
    if (!ConnectNamedPipe(native->pipe, &native->connectOverlapped)) {
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED) {
            // A client that came between the creation and this call is connected
            // already, and no completion will signal the event for it.
            SetEvent(native->connectEvent);
        } else if (error != ERROR_IO_PENDING) {
            // No connect is pending (a client came and went): nothing would ever
            // signal the event, so the instance is reset and the caller starts over.
            DisconnectNamedPipe(native->pipe);
            return stopEvent.isSet() ? Wait::Stopped : Wait::Failed;
        }
    }
    const HANDLE events[2] = {reinterpret_cast<HANDLE>(stopEvent.native()), native->connectEvent};
    const DWORD which = WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (which == WAIT_OBJECT_0) {
        // The pending connect must not outlive the OVERLAPPED it writes to.
        CancelIoEx(native->pipe, &native->connectOverlapped);
        DWORD ignored = 0;
        GetOverlappedResult(native->pipe, &native->connectOverlapped, &ignored, TRUE);
        return Wait::Stopped;
    }
    if (which != WAIT_OBJECT_0 + 1) {
        return Wait::Failed;
    }
    native->connected = true;
    native->client.attach(native->pipe);
    return Wait::Connected;
}

bool PipeServer::readRequest(std::uint8_t* buffer, std::size_t size, std::size_t& received)
{
    received = 0;
    OVERLAPPED overlapped = {};
    overlapped.hEvent = native->ioEvent;
    DWORD count = 0;
    if (!ReadFile(native->pipe, buffer, static_cast<DWORD>(size), &count, &overlapped)) {
        if (GetLastError() != ERROR_IO_PENDING) {
            return false;
        }
        // A client that sends nothing must not hold the only instance for ever.
        if (WaitForSingleObject(native->ioEvent, static_cast<DWORD>(requestTimeout.count())) != WAIT_OBJECT_0) {
            CancelIoEx(native->pipe, &overlapped);
            GetOverlappedResult(native->pipe, &overlapped, &count, TRUE);
            return false;
        }
        if (!GetOverlappedResult(native->pipe, &overlapped, &count, TRUE)) {
            return false;
        }
    }
    received = count;
    return true;
}

bool PipeServer::writeReply(const std::uint8_t* data, std::size_t size)
{
    OVERLAPPED overlapped = {};
    overlapped.hEvent = native->ioEvent;
    DWORD count = 0;
    if (!WriteFile(native->pipe, data, static_cast<DWORD>(size), &count, &overlapped)) {
        if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(native->pipe, &overlapped, &count, TRUE)) {
            return false;
        }
    }
    return count == size;
}

ClientRights& PipeServer::clientRights()
{
    return native->client;
}

void PipeServer::disconnect()
{
    if (native->pipe == INVALID_HANDLE_VALUE) {
        return;
    }
    FlushFileBuffers(native->pipe);
    DisconnectNamedPipe(native->pipe);
    native->connected = false;
    native->client.clear();
}

void PipeServer::close()
{
    if (native->pipe != INVALID_HANDLE_VALUE) {
        CancelIoEx(native->pipe, nullptr);
        CloseHandle(native->pipe);
        native->pipe = INVALID_HANDLE_VALUE;
    }
    if (native->connectEvent != nullptr) {
        CloseHandle(native->connectEvent);
        native->connectEvent = nullptr;
    }
    if (native->ioEvent != nullptr) {
        CloseHandle(native->ioEvent);
        native->ioEvent = nullptr;
    }
}

} // namespace servicepipe
