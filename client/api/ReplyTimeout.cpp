#include "api/ReplyTimeout.h"

#include <QNetworkReply>
#include <QTimer>

ReplyTimeout::ReplyTimeout(QNetworkReply* reply, int milliseconds) : QObject(reply)
{
    if (reply == nullptr) {
        // Nobody would own it otherwise.
        deleteLater();
        return;
    }
    QTimer::singleShot(milliseconds, this, &ReplyTimeout::timeout);
}

void ReplyTimeout::timeout()
{
    auto* reply = qobject_cast<QNetworkReply*>(parent());
    if (reply != nullptr && reply->isRunning())
        reply->close();
}
