#include "connection/ConnectWindow.h"
#include "servers/ServerListWindow.h"
#include "ui/AccountWindow.h"
#include "ui/LoginWindow.h"
#include "ui/SelectionAccountWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SubscriptionPurchaseWindow.h"
#include "update/ProgressDlg.h"
#include "widgets/ShowLog.h"

#include "api/NetworkManager.h"
#include "data/LocalSettings.h"
#include "data/PemTable.h"
#include "data/VpnProtocol.h"

#include "ClientTestMain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

#include <map>
#include <memory>
#include <utility>

namespace {

using Key = std::pair<QString, QString>; // context, source text

struct Entry
{
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished" or empty
};

using TsEntries = std::map<Key, Entry>;

TsEntries readTs(const QString& path, QString* error)
{
    TsEntries entries;
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file, error)) {
        if (error->isEmpty())
            *error = file.errorString();
        return entries;
    }
    for (QDomElement context = document.documentElement().firstChildElement(QStringLiteral("context"));
         !context.isNull(); context = context.nextSiblingElement(QStringLiteral("context"))) {
        const QString name = context.firstChildElement(QStringLiteral("name")).text();
        for (QDomElement message = context.firstChildElement(QStringLiteral("message")); !message.isNull();
             message = message.nextSiblingElement(QStringLiteral("message"))) {
            const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
            entries[{name, message.firstChildElement(QStringLiteral("source")).text()}] =
                Entry{translation.text(), translation.attribute(QStringLiteral("type"))};
        }
    }
    return entries;
}

QStringList placeholders(const QString& text)
{
    QStringList found;
    auto matches = QRegularExpression(QStringLiteral("%\\d")).globalMatch(text);
    while (matches.hasNext())
        found << matches.next().captured();
    found.sort();
    return found;
}

// A translation may read as the English only for a name or a word or two that the
// language uses as they are ("Version:", "No", "Kill switch"); a sentence left in
// English is a text nobody translated.
bool mayReadAsEnglish(const QString& source)
{
    return source.split(QLatin1Char(' '), Qt::SkipEmptyParts).size() <= 2;
}

ServerInfo location(const QString& id, const QString& flag, int group)
{
    ServerInfo server;
    server.id = id;
    server.name = id;
    server.flag = flag;
    server.user = QStringLiteral("vpnuser");
    server.group = group;
    server.tcpPorts = QStringList{QStringLiteral("443")};
    server.udpPorts = QStringList{QStringLiteral("1194")};
    server.sslPort = 443;
    server.brume = QStringLiteral("vless://x");
    server.ping = 42;
    return server;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyFileIsCompleteAndTranslated();
    void everyTextOfTheClientIsInEveryFile();
    void switchingRetranslatesEveryOpenScreen_data();
    void switchingRetranslatesEveryOpenScreen();
    void textsFitTheirWidgetsInEveryLanguage();

private:
    void select(const QString& code);
    // Widgets whose text does not fit, with what they would need.
    QStringList cutOff(QWidget* screen) const;
    QString translated(const QString& code, const char* context, const char* source) const;

    std::map<QString, TsEntries> files;
    std::unique_ptr<NetworkManager> network;
    std::unique_ptr<SettingsWindow> settings; // owns the translator
    std::vector<std::unique_ptr<QWidget>> screens;
};

