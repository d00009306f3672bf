#include "ui/SettingsWindow.h"

#include "ui_SettingsWindow.h"

#include "data/LocalSettings.h"
#include "data/VpnProtocol.h"
#include "platform/Autostart.h"
#include "resources/ClientResources.h"
#include "ui/RowHeightDelegate.h"
#include "widgets/BackKey.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLocale>

namespace {

struct Language
{
    const char* code;
    const char* name; // as the language names itself
};

const Language languages[] = {
    {"ar", "العربية"},  {"de", "Deutsch"},    {"en", "English"},    {"es", "Español"},
    {"fr", "Français"}, {"hi", "हिन्दी"},      {"it", "Italiano"},   {"ja", "日本語"},
    {"ko", "한국어"},   {"pl", "Polski"},     {"pt", "Português"},  {"ru", "Русский"},
    {"tr", "Türkçe"},   {"uk", "Українська"}, {"vi", "Tiếng Việt"}, {"zh_CN", "简体中文"},
};

// Qt reads the layout direction of a language from this entry of its translation:
// "RTL" in Arabic flips every screen when the translator is installed.
[[maybe_unused]] const char* const layoutDirection = QT_TRANSLATE_NOOP("QGuiApplication", "QT_LAYOUT_DIRECTION");

bool storedTrue(const LocalSettings& settings, const char* key)
{
    return settings.value(QLatin1String(key)).toString() == QLatin1String("true");
}

} // namespace

SettingsWindow::SettingsWindow(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::SettingsWindow>())
{
    initClientResources();
    ui->setupUi(this);
    ui->cbLanguage->setItemDelegate(new RowHeightDelegate(ui->cbLanguage));
    ui->cbProto->setItemDelegate(new RowHeightDelegate(ui->cbProto));
    // The local-devices row follows the kill switch, which starts unchecked.
    ui->cbAllowLocalDevices->hide();
    ui->lbAllowLocalDesc->hide();

    connect(ui->pbBack, &QPushButton::clicked, this, &SettingsWindow::onSave);
    clickOnEscape(this, ui->pbBack);
    for (QCheckBox* box : {ui->cbAutoconnectOnStart, ui->cbLaunchOnStart, ui->cbKillSwitch, ui->cbAllowLocalDevices,
                           ui->cbChangeTimezone})
        connect(box, &QCheckBox::clicked, this, [this] { emit changed(); });
    connect(ui->cbProto, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { emit changed(); });
    connectProtocolChanged();
    // Connected before the items go in: the first one inserted installs its language,
    // and selectLanguage() moves on from there.
    connect(ui->cbLanguage, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsWindow::onLanguageChange);
    for (const Language& language : languages)
        ui->cbLanguage->addItem(QString::fromUtf8(language.name), QString::fromLatin1(language.code));
}

SettingsWindow::~SettingsWindow()
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
}

void SettingsWindow::setProtocols(const QList<int>& ids)
{
    protocolIds = ids;
    fillProtocols();
}

void SettingsWindow::fillProtocols()
{
    ui->cbProto->clear();
    for (const VpnProtocol& protocol : VpnProtocol::protocols()) {
        if (protocolIds.contains(protocol.id))
            ui->cbProto->addItem(protocol.translatedLabel(), protocol.key);
    }
}

void SettingsWindow::connectProtocolChanged()
{
    connect(ui->cbProto, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &SettingsWindow::onProtoChanged,
            Qt::UniqueConnection);
}

