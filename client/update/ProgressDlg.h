#pragma once

#include <QDialog>

namespace Ui {
class ProgressDlg;
}

// The update download's progress: a bar from 0 to 100 and "Cancel". Closing the
// window or pressing Escape cancels as the button does, since the download could not
// be stopped once the dialog is gone.
class ProgressDlg : public QDialog
{
    Q_OBJECT

public:
    explicit ProgressDlg(QWidget* parent = nullptr);
    ~ProgressDlg() override;

    // Emits cancel(); the receiver may delete the dialog.
    void reject() override;

signals:
    void cancel();

public slots:
    // Shows value × 100 (truncated) for a fraction from 0 to 1; a value below 0 (size
    // not known yet) leaves the bar as it is.
    void setProgress(float value);

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui::ProgressDlg* ui;
};
