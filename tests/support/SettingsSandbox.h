#pragma once

#include <QString>
#include <QTemporaryDir>

// Keeps QSettings of the test process away from the user's real settings: a private
// home and configuration directory, Qt's test mode, and the application's own
// organisation and name. Create it before the first QSettings object of the process.
class SettingsSandbox
{
public:
    SettingsSandbox();

    // True when QSettings really writes inside the sandbox.
    bool isIsolated() const;
    QString settingsFile() const;

    // Empties the store, as on a fresh installation.
    static void clear();

private:
    QTemporaryDir dir;
};
