#pragma once
// The byte string of the program: file contents, settings blocks, fixed-width record fields.
#include <cstdint>
#include <vector>

namespace lumora {

using Bytes = std::vector<std::uint8_t>;

} // namespace lumora
