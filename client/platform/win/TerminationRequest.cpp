#include "platform/TerminationRequest.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <windows.h>

namespace platform {

namespace {

QPointer<QObject> requestContext;
std::function<void()> requestHandler;

// Runs on a thread the system starts for the event; the handler goes to the context's
// thread. Returning TRUE keeps the default handler (which ends the process at once)
// from running, so the shutdown can finish.
BOOL WINAPI noteTermination(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT: {
        QObject* context = requestContext.data();
        if (context == nullptr)
            return FALSE;
        QMetaObject::invokeMethod(
            context, [] { requestHandler(); }, Qt::QueuedConnection);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

void onTerminationRequest(QObject* context, std::function<void()> handler)
{
    requestContext = context;
    requestHandler = std::move(handler);
    SetConsoleCtrlHandler(noteTermination, TRUE);
}

} // namespace platform
