#pragma once
// Helpers of the media tests: byte builders and a way to run the outside converters (sox,
// ImageMagick) that make reference files at test time.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "foundation/read_result.h"
#include "foundation/settings_store.h"

namespace lumora::test {

inline void addLe16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void addLe32(Bytes& b, std::uint32_t v) {
    addLe16(b, v & 0xFFFF);
    addLe16(b, v >> 16);
}
inline void addText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

inline bool haveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}
// Runs a shell command quietly; true when it exits with 0.
inline bool runQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline Bytes readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// A read refused with the expected status and a detail for the log.
inline ::testing::AssertionResult refusedAs(const ReadResult& result, ReadStatus expected) {
    if (result.status != expected)
        return ::testing::AssertionFailure() << "expected " << statusName(expected) << ", got " << describe(result);
    if (result.detail.empty()) return ::testing::AssertionFailure() << statusName(expected) << " without a detail";
    return ::testing::AssertionSuccess();
}

} // namespace lumora::test
