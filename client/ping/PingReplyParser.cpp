#include "ping/PingReplyParser.h"

#include <QStringList>
#include <QTextCodec>
#include <QVector>

#include <cmath>

namespace {

const QString millisecondsLatin = QStringLiteral("ms");
const QString millisecondsCyrillic = QStringLiteral("\u043C\u0441"); // "мс"

bool namesMilliseconds(const QString& part)
{
    return part.contains(millisecondsLatin, Qt::CaseInsensitive) ||
           part.contains(millisecondsCyrillic, Qt::CaseInsensitive);
}

} // namespace

bool PingReplyParser::parseLine(const QString& line, double* timems)
{
    // The line ending only matters for the unit standing alone at the end of an
    // iputils reply; a number followed by it converts the same with or without
    // it.
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }

    const QStringList parts = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        const bool unitFollows =
            part.contains(QLatin1Char('=')) && i + 1 < parts.size() && parts.at(i + 1) == millisecondsLatin;
        if (!namesMilliseconds(part) && !unitFollows) {
            continue;
        }
        const QStringList pieces = part.split(QLatin1Char('='), Qt::KeepEmptyParts);
        if (pieces.size() < 2) {
            continue;
        }
        // Removed case-sensitively: "15MS" stays unconverted and reads as 0.
        QString value = pieces.at(1);
        value.remove(millisecondsCyrillic);
        value.remove(millisecondsLatin);
        bool converted = false;
        const double parsed = value.toDouble(&converted);
        // toDouble() also reads "nan", "inf" and numbers far beyond any latency; the list
        // keeps whole milliseconds in an int, so what an int cannot hold reads as unconverted.
        const bool fits = converted && std::isfinite(parsed) && std::fabs(parsed) < 2147483648.0;
        *timems = fits ? parsed : 0.0;
        return true;
    }
    return false;
}

bool PingReplyParser::parseOutput(const QByteArray& output, const QByteArray& codecName, double* timems)
{
    QTextCodec* codec = QTextCodec::codecForName(codecName);
    if (codec == nullptr) {
        codec = QTextCodec::codecForName("UTF-8");
    }
    int start = 0;
    while (start < output.size()) {
        int end = output.indexOf('\n', start);
        end = end < 0 ? output.size() : end + 1;
        if (parseLine(codec->toUnicode(output.constData() + start, end - start), timems)) {
            return true;
        }
        start = end;
    }
    return false;
}
