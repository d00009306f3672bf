#include "api/ReachabilityQt.h"

#include <QAtomicPointer>

namespace {

QAtomicPointer<ReachabilityQt> registered;

} // namespace

ReachabilityQt::ReachabilityQt(QObject* parent) : QObject(parent)
{
    registered.storeRelease(this);
}

ReachabilityQt::~ReachabilityQt()
{
    // A notifier posting later must not reach a deleted object.
    registered.testAndSetOrdered(this, nullptr);
}

ReachabilityQt* ReachabilityQt::instance()
{
    return registered.loadAcquire();
}

void ReachabilityQt::customEvent(QEvent* event)
{
    if (event->type() != StatusEvent::eventType)
        return;
    const auto* status = dynamic_cast<const StatusEvent*>(event);
    if (status == nullptr)
        return;
    switch (status->status) {
    case StatusEvent::connectedUnsecured:
        emit statusChangeWifi(true, true, status->ssid);
        break;
    case StatusEvent::connectedSecured:
        emit statusChangeWifi(true, false, status->ssid);
        break;
    case StatusEvent::disconnected:
        emit statusChangeWifi(false, false, QString());
        break;
    default:
        break;
    }
}
