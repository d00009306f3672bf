#pragma once

#include <QString>

// What the connection screen asks of the window that holds it: the main window in the
// program, a stand-in in tests.
class ConnectWindowHost
{
public:
    enum class TunnelState
    {
        Disconnected,
        Connecting,
        Connected
    };

    virtual ~ConnectWindowHost() = default;

    // Shows the connection screen in front of the other screens and applies the
    // settings to it again (a new attempt starts from what the settings say now).
    virtual void showConnectionScreen() = 0;
    // Brings the whole window forward, before a failure is shown.
    virtual void bringToFront() = 0;
    // The state the screen now shows.
    virtual void tunnelStateChanged(TunnelState state) = 0;
    // An attempt failed or a tunnel went down.
    virtual void tunnelEnded() = 0;
    // The id of the location the screen now shows.
    virtual void locationChanged(const QString& id) = 0;
};
