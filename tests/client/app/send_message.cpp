#include "app/SingleApplication.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MESSAGE\n", argv[0]);
        return 2;
    }
    const QString message = QString::fromLocal8Bit(argv[1]);
    SingleApplication app(QStringLiteral("Lodestar"), argc, argv);
    if (!app.isRunning()) {
        std::fprintf(stderr, "no running instance\n");
        return 1;
    }
    return app.sendMessage(message, 2000) ? 0 : 1;
}
