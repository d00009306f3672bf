#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class NetworkManager;

namespace Ui {
class SubscriptionPurchaseWindow;
}

// Shown instead of the connection screen when the account has no subscription: the
// link that buys one on the vendor's site, and log-out.
class SubscriptionPurchaseWindow : public QWidget
{
    Q_OBJECT

public:
    // network null means NetworkManager::instance().
    explicit SubscriptionPurchaseWindow(QWidget* parent = nullptr, NetworkManager* network = nullptr);
    ~SubscriptionPurchaseWindow() override;

signals:
    void buyLinkActivated();
    void returnToSignUp();

public slots:
    void onBuyButtonClicked();
    void goBuyLink(QString url);

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::SubscriptionPurchaseWindow> ui;
    NetworkManager* network;
};
