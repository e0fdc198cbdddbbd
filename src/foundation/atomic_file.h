#pragma once
// Writing a file so that it is replaced whole or not at all: the new content goes into a temporary
// file with a unique name in the target's folder (so the final rename stays on one file system),
// is flushed and closed with every step checked, and is then renamed onto the target. On any
// failure the old file is left as it was and the temporary file is removed.
#include <filesystem>
#include <string>
#include <string_view>

namespace lumora {

class AtomicFile {
public:
    // Creates the target's folder when needed and a new, empty temporary file beside the target
    // (".<name>.<random><suffix>", never an existing file). ok() tells whether that worked.
    explicit AtomicFile(std::filesystem::path target, std::string_view suffix = ".tmp");
    ~AtomicFile(); // removes the temporary file unless it was committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool ok() const { return !temp_.empty(); }
    // The temporary file: write() fills it, or another writer (an outside program) may.
    const std::filesystem::path& tempPath() const { return temp_; }
    const std::filesystem::path& target() const { return target_; }
    // Why the last step failed, naming the target ("<target>: cannot be written: <reason>").
    const std::string& error() const { return error_; }

    // Replaces the temporary file's content with `data`.
    bool write(std::string_view data);
    // Renames the temporary file onto the target; afterwards the object holds no temporary file.
    bool commit();

private:
    bool failed(const std::string& reason);
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::string error_;
};

// The whole write in one call. Returns false, with the reason in `*error` when it is not null.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view data, std::string* error = nullptr);

} // namespace lumora
