#include "api/NetworkManager.h"

#include "Version.h"
#include "api/ApiAnswerReader.h"
#include "platform/FreeHeap.h"
#include "api/ApiSettings.h"
#include "api/GetManager.h"
#include "data/LocalSettings.h"
#include "data/PemTable.h"
#include "ping/PingManager.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutexLocker>
#include <QUrl>
#include <QVariant>

namespace {

// Per attempt; a channel tries six times.
constexpr int defaultChannelTimeoutMs = 10000;
int channelTimeoutMs = defaultChannelTimeoutMs;

NetworkManager* sharedInstance = nullptr;

void deleteSharedInstance()
{
    // Runs while the application object still exists, so the destructor can
    // save the cache and stop the ping pool on a working event loop.
    delete sharedInstance;
    sharedInstance = nullptr;
}

QUrl apiUrl(const QString& path)
{
    return QUrl(api::apiBaseUrl() + path, QUrl::TolerantMode);
}

} // namespace

void NetworkManager::setChannelTimeout(int milliseconds)
{
    channelTimeoutMs = milliseconds > 0 ? milliseconds : defaultChannelTimeoutMs;
}

NetworkManager* NetworkManager::instance()
{
    static NetworkManager* const created = [] {
        sharedInstance = new NetworkManager();
        qAddPostRoutine(deleteSharedInstance);
        return sharedInstance;
    }();
    return created;
}

NetworkManager::NetworkManager(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<NetworkManager::ApiError>("NetworkManager::ApiError");
    pinger = new PingManager(this);
    connect(pinger, &PingManager::pingServersFinished, this, &NetworkManager::onPingServersFinished);

    loadCache();

    authChannel = new GetManager(channelTimeoutMs, this);
    updateChannel = new GetManager(channelTimeoutMs, this);
    timezoneChannel = new GetManager(channelTimeoutMs, this);
    doubleChannel = new GetManager(channelTimeoutMs, this);
    buyLinkChannel = new GetManager(channelTimeoutMs, this);
}

NetworkManager::~NetworkManager()
{
    saveCache();
    // The pool's threads report to this object; stop them before the rest goes.
    delete pinger;
    pinger = nullptr;
}

QByteArray NetworkManager::config() const
{
    QMutexLocker lock(&mutex);
    return catalogue.config;
}

QList<ServerInfo> NetworkManager::servers() const
{
    QMutexLocker lock(&mutex);
    const QString vpnLogin = LocalSettings::instance()->value(QLatin1String(SettingsKey::vpnLogin)).toString();
    QList<ServerInfo> chosen;
    for (const ServerInfo& server : catalogue.serverList) {
        if (server.user == vpnLogin)
            chosen.append(server);
    }
    return chosen;
}

QStringList NetworkManager::vpnLogins() const
{
    QMutexLocker lock(&mutex);
    return catalogue.accounts.keys();
}

VpnAccount NetworkManager::account(const QString& login) const
{
    QMutexLocker lock(&mutex);
    return catalogue.accounts.value(login);
}

QByteArray NetworkManager::certificate(const QString& login) const
{
    QMutexLocker lock(&mutex);
    return catalogue.certificates.value(login);
}

QByteArray NetworkManager::privateKey(const QString& login) const
{
    QMutexLocker lock(&mutex);
    return catalogue.keys.value(login);
}

void NetworkManager::clearCatalogue()
{
    QMutexLocker lock(&mutex);
    catalogue.config.clear();
    catalogue.certificates.clear();
    catalogue.serverList.clear();
    catalogue.accounts.clear();
    // The private keys go too: left in memory, the next saveCache (at the
    // latest the destructor) would write them back into the emptied cache.
    catalogue.keys.clear();
    const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
    settings->setValue(QLatin1String(SettingsKey::cachedConfig), QByteArray());
    settings->setValue(QLatin1String(SettingsKey::cachedCertif), QByteArray());
    settings->setValue(QLatin1String(SettingsKey::cachedKeys), QByteArray());
    settings->setValue(QLatin1String(SettingsKey::cachedUsers), QStringList());
    settings->setValue(QLatin1String(SettingsKey::cachedServers), QStringList());
}

bool NetworkManager::checkInternet()
{
    return authChannel->checkInternet();
}

