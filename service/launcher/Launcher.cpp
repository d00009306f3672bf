#include "launcher/Launcher.h"

#include "launcher/ConfigPolicy.h"
#include "launcher/LaunchFiles.h"
#include "launcher/OpenVpnCommandLine.h"
#include "launcher/ProcessLauncher.h"
#include "launcher/ProgramTrust.h"
#include "launcher/WindowsCommandLine.h"

#include <iostream>
#include <utility>

namespace launcher {

Launcher::Launcher(LaunchSettings settings) : Launcher(std::move(settings), std::cout) {}

Launcher::Launcher(LaunchSettings settings, std::ostream& log)
    : settings(std::move(settings)), log(log), store(this->settings.privateDirectory)
{
}

Launcher::~Launcher()
{
    removeCopies();
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

    const ConfigFile file = readConfigFile(request.configPath, maxConfigBytes, client);
    if (!file.ok) {
        return refuse(file.refusal);
    }
    const ConfigVerdict verdict = checkConfig(file.content);
    if (!verdict.allowed) {
        return refuse(verdict.reason);
    }

    PrivateStore::Copy copy;
    if (!store.write(file.content, copy, reason)) {
        return refuse(reason);
    }
    OpenVpnCommandLine actual;
    actual.program = installed;
    actual.configPath = copy.path;
    actual.port = request.port;
    const std::u16string line = actual.toCommandLine();
    // A path that the quoting rules would read differently (a quote in it, say) must
    // not turn into other arguments.
    if (splitWindowsCommandLine(line) != actual.arguments()) {
        store.remove(copy.name);
        return refuse("the installed OpenVPN or private directory path cannot be quoted");
    }

    const ProcessResult process = startProcess(line, wait);
    LaunchResult result;
    if (!process.started) {
        store.remove(copy.name);
        log << "RunProcess: the installed OpenVPN could not be started" << std::endl;
        return result;
    }
    result.started = true;
    if (wait) {
        store.remove(copy.name);
        result.exitCode = process.exitCode;
    } else {
        liveCopies.push_back({copy.name, process.process});
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
    log << "RunProcess refused: " << reason << std::endl;
    LaunchResult result;
    result.refusal = reason;
    return result;
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
