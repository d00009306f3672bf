#include "timezone/TimezoneChanger.h"

#include <utility>

namespace timezones {

TimezoneChanger::TimezoneChanger(std::unique_ptr<ZoneAccess> access, std::unique_ptr<ZoneMapping> mapping)
    : access(std::move(access)), mapping(std::move(mapping))
{
    restorable = this->access != nullptr && this->access->readCurrent(savedZone);
}

TimezoneChanger::~TimezoneChanger()
{
    if (changed) {
        if (restorable) {
            restore();
        }
        changed = false;
    }
}

bool TimezoneChanger::setZone(const std::string& ianaName)
{
    if (!restorable || mapping == nullptr) {
        return false;
    }
    // An empty name names no zone. It must not reach the cache either: a fresh changer's
    // lastName is empty too, and its blank appliedZone would be applied.
    if (ianaName.empty()) {
        return false;
    }
    const bool reused = ianaName == lastName;
    std::string key;
    if (!reused && !mapping->lookup(ianaName, key)) {
        return false;
    }

    access->setPrivilege(true);
    if (!reused) {
        // Built aside and taken over only when complete, so that a failed read leaves
        // the cache describing lastName.
        Zone zone;
        if (!access->readZone(key, zone)) {
            access->setPrivilege(false);
            return false;
        }
        windowsKey = key;
        appliedZone = zone;
        lastName = ianaName;
    }
    if (!access->apply(appliedZone)) {
        access->setPrivilege(false);
        return false;
    }
    changed = true;
    access->setPrivilege(false);
    access->broadcastChange();
    return true;
}

bool TimezoneChanger::restoreIfChanged()
{
    if (!restorable || !changed) {
        return false;
    }
    return restore();
}

bool TimezoneChanger::restore()
{
    access->setPrivilege(true);
    if (!access->apply(savedZone)) {
        access->setPrivilege(false);
        return false;
    }
    changed = false;
    access->setPrivilege(false);
    access->broadcastChange();
    return true;
}

} // namespace timezones