void NetworkManager::mergeLatencies(QList<ServerInfo>& serverList, const QVector<ServerInfo>& results,
                                    QMap<QString, int>& doubleLatency)
{
    // Results by id, in their order: the same outcome as comparing every
    // record with every result, without the quadratic walk over thousands of
    // locations.
    QHash<QString, QVector<int>> byId;
    byId.reserve(results.size());
    for (int i = 0; i < results.size(); ++i)
        byId[results.at(i).id].append(i);

    for (ServerInfo& server : serverList) {
        const auto found = byId.constFind(server.id);
        if (found == byId.constEnd())
            continue;
        for (int index : *found) {
            server.ping = results.at(index).ping;
            if (server.group == 2)
                server.ping += doubleLatency[server.id];
        }
    }
}

void NetworkManager::authRequest(QString user, QString password)
{
    login = user;
    this->password = password;
    connect(authChannel, &GetManager::finished, this, &NetworkManager::slotAuthFinished);
    QUrlQuery query = credentialsQuery();
    query.addQueryItem(QStringLiteral("act"), QStringLiteral("wizardsetup"));
    query.addQueryItem(QStringLiteral("os"), QStringLiteral("win"));
    sendConnect(authChannel, query);
}

void NetworkManager::serverListRequest()
{
    connect(authChannel, &GetManager::finished, this, &NetworkManager::slotServerListFinished);
    QUrlQuery query = credentialsQuery();
    query.addQueryItem(QStringLiteral("act"), QStringLiteral("wizardsetup"));
    query.addQueryItem(QStringLiteral("os"), QStringLiteral("win"));
    sendConnect(authChannel, query);
}

void NetworkManager::programUpdateRequest()
{
    connect(updateChannel, &GetManager::finished, this, &NetworkManager::slotProgramUpdateFinished);
    QUrlQuery query = credentialsQuery();
    query.addQueryItem(QStringLiteral("act"), QStringLiteral("wizardsetup"));
    query.addQueryItem(QStringLiteral("os"), QStringLiteral("win"));
    sendConnect(updateChannel, query);
}

void NetworkManager::ipTimezoneRequest()
{
    connect(timezoneChannel, &GetManager::finished, this, &NetworkManager::slotIpTimezoneFinished);
    QUrlQuery query = credentialsQuery();
    query.addQueryItem(QStringLiteral("act"), QStringLiteral("time"));
    sendConnect(timezoneChannel, query);
}

void NetworkManager::pingDoubleServerRequest()
{
    connect(doubleChannel, &GetManager::finished, this, &NetworkManager::onRequestPingDoubleServerFinished);
    doubleChannel->get(apiUrl(QStringLiteral("/upd/double.xml")));
}

void NetworkManager::getBuyLinkRequest(QString login)
{
    connect(buyLinkChannel, &GetManager::finished, this, &NetworkManager::onRequestGetBuyLinkFinished);
    QUrlQuery query = credentialsQuery();
    query.addQueryItem(QStringLiteral("loginvpn"), login);
    query.addQueryItem(QStringLiteral("act"), QStringLiteral("buy"));
    query.addQueryItem(QStringLiteral("os"), QStringLiteral("win"));
    sendConnect(buyLinkChannel, query);
}

void NetworkManager::getBuyLinkRequest()
{
    getBuyLinkRequest(QString());
}

void NetworkManager::slotAuthFinished()
{
    authChannel->disconnect(this);
    if (!authChannel->isSuccess()) {
        emit auth(RequestFailed, authChannel->getErrorString());
        return;
    }
    ApiAnswerReader::SignIn result;
    {
        QMutexLocker lock(&mutex);
        result = ApiAnswerReader::readSignIn(authChannel->takeData(), catalogue, updateVersion, updateLink);
        ServerInfo::shareRepeatedText(catalogue.serverList);
    }
    if (result.accepted) {
        pingServerList();
        saveCache();
    }
    platform::returnFreeHeap();
    emit auth(result.error, result.message);
}

void NetworkManager::slotServerListFinished()
{
    authChannel->disconnect(this);
    if (authChannel->isSuccess()) {
        QMutexLocker lock(&mutex);
        ApiAnswerReader::readServerList(authChannel->takeData(), catalogue);
        ServerInfo::shareRepeatedText(catalogue.serverList);
    }
    pingServerList();
    saveCache();
    platform::returnFreeHeap();
    emit serverUpdated(NoError, QString());
}

void NetworkManager::slotProgramUpdateFinished()
{
    updateChannel->disconnect(this);
    if (updateChannel->isSuccess() &&
        ApiAnswerReader::readProgramUpdate(updateChannel->takeData(), updateVersion, updateLink)) {
        emit programUpdate(updateVersion, updateLink, true);
        return;
    }
    emit programUpdate(QString(), QString(), false);
}

