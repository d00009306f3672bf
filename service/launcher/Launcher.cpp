#include "launcher/Launcher.h"

#include "launcher/ConfigPolicy.h"
#include "launcher/LaunchFiles.h"
#include "launcher/OpenVpnCommandLine.h"
#include "launcher/ProcessLauncher.h"
#include "launcher/ProgramTrust.h"
#include "launcher/TextEncoding.h"
#include "launcher/WindowsCommandLine.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace launcher {

// The service's log, shared with the threads that follow OpenVPN runs; those may still
// report after the launcher is gone, and then write nothing.
class LaunchLog
{
public:
    explicit LaunchLog(std::ostream& out) : out(&out) {}

    void line(const std::string& text)
    {
        const std::lock_guard<std::mutex> hold(lock);
        if (out != nullptr) {
            *out << text << std::endl;
        }
    }

    void close()
    {
        const std::lock_guard<std::mutex> hold(lock);
        out = nullptr;
    }

private:
    std::mutex lock;
    std::ostream* out;
};

namespace {

// An OpenVPN that ends this soon after its start most likely did not accept its options.
constexpr std::chrono::seconds earlyExit(10);
constexpr std::size_t maxQuotedOutputBytes = 300;

// Passes OpenVPN's output on to the log and reports its end in one line; for an early
// end, with the first options error OpenVPN printed, which says why.
class RunReport : public ProcessWatcher
{
public:
    explicit RunReport(std::shared_ptr<LaunchLog> log) : log(std::move(log)) {}

    void started(long processId) override
    {
        pid = processId;
        start = std::chrono::steady_clock::now();
    }

    void outputLine(const std::string& line) override
    {
        log->line(line);
        const std::size_t at = line.find("Options error:");
        if (optionsError.empty() && at != std::string::npos) {
            optionsError = printable(line.substr(at));
        }
    }

    // Removed as soon as OpenVPN has ended, so that no password outlives its run; the
    // launcher's own clean-up then finds them gone.
    std::vector<std::filesystem::path> copies;

    void ended(int exitCode) override
    {
        for (const std::filesystem::path& copy : copies) {
            std::error_code ignored;
            std::filesystem::remove(copy, ignored);
        }
        std::string text =
            "RunProcess: OpenVPN process " + std::to_string(pid) + " exited with status " + std::to_string(exitCode);
        if (std::chrono::steady_clock::now() - start < earlyExit) {
            text += " within " + std::to_string(earlyExit.count()) + " s of its start";
            text += optionsError.empty() ? ", no options error seen" : "; first options error: " + optionsError;
        }
        log->line(text);
    }

private:
    // One line of the log: control characters and text beyond ASCII become '?'.
    static std::string printable(std::string text)
    {
        if (text.size() > maxQuotedOutputBytes) {
            text.resize(maxQuotedOutputBytes);
        }
        for (char& c : text) {
            if (c < 0x20 || c >= 0x7F) {
                c = '?';
            }
        }
        return text;
    }

    std::shared_ptr<LaunchLog> log;
    long pid = 0;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::string optionsError;
};

// The OpenVPN command of the DNS hook: "<hook> --state-dir <directory>". OpenVPN splits
// it at blanks and reads quotes and backslashes, so the paths may hold neither.
bool dnsHookCommand(const LaunchSettings& settings, std::u16string& command, std::string& refusal)
{
    const auto plain = [](const std::string& path) {
        return !path.empty() && path.front() == '/' &&
               path.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-") ==
                   std::string::npos;
    };
    const std::string hook = settings.dnsHook.u8string();
    const std::string directory = settings.dnsStateDirectory.u8string();
    if (!plain(hook) || !plain(directory)) {
        refusal = "the DNS hook or its state directory path cannot be passed to OpenVPN";
        return false;
    }
    if (!isTrustedProgram(settings.dnsHook)) {
        refusal = "untrusted DNS hook";
        return false;
    }
    return utf8ToUtf16(hook + " --state-dir " + directory, command);
}

std::string utf8(const std::u16string& text)
{
    std::string converted;
    return utf16ToUtf8(text, converted) ? converted : std::string("?");
}

} // namespace

Launcher::Launcher(LaunchSettings settings) : Launcher(std::move(settings), std::cout) {}

Launcher::Launcher(LaunchSettings settings, std::ostream& log)
    : settings(std::move(settings)), log(std::make_shared<LaunchLog>(log)), store(this->settings.privateDirectory)
{
}

Launcher::~Launcher()
{
    removeCopies();
    log->close();
}

LaunchResult Launcher::run(const std::u16string& commandLine, bool wait)
{
    servicepipe::OwnRights own;
    return run(commandLine, wait, own);
}

