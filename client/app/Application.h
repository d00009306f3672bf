#pragma once

#include "app/SingleApplication.h"

#include <QStringList>

#include <memory>

class MainWindow;

class Application : public SingleApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    // False when a running instance was woken (the caller then exits with 0); true when
    // this instance created its main window.
    bool start(bool hidden);

    MainWindow* window() const;

    // Reads the options "h" (start hidden) and "a" (autostart mode); true when "h" was given.
    static bool parseHidden(const QStringList& arguments);

public slots:
    void handleMessage(const QString& cmd);

private:
    std::unique_ptr<MainWindow> mainWindow;
};

// The exact text a second start sends to the running instance.
inline const QString wakeUpMessage = QStringLiteral("Wake up!");
