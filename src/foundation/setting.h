#pragma once
// A settings entry written once: its section, its name, its kind and its default. The typed
// accessors of each subsystem (app_settings.h, course/course_settings.h, ...) are built from these,
// so that no other code spells a section, an entry or a default.
//
// Reads go to the store at each use (no cache) and return the default when nothing of the kind is
// stored; writes are persisted at once.
#include <string>

#include "foundation/settings_store.h"

namespace lumora {

struct IntSetting {
    const char* section;
    const char* entry;
    int def;
    int read(const SettingsStore& s) const { return s.readInt(section, entry, def); }
    void write(SettingsStore& s, int v) const { s.writeInt(section, entry, v); }
    // The same entry where the caller's default is another setting's value.
    int readOr(const SettingsStore& s, int fallback) const { return s.readInt(section, entry, fallback); }
    // A 0/1 switch: flips it and returns the new value.
    int toggle(SettingsStore& s) const {
        const int next = read(s) == 1 ? 0 : 1;
        write(s, next);
        return next;
    }
};

struct StringSetting {
    const char* section;
    const char* entry;
    const char* def;
    std::string read(const SettingsStore& s) const { return s.readString(section, entry, def); }
    void write(SettingsStore& s, const std::string& v) const { s.writeString(section, entry, v); }
    // Whether a non-empty value is stored (the default does not count).
    bool isSet(const SettingsStore& s) const { return !s.readString(section, entry, "").empty(); }
};

// An entry whose section is chosen at run time: the position section of the current catalogue
// ("Course" or "Write"), or a language's own section ("English US", ...).
struct IntEntry {
    const char* entry;
    int def;
    int read(const SettingsStore& s, const std::string& section) const { return s.readInt(section, entry, def); }
    void write(SettingsStore& s, const std::string& section, int v) const { s.writeInt(section, entry, v); }
};

struct StringEntry {
    const char* entry;
    const char* def;
    std::string read(const SettingsStore& s, const std::string& section) const {
        return s.readString(section, entry, def);
    }
    // The same entry where the caller's default depends on the section (a language's own font).
    std::string readOr(const SettingsStore& s, const std::string& section, const std::string& fallback) const {
        return s.readString(section, entry, fallback);
    }
    void write(SettingsStore& s, const std::string& section, const std::string& v) const {
        s.writeString(section, entry, v);
    }
};

} // namespace lumora
