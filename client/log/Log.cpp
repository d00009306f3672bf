#include "log/Log.h"

#include "platform/ClientTempDir.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>

#include <cstdio>

namespace Log {

QString filePath(const char* fileName)
{
    const QString dir = platform::clientTempDirectory();
    if (dir.isEmpty()) {
        return QString();
    }
    return dir + QLatin1Char('/') + QLatin1String(fileName);
}

QString timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("[dd.MM.yyyy hh:mm:ss.zzz] "));
}

} // namespace Log

namespace {

QMutex logMutex;

const char* typeTag(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "DBG";
    case QtWarningMsg:
        return "WRN";
    case QtCriticalMsg:
        return "CRT";
    case QtFatalMsg:
        return "FTL";
    case QtInfoMsg:
        break;
    }
    return "";
}

} // namespace

void appendLog(const QString& line)
{
    QMutexLocker locker(&logMutex);
    const QString path = Log::filePath(Log::connectionFileName);
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        return;
    }
    file.seek(file.size());
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << Log::timeStamp() << line << "\n";
}

void messageHandler(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message)
{
    // No lock here: a message may come from any thread, and each one opens the file anew.
    const QString line = Log::timeStamp() + QLatin1String(typeTag(type)) + QLatin1Char(' ') + message;
    const QString path = Log::filePath(Log::debugFileName);
    if (!path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            QTextStream out(&file);
            out.setCodec("UTF-8");
            out << line << "\n";
            out.flush();
            if (out.status() == QTextStream::Ok && file.flush()) {
                return;
            }
        }
    }
    // No file to take it (a full disk, say): the message is not lost to whoever watches.
    std::fputs((line.toLocal8Bit() + '\n').constData(), stderr);
}
