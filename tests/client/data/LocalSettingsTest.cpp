#include <QFileInfo>
#include <QSettings>
#include <QtTest>

#include "SettingsSandbox.h"
#include "data/LocalSettings.h"

#include <memory>

namespace {

// What resetToDefaults leaves under each key it writes.
const QVariantMap& resetValues()
{
    static const QVariantMap values{
        {SettingsKey::login, QString()},
        {SettingsKey::password, QString()},
        {SettingsKey::rememberUser, false},
        {SettingsKey::autoConnectOnStart, false},
        {SettingsKey::launchOnStart, false},
        {SettingsKey::advProtocol, QStringLiteral("tcp")},
        {SettingsKey::favoriteServersTcp, QString()},
        {SettingsKey::favoriteServersUdp, QString()},
        {SettingsKey::favoriteServersSsl, QString()},
        {SettingsKey::lastLocationId, QString()},
        {SettingsKey::cachedServers, QString()},
        {SettingsKey::cachedCertif, QString()},
        {SettingsKey::cachedUsers, QString()},
        {SettingsKey::killConnect, false},
        {SettingsKey::flag, 1},
        {SettingsKey::iPv6LeakProtect, true},
        {SettingsKey::allowLocalDevices, false},
        {SettingsKey::changeTimezone, false},
        {SettingsKey::vpnLogin, QString()},
    };
    return values;
}

// A value of the same kind as the reset one, but different from it.
QVariant changed(const QVariant& resetValue)
{
    if (resetValue.type() == QVariant::Bool)
        return !resetValue.toBool();
    if (resetValue.type() == QVariant::Int)
        return 6;
    return QStringLiteral("user data");
}

// QSettings hands values back as text once they went through the file, so compare
// as the readers of the store do.
void compareValue(const QVariant& actual, const QVariant& expected, const QString& key)
{
    QVERIFY2(actual.isValid(), qPrintable(key));
    if (expected.type() == QVariant::Bool)
        QVERIFY2(actual.toBool() == expected.toBool(), qPrintable(key));
    else if (expected.type() == QVariant::Int)
        QVERIFY2(actual.toInt() == expected.toInt(), qPrintable(key));
    else
        QVERIFY2(actual.toString() == expected.toString(), qPrintable(key));
}

void writeRaw(const QVariantMap& values)
{
    QSettings settings;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
}

} // namespace

class LocalSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    // Declared first, so that Qt Test runs it first: the process's store is made in it.
    void firstUseChecksOnce();
    void freshInstall();
    void resetWritesOnlyItsKeys();
    void resetKeepsLanguageAndCaches();
    void rememberedUserKeepsEverything();
    void liteAccount_data();
    void liteAccount();
    void absentKeyIsInvalid();
    // Windows keeps the store in the user's registry hive, which has no such bits.
#ifdef Q_OS_UNIX
    void storeIsReadableByItsOwnerOnly();
#endif

private:
    std::unique_ptr<SettingsSandbox> sandbox;
};

void LocalSettingsTest::initTestCase()
{
    sandbox = std::make_unique<SettingsSandbox>();
    QVERIFY2(sandbox->isIsolated(), qPrintable(sandbox->settingsFile()));
}

void LocalSettingsTest::init()
{
    SettingsSandbox::clear();
}

void LocalSettingsTest::cleanupTestCase()
{
    // Nothing left for the shared store to write at exit, after the sandbox is gone.
    QSettings().sync();
}

void LocalSettingsTest::firstUseChecksOnce()
{
    writeRaw({{SettingsKey::login, QStringLiteral("bob")}, {SettingsKey::language, QStringLiteral("de")}});
    const QSharedPointer<LocalSettings> first = LocalSettings::instance();
    QVERIFY(first);
    QVERIFY2(first->value(SettingsKey::login).toString().isEmpty(), "not remembered: the first use resets");
    QCOMPARE(first->value(SettingsKey::language).toString(), QStringLiteral("de"));

    // What the running client stores is never wiped by a later use.
    first->setValue(SettingsKey::login, QStringLiteral("alice"));
    first->setValue(SettingsKey::cachedServers, QStringList{QStringLiteral("vpn1::Spain")});
    const QSharedPointer<LocalSettings> again = LocalSettings::instance();
    QCOMPARE(again.data(), first.data());
    QCOMPARE(QSettings().value(SettingsKey::login).toString(), QStringLiteral("alice"));
    QCOMPARE(QSettings().value(SettingsKey::cachedServers).toStringList(), QStringList{QStringLiteral("vpn1::Spain")});
}

void LocalSettingsTest::freshInstall()
{
    LocalSettings::resetUnlessRemembered();
    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    QCOMPARE(store->value(SettingsKey::advProtocol).toString(), QStringLiteral("tcp"));
    QCOMPARE(store->value(SettingsKey::iPv6LeakProtect).toBool(), true);
    QVERIFY(store->isLiteAccount());
    QCOMPARE(store->value(SettingsKey::rememberUser).toBool(), false);
    QVERIFY(store->value(SettingsKey::login).toString().isEmpty());
    // The network manager reads this as one record with empty fields.
    QCOMPARE(store->value(SettingsKey::cachedServers).toStringList(), QStringList{QString()});
}

