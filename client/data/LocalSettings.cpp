#include "LocalSettings.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

// The store holds the account password: where it is a file (not the Windows registry),
// only its owner may read it, and its folder too, so that no moment between a rewrite
// and the mode change exposes it.
void keepOwnerOnly(QSettings& store)
{
    store.sync();
    const QString file = store.fileName();
    // What could not be written stays in memory and goes out with the next write that
    // succeeds; the file keeps what it had (it is replaced whole or not at all).
    static std::atomic<bool> failing{false};
    const bool failed = store.status() != QSettings::NoError;
    if (failed && !failing.exchange(true))
        qWarning("The settings could not be saved to %s", qPrintable(QDir::toNativeSeparators(file)));
    else if (!failed)
        failing = false;
    if (!QFile::exists(file))
        return;
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString folder = QFileInfo(file).absolutePath();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

QSharedPointer<LocalSettings> LocalSettings::instance()
{
    static const QSharedPointer<LocalSettings> store(new LocalSettings);
    return store;
}

LocalSettings::LocalSettings()
{
    resetUnlessRemembered();
}

void LocalSettings::resetUnlessRemembered()
{
    QSettings settings;
    if (!settings.value(QLatin1String(SettingsKey::rememberUser), false).toBool())
        writeDefaults(settings);
    keepOwnerOnly(settings);
}

QVariant LocalSettings::value(const QString& key) const
{
    return settings.value(key);
}

void LocalSettings::setValue(const QString& key, const QVariant& value)
{
    // Every write rewrites and flushes the whole file, the cached catalogue included;
    // a value the store already holds is left as it is.
    const QVariant current = settings.value(key);
    if (current.isValid() && current.userType() == value.userType() && current == value)
        return;
    settings.setValue(key, value);
    keepOwnerOnly(settings);
}

void LocalSettings::resetToDefaults()
{
    writeDefaults(settings);
    keepOwnerOnly(settings);
}

void LocalSettings::writeDefaults(QSettings& store)
{
    // "language", "cachedConfig" and "cachedKeys" are deliberately kept. List keys
    // get the empty text until they are next written as lists.
    const QString empty(QLatin1String(""));
    store.setValue(QLatin1String(SettingsKey::login), empty);
    store.setValue(QLatin1String(SettingsKey::password), empty);
    store.setValue(QLatin1String(SettingsKey::rememberUser), false);
    store.setValue(QLatin1String(SettingsKey::autoConnectOnStart), false);
    store.setValue(QLatin1String(SettingsKey::launchOnStart), false);
    store.setValue(QLatin1String(SettingsKey::advProtocol), QStringLiteral("tcp"));
    store.setValue(QLatin1String(SettingsKey::favoriteServersTcp), empty);
    store.setValue(QLatin1String(SettingsKey::favoriteServersUdp), empty);
    store.setValue(QLatin1String(SettingsKey::favoriteServersSsl), empty);
    store.setValue(QLatin1String(SettingsKey::lastLocationId), empty);
    store.setValue(QLatin1String(SettingsKey::cachedServers), empty);
    store.setValue(QLatin1String(SettingsKey::cachedCertif), empty);
    store.setValue(QLatin1String(SettingsKey::cachedUsers), empty);
    store.setValue(QLatin1String(SettingsKey::killConnect), false);
    store.setValue(QLatin1String(SettingsKey::flag), 1);
    store.setValue(QLatin1String(SettingsKey::iPv6LeakProtect), true);
    store.setValue(QLatin1String(SettingsKey::allowLocalDevices), false);
    store.setValue(QLatin1String(SettingsKey::changeTimezone), false);
    store.setValue(QLatin1String(SettingsKey::vpnLogin), empty);
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
