#pragma once
// Where content lies: a content file is looked for under the program directory first, then on the
// CD-ROM drive; the learner's own files go to the data folder.
#include <string>

#include "foundation/app_settings.h"
#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

class ContentLocator {
public:
    ContentLocator(const SettingsStore& store, const FileAccess& files) : store_(store), files_(files) {}

    std::string programDirectory() const { return AppSettings::kSysDir.read(store_); }
    std::string cdromRoot() const { return AppSettings::kCdromDrive.read(store_); }
    std::string userDataFolder() const { return AppSettings::kUserDrive.read(store_); }

    // programDirectory() + relative when that file exists, else cdromRoot() + "\" + relative.
    std::string find(const std::string& relative) const;

    const SettingsStore& store() const { return store_; }
    const FileAccess& files() const { return files_; }

private:
    const SettingsStore& store_;
    const FileAccess& files_;
};

} // namespace lumora
