#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>

// Points the per-user directories (runtime, configuration, cache, data, home) at a
// fresh temporary root, so that a test never reads or changes the real user's settings,
// logs or sockets. Create it before the application object and before anything asks
// for a path; it lives as long as the test program.
class IsolatedUserDirs
{
public:
    IsolatedUserDirs()
    {
        QStandardPaths::setTestModeEnabled(true);
        set("XDG_RUNTIME_DIR", "run");
        set("XDG_CONFIG_HOME", "config");
        set("XDG_CACHE_HOME", "cache");
        set("XDG_DATA_HOME", "data");
        set("HOME", "home");
#ifdef Q_OS_WIN
        // The client's own directory on Windows is the temporary directory itself.
        set("TEMP", "run/quarnel");
        set("TMP", "run/quarnel");
#endif
        // Settings in an INI file here: on Windows instead of the registry, which every
        // test program would share (on Linux it is the native format anyway).
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path(QStringLiteral("config")));
    }

    QString path(const QString& name) const { return root.path() + QLatin1Char('/') + name; }
    QString runtimeDir() const { return path(QStringLiteral("run")); }
    // The client's own temporary directory inside the runtime directory.
    QString clientTempDir() const { return runtimeDir() + QStringLiteral("/quarnel"); }

private:
    void set(const char* variable, const char* name)
    {
        const QString dir = path(QString::fromLatin1(name));
        QDir().mkpath(dir);
        chmod(QFile::encodeName(dir).constData(), 0700);
        qputenv(variable, QFile::encodeName(dir));
    }

    QTemporaryDir root;
};
