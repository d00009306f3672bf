#include "ui/LoginWindow.h"

#include "widgets/MessageBoxes.h"

#include "ClientTestMain.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestLoginWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void returnMovesOnThenSignsIn();
    void sendsWhatWasTyped_data();
    void sendsWhatWasTyped();
    void emptyFieldIsRefused_data();
    void emptyFieldIsRefused();
    void clearAndLanguageChange();

private:
    void fill(const QString& login, const QString& password);

    std::unique_ptr<QWidget> host;
    LoginWindow* window = nullptr;
    QLineEdit* loginEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QStringList boxes;
};

void TestLoginWindow::init()
{
    boxes.clear();
    setMessageBoxRunner([this](QMessageBox& box) {
        boxes << box.windowTitle() + ": " + box.text();
        return int(QMessageBox::Ok);
    });
    // Inside a host, as the main window holds it, so that it can be hidden and shown
    // again while the window stays active.
    host = std::make_unique<QWidget>();
    window = new LoginWindow(host.get());
    host->resize(340, 500);
    window->resize(340, 500);
    loginEdit = window->findChild<QLineEdit*>("edLogin");
    passwordEdit = window->findChild<QLineEdit*>("edPassword");
    QVERIFY(loginEdit && passwordEdit);
    host->show();
    host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host.get()));
}

void TestLoginWindow::cleanup()
{
    while (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
    host.reset();
    setMessageBoxRunner({});
}

void TestLoginWindow::fill(const QString& loginText, const QString& passwordText)
{
    loginEdit->setText(loginText);
    passwordEdit->setText(passwordText);
}

void TestLoginWindow::returnMovesOnThenSignsIn()
{
    // Shown again, the screen starts with no field active.
    passwordEdit->setFocus();
    window->hide();
    window->show();
    QVERIFY(!loginEdit->hasFocus() && !passwordEdit->hasFocus());
    const QString shots = QCoreApplication::applicationDirPath() + "/shots";
    QDir().mkpath(shots);
    window->grab().save(shots + "/login.png");

    QSignalSpy signedIn(window, &LoginWindow::signedIn);
    loginEdit->setFocus();
    QTest::keyClicks(loginEdit, "alice");
    QTest::keyClick(loginEdit, Qt::Key_Return);
    QTRY_VERIFY(passwordEdit->hasFocus());
    QCOMPARE(signedIn.count(), 0);

    QTest::keyClicks(passwordEdit, "s3cret");
    QTest::keyClick(passwordEdit, Qt::Key_Return);
    QCOMPARE(signedIn.count(), 1);
    QCOMPARE(signedIn.first(), (QVariantList{"alice", "s3cret"}));
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QVERIFY(boxes.isEmpty());
}

void TestLoginWindow::sendsWhatWasTyped_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::newRow("blanks") << "   "
                            << "pw";
    QTest::newRow("padded") << " bob "
                            << " pass word ";
}

void TestLoginWindow::sendsWhatWasTyped()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QSignalSpy signedIn(window, &LoginWindow::signedIn);
    fill(login, password);
    QTest::mouseClick(window->findChild<QPushButton*>("pbSignIn"), Qt::LeftButton);
    QCOMPARE(signedIn.count(), 1);
    QCOMPARE(signedIn.first(), (QVariantList{login, password}));
}

void TestLoginWindow::emptyFieldIsRefused_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::newRow("no login") << ""
                              << "pw";
    QTest::newRow("no password") << "alice"
                                 << "";
    QTest::newRow("neither") << ""
                             << "";
}

void TestLoginWindow::emptyFieldIsRefused()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QSignalSpy signedIn(window, &LoginWindow::signedIn);
    fill(login, password);
    passwordEdit->setFocus();
    QTest::keyClick(passwordEdit, Qt::Key_Return);
    QCOMPARE(signedIn.count(), 0);
    QCOMPARE(boxes, QStringList{"Quarnel: You must enter username and password to sign in."});
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestLoginWindow::clearAndLanguageChange()
{
    fill("alice", "pw");
    window->clear();
    QVERIFY(loginEdit->text().isEmpty() && passwordEdit->text().isEmpty());

    auto* signIn = window->findChild<QPushButton*>("pbSignIn");
    signIn->setText("stale");
    loginEdit->setPlaceholderText("stale");
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(window, &change);
    QCOMPARE(signIn->text(), QString("Login"));
    QCOMPARE(loginEdit->placeholderText(), QString("Username "));
}

int main(int argc, char* argv[])
{
    return runClientTest<TestLoginWindow>(argc, argv);
}

#include "LoginWindowTest.moc"
