#include "course/dib.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "course/byte_source.h"
#include "foundation/text_util.h"

namespace lumora {

namespace {

constexpr std::uint16_t kBitmapType = 19778; // "BM"
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

// Bytes of one pixel row, padded to a multiple of 4.
std::uint64_t rowBytes(std::uint64_t width, unsigned bits) { return (width * bits + 31) / 32 * 4; }

// Expands run-length-encoded pixels (8 bits per pixel with `fourBit` false, 4 with it true) into
// `rows`, zeroed rows of `stride` bytes, bottom row first. Codes are byte pairs: a count n > 0
// repeats the next byte's pixel (its two nibbles in turn for 4 bits) n times; a count 0 is an
// escape: 0 end of line, 1 end of bitmap, 2 a delta (right, up) in the next two bytes, n >= 3 an
// absolute run of n pixels in the bytes that follow, padded to a 16-bit boundary. Every run and
// delta must stay inside its row and the picture. A missing end-of-bitmap code is accepted only
// where the data ends right after the picture's last pixel or last end of line.
ReadResult expandRle(ByteSource& src, std::uint64_t at, std::uint64_t size, bool fourBit, std::uint64_t width,
                     std::uint64_t height, std::uint64_t stride, Bytes& rows) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::uint64_t pos = 0;
    auto put = [&](std::uint64_t px, unsigned index) {
        std::uint8_t& b = rows[static_cast<std::size_t>(y * stride + (fourBit ? px / 2 : px))];
        if (!fourBit)
            b = static_cast<std::uint8_t>(index);
        else if ((px & 1) == 0)
            b = static_cast<std::uint8_t>((b & 0x0F) | (index << 4));
        else
            b = static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F));
    };
    // A run of n pixels at the cursor: refused unless it fits in the current row.
    auto room = [&](std::uint64_t n) -> ReadResult {
        if (y >= height)
            return readFailure(ReadStatus::Corrupt, "a run of " + std::to_string(n) + " pixels after the last row");
        if (n > width - x)
            return readFailure(ReadStatus::Corrupt, "a run of " + std::to_string(n) + " pixels at column " +
                                                        std::to_string(x) + " overflows a row of " +
                                                        std::to_string(width));
        return {};
    };
    std::uint8_t code[2];
    for (;;) {
        if (pos == size) {
            if (y >= height || (y == height - 1 && x == width)) return {}; // lenient: no end-of-bitmap code
            return readFailure(ReadStatus::Truncated, "run-length data ends before the end of the bitmap");
        }
        if (size - pos < 2 || !src.read(at + pos, code, 2))
            return readFailure(ReadStatus::Truncated, "run-length data ends inside a code");
        pos += 2;
        if (code[0] > 0) {
            if (ReadResult r = room(code[0]); !r) return r;
            for (unsigned i = 0; i < code[0]; ++i, ++x)
                put(x, fourBit ? ((i & 1) ? code[1] & 0x0F : code[1] >> 4) : code[1]);
            continue;
        }
        switch (code[1]) {
        case 0: // end of line
            if (y >= height) return readFailure(ReadStatus::Corrupt, "an end of line after the last row");
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return {};
        case 2: { // delta
            std::uint8_t d[2];
            if (size - pos < 2 || !src.read(at + pos, d, 2))
                return readFailure(ReadStatus::Truncated, "run-length data ends inside a delta");
            pos += 2;
            if (y >= height || d[0] > width - x || d[1] >= height - y)
                return readFailure(ReadStatus::Corrupt, "a delta of (" + std::to_string(d[0]) + ", " +
                                                            std::to_string(d[1]) + ") leaves the picture");
            x += d[0];
            y += d[1];
            break;
        }
        default: { // absolute run
            const unsigned n = code[1];
            if (ReadResult r = room(n); !r) return r;
            const std::uint64_t bytes = fourBit ? (n + 1) / 2 : n;
            const std::uint64_t padded = bytes + (bytes & 1);
            std::uint8_t run[256];
            if (size - pos < padded || !src.read(at + pos, run, static_cast<std::size_t>(bytes)))
                return readFailure(ReadStatus::Truncated, "an absolute run of " + std::to_string(n) +
                                                              " pixels runs past the end of the data");
            pos += padded;
            for (unsigned i = 0; i < n; ++i, ++x)
                put(x, fourBit ? ((i & 1) ? run[i / 2] & 0x0F : run[i / 2] >> 4) : run[i]);
        }
        }
    }
}

} // namespace

CDIB::CDIB() { Create(16, 16); }

