#include "connection/ManagementPasswordFile.h"

#include "platform/ClientTempDir.h"

#include <QRandomGenerator>

#include <iterator>

ManagementPasswordFile::ManagementPasswordFile()
{
    // The system generator draws on the operating system's entropy source.
    quint32 words[passwordLength / 8];
    QRandomGenerator::system()->generate(std::begin(words), std::end(words));
    secret = QByteArray(reinterpret_cast<const char*>(words), sizeof(words)).toHex();
}

bool ManagementPasswordFile::write()
{
    const QString dir = platform::clientTempDirectory();
    if (dir.isEmpty()) {
        return false;
    }
    // QTemporaryFile creates the file new, readable and writable by its owner only.
    file.setFileTemplate(dir + QStringLiteral("/Quarnel.management-XXXXXX.txt"));
    const QByteArray line = secret + '\n';
    if (!file.open() || file.write(line) != line.size() || !file.flush()) {
        remove();
        return false;
    }
    file.close();
    filePath = file.fileName();
    return true;
}

void ManagementPasswordFile::remove()
{
    file.remove();
    filePath.clear();
}
