#pragma once

#include "data/ConfigServer.h"

#include <QFuture>
#include <QMutex>
#include <QString>
#include <QTemporaryFile>

// Writes the OpenVPN client configuration for one connection attempt: the
// remote lines, the downloaded configuration with the protocol's own lines
// switched on, and the certificate and key inline. One file per process, kept
// open by this object and rewritten for every attempt, inside the client's
// private temporary directory.
class MakeOVPNFile
{
public:
    MakeOVPNFile();
    ~MakeOVPNFile();

    MakeOVPNFile(const MakeOVPNFile&) = delete;
    MakeOVPNFile& operator=(const MakeOVPNFile&) = delete;

    // Plain UDP/TCP configuration: one remote line per port.
    bool makeFile(const ConfigServer& server);
    // Stealth configuration: OpenVPN talks TCP to the local stunnel endpoint.
    bool makeStealthFile(const ConfigServer& server);

    // Runs the chosen writer on the global thread pool with a copy of the record;
    // the caller watches the future and reads path() once it has finished.
    QFuture<bool> startWrite(const ConfigServer& server, bool stealth);

    // Full name of the file after the last write attempt.
    QString path() const;

private:
    bool write(const ConfigServer& server, bool stealth);

    QTemporaryFile file;
    QString filePath;
    bool ok = false;
    bool usable = false; // false when the client has no private directory to write into
    mutable QMutex lock;
    QFuture<bool> pending;
};