bool CDIB::Create(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) return false;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) + 3) / 4 * 4;
    Bytes header;
    Bytes bits;
    try {
        header.assign(kHeaderBufferSize, 0);
        bits.assign(static_cast<std::size_t>(stride * static_cast<std::uint64_t>(height)), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    putLe32(header.data(), 40);
    putLe32(header.data() + 4, static_cast<std::uint32_t>(width));
    putLe32(header.data() + 8, static_cast<std::uint32_t>(height));
    putLe16(header.data() + 12, 1);
    putLe16(header.data() + 14, 8);
    for (int i = 0; i < 256; ++i) {
        std::uint8_t* e = header.data() + 40 + 4 * i;
        e[0] = e[1] = e[2] = static_cast<std::uint8_t>(i);
    }
    header_ = std::move(header);
    bits_ = std::move(bits);
    colourCount_ = 256;
    fileHeaderSize_ = 40;
    return true;
}

ReadResult CDIB::Read(std::istream& file) {
    StreamSource src(file);
    std::uint64_t end = 0;
    ReadResult result = read(src, true, &end);
    src.seek(result ? end : 0);
    return result;
}

ReadResult CDIB::Read(const std::uint8_t* data, std::size_t size) {
    MemorySource src(data, data ? size : 0);
    return read(src, true, nullptr);
}

ReadResult CDIB::Read(const Bytes& file, std::size_t offset) {
    if (offset > file.size()) return readFailure(ReadStatus::Truncated, "offset past the end of the file");
    return Read(file.data() + offset, file.size() - offset);
}

ReadResult CDIB::readPacked(const std::uint8_t* data, std::size_t size) {
    MemorySource src(data, data ? size : 0);
    return read(src, false, nullptr);
}

void CDIB::Free() {
    header_ = Bytes();
    bits_ = Bytes();
    colourCount_ = 0;
}

ReadResult CDIB::read(ByteSource& src, bool fileHeader, std::uint64_t* end) {
    std::uint64_t fileSize = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t headerAt = 0;
    if (fileHeader) {
        std::uint8_t fh[kFileHeaderSize];
        if (src.size() >= 2 && src.read(0, fh, 2) && le16(fh) != kBitmapType)
            return readFailure(ReadStatus::Corrupt, "not a bitmap file");
        if (!src.read(0, fh, sizeof fh)) return readFailure(ReadStatus::Truncated, "file header is truncated");
        fileSize = le32(fh + 2);
        pixelOffset = le32(fh + 10);
        headerAt = kFileHeaderSize;
    }

    std::uint8_t sizeField[4];
    if (!src.read(headerAt, sizeField, 4)) return readFailure(ReadStatus::Truncated, "bitmap header is truncated");
    const std::uint32_t headerSize = le32(sizeField);
    if (headerSize != 40 && headerSize != 12)
        return readFailure(headerSize < 12 ? ReadStatus::Corrupt : ReadStatus::Unsupported,
                           "header size " + std::to_string(headerSize) + " (only 40 and 12 are read)");
    std::uint8_t info[40] = {};
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    if (headerSize == 40) {
        if (!src.read(headerAt, info, 40)) return readFailure(ReadStatus::Truncated, "bitmap header is truncated");
        width = les32(info + 4);
        height = les32(info + 8);
        bits = le16(info + 14);
        compression = le32(info + 16);
        coloursUsed = le32(info + 32);
    } else {
        std::uint8_t core[12];
        if (!src.read(headerAt, core, 12)) return readFailure(ReadStatus::Truncated, "bitmap header is truncated");
        width = le16(core + 4);
        height = le16(core + 6);
        bits = le16(core + 10);
        putLe32(info, 40);
        putLe32(info + 4, static_cast<std::uint32_t>(width));
        putLe32(info + 8, static_cast<std::uint32_t>(height));
        putLe16(info + 12, le16(core + 8));
        putLe16(info + 14, static_cast<std::uint16_t>(bits));
    }

    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        const bool valid = bits == 0 || bits == 16 || bits == 32; // depths of formats we do not read
        return readFailure(valid ? ReadStatus::Unsupported : ReadStatus::Corrupt,
                           std::to_string(bits) + " bits per pixel (only 1, 4, 8 and 24 are read)");
    }
    const bool rle = compression == kRle8 || compression == kRle4;
    if (rle && bits != (compression == kRle8 ? 8u : 4u))
        return readFailure(ReadStatus::Corrupt, "run-length compression " + std::to_string(compression) + " with " +
                                                    std::to_string(bits) + " bits per pixel");
    if (compression != 0 && !rle)
        return readFailure(compression <= 6 ? ReadStatus::Unsupported : ReadStatus::Corrupt,
                           "compression " + std::to_string(compression) + " (only none and run-length are read)");
    const std::uint64_t absHeight = static_cast<std::uint64_t>(height < 0 ? -height : height);
    if (width <= 0 || absHeight == 0) return readFailure(ReadStatus::Corrupt, "empty picture");
    if (rle && height < 0) return readFailure(ReadStatus::Corrupt, "a run-length bitmap stored top row first");
    if (static_cast<std::uint64_t>(width) * absHeight > kMaxPixels)
        return readFailure(ReadStatus::Unsupported, "picture too large to draw");

    std::uint64_t count = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    if (headerSize == 40 && coloursUsed != 0) count = coloursUsed;
    if (count > 256) return readFailure(ReadStatus::Corrupt, "colour table of " + std::to_string(count) + " entries");
    const std::uint64_t tableAt = headerAt + headerSize;
    const unsigned entrySize = headerSize == 40 ? 4 : 3;
    if (!src.holds(tableAt, count * entrySize))
        return readFailure(ReadStatus::Truncated, "colour table runs past the end of the file");

    const std::uint64_t stride = rowBytes(static_cast<std::uint64_t>(width), bits);
    const std::uint64_t needed = stride * absHeight;
    std::uint64_t dataSize = 0;
    if (fileHeader) {
        if (pixelOffset < tableAt) return readFailure(ReadStatus::Corrupt, "pixel offset points into the headers");
        if (fileSize < pixelOffset)
            return readFailure(ReadStatus::Corrupt, "file size field is smaller than the pixel offset");
        dataSize = fileSize - pixelOffset;
        if (!src.holds(pixelOffset, dataSize))
            return readFailure(ReadStatus::Truncated, "file size field is larger than the file");
    } else {
        pixelOffset = tableAt + count * entrySize;
        dataSize = src.size() - pixelOffset;
    }
    if (!rle && dataSize < needed)
        return readFailure(ReadStatus::Truncated, "pixel data is shorter than the picture's rows");

    Bytes header;
    Bytes pixels;
    try {
        header.assign(kHeaderBufferSize, 0);
        // Checked above: the file holds the uncompressed rows, or the picture is small enough to draw.
        pixels.assign(static_cast<std::size_t>(rle ? needed : dataSize), 0);
    } catch (const std::bad_alloc&) {
        return readFailure(ReadStatus::Unsupported, "out of memory");
    }
    std::memcpy(header.data(), info, 40);
    if (rle) {
        // Kept as the uncompressed picture it decodes to.
        putLe32(header.data() + 16, 0);
        putLe32(header.data() + 20, static_cast<std::uint32_t>(needed));
    }
    std::uint8_t entry[4];
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!src.read(tableAt + i * entrySize, entry, entrySize))
            return readFailure(ReadStatus::Truncated, "colour table is truncated");
        std::uint8_t* e = header.data() + 40 + 4 * i;
        e[0] = entry[0];
        e[1] = entry[1];
        e[2] = entry[2];
        e[3] = entrySize == 4 ? entry[3] : 0;
    }
    if (rle) {
        if (ReadResult r = expandRle(src, pixelOffset, dataSize, compression == kRle4,
                                     static_cast<std::uint64_t>(width), absHeight, stride, pixels);
            !r)
            return r;
    } else if (!src.read(pixelOffset, pixels.data(), pixels.size())) {
        return readFailure(ReadStatus::Truncated, "pixel data is truncated");
    }

    header_ = std::move(header);
    bits_ = std::move(pixels);
    colourCount_ = static_cast<int>(count);
    fileHeaderSize_ = static_cast<int>(headerSize);
    if (end) *end = pixelOffset + dataSize;
    return {};
}

