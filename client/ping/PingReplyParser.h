#pragma once

#include <QByteArray>
#include <QString>

// Reads the latency out of the console output of the system's ping command.
// Keyed to the Windows reply "time=15ms" (English) or "время=15мс" (Russian);
// the iputils reply "time=0.055 ms" puts the unit in a part of its own, which
// counts too. The first reply with a time after "=" decides: the first answered
// echo, not an average.
class PingReplyParser
{
public:
    // One line; true with *timems set when the line gives a time.
    static bool parseLine(const QString& line, double* timems);

    // The whole standard output, each line decoded on its own with the named
    // codec.
    static bool parseOutput(const QByteArray& output, const QByteArray& codecName, double* timems);
};
