#include "LocalSettings.h"

QSharedPointer<LocalSettings> LocalSettings::instance()
{
    static const QSharedPointer<LocalSettings> store(new LocalSettings);
    return store;
}

LocalSettings::LocalSettings(QObject* parent) : QObject(parent)
{
    if (!settings.value(QLatin1String(SettingsKey::rememberUser), false).toBool())
        resetToDefaults();
}

QVariant LocalSettings::value(const QString& key) const
{
    return settings.value(key);
}

void LocalSettings::setValue(const QString& key, const QVariant& value)
{
    settings.setValue(key, value);
}

void LocalSettings::resetToDefaults()
{
    // "language", "cachedConfig" and "cachedKeys" are deliberately kept. List keys
    // get the empty text until they are next written as lists.
    const QString empty(QLatin1String(""));
    setValue(QLatin1String(SettingsKey::login), empty);
    setValue(QLatin1String(SettingsKey::password), empty);
    setValue(QLatin1String(SettingsKey::rememberUser), false);
    setValue(QLatin1String(SettingsKey::autoConnectOnStart), false);
    setValue(QLatin1String(SettingsKey::launchOnStart), false);
    setValue(QLatin1String(SettingsKey::advProtocol), QStringLiteral("tcp"));
    setValue(QLatin1String(SettingsKey::favoriteServersTcp), empty);
    setValue(QLatin1String(SettingsKey::favoriteServersUdp), empty);
    setValue(QLatin1String(SettingsKey::favoriteServersSsl), empty);
    setValue(QLatin1String(SettingsKey::lastLocationId), empty);
    setValue(QLatin1String(SettingsKey::cachedServers), empty);
    setValue(QLatin1String(SettingsKey::cachedCertif), empty);
    setValue(QLatin1String(SettingsKey::cachedUsers), empty);
    setValue(QLatin1String(SettingsKey::killConnect), false);
    setValue(QLatin1String(SettingsKey::flag), 1);
    setValue(QLatin1String(SettingsKey::iPv6LeakProtect), true);
    setValue(QLatin1String(SettingsKey::allowLocalDevices), false);
    setValue(QLatin1String(SettingsKey::changeTimezone), false);
    setValue(QLatin1String(SettingsKey::vpnLogin), empty);
}

bool LocalSettings::isLiteAccount() const
{
    return (value(QLatin1String(SettingsKey::flag)).toInt() & 1) != 0;
}

void LocalSettings::setLiteAccount(bool lite)
{
    int flag = value(QLatin1String(SettingsKey::flag)).toInt();
    if (lite)
        flag |= 1;
    else
        flag &= ~1;
    setValue(QLatin1String(SettingsKey::flag), flag);
}
