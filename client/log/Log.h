#pragma once

#include <QString>
#include <QtGlobal>

class QMessageLogContext;

// The client's two plain-text log files in the client's temporary directory: every Qt
// message of the process, and the connection log that the log viewer shows.
namespace Log {

inline constexpr const char* debugFileName = "Quarnel.qDebug.txt";
inline constexpr const char* connectionFileName = "Quarnel.log.txt";

// Full path of a log file; empty when the client has no temporary directory.
QString filePath(const char* fileName);

// "[dd.MM.yyyy hh:mm:ss.zzz] " of the current local time.
QString timeStamp();

} // namespace Log

// Appends one time-stamped line to the connection log; callable from any thread.
void appendLog(const QString& line);

// Installed with qInstallMessageHandler: one time-stamped, tagged line per message.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);
