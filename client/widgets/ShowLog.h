#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class ShowLog;
}

// The connection log window ("Connection Details"): one line per log entry of the
// tunnel program, without its time stamp and flag fields.
class ShowLog : public QDialog
{
    Q_OBJECT

public:
    explicit ShowLog(QWidget* parent = nullptr);
    ~ShowLog() override;

    // Appends text as it is, as new paragraphs (for texts that are not log lines).
    void appendText(const QString& text);
    void clear();
    // Everything shown, as plain text.
    QString text() const;

public slots:
    void onUpdateLog(QString line);

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui::ShowLog* ui;
};
