#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QRadioButton;

namespace Ui {
class SelectionAccountWindow;
}

// Lets a subscriber with several VPN logins pick the one to connect with.
class SelectionAccountWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SelectionAccountWindow(QWidget* parent = nullptr);
    ~SelectionAccountWindow() override;

signals:
    void continueAuth(QString login);

public slots:
    // Replaces the choices with one unchecked radio button per login, in order.
    void setUsers(QStringList users);
    void onContinueClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::SelectionAccountWindow> ui;
    QList<QRadioButton*> radioButtons;
};
