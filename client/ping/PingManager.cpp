#include "ping/PingManager.h"

#include "ping/PingWrapper.h"

#include <QThreadPool>

PingManager::PingManager(QObject* parent) : QObject(parent), pool(new QThreadPool(this))
{
    pool->setMaxThreadCount(5);
}

PingManager::~PingManager()
{
    // Queued tasks would only start processes nobody reads.
    pool->clear();
    pool->waitForDone();
}

void PingManager::pingServers(QVector<ServerInfo> servers)
{
    pool->clear();
    pool->waitForDone(200);
    finishedCount = 0;
    ++generation;

    this->servers.clear();
    for (const ServerInfo& server : servers) {
        this->servers.insert(server.id, server);
    }

    taskCount = servers.size();
    const quint64 batch = generation;
    for (const ServerInfo& server : servers) {
        auto* task = new PingWrapper(server.id, server.ip, true);
        // The signal comes from a pool thread, so the call is queued to this
        // thread.
        connect(task, &PingWrapper::pingFinished, this,
                [this, batch](bool bSuccess, double timems, QString id, QString host) {
                    if (batch == generation) {
                        onPingFinished(bSuccess, timems, id, host);
                    }
                });
        task->setAutoDelete(true);
        pool->start(task, 0);
    }
}

QVector<ServerInfo> PingManager::results() const
{
    QVector<ServerInfo> list;
    list.reserve(servers.size());
    for (const ServerInfo& server : servers) {
        list.append(server);
    }
    return list;
}

QVector<ServerInfo> PingManager::takeResults()
{
    QVector<ServerInfo> list = results();
    servers.clear();
    return list;
}

void PingManager::onPingFinished(bool bSuccess, double timems, QString id, QString host)
{
    Q_UNUSED(host)
    if (bSuccess) {
        auto found = servers.find(id);
        if (found != servers.end()) {
            found->ping = static_cast<int>(timems);
        }
    }
    if (taskCount == 0) {
        return;
    }
    ++finishedCount;
    if (finishedCount >= taskCount) {
        finishedCount = 0;
        taskCount = 0;
        emit pingServersFinished();
    }
}