void TestTranslations::initTestCase()
{
    for (const QString& code : QStringLiteral(QUARNEL_LANGUAGES).split(QLatin1Char(','))) {
        QString error;
        files[code] = readTs(QStringLiteral(QUARNEL_TRANSLATION_DIR "/Quarnel_%1.ts").arg(code), &error);
        QVERIFY2(error.isEmpty() && !files[code].empty(), qPrintable(code + QStringLiteral(": ") + error));
    }

    // A catalogue whose only login runs out in three days, so the account and the
    // connection screen show their longest texts.
    qputenv("QUARNEL_API_URL", "https://127.0.0.1:9");
    const auto store = LocalSettings::instance();
    const QByteArray pem = "-----BEGIN TEST-----\nAA==\n-----END TEST-----\n";
    store->setValue(SettingsKey::cachedCertif, PemTable::toBytes({{QStringLiteral("vpnuser"), pem}}));
    store->setValue(SettingsKey::cachedKeys, PemTable::toBytes({{QStringLiteral("vpnuser"), pem}}));
    store->setValue(SettingsKey::cachedUsers,
                    QStringList{QStringLiteral("vpnuser||secret||") +
                                QDateTime::currentDateTime().addDays(3).toString(Qt::ISODate)});
    store->setValue(SettingsKey::vpnLogin, QStringLiteral("vpnuser"));
    store->setValue(SettingsKey::killConnect, true);
    network = std::make_unique<NetworkManager>();

    settings = std::make_unique<SettingsWindow>();
    settings->load(VpnProtocol::availableProtocolIds({location(QStringLiteral("x"), QStringLiteral("de"), 1)}));
    settings->setAppVersion(QStringLiteral("3.7.0"));
    settings->showForAccount(true);

    const QList<ServerInfo> servers{location(QStringLiteral("Frankfurt am Main"), QStringLiteral("de"), 1),
                                    location(QStringLiteral("Rotterdam"), QStringLiteral("nl"), 1),
                                    location(QStringLiteral("Germany-Netherlands"), QStringLiteral("de"), 2)};
    auto connect = std::make_unique<ConnectWindow>(nullptr, nullptr, network.get());
    connect->setServers(servers);
    connect->onServerChanged(ServerIdentif(servers.first().user, servers.first().id));
    auto picker = std::make_unique<ServerListWindow>();
    picker->setServers(servers.toVector(), VpnProtocol::Udp, false);
    auto account = std::make_unique<AccountWindow>(nullptr, network.get());
    auto choice = std::make_unique<SelectionAccountWindow>();
    choice->setUsers({QStringLiteral("vpnuser"), QStringLiteral("second")});
    screens.push_back(std::make_unique<LoginWindow>());
    screens.push_back(std::move(account));
    screens.push_back(std::move(choice));
    screens.push_back(std::make_unique<SubscriptionPurchaseWindow>(nullptr, network.get()));
    screens.push_back(std::move(picker));
    screens.push_back(std::move(connect));
    screens.push_back(std::make_unique<ShowLog>());
    screens.push_back(std::make_unique<ProgressDlg>());
    for (const auto& screen : screens)
        screen->show();
}

void TestTranslations::cleanupTestCase()
{
    screens.clear();
    settings.reset();
    network.reset();
}

QString TestTranslations::translated(const QString& code, const char* context, const char* source) const
{
    const auto& entries = files.at(code);
    const auto found = entries.find({QLatin1String(context), QLatin1String(source)});
    return found == entries.end() ? QStringLiteral("<missing %1>").arg(QLatin1String(source))
                                  : found->second.translation;
}

