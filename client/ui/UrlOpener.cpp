#include "ui/UrlOpener.h"

#include <QDebug>
#include <QDesktopServices>

namespace {

UrlOpener& currentOpener()
{
    static UrlOpener opener;
    return opener;
}

} // namespace

void setUrlOpener(UrlOpener opener)
{
    currentOpener() = std::move(opener);
}

bool openUrl(const QUrl& url)
{
    const UrlOpener& opener = currentOpener();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

bool openWebLink(const QString& link)
{
    const QUrl url(link.trimmed(), QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        qWarning() << "Not opening the purchase link" << link;
        return false;
    }
    return openUrl(url);
}
