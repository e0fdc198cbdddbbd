#pragma once
// Every file the program reads or writes is named the way the content names it: plain
// concatenation with backslashes and drive letters ("D:\L01\MALE\P1.WAV"). FileAccess is the one
// place where such a name becomes a local path:
//   1. a leading drive letter ("D:") is looked up in the settings section "Drives" (entry = the
//      letter); when nothing is stored the built-in default of that letter is used; a drive with no
//      value at all cannot be resolved and the file counts as missing;
//   2. backslashes become the local separator and doubled separators collapse;
//   3. a component that does not exist with its exact spelling is matched without regard to case.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "foundation/settings_store.h"

namespace lumora {

// Local directories that drive letters stand for when the "Drives" section holds nothing.
using DriveTable = std::map<char, std::string>; // upper-case letter -> local directory

class FileAccess {
public:
    FileAccess(const SettingsStore& store, DriveTable defaults);

    // The local path of a content name; empty when the name cannot be resolved.
    std::filesystem::path resolve(const std::string& name) const;

    bool exists(const std::string& name) const; // a regular file exists
    std::optional<std::uint64_t> size(const std::string& name) const;
    // Reads exactly `length` bytes at `offset`; nothing when the file is missing or shorter.
    std::optional<Bytes> readAt(const std::string& name, std::uint64_t offset, std::size_t length) const;
    // Reads the whole file when it is at most `maxBytes` long.
    std::optional<Bytes> readAll(const std::string& name, std::uint64_t maxBytes = 64u << 20) const;
    // Writes through a temporary file in the same folder that is then renamed into place, so a
    // crash never leaves a half-written file. Creates the folder when needed.
    bool writeAtomically(const std::string& name, const Bytes& data) const;

    const DriveTable& defaults() const { return defaults_; }

private:
    const SettingsStore& store_;
    DriveTable defaults_;
};

// A stem read from a content file (lesson, sound, media, picture stem) is a file-name part. One that
// holds a separator, a drive colon or ".." could make the program read outside its roots: refused.
bool isSafeStem(const std::string& stem);

// The same resolution on an explicit drive table, for callers without a store.
std::filesystem::path resolveContentPath(const std::string& name, const DriveTable& drives);

} // namespace lumora
