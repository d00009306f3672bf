#pragma once

// Moves the calling thread into a network namespace and back. Sockets and netlink
// contexts belong to the namespace of the thread that creates them, so a test enters a
// namespace only around the calls that create them, or for a whole thread.
class NamespaceGuard
{
public:
    explicit NamespaceGuard(int namespaceFd);
    ~NamespaceGuard();

    NamespaceGuard(const NamespaceGuard&) = delete;
    NamespaceGuard& operator=(const NamespaceGuard&) = delete;

    bool entered() const { return previous >= 0 && isIn; }

private:
    int previous = -1;
    bool isIn = false;
};
