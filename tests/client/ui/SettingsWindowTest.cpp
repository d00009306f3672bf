#include "ui/SettingsWindow.h"

#include "data/LocalSettings.h"
#include "data/VpnProtocol.h"

#include "ClientTestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QAbstractItemView>
#include <QLabel>
#include <QSettings>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestSettingsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void offersExactlyTheListedProtocolsInTableOrder();
    void unofferedStoredProtocolFallsBackAndIsSaved_data();
    void unofferedStoredProtocolFallsBackAndIsSaved();
    void switchesLoadFromTheTextTrueOnly();
    void liteAccountNeverSeesTheKillSwitchRows();
    void localDevicesRowFollowsTheKillSwitch();
    void saveWritesEverySwitchAndTheStartAtLogOn();
    void escapeSavesAndGoesBack();
    void languageIsStoredThenSystemThenEnglish_data();
    void languageIsStoredThenSystemThenEnglish();

private:
    static QStringList protocolKeys(SettingsWindow& window);
    static QString autostartEntry();
};

void TestSettingsWindow::init()
{
    LocalSettings::instance()->resetToDefaults();
}

QStringList TestSettingsWindow::protocolKeys(SettingsWindow& window)
{
    auto* proto = window.findChild<QComboBox*>(QStringLiteral("cbProto"));
    QStringList keys;
    for (int i = 0; i < proto->count(); ++i)
        keys << proto->itemData(i).toString();
    return keys;
}

QString TestSettingsWindow::autostartEntry()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart/quarnel.desktop");
}

void TestSettingsWindow::offersExactlyTheListedProtocolsInTableOrder()
{
    SettingsWindow window;
    // Given in another order than the table's, with an id the table does not know.
    window.load({VpnProtocol::Stealth, 42, VpnProtocol::Udp});
    QCOMPARE(protocolKeys(window), (QStringList{QStringLiteral("udp"), QStringLiteral("stealth")}));
    auto* proto = window.findChild<QComboBox*>(QStringLiteral("cbProto"));
    QCOMPARE(proto->itemText(0), VpnProtocol::fromKey(QStringLiteral("udp")).translatedLabel());
}

void TestSettingsWindow::unofferedStoredProtocolFallsBackAndIsSaved_data()
{
    QTest::addColumn<QList<int>>("offered");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved");
    QTest::newRow("stored one offered") << QList<int>{VpnProtocol::Tcp, VpnProtocol::Stealth} << "stealth"
                                        << "stealth";
    QTest::newRow("stored one not offered") << QList<int>{VpnProtocol::Udp, VpnProtocol::Stealth} << "tcp"
                                            << "udp";
    QTest::newRow("nothing offered") << QList<int>{} << "udp"
                                     << "";
}

void TestSettingsWindow::unofferedStoredProtocolFallsBackAndIsSaved()
{
    QFETCH(QList<int>, offered);
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    const auto settings = LocalSettings::instance();
    settings->setValue(QLatin1String(SettingsKey::advProtocol), stored);
    SettingsWindow window;
    window.load(offered);
    window.onSave();
    QCOMPARE(settings->value(QLatin1String(SettingsKey::advProtocol)).toString(), saved);
}

void TestSettingsWindow::switchesLoadFromTheTextTrueOnly()
{
    const auto settings = LocalSettings::instance();
    settings->setValue(QLatin1String(SettingsKey::autoConnectOnStart), true);
    settings->setValue(QLatin1String(SettingsKey::killConnect), QStringLiteral("True"));
    settings->setValue(QLatin1String(SettingsKey::changeTimezone), QStringLiteral("1"));
    settings->setValue(QLatin1String(SettingsKey::allowLocalDevices), QStringLiteral("true"));
    SettingsWindow window;
    window.load({VpnProtocol::Tcp});
    auto checked = [&](const char* name) { return window.findChild<QCheckBox*>(QLatin1String(name))->isChecked(); };
    QVERIFY(checked("cbAutoconnectOnStart"));
    QVERIFY(checked("cbAllowLocalDevices"));
    QVERIFY(!checked("cbKillSwitch"));
    QVERIFY(!checked("cbChangeTimezone"));
    QVERIFY(!checked("cbLaunchOnStart"));
}

void TestSettingsWindow::liteAccountNeverSeesTheKillSwitchRows()
{
    const auto settings = LocalSettings::instance();
    settings->setValue(QLatin1String(SettingsKey::killConnect), true);
    settings->setValue(QLatin1String(SettingsKey::allowLocalDevices), true);
    SettingsWindow window;
    window.load({VpnProtocol::Tcp});
    window.showForAccount(false);
    for (const char* name : {"cbKillSwitch", "lbKillSwitchDesc", "cbAllowLocalDevices", "lbAllowLocalDesc"})
        QVERIFY2(!window.findChild<QWidget*>(QLatin1String(name))->isVisible(), name);
    // Opened again after a full account signed in: the rows are back.
    window.showForAccount(true);
    for (const char* name : {"cbKillSwitch", "lbKillSwitchDesc", "cbAllowLocalDevices", "lbAllowLocalDesc"})
        QVERIFY2(window.findChild<QWidget*>(QLatin1String(name))->isVisible(), name);
    // Saving still writes what was loaded for the hidden switches.
    window.showForAccount(false);
    settings->setValue(QLatin1String(SettingsKey::killConnect), false);
    window.onSave();
    QCOMPARE(settings->value(QLatin1String(SettingsKey::killConnect)).toBool(), true);
    QCOMPARE(settings->value(QLatin1String(SettingsKey::allowLocalDevices)).toBool(), true);
}

