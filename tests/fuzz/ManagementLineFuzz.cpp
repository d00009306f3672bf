// Fuzz target: what OpenVPN's management interface sends, as it arrives in pieces,
// through the connector's framing and line parser, with arbitrary credentials.
#include "FuzzCheck.h"

#include "connection/ManagementLineParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <string>

namespace {

// The value the management interface reads back from a quoted argument: a backslash
// takes the next character as it is.
bool unquote(const QByteArray& quoted, QByteArray& value)
{
    value.clear();
    for (int i = 0; i < quoted.size(); ++i) {
        char c = quoted.at(i);
        if (c == '"') {
            return false; // an unescaped quote would end the argument early
        }
        if (c == '\\') {
            if (++i == quoted.size()) {
                return false;
            }
            c = quoted.at(i);
        }
        value += c;
    }
    return true;
}

void checkCredentialCommand(const char* verb, const QString& text)
{
    const QByteArray command = ManagementLineParser::credentialCommand(verb, text);
    const QByteArray value = text.toUtf8();
    if (value.contains('\n') || value.contains('\r') || value.contains('\0')) {
        FUZZ_CHECK(command.isEmpty());
        return;
    }
    if (command.isEmpty()) {
        // Only a value whose quoted form cannot fit the buffer is refused.
        const int escapes = value.count('\\') + value.count('"');
        const int needed = int(qstrlen(verb)) + int(sizeof(" \"Auth\" \"\"\n")) - 1 + value.size() + escapes;
        FUZZ_CHECK(needed >= ManagementLineParser::maxCommandBytes);
        return;
    }
    const QByteArray head = QByteArray(verb) + " \"Auth\" \"";
    FUZZ_CHECK(command.size() < ManagementLineParser::maxCommandBytes);
    FUZZ_CHECK(command.startsWith(head) && command.endsWith("\"\n"));
    FUZZ_CHECK(command.indexOf('\n') == command.size() - 1 && !command.contains('\r') && !command.contains('\0'));
    QByteArray read;
    FUZZ_CHECK(unquote(command.mid(head.size(), command.size() - head.size() - 2), read));
    FUZZ_CHECK(read == value);
}

// The lines a stream holds, worked out on its own: every piece before a line feed,
// cut to the longest line kept.
QList<QByteArray> expectedLines(const QByteArray& stream)
{
    QList<QByteArray> lines = stream.split('\n');
    lines.removeLast(); // not ended yet
    for (QByteArray& line : lines) {
        line.truncate(ManagementLineParser::maxLineBytes);
    }
    return lines;
}

QList<QByteArray> drain(ManagementLineParser& parser)
{
    QList<QByteArray> lines;
    QByteArray line;
    while (parser.nextLine(line)) {
        lines.append(line);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string userBytes = provider.ConsumeRandomLengthString(1100);
    const std::string passwordBytes = provider.ConsumeRandomLengthString(1100);
    std::uint32_t split = provider.ConsumeIntegral<std::uint32_t>();
    const std::string streamBytes = provider.ConsumeRemainingBytesAsString();

    const QString userName = QString::fromUtf8(userBytes.data(), int(userBytes.size()));
    const QString password = QString::fromUtf8(passwordBytes.data(), int(passwordBytes.size()));
    checkCredentialCommand("username", userName);
    checkCredentialCommand("password", password);

    // The same bytes in one piece and in pieces of varying size give the same lines.
    const QByteArray stream(streamBytes.data(), int(streamBytes.size()));
    ManagementLineParser whole(userName, password);
    whole.feed(stream);
    ManagementLineParser pieces(userName, password);
    for (int from = 0; from < stream.size();) {
        split = split * 1103515245u + 12345u;
        const int length = (split >> 16) % 4 == 0 ? int(split >> 16) % 20000 : int(split >> 16) % 64 + 1;
        pieces.feed(stream.mid(from, length));
        from += length;
    }
    const QList<QByteArray> lines = drain(pieces);
    FUZZ_CHECK(lines == drain(whole));
    FUZZ_CHECK(lines == expectedLines(stream));

    const QByteArray userCommand = ManagementLineParser::credentialCommand("username", userName);
    const QByteArray passwordCommand = ManagementLineParser::credentialCommand("password", password);
    int tapErrors = 0;
    int proxyErrors = 0;
    for (const QByteArray& line : lines) {
        const ManagementLineParser::Action action = pieces.parse(line);
        // Only the two credential commands ever go back to OpenVPN, and a refused one sends nothing.
        FUZZ_CHECK(action.send.isEmpty() || action.send == userCommand || action.send == passwordCommand);
        FUZZ_CHECK(!action.credentialRefused || action.send.isEmpty());
        FUZZ_CHECK(!action.hasLog || action.log == QString::fromUtf8(line));
        FUZZ_CHECK(action.stateChange == ManagementLineParser::StateChange::None || action.hasState);
        if (action.error == ConnectorError::NoTunAdapter) {
            ++tapErrors;
        }
        if (action.error == ConnectorError::ProxyAuthRequired) {
            ++proxyErrors;
        }
    }
    // Each of these is reported once per run, however often OpenVPN repeats it.
    FUZZ_CHECK(tapErrors <= 1 && proxyErrors <= 1);
    return 0;
}