void SettingsWindow::load(const QList<int>& ids)
{
    const auto settings = LocalSettings::instance();
    ui->cbLaunchOnStart->setChecked(storedTrue(*settings, SettingsKey::launchOnStart));
    ui->cbAutoconnectOnStart->setChecked(storedTrue(*settings, SettingsKey::autoConnectOnStart));
    ui->cbKillSwitch->setChecked(storedTrue(*settings, SettingsKey::killConnect));
    ui->cbAllowLocalDevices->setChecked(storedTrue(*settings, SettingsKey::allowLocalDevices));
    ui->cbChangeTimezone->setChecked(storedTrue(*settings, SettingsKey::changeTimezone));

    disconnect(ui->cbProto, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &SettingsWindow::onProtoChanged);
    setProtocols(ids);
    ui->cbProto->setCurrentIndex(0);
    const QString stored = settings->value(QLatin1String(SettingsKey::advProtocol)).toString();
    for (int i = 0; i < ui->cbProto->count(); ++i) {
        if (ui->cbProto->itemData(i).toString() == stored)
            ui->cbProto->setCurrentIndex(i);
    }
    connectProtocolChanged();

    selectLanguage();
}

void SettingsWindow::showForAccount(bool fullAccount)
{
    ui->cbKillSwitch->setVisible(fullAccount);
    ui->lbKillSwitchDesc->setVisible(fullAccount);
    // For a full account the local-devices row keeps following the kill switch.
    const bool localRow = fullAccount && ui->cbKillSwitch->isChecked();
    ui->cbAllowLocalDevices->setVisible(localRow);
    ui->lbAllowLocalDesc->setVisible(localRow);
    show();
}

void SettingsWindow::selectLanguage()
{
    const QString stored = LocalSettings::instance()->value(QLatin1String(SettingsKey::language)).toString();
    ui->cbLanguage->setCurrentIndex(ui->cbLanguage->findData(languageFor(stored, QLocale::system().name())));
}

QString SettingsWindow::languageFor(const QString& stored, const QString& localeName)
{
    const QString system = localeName.section(QLatin1Char('_'), 0, 0).toLower();
    for (const QString& code : {stored, system}) {
        for (const Language& language : languages) {
            if (!code.isEmpty() && code == QLatin1String(language.code))
                return code;
        }
    }
    return QStringLiteral("en");
}

void SettingsWindow::setAppVersion(const QString& version)
{
    ui->lbAppVersion->setText(version);
}

void SettingsWindow::onProtoChanged() {}

void SettingsWindow::onLanguageChange(int index)
{
    const QString code = ui->cbLanguage->itemData(index).toString();
    // Loaded beside the current one, so a missing translation leaves the texts as
    // they are instead of falling back to the source texts.
    auto next = std::make_unique<QTranslator>();
    if (!next->load(QStringLiteral(":/translations/Quarnel_") + code)) {
        qWarning() << "No translation for the language" << code;
        return;
    }
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator = std::move(next);
    QCoreApplication::installTranslator(translator.get());

    ui->retranslateUi(this);
    const int protocolIndex = ui->cbProto->currentIndex();
    const QSignalBlocker quiet(ui->cbProto);
    fillProtocols();
    ui->cbProto->setCurrentIndex(protocolIndex);
}

void SettingsWindow::onSave()
{
    const auto settings = LocalSettings::instance();
    settings->setValue(QLatin1String(SettingsKey::autoConnectOnStart), ui->cbAutoconnectOnStart->isChecked());
    settings->setValue(QLatin1String(SettingsKey::launchOnStart), ui->cbLaunchOnStart->isChecked());
    settings->setValue(QLatin1String(SettingsKey::advProtocol), ui->cbProto->currentData().toString());
    settings->setValue(QLatin1String(SettingsKey::killConnect), ui->cbKillSwitch->isChecked());
    settings->setValue(QLatin1String(SettingsKey::iPv6LeakProtect), true);
    settings->setValue(QLatin1String(SettingsKey::allowLocalDevices), ui->cbAllowLocalDevices->isChecked());
    settings->setValue(QLatin1String(SettingsKey::changeTimezone), ui->cbChangeTimezone->isChecked());
    settings->setValue(QLatin1String(SettingsKey::language), ui->cbLanguage->currentData().toString());

    // Done on every save, so a task removed behind the client's back comes back.
    const bool launch = ui->cbLaunchOnStart->isChecked();
    const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    if (!platform::setAutostart(launch, program.toUtf8().toStdString()))
        qWarning() << "Could not" << (launch ? "set up" : "remove") << "the start at log-on";
    emit back();
}