void NetworkManager::slotIpTimezoneFinished()
{
    timezoneChannel->disconnect(this);
    QString timezone;
    const bool found =
        timezoneChannel->isSuccess() && ApiAnswerReader::readTimezone(timezoneChannel->takeData(), timezone);
    emit gotIpTimezone(timezone, found);
}

void NetworkManager::onRequestGetBuyLinkFinished()
{
    buyLinkChannel->disconnect(this);
    QString link;
    if (buyLinkChannel->isSuccess() && ApiAnswerReader::readBuyLink(buyLinkChannel->takeData(), link))
        emit gotBuyLink(link);
}

void NetworkManager::onRequestPingDoubleServerFinished(int)
{
    doubleChannel->disconnect(this);
    if (!doubleChannel->isSuccess())
        return;
    QMutexLocker lock(&mutex);
    ApiAnswerReader::readDoubleHop(doubleChannel->takeData(), doubleLatency);
}

void NetworkManager::onPingServersFinished()
{
    const QVector<ServerInfo> results = pinger->takeResults();
    {
        QMutexLocker lock(&mutex);
        mergeLatencies(catalogue.serverList, results, doubleLatency);
    }
    saveCache();
    platform::returnFreeHeap();
    emit serverUpdated(NoError, QString());
}

void NetworkManager::loadCache()
{
    const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
    QMutexLocker lock(&mutex);
    catalogue.config = settings->value(QLatin1String(SettingsKey::cachedConfig)).toByteArray();
    PemTable::fromBytes(settings->value(QLatin1String(SettingsKey::cachedCertif)).toByteArray(),
                        catalogue.certificates);
    PemTable::fromBytes(settings->value(QLatin1String(SettingsKey::cachedKeys)).toByteArray(), catalogue.keys);
    const QStringList users = settings->value(QLatin1String(SettingsKey::cachedUsers)).toStringList();
    for (const QString& line : users)
        VpnAccount::readCacheLine(line, catalogue.accounts);
    const QStringList servers = settings->value(QLatin1String(SettingsKey::cachedServers)).toStringList();
    catalogue.serverList.reserve(servers.size());
    for (const QString& line : servers)
        catalogue.serverList.append(ServerInfo::fromCacheLine(line));
    ServerInfo::shareRepeatedText(catalogue.serverList);
    lock.unlock();
    QMetaObject::invokeMethod(this, &NetworkManager::pingServerList, Qt::QueuedConnection);
}

void NetworkManager::saveCache()
{
    const QSharedPointer<LocalSettings> settings = LocalSettings::instance();
    QMutexLocker lock(&mutex);
    if (!catalogue.config.isEmpty())
        settings->setValue(QLatin1String(SettingsKey::cachedConfig), catalogue.config);
    if (!catalogue.certificates.isEmpty())
        settings->setValue(QLatin1String(SettingsKey::cachedCertif), PemTable::toBytes(catalogue.certificates));
    if (!catalogue.keys.isEmpty())
        settings->setValue(QLatin1String(SettingsKey::cachedKeys), PemTable::toBytes(catalogue.keys));
    if (!catalogue.accounts.isEmpty()) {
        QStringList users;
        users.reserve(catalogue.accounts.size());
        for (const VpnAccount& entry : catalogue.accounts)
            users.append(entry.toCacheLine());
        settings->setValue(QLatin1String(SettingsKey::cachedUsers), users);
    }
    if (!catalogue.serverList.isEmpty()) {
        QStringList servers;
        servers.reserve(catalogue.serverList.size());
        for (const ServerInfo& server : catalogue.serverList)
            servers.append(server.toCacheLine());
        settings->setValue(QLatin1String(SettingsKey::cachedServers), servers);
    }
}

void NetworkManager::holdLatencyBatches()
{
    latencyHold = true;
}

void NetworkManager::releaseLatencyBatches()
{
    latencyHold = false;
    if (latencyBatchPending)
        pingServerList();
}

void NetworkManager::pingServerList()
{
    latencyBatchPending = latencyHold;
    if (latencyHold)
        return;
    QVector<ServerInfo> batch;
    {
        QMutexLocker lock(&mutex);
        batch = catalogue.serverList.toVector();
    }
    pinger->pingServers(batch);
}

QUrlQuery NetworkManager::credentialsQuery() const
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("ver"), QString::fromLatin1(clientVersion));
    query.addQueryItem(QStringLiteral("login"), login);
    query.addQueryItem(QStringLiteral("pass"), password);
    return query;
}

void NetworkManager::sendConnect(GetManager* channel, const QUrlQuery& query)
{
    QUrl url = apiUrl(QStringLiteral("/connect"));
    url.setQuery(query);
    channel->get(url);
}
