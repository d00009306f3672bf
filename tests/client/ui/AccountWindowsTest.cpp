#include "ui/AccountWindow.h"
#include "ui/SelectionAccountWindow.h"
#include "ui/SubscriptionPurchaseWindow.h"

#include "api/NetworkManager.h"
#include "data/LocalSettings.h"
#include "ui/UrlOpener.h"

#include "ClientTestMain.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestAccountWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void accountShowsTheChosenLogin_data();
    void accountShowsTheChosenLogin();
    void accountButtonsEmitTheirSignals();
    void accountLinkOpensOnlyWhileShown_data();
    void accountLinkOpensOnlyWhileShown();
    void purchaseLinkOpensOnlyWhileShown();
    void selectionReplacesChoicesAndContinuesWithOne();

private:
    // Puts the logins into the catalogue cache, chooses the first, and makes the
    // network manager that reads them.
    void seed(const QStringList& logins);
    void grab(QWidget* window, const QString& name);

    std::unique_ptr<NetworkManager> network;
    QList<QUrl> opened;
    const QDateTime expires = QDateTime(QDate(2027, 3, 14), QTime(12, 0));
};

void TestAccountWindows::initTestCase()
{
    // A buy-link request must never leave the machine; this port refuses at once.
    qputenv("QUARNEL_API_URL", "https://127.0.0.1:9");
}

void TestAccountWindows::init()
{
    opened.clear();
    setUrlOpener([this](const QUrl& url) {
        opened << url;
        return true;
    });
}

void TestAccountWindows::cleanup()
{
    setUrlOpener({});
    network.reset();
}

void TestAccountWindows::seed(const QStringList& logins)
{
    QStringList lines;
    for (const QString& login : logins)
        lines << login + "||pw||" + expires.toString(Qt::ISODate);
    const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
    settings->setValue(SettingsKey::cachedUsers, lines);
    settings->setValue(SettingsKey::vpnLogin, logins.value(0));
    network = std::make_unique<NetworkManager>();
}

void TestAccountWindows::grab(QWidget* window, const QString& name)
{
    const QString shots = QCoreApplication::applicationDirPath() + "/shots";
    QDir().mkpath(shots);
    QCoreApplication::processEvents();
    window->grab().save(shots + "/" + name + ".png");
}

void TestAccountWindows::accountShowsTheChosenLogin_data()
{
    QTest::addColumn<QStringList>("logins");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("change");
    QTest::newRow("single login") << QStringList{"vpn1001"} << "vpn1001" << false;
    QTest::newRow("several logins") << QStringList{" vpn1001 ", "vpn1002"} << "vpn1001" << true;
}

void TestAccountWindows::accountShowsTheChosenLogin()
{
    QFETCH(QStringList, logins);
    QFETCH(QString, shown);
    QFETCH(bool, change);
    seed(logins);
    AccountWindow window(nullptr, network.get());
    window.resize(340, 500);
    window.show();
    QCOMPARE(window.findChild<QLabel*>("lbLogin")->text(), shown);
    QCOMPARE(window.findChild<QLabel*>("lbExpiresDate")->text(), QString("VPN subscription expires: 14.03.2027"));
    QCOMPARE(window.findChild<QPushButton*>("btAccountChange")->isVisible(), change);
    grab(&window, change ? "account-several" : "account-single");

    // A language change puts back what the form and the catalogue say.
    window.findChild<QLabel*>("lbAccount")->setText("stale");
    QEvent languageChange(QEvent::LanguageChange);
    QApplication::sendEvent(&window, &languageChange);
    QCOMPARE(window.findChild<QLabel*>("lbAccount")->text(), QString("Account"));
    QCOMPARE(window.findChild<QLabel*>("lbLogin")->text(), shown);
    QCOMPARE(window.findChild<QPushButton*>("pbLogOut")->toolTip(), QString("Log out"));
}

