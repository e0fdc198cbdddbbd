#include "content/bmp_writer.h"

#include <cstddef>
#include <cstring>
#include <limits>

namespace lumora::content {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPaletteSize = std::size_t{256} * 4;
constexpr std::size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize; // 1078
} // namespace

Bytes encodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                 const std::array<std::uint32_t, 256>& palette) {
    if (width < 0 || height < 0) return {};
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    if (w != 0 && h > std::numeric_limits<std::size_t>::max() / w) return {};
    if (indices.size() != w * h) return {};
    const std::size_t stride = (w + 3) / 4 * 4;
    if (h != 0 && stride > (std::numeric_limits<std::uint32_t>::max() - kPixelOffset) / h) return {};
    const std::size_t imageSize = stride * h;
    const std::size_t fileSize = kPixelOffset + imageSize;

    Bytes out(fileSize, 0);
    std::uint8_t* p = out.data();
    // File header.
    p[0] = 'B';
    p[1] = 'M';
    putLe32(p + 2, static_cast<std::uint32_t>(fileSize));
    putLe32(p + 10, static_cast<std::uint32_t>(kPixelOffset));
    // Information header.
    std::uint8_t* info = p + kFileHeaderSize;
    putLe32(info + 0, static_cast<std::uint32_t>(kInfoHeaderSize));
    putLe32(info + 4, static_cast<std::uint32_t>(width));
    putLe32(info + 8, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    putLe16(info + 12, 1);                                 // planes
    putLe16(info + 14, 8);                                 // bits per pixel
    putLe32(info + 16, 0);                                 // no compression
    putLe32(info + 20, static_cast<std::uint32_t>(imageSize));
    putLe32(info + 24, 2835); // 72 dots per inch, in dots per metre
    putLe32(info + 28, 2835);
    putLe32(info + 32, 256); // colours used
    putLe32(info + 36, 0);   // all colours important
    // Colour table: blue, green, red, 0.
    std::uint8_t* table = info + kInfoHeaderSize;
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t rgb = palette[i];
        table[i * 4 + 0] = static_cast<std::uint8_t>(rgb & 0xFF);
        table[i * 4 + 1] = static_cast<std::uint8_t>((rgb >> 8) & 0xFF);
        table[i * 4 + 2] = static_cast<std::uint8_t>((rgb >> 16) & 0xFF);
        table[i * 4 + 3] = 0;
    }
    // Pixel rows, bottom row first; the padding bytes stay 0.
    std::uint8_t* bits = p + kPixelOffset;
    for (std::size_t row = 0; row < h; ++row) {
        const std::uint8_t* src = indices.data() + (h - 1 - row) * w;
        if (w != 0) std::memcpy(bits + row * stride, src, w);
    }
    return out;
}

std::array<std::uint32_t, 256> greyRampPalette() {
    std::array<std::uint32_t, 256> palette{};
    for (std::uint32_t i = 0; i < 256; ++i)
        palette[i] = (i << 16) | (i << 8) | i;
    return palette;
}

} // namespace lumora::content
