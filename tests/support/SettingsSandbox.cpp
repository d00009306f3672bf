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
