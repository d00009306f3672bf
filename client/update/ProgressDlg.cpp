#include "update/ProgressDlg.h"

#include "ui_ProgressDlg.h"

#include <QEvent>
#include <QPointer>

#include <algorithm>

ProgressDlg::ProgressDlg(QWidget* parent) : QDialog(parent), ui(new Ui::ProgressDlg)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    resize(370, 130);
    connect(ui->pbCancel, &QPushButton::clicked, this, &ProgressDlg::reject);
}

ProgressDlg::~ProgressDlg()
{
    delete ui;
}

void ProgressDlg::reject()
{
    const QPointer<ProgressDlg> self(this);
    emit cancel();
    if (self)
        QDialog::reject();
}

void ProgressDlg::setProgress(float value)
{
    // Also keeps NaN (an empty download) out of the conversion.
    if (!(value >= 0.0f))
        return;
    ui->progressBar->setValue(static_cast<int>(std::min(value, 1.0f) * 100.0f));
}

void ProgressDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
