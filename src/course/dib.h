#pragma once
// CDIB: a device-independent bitmap read from a bitmap file (every ideogram picture).
//
// header: a buffer of 1064 bytes, the 40-byte bitmap information header followed by room for 256
//         four-byte colour entries (blue, green, red, 0); a file with the older 12-byte core header
//         is kept as an information header of size 40 with every other field 0.
// bits:   the pixel rows as in the file, bottom row first (top row first when the height is
//         negative), each row padded to a multiple of 4 bytes.
//
// Read accepts 1, 4, 8 and 24 bits per pixel, uncompressed, and run-length-encoded pictures of 8
// bits (compression 1) and 4 bits (compression 2) per pixel, which are kept as the uncompressed
// picture they decode to (compression 0 in the header, pixels no run wrote are colour 0). The pixel
// data size is the file-size field of the file header minus the pixel-offset field; it must lie
// inside the real file and, uncompressed, hold every row the width, height and bit depth call for.
// Colour tables above 256 entries, sizes that lie, runs that leave their row or the picture and
// pictures too large to draw are refused, and nothing is allocated from a size that was not checked
// first. A failed operation leaves the picture as it was.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "foundation/bytes.h"
#include "foundation/read_result.h"

namespace lumora {

class ByteSource;

// A picture in memory: 0xAARRGGBB pixels, top row first, width x height of them.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class CDIB {
public:
    static constexpr std::size_t kHeaderBufferSize = 1064;
    // The largest picture read or created, in pixels (what can still be drawn in memory).
    static constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 26;

    CDIB(); // an empty 16 x 16 picture

    // Frees the old buffers; an 8-bit picture of width x height pixels, all 0, over a grey ramp
    // (entry i has blue = green = red = i). False when the size is not positive, too large, or
    // memory is short.
    bool Create(int width, int height);
    // Reads a bitmap file starting at the stream's current position (offsets count from there).
    // On success the stream stands after the pixel data; on failure it is put back.
    ReadResult Read(std::istream& file);
    // The same from bytes in memory, the file starting at `offset`.
    ReadResult Read(const std::uint8_t* data, std::size_t size);
    ReadResult Read(const Bytes& file, std::size_t offset = 0);
    // A packed bitmap as embedded in other files (metafile records): the information or core
    // header, the colour table and the pixel rows, with no 14-byte file header.
    ReadResult readPacked(const std::uint8_t* data, std::size_t size);
    // Releases both buffers: the picture is empty (no pixels, width and height 0).
    void Free();

    bool isEmpty() const { return header_.size() < 40; }
    int width() const;
    int height() const; // as stored: negative for a picture stored top row first
    int bitCount() const;
    int colourCount() const { return colourCount_; } // entries of the colour table read
    int headerSize() const { return fileHeaderSize_; } // 40 or 12, as in the file
    std::uint32_t dataSize() const { return static_cast<std::uint32_t>(bits_.size()); }
    const Bytes& header() const { return header_; }
    const Bytes& bits() const { return bits_; }
    // Colour table entry `index` (0..255) as 0xFFRRGGBB; black outside the table.
    std::uint32_t colour(int index) const;

    // The picture as RGB pixels, top row first; empty when there is no picture.
    RgbImage toRgb() const;

private:
    ReadResult read(ByteSource& src, bool fileHeader, std::uint64_t* end);

    Bytes header_;
    Bytes bits_;
    int colourCount_ = 0;
    int fileHeaderSize_ = 40;
};

} // namespace lumora
