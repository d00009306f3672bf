// Fuzz target: a location's VLESS link, as the web API gives it, through the builder
// of the sing-box configuration.
#include "FuzzCheck.h"

#include "connection/BrumeConfig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString link = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const QString json = BrumeConfig::build(link);
    if (!link.startsWith(QLatin1String("vless:"))) {
        FUZZ_CHECK(json.isEmpty());
        return 0;
    }

    // Whatever the link holds, sing-box gets one whole JSON document with the link's
    // parts in their fields.
    FUZZ_CHECK(!json.contains(QChar(0)));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    FUZZ_CHECK(error.error == QJsonParseError::NoError && document.isObject());
    const QJsonObject root = document.object();
    FUZZ_CHECK(root.value(QStringLiteral("route")).toObject().value(QStringLiteral("final")) == QLatin1String("proxy"));
    const QJsonObject inbound = root.value(QStringLiteral("inbounds")).toArray().at(0).toObject();
    FUZZ_CHECK(inbound.value(QStringLiteral("type")) == QLatin1String("tun"));
    const QJsonArray outbounds = root.value(QStringLiteral("outbounds")).toArray();
    FUZZ_CHECK(outbounds.size() == 3);
    const QJsonObject proxy = outbounds.at(0).toObject();
    FUZZ_CHECK(proxy.value(QStringLiteral("type")) == QLatin1String("vless"));
    FUZZ_CHECK(proxy.value(QStringLiteral("tag")) == QLatin1String("proxy"));

    const QUrl url(link);
    const QUrlQuery query(url);
    FUZZ_CHECK(proxy.value(QStringLiteral("server")).toString() == url.host(QUrl::FullyDecoded));
    FUZZ_CHECK(proxy.value(QStringLiteral("uuid")).toString() == url.userName(QUrl::FullyDecoded));
    FUZZ_CHECK(proxy.value(QStringLiteral("server_port")).toInt(-2) == url.port(443));
    const QJsonObject tls = proxy.value(QStringLiteral("tls")).toObject();
    FUZZ_CHECK(tls.value(QStringLiteral("enabled")).toBool());
    FUZZ_CHECK(tls.value(QStringLiteral("server_name")).toString() == query.queryItemValue(QStringLiteral("sni")));
    FUZZ_CHECK(tls.value(QStringLiteral("insecure")).toBool() ==
               (query.queryItemValue(QStringLiteral("allowInsecure")) == QLatin1String("1")));
    const QJsonObject transport = proxy.value(QStringLiteral("transport")).toObject();
    FUZZ_CHECK(transport.value(QStringLiteral("type")) == QLatin1String("ws"));
    FUZZ_CHECK(transport.value(QStringLiteral("path")).toString() ==
               query.queryItemValue(QStringLiteral("path")).replace(QStringLiteral("%2F"), QStringLiteral("/")));
    return 0;
}
