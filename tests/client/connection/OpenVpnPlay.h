#pragma once

#include "FakeService.h"
#include "ManagementPeer.h"

#include "pipe/ServiceCommand.h"
#include "pipe/ServiceRequest.h"

#include <QRegularExpression>
#include <QString>
#include <QTest>

#include <memory>
#include <vector>

// Plays OpenVPN for the launches the stand-in service receives: listens on the
// management port of the next RunProcess command line, answers the credential queries,
// then comes up or refuses the password. Refusing, it hangs up at once, or, as real
// OpenVPN does while it says goodbye to the server, stays until the test hangs up.
class OpenVpnPlay
{
public:
    explicit OpenVpnPlay(FakeService& service) : service(service) {}

    std::vector<servicepipe::ServiceRequest> requests(servicepipe::ServiceCommand command)
    {
        std::vector<servicepipe::ServiceRequest> found;
        for (const auto& bytes : service.received()) {
            const auto request = servicepipe::ServiceRequest::fromBytes(bytes.data(), bytes.size());
            if (request.command() == static_cast<std::int32_t>(command))
                found.push_back(request);
        }
        return found;
    }

    bool playLaunch(bool succeed, bool hangUpAfterRefusal = true)
    {
        using servicepipe::ServiceCommand;
        if (!QTest::qWaitFor([this] { return requests(ServiceCommand::RunProcess).size() > launchesPlayed; }, 10000))
            return false;
        const auto launch = requests(ServiceCommand::RunProcess).at(launchesPlayed++);
        const QRegularExpressionMatch port = QRegularExpression(QStringLiteral(" --management 127\\.0\\.0\\.1 (\\d+) "))
                                                 .match(QString::fromStdU16String(launch.commandLine()));
        peer = std::make_unique<ManagementPeer>();
        if (!port.hasMatch() || !peer->listen(port.captured(1).toInt()) || !peer->accept())
            return false;
        peer->say(">PASSWORD:Need 'Auth' username/password\r\n");
        for (const QByteArray query : {"username", "password"}) {
            if (!QTest::qWaitFor([this, query] { return peer->heard().contains(query + " \"Auth\""); }, 10000))
                return false;
            peer->say("SUCCESS: 'Auth' " + query + " entered, but not yet verified\r\n");
        }
        if (succeed) {
            peer->say(">STATE:1,CONNECTED,SUCCESS,10.8.0.6,10.0.0.1,1194,,\n");
        } else {
            // As OpenVPN does: it reports the refusal and exits.
            peer->say(">PASSWORD:Verification Failed: 'Auth' ['AUTH: Received control message: AUTH_FAILED']\r\n");
            if (hangUpAfterRefusal)
                peer->hangUp();
        }
        return true;
    }

    std::unique_ptr<ManagementPeer> peer;
    std::size_t launchesPlayed = 0;

private:
    FakeService& service;
};