void TestTranslations::select(const QString& code)
{
    auto* list = settings->findChild<QComboBox*>(QStringLiteral("cbLanguage"));
    list->setCurrentIndex(list->findData(code));
    // The application posts the change to every window.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void TestTranslations::everyFileIsCompleteAndTranslated()
{
    QStringList faults;
    for (const auto& [code, entries] : files) {
        for (const auto& [key, entry] : entries) {
            const QString where = QStringLiteral("%1 %2 \"%3\"").arg(code, key.first, key.second);
            if (!entry.type.isEmpty())
                faults << where + QStringLiteral(": ") + entry.type;
            else if (entry.translation.trimmed().isEmpty())
                faults << where + QStringLiteral(": empty");
            else if (placeholders(entry.translation) != placeholders(key.second))
                faults << where + QStringLiteral(": placeholders differ in \"%1\"").arg(entry.translation);
            else if (code != QLatin1String("en") && entry.translation == key.second && !mayReadAsEnglish(key.second))
                faults << where + QStringLiteral(": left in English");
        }
        const QString direction = translated(code, "QGuiApplication", "QT_LAYOUT_DIRECTION");
        if (direction != QLatin1String(code == QLatin1String("ar") ? "RTL" : "LTR"))
            faults << code + QStringLiteral(": layout direction \"%1\"").arg(direction);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestTranslations::everyTextOfTheClientIsInEveryFile()
{
    // What lupdate found in the sources and forms while building, against what every
    // file holds.
    QString error;
    const TsEntries sources = readTs(QStringLiteral(QUARNEL_EXTRACTED_TS), &error);
    QVERIFY2(error.isEmpty() && sources.size() > 50, qPrintable(error));

    QStringList missing;
    for (const auto& [code, entries] : files) {
        for (const auto& source : sources) {
            if (entries.count(source.first) == 0)
                missing << QStringLiteral("%1 %2 \"%3\"").arg(code, source.first.first, source.first.second);
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the translation files (run make translations):\n") +
                                           missing.join(QLatin1Char('\n'))));
}

void TestTranslations::switchingRetranslatesEveryOpenScreen_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("German") << "de";
    QTest::newRow("Arabic, right to left") << "ar";
    QTest::newRow("Japanese") << "ja";
    QTest::newRow("back to English") << "en";
}

void TestTranslations::switchingRetranslatesEveryOpenScreen()
{
    QFETCH(QString, code);
    select(code);
    auto text = [this](const char* screen, const char* name) {
        for (const auto& window : screens) {
            if (window->objectName() == QLatin1String(screen)) {
                if (auto* button = window->findChild<QAbstractButton*>(QLatin1String(name)))
                    return button->text();
                if (auto* label = window->findChild<QLabel*>(QLatin1String(name)))
                    return label->text();
                if (auto* edit = window->findChild<QLineEdit*>(QLatin1String(name)))
                    return edit->placeholderText();
            }
        }
        return QStringLiteral("<no %1 in %2>").arg(QLatin1String(name), QLatin1String(screen));
    };
    QCOMPARE(text("LoginWindow", "pbSignIn"), translated(code, "LoginWindow", "Login"));
    QCOMPARE(text("LoginWindow", "edPassword"), translated(code, "LoginWindow", "Password"));
    QCOMPARE(text("AccountWindow", "btRenew"), translated(code, "AccountWindow", "Renew on site"));
    QCOMPARE(text("SelectionAccountWindow", "btContinue"), translated(code, "SelectionAccountWindow", "Continue"));
    QCOMPARE(text("ServerListWindow", "pbDouble"), translated(code, "ServerListWindow", "Double VPN"));
    QCOMPARE(text("ConnectWindow", "lbStatus"), translated(code, "ConnectWindow", "You are not protected"));
    QCOMPARE(settings->findChild<QCheckBox*>(QStringLiteral("cbKillSwitch"))->text(),
             translated(code, "SettingsWindow", "Kill switch"));
    // The protocol list is filled again in the new language, keeping its choice.
    auto* proto = settings->findChild<QComboBox*>(QStringLiteral("cbProto"));
    QCOMPARE(proto->itemText(0), translated(code, "VpnProtocol", "OpenVPN TCP (safer)"));

    const Qt::LayoutDirection direction = code == QLatin1String("ar") ? Qt::RightToLeft : Qt::LeftToRight;
    QCOMPARE(settings->layoutDirection(), direction);
    for (const auto& window : screens)
        QCOMPARE(window->layoutDirection(), direction);
}

QStringList TestTranslations::cutOff(QWidget* screen) const
{
    QStringList faults;
    for (QWidget* widget : screen->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(screen))
            continue;
        QString text;
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            if (label->wordWrap()) {
                if (!text.isEmpty() && label->heightForWidth(label->width()) > label->height())
                    faults << QStringLiteral("%1 needs %2 px of height, has %3: \"%4\"")
                                  .arg(label->objectName())
                                  .arg(label->heightForWidth(label->width()))
                                  .arg(label->height())
                                  .arg(text);
                continue;
            }
            needed = label->minimumSizeHint().width();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
            needed = button->sizeHint().width();
        }
        if (!text.isEmpty() && needed > widget->width())
            faults << QStringLiteral("%1 needs %2 px, has %3: \"%4\"")
                          .arg(widget->objectName())
                          .arg(needed)
                          .arg(widget->width())
                          .arg(text);
    }
    return faults;
}

void TestTranslations::textsFitTheirWidgetsInEveryLanguage()
{
    // Set QUARNEL_SHOTS to a folder to keep a picture of every screen in every language.
    const QString shots = qEnvironmentVariable("QUARNEL_SHOTS");
    QStringList faults;
    for (const auto& [code, entries] : files) {
        select(code);
        std::vector<QWidget*> all{settings.get()};
        for (const auto& screen : screens)
            all.push_back(screen.get());
        for (QWidget* screen : all) {
            for (const QString& fault : cutOff(screen))
                faults << QStringLiteral("%1 %2 %3").arg(code, screen->objectName(), fault);
            if (!shots.isEmpty()) {
                QDir().mkpath(shots);
                screen->grab().save(QStringLiteral("%1/%2-%3.png").arg(shots, code, screen->objectName()));
            }
        }
    }
    select(QStringLiteral("en"));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

int main(int argc, char* argv[])
{
    return runClientTest<TestTranslations>(argc, argv);
}

#include "TranslationTest.moc"
