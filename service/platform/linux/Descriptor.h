#pragma once

#include <unistd.h>

namespace serviceplatform {

// Owns a file descriptor and closes it when it goes; -1 holds none.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    void reset(int other = -1)
    {
        if (fd >= 0) {
            ::close(fd);
        }
        fd = other;
    }
    int get() const { return fd; }

private:
    int fd;
};

} // namespace serviceplatform