LaunchResult Launcher::run(const std::u16string& commandLine, bool wait, servicepipe::ClientRights& client)
{
    removeEndedCopies();

    OpenVpnCommandLine request;
    std::string reason;
    if (!OpenVpnCommandLine::parse(commandLine, request, reason)) {
        return refuse(reason);
    }
    std::u16string installed;
    if (!pathToUtf16(settings.openvpnProgram, installed) || installed.empty() ||
        !settings.openvpnProgram.is_absolute()) {
        return refuse("the installed OpenVPN path is not usable");
    }
    if (!isInstalledProgram(request.program, settings.openvpnProgram)) {
        return refuse("the program is not the installed OpenVPN");
    }
    if (!isTrustedProgram(settings.openvpnProgram)) {
        return refuse("untrusted program");
    }
    std::u16string hookCommand;
    if (!settings.dnsHook.empty() && !dnsHookCommand(settings, hookCommand, reason)) {
        return refuse(reason);
    }

    const ConfigFile file = readConfigFile(request.configPath, maxConfigBytes, client);
    if (!file.ok) {
        return refuse(file.refusal);
    }
    const ConfigVerdict verdict = checkConfig(file.content);
    if (!verdict.allowed) {
        return refuse(verdict.reason);
    }
    // Read like the configuration, and never repeated: the password is what keeps every
    // other local program off the management interface.
    const ConfigFile password = readConfigFile(request.passwordPath, maxManagementPasswordBytes + 2, client);
    if (!password.ok) {
        return refuse("management password file: " + password.refusal);
    }
    if (!isManagementPasswordFile(password.content)) {
        return refuse("the management password file does not hold one password line");
    }

    PrivateStore::Copy copy;
    if (!store.write(launchCopyOf(file.content), PrivateStore::Kind::Configuration, copy, reason)) {
        return refuse(reason);
    }
    PrivateStore::Copy passwordCopy;
    if (!store.write(password.content, PrivateStore::Kind::ManagementPassword, passwordCopy, reason)) {
        store.remove(copy.name);
        return refuse(reason);
    }
    const auto removeBoth = [&] {
        store.remove(copy.name);
        store.remove(passwordCopy.name);
    };
    OpenVpnCommandLine actual;
    actual.program = installed;
    actual.configPath = copy.path;
    actual.port = request.port;
    actual.passwordPath = passwordCopy.path;
    actual.hookCommand = hookCommand;
    const std::u16string line = actual.toCommandLine();
    // A path that the quoting rules would read differently (a quote in it, say) must
    // not turn into other arguments.
    if (splitWindowsCommandLine(line) != actual.arguments()) {
        removeBoth();
        return refuse("the installed OpenVPN or private directory path cannot be quoted");
    }

    if (!endEarlierRuns()) {
        removeBoth();
        return refuse("an OpenVPN started earlier did not end");
    }

    const auto report = std::make_shared<RunReport>(log);
    for (const std::u16string* path : {&copy.path, &passwordCopy.path}) {
        std::filesystem::path native;
        if (pathFromUtf16(*path, native)) {
            report->copies.push_back(native);
        }
    }
    // Written by the watcher's first call, before any line of the program's own.
    struct LaunchLine : ProcessWatcher
    {
        std::shared_ptr<RunReport> report;
        std::shared_ptr<LaunchLog> log;
        std::string text;
        void started(long processId) override
        {
            log->line(text + std::to_string(processId));
            report->started(processId);
        }
        void outputLine(const std::string& output) override { report->outputLine(output); }
        void ended(int exitCode) override { report->ended(exitCode); }
    };
    const auto watcher = std::make_shared<LaunchLine>();
    watcher->report = report;
    watcher->log = log;
    watcher->text = "RunProcess: started " + settings.openvpnProgram.u8string() + " on " + utf8(copy.path) +
                    ", management port " + std::to_string(request.port) + ", process ";
    const ProcessResult process = startProcess(line, wait, watcher);
    LaunchResult result;
    if (!process.started) {
        removeBoth();
        log->line("RunProcess: the installed OpenVPN could not be started");
        return result;
    }
    result.started = true;
    if (wait) {
        removeBoth();
        result.exitCode = process.exitCode;
    } else {
        liveCopies.push_back({copy.name, process.process});
        liveCopies.push_back({passwordCopy.name, process.process});
    }
    return result;
}

void Launcher::removeCopies()
{
    store.removeAll();
    liveCopies.clear();
}

LaunchResult Launcher::refuse(const std::string& reason)
{
    log->line("RunProcess refused: " + reason);
    LaunchResult result;
    result.refusal = reason;
    return result;
}

bool Launcher::endEarlierRuns()
{
    bool allEnded = true;
    std::vector<RunningProcess*> ended;
    for (const LiveCopy& copy : liveCopies) {
        RunningProcess* process = copy.process.get();
        if (std::find(ended.begin(), ended.end(), process) != ended.end() || process->hasEnded()) {
            continue;
        }
        log->line("RunProcess: ending the OpenVPN process started earlier");
        allEnded = process->end(settings.endGrace) && allEnded;
        ended.push_back(process);
    }
    removeEndedCopies();
    return allEnded;
}

void Launcher::removeEndedCopies()
{
    for (auto it = liveCopies.begin(); it != liveCopies.end();) {
        if (it->process->hasEnded() && store.remove(it->name)) {
            it = liveCopies.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace launcher
