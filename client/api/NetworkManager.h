#pragma once

#include "api/Catalogue.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrlQuery>
#include <QVector>

class GetManager;
class PingManager;

// The client's one gateway to the web API: sign-in, catalogue refresh, update,
// time zone, purchase link and double-hop file. Keeps the catalogue in memory,
// caches it in the settings store and has every location pinged when the list
// changes. Requests and answers run on the thread that made the object; the
// accessors may be called from any thread.
class NetworkManager : public QObject
{
    Q_OBJECT

public:
    enum ApiError
    {
        NoError = 0,
        WrongCredentials = 1,
        UnsupportedVersion = 2,
        LiteAccount = 3,
        NoSubscription = 4,
        RequestFailed = 5,
    };
    Q_ENUM(ApiError)

    // The process-wide instance, made on first use.
    static NetworkManager* instance();

    // instance() is what the program uses; tests and benchmarks make their own.
    explicit NetworkManager(QObject* parent = nullptr);
    // The deadline of each attempt of the managers made after it (10 s); tests shorten it
    // to see a silent web API through to its end.
    static void setChannelTimeout(int milliseconds);
    ~NetworkManager() override;

    QByteArray config() const;
    // The locations of the VPN login chosen in the settings ("vpnLogin").
    QList<ServerInfo> servers() const;
    QStringList vpnLogins() const;
    VpnAccount account(const QString& login) const;
    QByteArray certificate(const QString& login) const;
    QByteArray privateKey(const QString& login) const;

    // Forgets the catalogue in memory and in the cache (log-out).
    void clearCatalogue();

    // Whether the internet answers at all; waits in a local event loop.
    bool checkInternet();

    // While held, a latency batch that is asked for waits and starts on release (the
    // latest one: each batch covers the whole list). The batch over the cached list
    // is asked for from the event loop, so whoever makes the manager can hold it
    // first; the main window holds it until its first frame is on screen, since five
    // ping processes at a time compete with the start for the processor.
    void holdLatencyBatches();
    void releaseLatencyBatches();

    // The latency merge: copies each result's ping into the records of the same
    // id and adds the double-hop value to group-2 records (creating a 0 entry
    // for an id the table lacks).
    static void mergeLatencies(QList<ServerInfo>& serverList, const QVector<ServerInfo>& results,
                               QMap<QString, int>& doubleLatency);

signals:
    void auth(NetworkManager::ApiError error, QString message);
    void serverUpdated(NetworkManager::ApiError error, QString message);
    void programUpdate(QString version, QString link, bool success);
    void gotIpTimezone(QString timezone, bool success);
    void gotBuyLink(QString link);

public slots:
    void authRequest(QString user, QString password);
    void serverListRequest();
    void programUpdateRequest();
    void ipTimezoneRequest();
    void pingDoubleServerRequest();
    void getBuyLinkRequest(QString login);
    void getBuyLinkRequest();

private slots:
    void slotAuthFinished();
    void slotServerListFinished();
    void slotProgramUpdateFinished();
    void slotIpTimezoneFinished();
    void onRequestGetBuyLinkFinished();
    void onRequestPingDoubleServerFinished(int);
    void onPingServersFinished();

private:
    void loadCache();
    // Writes the parts of the catalogue that are not empty.
    void saveCache();
    // Starts a latency batch over a copy of the current list.
    void pingServerList();
    // The /connect URL with the first three query items (version and
    // credentials); the caller adds the rest in order.
    QUrlQuery credentialsQuery() const;
    void sendConnect(GetManager* channel, const QUrlQuery& query);

    Catalogue catalogue;
    mutable QMutex mutex;
    QString login;
    QString password;
    QString updateVersion;
    QString updateLink;
    GetManager* authChannel = nullptr;
    GetManager* updateChannel = nullptr;
    GetManager* timezoneChannel = nullptr;
    GetManager* doubleChannel = nullptr;
    GetManager* buyLinkChannel = nullptr;
    PingManager* pinger = nullptr;
    QMap<QString, int> doubleLatency;
    bool latencyHold = false;
    bool latencyBatchPending = false;
};
