#pragma once
// Encoder of 8-bit device-independent bitmap files: the 14-byte file header, the 40-byte
// information header, a colour table of 256 entries and the pixel rows, bottom row first, each
// row padded with zero bytes to a multiple of 4 bytes.
#include <array>
#include <cstdint>
#include <vector>

#include "foundation/text_util.h"

namespace lumora::content {

// `indices` holds width x height palette indices, top row first (the order in which one draws);
// each palette entry is 0x00RRGGBB. Gives an empty buffer when the sizes are negative, do not match
// the index count, or the picture would exceed the 32-bit size fields.
Bytes encodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                 const std::array<std::uint32_t, 256>& palette);

// The palette of the ideogram pictures: entry i is the grey of level i (0 black, 255 white).
std::array<std::uint32_t, 256> greyRampPalette();

} // namespace lumora::content
