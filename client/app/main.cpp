#include "app/Application.h"
#include "log/Log.h"

#include <QMessageBox>
#include <QSslSocket>

int main(int argc, char* argv[])
{
    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "1");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);

    Application app(argc, argv);

    if (!QSslSocket::supportsSsl()) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"),
                              QStringLiteral("SSL libs not found! Link the version %1 library")
                                  .arg(QSslSocket::sslLibraryBuildVersionString()),
                              QMessageBox::Ok);
        return 0;
    }

    qInstallMessageHandler(messageHandler);

    const bool hidden = Application::parseHidden(app.arguments());
    app.setQuitOnLastWindowClosed(true);

    if (app.start(hidden)) {
        return app.exec();
    }
    return 0;
}
