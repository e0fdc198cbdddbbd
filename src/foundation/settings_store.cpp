#include "foundation/settings_store.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace lumora {

std::size_t SettingsStore::readBinary(const std::string& section, const std::string& entry, std::uint8_t* buffer,
                                      std::size_t length, const std::uint8_t* defaultBlock) const {
    if (auto block = readBlock(section, entry)) {
        const std::size_t n = std::min(length, block->size());
        if (n > 0) std::memcpy(buffer, block->data(), n);
        return n;
    }
    if (defaultBlock != nullptr) {
        if (length > 0) std::memcpy(buffer, defaultBlock, length);
        return length;
    }
    return 0;
}

std::string MemorySettingsStore::key(const std::string& section, const std::string& entry) {
    std::string k = section + '\x01' + entry;
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return k;
}

int MemorySettingsStore::readInt(const std::string& section, const std::string& entry, int def) const {
    auto it = values_.find(key(section, entry));
    if (it == values_.end()) return def;
    if (const int* v = std::get_if<int>(&it->second)) return *v;
    return def;
}

std::string MemorySettingsStore::readString(const std::string& section, const std::string& entry,
                                            const std::string& def) const {
    auto it = values_.find(key(section, entry));
    if (it == values_.end()) return def;
    if (const std::string* v = std::get_if<std::string>(&it->second)) return *v;
    return def;
}

bool MemorySettingsStore::writeInt(const std::string& section, const std::string& entry, int value) {
    values_[key(section, entry)] = value;
    ++writes_;
    return true;
}

bool MemorySettingsStore::writeString(const std::string& section, const std::string& entry, const std::string& value) {
    values_[key(section, entry)] = value;
    ++writes_;
    return true;
}

std::optional<Bytes> MemorySettingsStore::readBlock(const std::string& section, const std::string& entry) const {
    auto it = values_.find(key(section, entry));
    if (it == values_.end()) return std::nullopt;
    if (const Bytes* v = std::get_if<Bytes>(&it->second)) return *v;
    return std::nullopt;
}

bool MemorySettingsStore::writeBinary(const std::string& section, const std::string& entry, const std::uint8_t* block,
                                      std::size_t length) {
    values_[key(section, entry)] = Bytes(block, block + length);
    ++writes_;
    return true;
}

bool MemorySettingsStore::contains(const std::string& section, const std::string& entry) const {
    return values_.count(key(section, entry)) != 0;
}

void MemorySettingsStore::remove(const std::string& section, const std::string& entry) {
    values_.erase(key(section, entry));
}

} // namespace lumora
