#include "ui/AccountWindow.h"

#include "ui_AccountWindow.h"

#include "api/NetworkManager.h"
#include "data/LocalSettings.h"
#include "resources/ClientResources.h"
#include "ui/UrlOpener.h"
#include "widgets/BackKey.h"

#include <QEvent>

AccountWindow::AccountWindow(QWidget* parent, NetworkManager* network)
    : QWidget(parent), ui(std::make_unique<Ui::AccountWindow>()),
      network(network != nullptr ? network : NetworkManager::instance())
{
    initClientResources();
    ui->setupUi(this);

    connect(ui->pbBack, &QPushButton::clicked, this, &AccountWindow::back);
    clickOnEscape(this, ui->pbBack);
    connect(ui->pbLogOut, &QPushButton::clicked, this, &AccountWindow::returnToSignUp);
    connect(ui->btAccountChange, &QPushButton::clicked, this, &AccountWindow::accountChanged);
    connect(ui->btRenew, &QPushButton::clicked, this, &AccountWindow::onRenewButtonClicked);
    connect(ui->btBuy, &QPushButton::clicked, this, &AccountWindow::onBuyButtonClicked);
    connect(this->network, &NetworkManager::gotBuyLink, this, &AccountWindow::goBuyLink);
}

AccountWindow::~AccountWindow() = default;

void AccountWindow::onRenewButtonClicked()
{
    network->getBuyLinkRequest(ui->lbLogin->text());
    ui->btRenew->setEnabled(false);
}

void AccountWindow::onBuyButtonClicked()
{
    network->getBuyLinkRequest(QString());
    ui->btBuy->setEnabled(false);
}

void AccountWindow::goBuyLink(QString url)
{
    // A link asked for on another screen, or answered after the user left, is not
    // opened behind the user's back; the buttons come back either way.
    if (isVisible())
        openWebLink(url);
    ui->btRenew->setEnabled(true);
    ui->btBuy->setEnabled(true);
}

void AccountWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showAccount();
}

void AccountWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showAccount();
    }
    QWidget::changeEvent(event);
}

void AccountWindow::showAccount()
{
    const QString login = LocalSettings::instance()->value(QLatin1String(SettingsKey::vpnLogin)).toString();
    const VpnAccount account = network->account(login);
    ui->lbLogin->setText(account.login.trimmed());
    ui->lbExpiresDate->setText(
        tr("VPN subscription expires: %1").arg(account.expires.toString(QStringLiteral("dd.MM.yyyy"))));
    ui->btAccountChange->setVisible(network->vpnLogins().size() > 1);
}
