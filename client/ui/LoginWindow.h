#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class LoginWindow;
}

// The sign-in screen: the logo, the user name and password fields and the sign-in
// button. It only checks that both fields are filled; the main window sends the
// credentials and restores the wait cursor when the answer arrives.
class LoginWindow : public QWidget
{
    Q_OBJECT

public:
    explicit LoginWindow(QWidget* parent = nullptr);
    ~LoginWindow() override;

    // Empties both fields (at log-out).
    void clear();

signals:
    void signedIn(QString login, QString password);

public slots:
    void onSignIn();
    void onEnterLoginPressed();
    void onEnterPasswordPressed();
    void onLoginSelectionChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::LoginWindow> ui;
};