void LocalSettingsTest::resetWritesOnlyItsKeys()
{
    LocalSettings::resetUnlessRemembered();
    QSettings raw;
    QStringList written = raw.allKeys();
    written.sort();
    QCOMPARE(written, resetValues().keys());
    for (auto it = resetValues().cbegin(); it != resetValues().cend(); ++it)
        compareValue(raw.value(it.key()), it.value(), it.key());
}

void LocalSettingsTest::resetKeepsLanguageAndCaches()
{
    QVariantMap before;
    for (auto it = resetValues().cbegin(); it != resetValues().cend(); ++it)
        before.insert(it.key(), changed(it.value()));
    const QVariantMap kept{{SettingsKey::language, QStringLiteral("de")},
                           {SettingsKey::cachedConfig, QByteArray("client\ndev tun\n")},
                           {SettingsKey::cachedKeys, QByteArray("\0\0\0\1key", 7)},
                           {QStringLiteral("unrelated"), 17},
                           {QStringLiteral("window/geometry"), QStringLiteral("100x200")}};
    writeRaw(before);
    writeRaw(kept);
    QStringList keysBefore = QSettings().allKeys();

    LocalSettings::resetUnlessRemembered();
    // Also when called on the live store.
    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    store->setValue(SettingsKey::login, QStringLiteral("again"));
    store->resetToDefaults();

    QSettings raw;
    QCOMPARE(raw.allKeys(), keysBefore);
    for (auto it = resetValues().cbegin(); it != resetValues().cend(); ++it)
        compareValue(raw.value(it.key()), it.value(), it.key());
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        QCOMPARE(raw.value(it.key()), it.value());
}

void LocalSettingsTest::rememberedUserKeepsEverything()
{
    QVariantMap stored;
    for (auto it = resetValues().cbegin(); it != resetValues().cend(); ++it)
        stored.insert(it.key(), changed(it.value()));
    stored.insert(SettingsKey::rememberUser, true);
    stored.insert(SettingsKey::favoriteServersTcp, QStringList{"vpn1::Spain", "vpn1::Italy"});
    stored.insert(SettingsKey::cachedCertif, QByteArray("\0\0\0\0", 4));
    writeRaw(stored);

    LocalSettings::resetUnlessRemembered();
    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        QCOMPARE(store->value(it.key()), it.value());
    QVERIFY(!store->isLiteAccount());
}

void LocalSettingsTest::liteAccount_data()
{
    QTest::addColumn<QVariant>("flag");
    QTest::addColumn<bool>("lite");
    QTest::addColumn<int>("expected");

    QTest::newRow("3, full") << QVariant(3) << false << 2;
    QTest::newRow("absent, lite") << QVariant() << true << 1;
    QTest::newRow("absent, full") << QVariant() << false << 0;
    QTest::newRow("2, lite") << QVariant(2) << true << 3;
    QTest::newRow("1, full") << QVariant(1) << false << 0;
    QTest::newRow("5, lite") << QVariant(5) << true << 5;
    QTest::newRow("stored as text") << QVariant(QStringLiteral("6")) << true << 7;
}

void LocalSettingsTest::liteAccount()
{
    QFETCH(QVariant, flag);
    QFETCH(bool, lite);
    QFETCH(int, expected);

    writeRaw({{SettingsKey::rememberUser, true}});
    if (flag.isValid())
        writeRaw({{SettingsKey::flag, flag}});

    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    QCOMPARE(store->isLiteAccount(), flag.isValid() && (flag.toInt() & 1) != 0);
    store->setLiteAccount(lite);
    QCOMPARE(store->value(SettingsKey::flag).toInt(), expected);
    QCOMPARE(store->isLiteAccount(), lite);
    QCOMPARE(QSettings().value(SettingsKey::flag).toInt(), expected);
}

void LocalSettingsTest::absentKeyIsInvalid()
{
    LocalSettings::resetUnlessRemembered();
    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    QVERIFY(!store->value(SettingsKey::language).isValid());
    QVERIFY(!store->value(SettingsKey::cachedKeys).isValid());
    store->setValue(SettingsKey::language, QStringLiteral("fr"));
    QCOMPARE(QSettings().value(SettingsKey::language).toString(), QStringLiteral("fr"));
}

#ifdef Q_OS_UNIX
// The file holds the account password.
void LocalSettingsTest::storeIsReadableByItsOwnerOnly()
{
    const QSharedPointer<LocalSettings> store = LocalSettings::instance();
    store->setValue(SettingsKey::password, QStringLiteral("secret"));
    const QFileInfo file(QSettings().fileName());
    QVERIFY(file.exists());
    QCOMPARE(file.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(QFileInfo(file.absolutePath()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
             QFileDevice::Permissions());
}
#endif

QTEST_GUILESS_MAIN(LocalSettingsTest)
#include "LocalSettingsTest.moc"
