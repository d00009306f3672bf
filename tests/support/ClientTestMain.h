#pragma once

#include "IsolatedUserDirs.h"

#include <QApplication>
#include <QTest>

// The main of a client screen test: private user directories (settings, logs, the
// client's temporary directory), a widgets application under the client's names, and
// the test object run by Qt Test.
template <typename Test> int runClientTest(int argc, char* argv[])
{
    IsolatedUserDirs dirs;
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("CPKV"));
    app.setApplicationName(QStringLiteral("Quarnel"));
    Test test;
    return QTest::qExec(&test, argc, argv);
}
