#include "api/ApiSettings.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSslCertificate>
#include <QSslSocket>
#include <QtDebug>

namespace {

QString fromEnvironment(const char* name, const char* buildValue)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(buildValue) : value;
}

} // namespace

namespace api {

QString apiBaseUrl()
{
    QString url = fromEnvironment("QUARNEL_API_URL", QUARNEL_API_URL);
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

QString probeUrl()
{
    return fromEnvironment("QUARNEL_PROBE_URL", QUARNEL_PROBE_URL);
}

QString apiCaFile()
{
    return fromEnvironment("QUARNEL_API_CA", QUARNEL_API_CA);
}

QSslConfiguration sslConfiguration()
{
    // Reading the system store costs a directory scan, so the CA list is built
    // once per CA file name (the name only changes in tests).
    static QMutex mutex;
    static QString cachedFile;
    static QList<QSslCertificate> cachedCas;
    static bool built = false;

    const QString caFile = apiCaFile();
    QList<QSslCertificate> cas;
    {
        QMutexLocker lock(&mutex);
        if (!built || caFile != cachedFile) {
            cachedCas = QSslConfiguration::systemCaCertificates();
            if (!caFile.isEmpty()) {
                const QList<QSslCertificate> extra = QSslCertificate::fromPath(caFile, QSsl::Pem);
                // A missing or unreadable file adds nothing: the API server then has to
                // pass on the system CAs alone, which keeps the failure closed.
                if (extra.isEmpty())
                    qWarning() << "No CA certificate could be read from" << caFile;
                cachedCas += extra;
            }
            cachedFile = caFile;
            built = true;
        }
        cas = cachedCas;
    }

    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    config.setProtocol(QSsl::SecureProtocols);
    // An explicit list also stops Qt from loading further roots on demand, so
    // only the system store and the configured file are trusted.
    config.setCaCertificates(cas);
    return config;
}

} // namespace api
