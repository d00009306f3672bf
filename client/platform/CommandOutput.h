#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace platform {

// Runs a short-lived program to its end and returns what it wrote to standard output
// (standard input and error are the null device). A program still running after
// timeoutMs is killed; what it wrote so far is returned. Empty when it could not start.
// Callable from any thread.
// Linux starts it with posix_spawn, which does not copy the client's address space: a
// fork of the whole GUI process for every latency measurement made the screens crawl.
QByteArray commandOutput(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                         int timeoutMs);

} // namespace platform
