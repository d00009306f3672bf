#include "launcher/WindowsCommandLine.h"

namespace launcher {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

std::vector<std::u16string> splitWindowsCommandLine(const std::u16string& line)
{
    std::vector<std::u16string> arguments;
    if (line.empty()) {
        return arguments;
    }

    const std::size_t size = line.size();
    std::size_t i = 0;
    std::u16string program;
    if (line[0] == u'"') {
        for (i = 1; i < size && line[i] != u'"'; ++i) {
            program += line[i];
        }
        if (i < size) {
            ++i;
        }
    } else {
        for (; i < size && !isBlank(line[i]); ++i) {
            program += line[i];
        }
    }
    arguments.push_back(program);

    while (i < size && isBlank(line[i])) {
        ++i;
    }
    if (i == size) {
        return arguments;
    }

    std::u16string current;
    bool open = true;
    int quotes = 0; // 1 inside a quoted part; 2 only transiently while a run of quotes is counted
    std::size_t backslashes = 0;
    while (i < size) {
        const char16_t c = line[i];
        if (isBlank(c) && quotes == 0) {
            arguments.push_back(current);
            current.clear();
            backslashes = 0;
            while (i < size && isBlank(line[i])) {
                ++i;
            }
            open = i < size;
        } else if (c == u'\\') {
            current += c;
            ++backslashes;
            ++i;
        } else if (c == u'"') {
            if (backslashes % 2 == 0) {
                current.erase(current.size() - backslashes / 2);
                ++quotes;
            } else {
                current.erase(current.size() - backslashes / 2 - 1);
                current += u'"';
            }
            backslashes = 0;
            for (++i; i < size && line[i] == u'"'; ++i) {
                if (++quotes == 3) {
                    current += u'"';
                    quotes = 0;
                }
            }
            if (quotes == 2) {
                quotes = 0;
            }
        } else {
            current += c;
            backslashes = 0;
            ++i;
        }
    }
    if (open) {
        arguments.push_back(current);
    }
    return arguments;
}

} // namespace launcher
