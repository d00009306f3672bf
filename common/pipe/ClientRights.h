#pragma once

namespace servicepipe {

// The rights of the client whose request the service is serving, for the one thing the
// service does in a client's name: opening a file the client named. Taken on the calling
// thread only and given back at once, as in
//
//     ClientRightsScope as(client);
//     if (as.held()) { open the file }
//
// Linux takes the uid, gid and groups of the socket's peer as the thread's filesystem
// identity; Windows impersonates the client of the named pipe.
class ClientRights
{
public:
    virtual ~ClientRights() = default;

    // True when the calling thread now opens files as the client would; false leaves
    // the thread as it was, and the caller opens nothing.
    virtual bool assume() = 0;
    // Back to the service's own rights; only after an assume that returned true.
    virtual void revert() = 0;
};

// The service's own rights: for the service's own files, and for tools and tests that
// have no client to act for.
class OwnRights : public ClientRights
{
public:
    bool assume() override { return true; }
    void revert() override {}
};

// A request whose sender is not known: nothing is ever opened in its name.
class NoRights : public ClientRights
{
public:
    bool assume() override { return false; }
    void revert() override {}
};

class ClientRightsScope
{
public:
    explicit ClientRightsScope(ClientRights& rights) : rights(rights), taken(rights.assume()) {}
    ~ClientRightsScope() { release(); }

    ClientRightsScope(const ClientRightsScope&) = delete;
    ClientRightsScope& operator=(const ClientRightsScope&) = delete;

    bool held() const { return taken; }
    // Gives the rights back before the scope ends.
    void release()
    {
        if (taken) {
            taken = false;
            rights.revert();
        }
    }

private:
    ClientRights& rights;
    bool taken;
};

} // namespace servicepipe
