#pragma once

#include "data/ServerInfo.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QVector>

class QThreadPool;

// Measures the latency of a whole server list, at most five ping processes at a
// time, and writes each result into its copy of the server record. A new list
// may come at any time and starts over; results of an earlier list are then
// ignored.
class PingManager : public QObject
{
    Q_OBJECT
public:
    explicit PingManager(QObject* parent = nullptr);
    ~PingManager() override;

    void pingServers(QVector<ServerInfo> servers);
    QVector<ServerInfo> results() const;
    // The results, handed over: the manager keeps no copy of the list.
    QVector<ServerInfo> takeResults();

signals:
    void pingServersFinished();

public slots:
    void onPingFinished(bool bSuccess, double timems, QString id, QString host);

private:
    QMap<QString, ServerInfo> servers;
    QThreadPool* pool;
    int finishedCount = 0;
    // Tasks started for the current batch (duplicates included); 0 once it has
    // ended.
    int taskCount = 0;
    // Tags every task with its batch, so a task left running from an earlier
    // batch can neither overwrite a newer latency nor end the current batch
    // early.
    quint64 generation = 0;
};
