#include "ui/SelectionAccountWindow.h"

#include "ui_SelectionAccountWindow.h"

#include <QEvent>
#include <QRadioButton>

SelectionAccountWindow::SelectionAccountWindow(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::SelectionAccountWindow>())
{
    ui->setupUi(this);
    connect(ui->btContinue, &QPushButton::clicked, this, &SelectionAccountWindow::onContinueClicked);
}

SelectionAccountWindow::~SelectionAccountWindow() = default;

void SelectionAccountWindow::setUsers(QStringList users)
{
    qDeleteAll(radioButtons);
    radioButtons.clear();
    for (const QString& login : users) {
        // Siblings in one parent are auto-exclusive: one choice at most.
        auto* button = new QRadioButton(login, ui->centralWidget);
        button->setStyleSheet(QStringLiteral("font: 14px \"Arial\"; color: #808080;"));
        button->setCursor(Qt::PointingHandCursor);
        ui->centralLayout->addWidget(button);
        radioButtons.append(button);
    }
}

void SelectionAccountWindow::onContinueClicked()
{
    for (QRadioButton* button : qAsConst(radioButtons)) {
        if (button->isChecked()) {
            emit continueAuth(button->text());
            return;
        }
    }
}

void SelectionAccountWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
