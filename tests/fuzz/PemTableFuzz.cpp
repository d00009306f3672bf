// Fuzz target: the cached certificate and key tables as bytes from the settings store,
// which a damaged or hand-edited file can make anything.
#include "FuzzCheck.h"

#include "data/PemTable.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <cstdint>

using Table = QMap<QString, QByteArray>;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    Table table{{QStringLiteral("stale"), QByteArray("x")}};
    PemTable::fromBytes(bytes, table);

    // What was read, written back, reads the same.
    const QByteArray written = PemTable::toBytes(table);
    Table again;
    FUZZ_CHECK(PemTable::fromBytes(written, again));
    FUZZ_CHECK(again == table);

    // A written table cut anywhere short of its end is reported, and what it keeps are
    // whole entries of the table (none when nothing at all is left).
    const int cut = int(size % std::size_t(written.size()));
    Table partial{{QStringLiteral("stale"), QByteArray("x")}};
    const bool whole = PemTable::fromBytes(written.left(cut), partial);
    FUZZ_CHECK(whole == (cut == 0));
    for (auto entry = partial.cbegin(); entry != partial.cend(); ++entry) {
        FUZZ_CHECK(table.contains(entry.key()) && table.value(entry.key()) == entry.value());
    }
    FUZZ_CHECK(partial.size() <= table.size());
    return 0;
}
