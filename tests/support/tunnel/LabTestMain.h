#pragma once

#include "TunnelLab.h"

#include <QCoreApplication>
#include <QString>
#include <QtTest>

#include <memory>

// The main() of a Qt test over a lab: makes the lab unless `unavailable` already says
// why not (the test case then skips with that reason), moves this process, its later
// threads included, into the client namespace, runs the test object and ends the lab.
// `lab` points at the lab while the test runs. Tests of screens pass QApplication.
template <class Test, class Application = QCoreApplication>
int runLabTest(int argc, char* argv[], const QString& unavailable, TunnelLab*& lab)
{
    std::unique_ptr<TunnelLab> owner;
    if (unavailable.isEmpty()) {
        owner = std::make_unique<TunnelLab>();
        lab = owner.get();
        if (lab->ok()) {
            lab->enterClientNamespace();
        }
    }
    Application app(argc, argv);
    Test test;
    const int result = QTest::qExec(&test, argc, argv);
    owner.reset();
    lab = nullptr;
    return result;
}
