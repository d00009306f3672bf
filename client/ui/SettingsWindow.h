#pragma once

#include <QList>
#include <QString>
#include <QTranslator>
#include <QWidget>

#include <memory>

namespace Ui {
class SettingsWindow;
}

// The settings page: interface language, VPN protocol and the behaviour switches.
// It owns the client's translator, so choosing a language here switches every screen.
// Nothing is stored until the user leaves the page with the back button (or with Escape);
// leaving also turns the start at log-on on or off.
class SettingsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsWindow(QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // The protocol ids the current server list offers; refills the protocol list.
    void setProtocols(const QList<int>& ids);
    // Fills the page from the settings store, each time it is opened.
    void load(const QList<int>& ids);
    // Shows the page; a lite account never sees the kill-switch rows.
    void showForAccount(bool fullAccount);
    // Selects the stored language, else the system's, else English.
    void selectLanguage();
    void setAppVersion(const QString& version);

    // What selectLanguage() picks among the list's codes: the stored code, else the
    // language of a locale name such as "pt_BR" (what precedes "_", lower-cased), else "en".
    static QString languageFor(const QString& stored, const QString& localeName);

signals:
    void back();
    void changed();

public slots:
    void onSave();
    void onProtoChanged();
    void onLanguageChange(int index);

private:
    void fillProtocols();
    void connectProtocolChanged();

    std::unique_ptr<Ui::SettingsWindow> ui;
    std::unique_ptr<QTranslator> translator;
    QList<int> protocolIds;
};
