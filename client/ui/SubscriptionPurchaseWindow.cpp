#include "ui/SubscriptionPurchaseWindow.h"

#include "ui_SubscriptionPurchaseWindow.h"

#include "api/NetworkManager.h"
#include "resources/ClientResources.h"
#include "ui/UrlOpener.h"

#include <QEvent>

SubscriptionPurchaseWindow::SubscriptionPurchaseWindow(QWidget* parent, NetworkManager* network)
    : QWidget(parent), ui(std::make_unique<Ui::SubscriptionPurchaseWindow>()),
      network(network != nullptr ? network : NetworkManager::instance())
{
    initClientResources();
    ui->setupUi(this);

    connect(ui->pbLogOut, &QPushButton::clicked, this, &SubscriptionPurchaseWindow::returnToSignUp);
    connect(ui->btBuy, &QPushButton::clicked, this, &SubscriptionPurchaseWindow::onBuyButtonClicked);
    connect(this->network, &NetworkManager::gotBuyLink, this, &SubscriptionPurchaseWindow::goBuyLink);
}

SubscriptionPurchaseWindow::~SubscriptionPurchaseWindow() = default;

void SubscriptionPurchaseWindow::onBuyButtonClicked()
{
    network->getBuyLinkRequest(QString());
    ui->btBuy->setEnabled(false);
}

void SubscriptionPurchaseWindow::goBuyLink(QString url)
{
    // The account screen asks for links too; only the visible screen opens one.
    if (isVisible())
        openWebLink(url);
    ui->btBuy->setEnabled(true);
}

void SubscriptionPurchaseWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
