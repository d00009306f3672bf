#include "SettingsSandbox.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

SettingsSandbox::SettingsSandbox()
{
    QStandardPaths::setTestModeEnabled(true);
    // Test mode puts the configuration under $HOME/.qttest, so the home moves too.
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toLocal8Bit());
    // Windows keeps settings in the registry, which every test program would share: an
    // INI file in the sandbox stands in for it there (on Linux it is the native format).
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + QStringLiteral("/config"));
    QCoreApplication::setOrganizationName(QStringLiteral("CPKV"));
    QCoreApplication::setApplicationName(QStringLiteral("Quarnel"));
}

QString SettingsSandbox::settingsFile() const
{
    return QSettings().fileName();
}

bool SettingsSandbox::isIsolated() const
{
    return dir.isValid() && settingsFile().startsWith(dir.path() + QLatin1Char('/'));
}

void SettingsSandbox::clear()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}
