#include "ui/LoginWindow.h"

#include "ui_LoginWindow.h"

#include "resources/ClientResources.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>

LoginWindow::LoginWindow(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::LoginWindow>())
{
    initClientResources();
    ui->setupUi(this);
    ui->edLogin->addAction(QIcon(QStringLiteral(":/MainWindow/Images/Human.png")), QLineEdit::LeadingPosition);
    ui->edPassword->addAction(QIcon(QStringLiteral(":/MainWindow/Images/Key.png")), QLineEdit::LeadingPosition);

    connect(ui->pbSignIn, &QPushButton::clicked, this, &LoginWindow::onSignIn);
    connect(ui->edLogin, &QLineEdit::returnPressed, this, &LoginWindow::onEnterLoginPressed);
    connect(ui->edPassword, &QLineEdit::returnPressed, this, &LoginWindow::onEnterPasswordPressed);
    connect(ui->edLogin, &QLineEdit::selectionChanged, this, &LoginWindow::onLoginSelectionChanged);
}

LoginWindow::~LoginWindow() = default;

void LoginWindow::clear()
{
    ui->edLogin->clear();
    ui->edPassword->clear();
}

void LoginWindow::onSignIn()
{
    const QString login = ui->edLogin->text();
    const QString password = ui->edPassword->text();
    if (login.isEmpty() || password.isEmpty()) {
        showInformation(this, QStringLiteral("Quarnel"), tr("You must enter username and password to sign in."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit signedIn(login, password);
}

void LoginWindow::onEnterLoginPressed()
{
    ui->edPassword->setFocus(Qt::TabFocusReason);
}

void LoginWindow::onEnterPasswordPressed()
{
    onSignIn();
}

void LoginWindow::onLoginSelectionChanged() {}

void LoginWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ui->edLogin->clearFocus();
    ui->edPassword->clearFocus();
}

void LoginWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
