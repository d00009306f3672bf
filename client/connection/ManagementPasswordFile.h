#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

// The password of one run's OpenVPN management interface and the file that hands it to
// the service, which copies it for OpenVPN while it serves the launch request: with it,
// OpenVPN asks every program that connects to its port for the password first, so only
// the client that wrote it can drive the tunnel. The password is fresh and random for
// every run, the file lives in the client's private temporary directory and goes with
// this object (or earlier, by remove, once the service has its copy).
class ManagementPasswordFile
{
public:
    // 128 random bits as hexadecimal digits: printable, without blanks, what OpenVPN
    // reads from the first line of the file.
    static constexpr int passwordLength = 32;

    ManagementPasswordFile();

    ManagementPasswordFile(const ManagementPasswordFile&) = delete;
    ManagementPasswordFile& operator=(const ManagementPasswordFile&) = delete;

    // Writes the file; false when the client has no private directory or the write fails
    // (no file is left behind then).
    bool write();
    void remove();

    QString path() const { return filePath; }
    const QByteArray& password() const { return secret; }

private:
    QByteArray secret;
    QTemporaryFile file;
    QString filePath;
};
