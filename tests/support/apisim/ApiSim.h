#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// tools/api-sim on loopback for one test program: HTTPS with a throw-away CA, the
// connectivity probe on plain HTTP, and the control endpoints. Starting it points the
// client at it (QUARNEL_API_URL, QUARNEL_API_CA, QUARNEL_PROBE_URL), so make it before
// any NetworkManager.
//
// Under Wine the program cannot start a Linux one and read its output, so CTest starts
// the simulator on the build machine (cmake/api-sim-host.sh) and QUARNEL_API_SIM_STATE
// names the file that says where it listens; this then only takes it over, with its
// own fixture, as if it had started it.
class ApiSim
{
public:
    // The fixture the simulator starts with; the default one when empty.
    explicit ApiSim(const QJsonObject& fixture = QJsonObject());
    ~ApiSim();
    ApiSim(const ApiSim&) = delete;
    ApiSim& operator=(const ApiSim&) = delete;

    bool ok() const { return error.isEmpty(); }
    const QString& failure() const { return error; }
    const QString& httpsBase() const { return https; }
    const QString& httpBase() const { return http; }

    // tools/api-sim/fixtures/default.json.
    static QJsonObject defaultFixture();

    // GET /_control?query; false when the simulator refused a key.
    bool control(const QString& query);
    // Replaces the fixture (POST /_fixture).
    bool setFixture(const QJsonObject& fixture);
    // Back to the starting fixture, without faults or log.
    bool reset();
    // Back to this fixture, which becomes the starting one, without faults or log.
    bool reset(const QJsonObject& fixture);
    // The requests seen since the last call.
    QJsonArray takeRequests();

private:
    QByteArray get(const QString& pathAndQuery, const QByteArray& postBody = QByteArray(), bool post = false);
    void start(const QString& fixturePath);
    void takeOver(const QString& statePath);

    QTemporaryDir dir;
    QProcess process;
    QNetworkAccessManager manager;
    QJsonObject starting;
    QString https;
    QString http;
    QString ca;
    QString error;
};