void TestSettingsWindow::localDevicesRowFollowsTheKillSwitch()
{
    SettingsWindow window;
    window.load({VpnProtocol::Tcp});
    window.showForAccount(true);
    auto* killSwitch = window.findChild<QCheckBox*>(QStringLiteral("cbKillSwitch"));
    auto* local = window.findChild<QCheckBox*>(QStringLiteral("cbAllowLocalDevices"));
    QVERIFY(!local->isVisible());
    QSignalSpy changed(&window, &SettingsWindow::changed);
    QTest::mouseClick(killSwitch, Qt::LeftButton, {}, QPoint(8, killSwitch->height() / 2));
    QVERIFY(killSwitch->isChecked());
    QVERIFY(local->isVisible());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("lbAllowLocalDesc"))->isVisible());
    QCOMPARE(changed.count(), 1);
    killSwitch->setFocus();
    QTest::keyClick(killSwitch, Qt::Key_Space);
    QVERIFY(!local->isVisible());
}

void TestSettingsWindow::saveWritesEverySwitchAndTheStartAtLogOn()
{
    const auto settings = LocalSettings::instance();
    SettingsWindow window;
    window.load({VpnProtocol::Tcp, VpnProtocol::Udp});
    window.findChild<QCheckBox*>(QStringLiteral("cbLaunchOnStart"))->setChecked(true);
    window.findChild<QCheckBox*>(QStringLiteral("cbChangeTimezone"))->setChecked(true);
    window.findChild<QComboBox*>(QStringLiteral("cbProto"))->setCurrentIndex(1);
    window.findChild<QComboBox*>(QStringLiteral("cbLanguage"))->setCurrentIndex(1);
    settings->setValue(QLatin1String(SettingsKey::iPv6LeakProtect), false);
    QSignalSpy back(&window, &SettingsWindow::back);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("pbBack")), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QCOMPARE(settings->value(QLatin1String(SettingsKey::launchOnStart)).toString(), QStringLiteral("true"));
    QCOMPARE(settings->value(QLatin1String(SettingsKey::changeTimezone)).toString(), QStringLiteral("true"));
    QCOMPARE(settings->value(QLatin1String(SettingsKey::autoConnectOnStart)).toString(), QStringLiteral("false"));
    QCOMPARE(settings->value(QLatin1String(SettingsKey::advProtocol)).toString(), QStringLiteral("udp"));
    QCOMPARE(settings->value(QLatin1String(SettingsKey::iPv6LeakProtect)).toString(), QStringLiteral("true"));
    QCOMPARE(settings->value(QLatin1String(SettingsKey::language)).toString(), QStringLiteral("de"));
    // The password is in this file: only its owner may read it. (On Windows the store is
    // the user's registry hive; only the tests' INI file is a file there.)
#ifdef Q_OS_UNIX
    const QFileInfo file(QSettings().fileName());
    QCOMPARE(file.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif

    // The entry in the test's own configuration folder starts this very program. (On
    // Windows the start at log-on is a scheduled task in the private Wine prefix; the
    // commands that make it are checked by platform_autostarttask_test.)
#ifdef Q_OS_UNIX
    QFile entry(autostartEntry());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(entry.readAll()).contains(QCoreApplication::applicationFilePath()));
    entry.close();
#endif

    window.load({VpnProtocol::Tcp, VpnProtocol::Udp});
    window.findChild<QCheckBox*>(QStringLiteral("cbLaunchOnStart"))->setChecked(false);
    window.onSave();
#ifdef Q_OS_UNIX
    QVERIFY(!QFileInfo::exists(autostartEntry()));
#endif
}

void TestSettingsWindow::escapeSavesAndGoesBack()
{
    SettingsWindow window;
    window.load({VpnProtocol::Tcp});
    window.showForAccount(true);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy back(&window, &SettingsWindow::back);
    // Escape in an open list closes the list only.
    auto* language = window.findChild<QComboBox*>(QStringLiteral("cbLanguage"));
    language->setFocus();
    language->showPopup();
    QTRY_VERIFY(language->view()->isVisible());
    QTest::keyClick(language->view(), Qt::Key_Escape);
    QTRY_VERIFY(!language->view()->isVisible());
    QCOMPARE(back.count(), 0);

    auto* autoconnect = window.findChild<QCheckBox*>(QStringLiteral("cbAutoconnectOnStart"));
    autoconnect->setFocus();
    QTest::keyClick(autoconnect, Qt::Key_Space);
    QTest::keyClick(autoconnect, Qt::Key_Escape);
    QCOMPARE(back.count(), 1);
    QCOMPARE(LocalSettings::instance()->value(QLatin1String(SettingsKey::autoConnectOnStart)).toBool(), true);
}

void TestSettingsWindow::languageIsStoredThenSystemThenEnglish_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("code");
    QTest::newRow("stored wins") << "uk"
                                 << "de_DE"
                                 << "uk";
    QTest::newRow("Brazilian Portuguese") << ""
                                          << "pt_BR"
                                          << "pt";
    QTest::newRow("Swedish is not offered") << ""
                                            << "sv_SE"
                                            << "en";
    QTest::newRow("unknown stored code") << "xx"
                                         << "ru_RU"
                                         << "ru";
    QTest::newRow("bare language") << ""
                                   << "JA"
                                   << "ja";
    QTest::newRow("C locale") << ""
                              << "C"
                              << "en";
}

void TestSettingsWindow::languageIsStoredThenSystemThenEnglish()
{
    QFETCH(QString, stored);
    QFETCH(QString, locale);
    QFETCH(QString, code);
    QCOMPARE(SettingsWindow::languageFor(stored, locale), code);
}

int main(int argc, char* argv[])
{
    return runClientTest<TestSettingsWindow>(argc, argv);
}

#include "SettingsWindowTest.moc"