int CDIB::width() const { return isEmpty() ? 0 : les32(header_.data() + 4); }
int CDIB::height() const { return isEmpty() ? 0 : les32(header_.data() + 8); }
int CDIB::bitCount() const { return isEmpty() ? 0 : le16(header_.data() + 14); }

std::uint32_t CDIB::colour(int index) const {
    if (index < 0 || index > 255 || header_.size() < kHeaderBufferSize) return 0xFF000000u;
    const std::uint8_t* e = header_.data() + 40 + 4 * index;
    return 0xFF000000u | (std::uint32_t(e[2]) << 16) | (std::uint32_t(e[1]) << 8) | e[0];
}

RgbImage CDIB::toRgb() const {
    RgbImage out;
    if (isEmpty() || header_.size() < kHeaderBufferSize) return out;
    const std::int64_t w = width();
    const std::int64_t h = height();
    const unsigned bits = static_cast<unsigned>(bitCount());
    const std::uint64_t absH = static_cast<std::uint64_t>(h < 0 ? -h : h);
    if (w <= 0 || absH == 0) return out;
    const std::uint64_t stride = rowBytes(static_cast<std::uint64_t>(w), bits);
    // Every way of filling the object checks this; keep the drawing safe on its own too.
    if (bits_.size() < stride * absH || static_cast<std::uint64_t>(w) * absH > kMaxPixels) return out;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return out;

    std::uint32_t palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = colour(i);

    out.width = static_cast<int>(w);
    out.height = static_cast<int>(absH);
    out.pixels.resize(static_cast<std::size_t>(static_cast<std::uint64_t>(w) * absH));
    const bool topDown = h < 0;
    for (std::uint64_t y = 0; y < absH; ++y) {
        const std::uint64_t srcRow = topDown ? y : absH - 1 - y;
        const std::uint8_t* row = bits_.data() + srcRow * stride;
        std::uint32_t* dst = out.pixels.data() + y * static_cast<std::uint64_t>(w);
        for (std::int64_t x = 0; x < w; ++x) {
            switch (bits) {
            case 1: dst[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: dst[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]; break;
            case 8: dst[x] = palette[row[x]]; break;
            default: {
                const std::uint8_t* p = row + 3 * x;
                dst[x] = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
            }
            }
        }
    }
    return out;
}

} // namespace lumora
