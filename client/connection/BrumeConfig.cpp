#include "connection/BrumeConfig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QUrlQuery>

namespace {

// QUrl folds the scheme to lower case, so the link's own spelling is checked
// here: only "vless" in lower case is accepted.
bool isVless(const QString& link)
{
    return link.startsWith(QLatin1String("vless:"));
}

QJsonObject tunInbound()
{
    return QJsonObject{
        {QStringLiteral("type"), QStringLiteral("tun")},
        {QStringLiteral("tag"), QStringLiteral("tun-in")},
        {QStringLiteral("address"), QJsonArray{QStringLiteral("10.10.1.0/30")}},
        {QStringLiteral("auto_route"), true},
        {QStringLiteral("strict_route"), true},
        {QStringLiteral("sniff"), true},
        {QStringLiteral("domain_strategy"), QStringLiteral("prefer_ipv4")},
        {QStringLiteral("interface_name"), QStringLiteral("tun0")},
        {QStringLiteral("mtu"), 9000},
        {QStringLiteral("endpoint_independent_nat"), false},
        {QStringLiteral("stack"), QStringLiteral("gvisor")},
    };
}

QJsonObject vlessOutbound(const QUrl& url)
{
    const QUrlQuery query(url);
    const QJsonObject tls{
        {QStringLiteral("enabled"), true},
        {QStringLiteral("insecure"), query.queryItemValue(QStringLiteral("allowInsecure")) == QLatin1String("1")},
        {QStringLiteral("server_name"), query.queryItemValue(QStringLiteral("sni"))},
    };
    // Links carry the WebSocket path with its slashes encoded.
    const QJsonObject transport{
        {QStringLiteral("type"), QStringLiteral("ws")},
        {QStringLiteral("path"),
         query.queryItemValue(QStringLiteral("path")).replace(QStringLiteral("%2F"), QStringLiteral("/"))},
    };
    return QJsonObject{
        {QStringLiteral("type"), QStringLiteral("vless")},
        {QStringLiteral("tag"), QStringLiteral("proxy")},
        {QStringLiteral("server"), url.host(QUrl::FullyDecoded)},
        {QStringLiteral("server_port"), url.port(443)},
        {QStringLiteral("uuid"), url.userName(QUrl::FullyDecoded)},
        {QStringLiteral("tls"), tls},
        {QStringLiteral("transport"), transport},
    };
}

QJsonObject plainOutbound(const QString& type)
{
    return QJsonObject{{QStringLiteral("type"), type}, {QStringLiteral("tag"), type}};
}

} // namespace

QString BrumeConfig::build(const QString& link)
{
    if (!isVless(link)) {
        return QString();
    }
    const QUrl url(link);
    const QJsonObject root{
        {QStringLiteral("log"), QJsonObject{{QStringLiteral("level"), QStringLiteral("info")}}},
        {QStringLiteral("inbounds"), QJsonArray{tunInbound()}},
        {QStringLiteral("outbounds"), QJsonArray{vlessOutbound(url), plainOutbound(QStringLiteral("direct")),
                                                 plainOutbound(QStringLiteral("block"))}},
        {QStringLiteral("route"), QJsonObject{{QStringLiteral("auto_detect_interface"), true},
                                              {QStringLiteral("final"), QStringLiteral("proxy")}}},
    };
    QString text = QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
    const int nul = text.indexOf(QChar(0));
    if (nul >= 0) {
        text.truncate(nul);
    }
    return text;
}
