#pragma once

#include <QEvent>
#include <QObject>
#include <QString>

// Turns Wi-Fi status events, posted by a platform notifier, into a signal for
// the main window. The one instance registers itself so that a notifier can
// find it.
class ReachabilityQt : public QObject
{
    Q_OBJECT

public:
    // What a notifier posts to instance().
    class StatusEvent : public QEvent
    {
    public:
        static constexpr QEvent::Type eventType = static_cast<QEvent::Type>(1001);
        static constexpr int connectedUnsecured = 10001;
        static constexpr int connectedSecured = 10002;
        static constexpr int disconnected = 10003;

        StatusEvent(int status, const QString& ssid) : QEvent(eventType), status(status), ssid(ssid) {}

        int status;
        QString ssid;
    };

    explicit ReachabilityQt(QObject* parent = nullptr);
    ~ReachabilityQt() override;

    // The instance constructed last, or null once it is gone.
    static ReachabilityQt* instance();

signals:
    void statusChangeWifi(bool connected, bool unsecured, QString ssid);
    void log(QString logStr);

protected:
    void customEvent(QEvent* event) override;
};
