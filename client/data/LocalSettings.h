#pragma once

#include <QObject>
#include <QSettings>
#include <QSharedPointer>
#include <QString>
#include <QVariant>

// Names of every key of the settings store. Readers apply their own default when a
// key is absent (value() gives an invalid QVariant).
namespace SettingsKey {
inline constexpr char login[] = "login";
inline constexpr char password[] = "password";
inline constexpr char rememberUser[] = "rememberUser";
inline constexpr char autoConnectOnStart[] = "autoConnectOnStart";
inline constexpr char launchOnStart[] = "launchOnStart";
inline constexpr char advProtocol[] = "advProtocol";
inline constexpr char lastLocationId[] = "lastLocationId";
inline constexpr char vpnLogin[] = "vpnLogin";
inline constexpr char killConnect[] = "killConnect";
inline constexpr char iPv6LeakProtect[] = "iPv6LeakProtect";
inline constexpr char allowLocalDevices[] = "allowLocalDevices";
inline constexpr char changeTimezone[] = "changeTimezone";
inline constexpr char language[] = "language";
inline constexpr char flag[] = "flag";
inline constexpr char favoriteServersTcp[] = "favoriteServersTcp";
inline constexpr char favoriteServersUdp[] = "favoriteServersUdp";
inline constexpr char favoriteServersSsl[] = "favoriteServersSsl";
inline constexpr char cachedServers[] = "cachedServers";
inline constexpr char cachedUsers[] = "cachedUsers";
inline constexpr char cachedConfig[] = "cachedConfig";
inline constexpr char cachedCertif[] = "cachedCertif";
inline constexpr char cachedKeys[] = "cachedKeys";
} // namespace SettingsKey

// The client's persistent store: QSettings in user scope under the application's
// organisation and name. Unless the user asked to be remembered, every start begins
// from the defaults (credentials, switches, favourites and the server cache). There is
// one store per process, so that the start check runs once: a second store would
// run it again and could wipe what the running client just stored.
class LocalSettings : public QObject
{
    Q_OBJECT

public:
    // The process-wide store, created (and checked) on first use. Needs the
    // application's organisation and name to be set.
    static QSharedPointer<LocalSettings> instance();

    // The start check on the stored settings: back to the defaults unless "rememberUser"
    // is set. instance() runs it once; tests run it to start over.
    static void resetUnlessRemembered();

    LocalSettings(const LocalSettings&) = delete;
    LocalSettings& operator=(const LocalSettings&) = delete;

    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);

    void resetToDefaults();

    // Bit 0 of "flag".
    bool isLiteAccount() const;
    void setLiteAccount(bool lite);

private:
    LocalSettings();

    static void writeDefaults(QSettings& store);

    QSettings settings;
};
