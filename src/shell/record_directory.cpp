#include "shell/record_directory.h"

#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "foundation/app_settings.h"

namespace lumora {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isDrive(const std::string& s) {
    return s.size() == 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':';
}

} // namespace

std::string dataFolderForChoice(const std::string& chosenFolder) {
    std::string f = chosenFolder;
    while (f.size() > 1 && isSeparator(f.back())) f.pop_back();
    // "/" stays: it is the whole of a Unix root.
    return f;
}

std::string dataFolderFromSaveName(const std::string& fullName) {
    const auto cut = fullName.find_last_of("\\/");
    if (cut == std::string::npos) return {};
    std::string folder = fullName.substr(0, cut);
    if (folder.empty()) return std::string(1, fullName[cut]); // the Unix root
    if (isDrive(folder)) return folder;
    return dataFolderForChoice(folder);
}

bool canWriteInto(const std::string& localFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (localFolder.empty() || !fs::is_directory(localFolder, ec)) return false;
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path probe =
        fs::path(localFolder) / (".lumora-probe-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    bool ok = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        ok = static_cast<bool>(out) && static_cast<bool>(out << 'x') && static_cast<bool>(out.flush());
    }
    fs::remove(probe, ec);
    return ok;
}

DataFolderOutcome chooseDataFolder(SettingsStore& store, const FileAccess& files, const std::string& chosenFolder) {
    const std::string folder = dataFolderForChoice(chosenFolder);
    if (folder.empty()) return DataFolderOutcome::Unchanged;
    // A bare drive is resolved with its root, as the learner's files will be ("E:" + "\EX4GB.MEM").
    const std::filesystem::path local = files.resolve(isDrive(folder) ? folder + "\\" : folder);
    if (!canWriteInto(local.string())) return DataFolderOutcome::NotWritable;
    AppSettings::kUserDrive.write(store, folder);
    return DataFolderOutcome::Stored;
}

std::string dataFolderStart(const SettingsStore& store, const FileAccess& files) {
    const std::string folder = AppSettings::kUserDrive.read(store);
    return files.resolve(isDrive(folder) ? folder + "\\" : folder).string();
}

} // namespace lumora
