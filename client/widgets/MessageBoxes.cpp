#include "widgets/MessageBoxes.h"

#include "resources/ClientResources.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QSpacerItem>

#include <utility>

namespace {

MessageBoxRunner& boxRunner()
{
    static MessageBoxRunner runner;
    return runner;
}

const char* const boxStyle = "QMessageBox { background-color: #fafafa; }"
                             "QMessageBox QLabel { font-family: Arial; font-size: 14px; color: #4a4a4a; }";

// The box's own icon stands in when the picture cannot be drawn, so a warning never
// loses its sign.
void setIcon(QMessageBox& box, const QString& path, QMessageBox::Icon fallback)
{
    const QPixmap pixmap = QFile::exists(path) ? QIcon(path).pixmap(32, 32) : QPixmap();
    if (pixmap.isNull()) {
        box.setIcon(fallback);
    } else {
        box.setIconPixmap(pixmap);
    }
}

int runBox(QWidget* parent, const QString& title, const QString& text, int buttons, int defaultButton,
           const QString& iconPath, QMessageBox::Icon fallbackIcon)
{
    initClientResources();
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setStandardButtons(QMessageBox::StandardButtons(buttons));
    box.setDefaultButton(QMessageBox::StandardButton(defaultButton));

    const std::pair<QMessageBox::StandardButton, QString> texts[] = {
        {QMessageBox::Ok, QCoreApplication::translate("QObject", "Ok")},
        {QMessageBox::Cancel, QCoreApplication::translate("QObject", "Cancel")},
        {QMessageBox::No, QCoreApplication::translate("QObject", "No")},
        {QMessageBox::Yes, QCoreApplication::translate("QObject", "Yes")},
    };
    for (const auto& [which, buttonText] : texts) {
        if (QAbstractButton* button = box.button(which)) {
            button->setText(buttonText);
        }
    }

    // Setting the icon rebuilds the box's layout, so it comes before the spacer row.
    if (!iconPath.isEmpty()) {
        setIcon(box, iconPath, fallbackIcon);
    }
    box.setStyleSheet(QString::fromLatin1(boxStyle));
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(150, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    box.setText(text);

    // A copy, so a runner that replaces itself is not destroyed while it runs.
    const MessageBoxRunner runner = boxRunner();
    return runner ? runner(box) : box.exec();
}

} // namespace

int showQuestion(QWidget* parent, const QString& title, const QString& text, int buttons, int defaultButton)
{
    return runBox(parent, title, text, buttons, defaultButton,
                  QStringLiteral(":/resources/question-sign-in-circles.svg"), QMessageBox::Question);
}

void showInformation(QWidget* parent, const QString& title, const QString& text)
{
    runBox(parent, title, text, QMessageBox::Ok, QMessageBox::Ok, QString(), QMessageBox::NoIcon);
}

void showWarning(QWidget* parent, const QString& title, const QString& text)
{
    runBox(parent, title, text, QMessageBox::Ok, QMessageBox::Ok,
           QStringLiteral(":/resources/attention-sign-in-circles.svg"), QMessageBox::Warning);
}

void setMessageBoxRunner(MessageBoxRunner runner)
{
    boxRunner() = std::move(runner);
}
