#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/settings_store.h"

namespace lumora {

// Field `n` (from 1) of the first line of `text`, fields separated by tabs. The scan past the
// first n - 1 tabs also stops at a line feed; the copy runs to the next tab, line feed or end.
std::string tabField(const std::string& text, int n);

// An 8-bit text field of fixed width: it ends at its first NUL byte or at the end of the field.
std::string fixedField(const std::uint8_t* record, std::size_t offset, std::size_t width);
std::string fixedField(const Bytes& record, std::size_t offset, std::size_t width);
// Writes `text` into a fixed-width field, cut to the width, the rest filled with NUL bytes.
void putFixedField(Bytes& record, std::size_t offset, std::size_t width, const std::string& text);

// Little-endian readers and writers over byte buffers (no struct casts).
std::uint16_t le16(const std::uint8_t* p);
std::uint32_t le32(const std::uint8_t* p);
std::int32_t les32(const std::uint8_t* p);
void putLe16(std::uint8_t* p, std::uint16_t v);
void putLe32(std::uint8_t* p, std::uint32_t v);

// printf-style formatting into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

} // namespace lumora
