#pragma once

#include <QSslConfiguration>
#include <QString>

// Where the client finds the web API and how it trusts it. The build fixes the
// defaults; the environment may override them so that tests and the demo can
// point the client at a local server.
namespace api {

// Base URL of the web API, without a trailing slash ("%1/connect" is built on
// it). QUARNEL_API_URL in the environment overrides the build setting.
QString apiBaseUrl();

// Plain-HTTP page fetched by the connectivity probe. QUARNEL_PROBE_URL
// overrides.
QString probeUrl();

// The one extra CA file (PEM) trusted besides the system's, or empty.
// QUARNEL_API_CA in the environment overrides the build setting.
QString apiCaFile();

// TLS settings of every request to the web API and of the update download: the
// server must present a certificate for its host name that chains to a system
// CA or to the extra CA; secure protocols only.
QSslConfiguration sslConfiguration();

} // namespace api
