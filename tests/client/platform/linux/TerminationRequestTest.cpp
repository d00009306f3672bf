#include "platform/TerminationRequest.h"

#include <QtTest>

#include <csignal>

// The handlers stay installed for the rest of the process: one case goes through every
// signal, with the process's own signals raised at it.
class TerminationRequestTest : public QObject
{
    Q_OBJECT

private slots:
    void eachSignalReachesTheEventLoop()
    {
        QObject context;
        int calls = 0;
        platform::onTerminationRequest(&context, [&calls] { ++calls; });
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            const int before = calls;
            QCOMPARE(::raise(signal), 0);
            // Still alive: the default action would have ended the process. The call
            // comes from the event loop, not from inside the signal handler.
            QCOMPARE(calls, before);
            QTRY_COMPARE(calls, before + 1);
        }
        // Two signals before the loop runs are one request.
        ::raise(SIGTERM);
        ::raise(SIGTERM);
        QTRY_COMPARE(calls, 4);
        QCoreApplication::processEvents();
        QCOMPARE(calls, 4);
    }
};

QTEST_GUILESS_MAIN(TerminationRequestTest)
#include "TerminationRequestTest.moc"