void TestAccountWindows::accountButtonsEmitTheirSignals()
{
    seed({"vpn1001", "vpn1002"});
    AccountWindow window(nullptr, network.get());
    window.show();
    QSignalSpy back(&window, &AccountWindow::back);
    QSignalSpy logOut(&window, &AccountWindow::returnToSignUp);
    QSignalSpy changed(&window, &AccountWindow::accountChanged);
    QTest::mouseClick(window.findChild<QPushButton*>("pbBack"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("pbLogOut"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("btAccountChange"), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QCOMPARE(logOut.count(), 1);
    QCOMPARE(changed.count(), 1);
}

void TestAccountWindows::accountLinkOpensOnlyWhileShown_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened");
    QTest::newRow("shown") << true << " https://shop.example/buy?login=vpn1001 "
                           << "https://shop.example/buy?login=vpn1001";
    QTest::newRow("hidden") << false << "https://shop.example/buy"
                            << "";
    QTest::newRow("not a web link") << true << "file:///etc/passwd"
                                    << "";
}

void TestAccountWindows::accountLinkOpensOnlyWhileShown()
{
    QFETCH(bool, visible);
    QFETCH(QString, link);
    QFETCH(QString, opened);
    seed({"vpn1001"});
    AccountWindow window(nullptr, network.get());
    window.show();
    auto* renew = window.findChild<QPushButton*>("btRenew");
    auto* buy = window.findChild<QPushButton*>("btBuy");
    QTest::mouseClick(renew, Qt::LeftButton);
    QTest::mouseClick(buy, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!renew->isEnabled() && !buy->isEnabled());
    QVERIFY(this->opened.isEmpty());

    window.setVisible(visible);
    emit network->gotBuyLink(link);
    QCOMPARE(this->opened, opened.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(opened)});
    QVERIFY(renew->isEnabled() && buy->isEnabled());
}

void TestAccountWindows::purchaseLinkOpensOnlyWhileShown()
{
    seed({"vpn1001"});
    SubscriptionPurchaseWindow window(nullptr, network.get());
    window.resize(340, 500);
    window.show();
    grab(&window, "purchase");
    QSignalSpy logOut(&window, &SubscriptionPurchaseWindow::returnToSignUp);
    QTest::mouseClick(window.findChild<QPushButton*>("pbLogOut"), Qt::LeftButton);
    QCOMPARE(logOut.count(), 1);

    auto* buy = window.findChild<QPushButton*>("btBuy");
    QTest::mouseClick(buy, Qt::LeftButton);
    QVERIFY(!buy->isEnabled());
    emit network->gotBuyLink("https://shop.example/new");
    QCOMPARE(opened, QList<QUrl>{QUrl("https://shop.example/new")});
    QVERIFY(buy->isEnabled());

    QTest::mouseClick(buy, Qt::LeftButton);
    window.hide();
    emit network->gotBuyLink("https://shop.example/late");
    QCOMPARE(opened.size(), 1);
    QVERIFY(buy->isEnabled());
}

void TestAccountWindows::selectionReplacesChoicesAndContinuesWithOne()
{
    SelectionAccountWindow window;
    window.resize(340, 500);
    QSignalSpy continued(&window, &SelectionAccountWindow::continueAuth);
    window.setUsers({"old1", "old2", "old3"});
    window.setUsers({"vpn1001", "vpn1002"});
    window.show();
    grab(&window, "selection");
    const QList<QRadioButton*> buttons = window.findChildren<QRadioButton*>();
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons[0]->text() + "," + buttons[1]->text(), QString("vpn1001,vpn1002"));
    QVERIFY(!buttons[0]->isChecked() && !buttons[1]->isChecked());

    auto* next = window.findChild<QPushButton*>("btContinue");
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(continued.count(), 0);

    // Near the left edge: a radio button takes clicks on its circle and text only.
    QTest::mouseClick(buttons[0], Qt::LeftButton, {}, QPoint(8, buttons[0]->height() / 2));
    QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(8, buttons[1]->height() / 2));
    QVERIFY(buttons[1]->isChecked());
    QVERIFY(!buttons[0]->isChecked());
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(continued.count(), 1);
    QCOMPARE(continued.first().first().toString(), QString("vpn1002"));
}

int main(int argc, char* argv[])
{
    return runClientTest<TestAccountWindows>(argc, argv);
}

#include "AccountWindowsTest.moc"
