#include "timezone/CldrZoneMapping.h"

#include "timezone/MappingPath.h"

#include <tinyxml2.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

namespace timezones {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whole entries only: a plain substring search would let "Etc/GMT+1" match the
// "Etc/GMT+12" entry and "America/Bahia" the "America/Bahia_Banderas" one.
bool listContains(const char* list, const std::string& name)
{
    const char* cursor = list;
    while (*cursor != '\0') {
        while (isBlank(*cursor)) {
            ++cursor;
        }
        const char* start = cursor;
        while (*cursor != '\0' && !isBlank(*cursor)) {
            ++cursor;
        }
        const std::size_t length = static_cast<std::size_t>(cursor - start);
        if (length != 0 && length == name.size() && std::memcmp(start, name.data(), length) == 0) {
            return true;
        }
    }
    return false;
}

// By the native path: tinyxml2's LoadFile takes a narrow name, which on Windows would
// lose the characters of an install path outside the ANSI code page.
bool readFile(const std::filesystem::path& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

} // namespace

CldrZoneMapping::CldrZoneMapping() : mappingPath(defaultMappingPath()) {}

CldrZoneMapping::CldrZoneMapping(std::filesystem::path mappingPath) : mappingPath(std::move(mappingPath)) {}

bool CldrZoneMapping::lookup(const std::string& ianaName, std::string& key)
{
    if (ianaName.empty()) {
        return false;
    }
    std::string text;
    tinyxml2::XMLDocument document;
    if (!readFile(mappingPath, text) || document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
        return false;
    }
    const tinyxml2::XMLElement* root = document.FirstChildElement("supplementalData");
    const tinyxml2::XMLElement* zones = root != nullptr ? root->FirstChildElement("windowsZones") : nullptr;
    const tinyxml2::XMLElement* map = zones != nullptr ? zones->FirstChildElement("mapTimezones") : nullptr;
    if (map == nullptr) {
        return false;
    }
    for (const tinyxml2::XMLElement* zone = map->FirstChildElement("mapZone"); zone != nullptr;
         zone = zone->NextSiblingElement("mapZone")) {
        const char* type = zone->Attribute("type");
        const char* other = zone->Attribute("other");
        if (type != nullptr && other != nullptr && *other != '\0' && listContains(type, ianaName)) {
            key = other;
            return true;
        }
    }
    return false;
}

} // namespace timezones
