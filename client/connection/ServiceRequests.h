#pragma once

#include "pipe/FirewallOptions.h"
#include "pipe/PipeClient.h"
#include "pipe/ServiceReply.h"
#include "pipe/ServiceRequest.h"

#include <QString>

#include <chrono>

// The client's requests to the privileged service: one exchange per call over the
// service pipe, blocking the calling thread. Each returns the reply's ok byte, and false
// when the service cannot be reached, the exchange fails, or a text does not fit its
// field (refused before anything is sent).

bool enableFirewall(const QString& addressList, const servicepipe::FirewallOptions& options);
bool updateFirewall(const QString& addressList, const servicepipe::FirewallOptions& options);
bool disableFirewall();
bool isFirewallSupported();
bool isTimezoneSupported();
bool changeTimezoneRequest(bool restore, const QString& zoneName);

// The step every request shares: true when the request was written and a reply read.
bool serviceExchange(const servicepipe::ServiceRequest& request, servicepipe::ServiceReply& reply);

// The same step with its outcome told apart: the service not there (or busy past the
// time-out) versus a write or read that failed once connected.
servicepipe::PipeClient::Result exchangeWithService(const servicepipe::ServiceRequest& request,
                                                    servicepipe::ServiceReply& reply);

// How long a missing or busy service is waited for (10 s unless a test shortens it).
void setServiceConnectTimeout(std::chrono::milliseconds timeout);

// The command line with which the service starts OpenVPN for the client:
// <program> --config "<config>" --management 127.0.0.1 <port> "<password file>"
//   --management-query-passwords
// Paths are given in native form; the program path is not quoted.
QString openVpnCommandLine(const QString& program, const QString& configFile, int managementPort,
                           const QString& passwordFile);
