#pragma once
// The learner's persistent settings: sections of entries holding integers, strings or byte blocks.
// Every read goes to the store (no cache) and returns the caller's default when nothing of the
// asked kind is stored; a read never writes the default back. Writes are persisted at once.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "foundation/bytes.h"

namespace lumora {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int readInt(const std::string& section, const std::string& entry, int def) const = 0;
    virtual std::string readString(const std::string& section, const std::string& entry,
                                   const std::string& def) const = 0;
    virtual bool writeInt(const std::string& section, const std::string& entry, int value) = 0;
    virtual bool writeString(const std::string& section, const std::string& entry,
                             const std::string& value) = 0;
    // The stored block, or nothing when the entry is absent or not a byte block.
    virtual std::optional<Bytes> readBlock(const std::string& section, const std::string& entry) const = 0;
    virtual bool writeBinary(const std::string& section, const std::string& entry, const std::uint8_t* block,
                             std::size_t length) = 0;

    // Reads at most `length` bytes into `buffer`. Returns the number of bytes read when the entry
    // exists; otherwise copies `length` bytes of `defaultBlock` (when given) and returns `length`;
    // otherwise returns 0.
    std::size_t readBinary(const std::string& section, const std::string& entry, std::uint8_t* buffer,
                           std::size_t length, const std::uint8_t* defaultBlock = nullptr) const;
};

// A store kept in memory, for tests and for tools. Names are compared without regard to case,
// as the registry compares them.
class MemorySettingsStore final : public SettingsStore {
public:
    int readInt(const std::string& section, const std::string& entry, int def) const override;
    std::string readString(const std::string& section, const std::string& entry,
                           const std::string& def) const override;
    bool writeInt(const std::string& section, const std::string& entry, int value) override;
    bool writeString(const std::string& section, const std::string& entry, const std::string& value) override;
    std::optional<Bytes> readBlock(const std::string& section, const std::string& entry) const override;
    bool writeBinary(const std::string& section, const std::string& entry, const std::uint8_t* block,
                     std::size_t length) override;

    bool contains(const std::string& section, const std::string& entry) const;
    void remove(const std::string& section, const std::string& entry);
    std::size_t writeCount() const { return writes_; }

private:
    using Value = std::variant<int, std::string, Bytes>;
    static std::string key(const std::string& section, const std::string& entry);
    std::map<std::string, Value> values_;
    std::size_t writes_ = 0;
};

} // namespace lumora
