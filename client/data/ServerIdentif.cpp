#include "ServerIdentif.h"

namespace {
[[maybe_unused]] const int serverIdentifTypeId = qRegisterMetaType<ServerIdentif>("ServerIdentif");
} // namespace

QString ServerIdentif::toText() const
{
    return QStringLiteral("%1::%2").arg(first, second);
}

ServerIdentif ServerIdentif::fromText(const QString& text)
{
    const int separator = text.indexOf(QLatin1String("::"));
    if (separator < 0)
        return ServerIdentif();
    return ServerIdentif(text.left(separator), text.mid(separator + 2));
}
