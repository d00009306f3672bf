#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

#include <memory>

// The real client program, headless, with its own home, settings, cache and runtime
// directory under one root folder.
class ClientProgram
{
public:
    explicit ClientProgram(const QString& root) : root(root) {}
    ~ClientProgram() { kill(); }
    ClientProgram(const ClientProgram&) = delete;
    ClientProgram& operator=(const ClientProgram&) = delete;

    // The folders the client is pointed at, private to their owner as a user's are.
    bool makeFolders() const
    {
        for (const char* dir : {"home", "config", "cache", "data", "run"}) {
            const QString path = root + QLatin1Char('/') + QLatin1String(dir);
            if (!QDir().mkpath(path) || chmod(QFile::encodeName(path).constData(), 0700) != 0) {
                return false;
            }
        }
        return true;
    }

    QString settingsFile() const { return root + QStringLiteral("/config/CPKV/Quarnel.conf"); }
    // Where the client writes its log files.
    QString logFolder() const { return root + QStringLiteral("/run/quarnel"); }

    void start(const QString& apiUrl)
    {
        kill();
        process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(outputFile(), QIODevice::Append);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", root + "/home");
        environment.insert("XDG_CONFIG_HOME", root + "/config");
        environment.insert("XDG_CACHE_HOME", root + "/cache");
        environment.insert("XDG_DATA_HOME", root + "/data");
        environment.insert("XDG_RUNTIME_DIR", root + "/run");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QUARNEL_API_URL", apiUrl);
        environment.insert("QUARNEL_PROBE_URL", "https://127.0.0.1:9/");
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(QUARNEL_CLIENT_BIN), QStringList());
    }

    int exitCode() const { return process != nullptr ? process->exitCode() : -1; }
    bool running() const { return process != nullptr && process->state() == QProcess::Running; }

    // SIGKILL: the client gets no chance to take anything down.
    void kill()
    {
        if (process != nullptr && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(10000);
        }
    }

    // SIGTERM: the normal shutdown, tunnel and kill switch down.
    bool quit()
    {
        process->terminate();
        return process->waitForFinished(30000) && process->exitStatus() == QProcess::NormalExit;
    }

    // What it printed and the ends of its log files.
    QByteArray output() const
    {
        QByteArray text;
        QStringList files{outputFile(), settingsFile()};
        for (const QFileInfo& log : QDir(logFolder()).entryInfoList(QDir::Files)) {
            files << log.filePath();
        }
        for (const QString& path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                continue;
            }
            QByteArray content;
            // Short lines only: the cached catalogue and keys say nothing here.
            for (const QByteArray& line : file.readAll().split('\n')) {
                content += line.size() < 300 ? line + '\n' : QByteArray();
            }
            text += "--- " + QFile::encodeName(path) + "\n" + content.right(3000) + "\n";
        }
        return text;
    }

private:
    // Beside the root, so that a full disk under it does not swallow what the program says.
    QString outputFile() const { return root + QStringLiteral("-output.txt"); }

    QString root;
    std::unique_ptr<QProcess> process;
};
