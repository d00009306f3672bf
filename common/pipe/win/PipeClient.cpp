#include "pipe/PipeClient.h"

#include "pipe/win/WideText.h"

#include <windows.h>

namespace servicepipe {

namespace {


HANDLE openPipe(const std::wstring& name)
{
    return CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

} // namespace

PipeClient::Result PipeClient::exchange(const ServiceRequest& request, ServiceReply& reply) const
{
    // Open; when that fails (busy or absent), wait for an instance once and open once
    // more. The reply time-out does not apply: the read is plain and synchronous.
    const std::wstring name = widen(endpoint);
    HANDLE pipe = openPipe(name);
    if (pipe == INVALID_HANDLE_VALUE) {
        if (!WaitNamedPipeW(name.c_str(), static_cast<DWORD>(connectTimeout.count()))) {
            return Result::Unreachable;
        }
        pipe = openPipe(name);
        if (pipe == INVALID_HANDLE_VALUE) {
            return Result::Unreachable;
        }
    }

    const auto& bytes = request.bytes();
    DWORD count = 0;
    if (!WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) || count != bytes.size()) {
        CloseHandle(pipe);
        return Result::Failed;
    }
    std::uint8_t answer[replySize] = {};
    if (!ReadFile(pipe, answer, sizeof answer, &count, nullptr) || count != replySize) {
        CloseHandle(pipe);
        return Result::Failed;
    }
    CloseHandle(pipe);
    reply = ServiceReply::fromBytes(answer, replySize);
    return Result::Replied;
}

} // namespace servicepipe
