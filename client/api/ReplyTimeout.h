#pragma once

#include <QObject>

class QNetworkReply;

// Puts a deadline on a network reply: when it passes while the reply is still
// running, the reply is closed and finishes with "operation cancelled". Created
// and forgotten: it lives as the reply's child, so deleting the reply also
// cancels the deadline.
class ReplyTimeout : public QObject
{
    Q_OBJECT

public:
    ReplyTimeout(QNetworkReply* reply, int milliseconds);

private slots:
    void timeout();
};
