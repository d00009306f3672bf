#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class NetworkManager;

namespace Ui {
class AccountWindow;
}

// The account screen: the chosen VPN login and the end of its subscription, the links
// that renew it or buy a new one on the vendor's site, and log-out.
class AccountWindow : public QWidget
{
    Q_OBJECT

public:
    // network null means NetworkManager::instance().
    explicit AccountWindow(QWidget* parent = nullptr, NetworkManager* network = nullptr);
    ~AccountWindow() override;

signals:
    void back();
    void returnToSignUp();
    void accountChanged();

public slots:
    void onRenewButtonClicked();
    void onBuyButtonClicked();
    void goBuyLink(QString url);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Fills the login, the expiry and the "Change" link from the settings and the
    // catalogue.
    void showAccount();

    std::unique_ptr<Ui::AccountWindow> ui;
    NetworkManager* network;
};
