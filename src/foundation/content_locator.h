#pragma once
// Where content lies: a content file is looked for under the program directory first, then on the
// CD-ROM drive; the learner's own files go to the data folder.
#include <string>

#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

class ContentLocator {
public:
    ContentLocator(const SettingsStore& store, const FileAccess& files) : store_(store), files_(files) {}

    std::string programDirectory() const { return store_.readString("Course", "SysDir", ""); }
    std::string cdromRoot() const { return store_.readString("CDROM", "Drive", "D:"); }
    std::string userDataFolder() const { return store_.readString("User", "Drive", "C:\\"); }

    // programDirectory() + relative when that file exists, else cdromRoot() + "\" + relative.
    std::string find(const std::string& relative) const;

    const SettingsStore& store() const { return store_; }
    const FileAccess& files() const { return files_; }

private:
    const SettingsStore& store_;
    const FileAccess& files_;
};

} // namespace lumora
