#pragma once

#include <QObject>
#include <QRunnable>
#include <QString>

// Measures the latency of one address with the system's ping command. Runs on a
// pool thread, which deletes it after run(); the result leaves only through
// pingFinished.
class PingWrapper : public QObject, public QRunnable
{
    Q_OBJECT
public:
    PingWrapper(const QString& id, const QString& host, bool shortTimeout, QObject* parent = nullptr);

    void run() override;

signals:
    void pingFinished(bool bSuccess, double timems, QString id, QString host);

private:
    const QString id;
    const QString host;
    const bool shortTimeout;
};
