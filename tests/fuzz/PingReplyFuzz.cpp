// Fuzz target: the console output of the system's ping command, read as the OEM code
// page of a Windows console (CP866) or as the UTF-8 of iputils.
#include "FuzzCheck.h"

#include "ping/PingReplyParser.h"

#include <QByteArray>
#include <QList>
#include <QTextCodec>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const QByteArray codecName = (data[0] & 1) == 0 ? QByteArray("CP866") : QByteArray("UTF-8");
    const QByteArray output = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), int(size - 1));

    double timems = -12345.0;
    const bool found = PingReplyParser::parseOutput(output, codecName, &timems);
    if (!found) {
        FUZZ_CHECK(timems == -12345.0);
    } else {
        // The latency list keeps whole milliseconds in an int: the value must convert.
        FUZZ_CHECK(std::isfinite(timems));
        FUZZ_CHECK(timems > -2147483648.0 && timems < 2147483648.0);
    }

    // The output is read line by line: the first line that gives a time decides.
    QTextCodec* codec = QTextCodec::codecForName(codecName);
    FUZZ_CHECK(codec != nullptr);
    bool lineFound = false;
    double lineTime = 0.0;
    const QList<QByteArray> lines = output.split('\n');
    for (int i = 0; i < lines.size() && !lineFound; ++i) {
        const QByteArray line = i + 1 < lines.size() ? lines.at(i) + '\n' : lines.at(i);
        lineFound = PingReplyParser::parseLine(codec->toUnicode(line), &lineTime);
    }
    FUZZ_CHECK(lineFound == found);
    FUZZ_CHECK(!found || lineTime == timems);
    return 0;
}
