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

void fail(std::string* error, const std::string& why) {
    if (error) *error = why;
}

// Bytes of one pixel row, padded to a multiple of 4.
std::uint64_t rowBytes(std::uint64_t width, unsigned bits) { return (width * bits + 31) / 32 * 4; }

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

bool CDIB::Read(std::istream& file, std::string* error) {
    StreamSource src(file);
    std::uint64_t end = 0;
    if (!read(src, true, &end, error)) {
        src.seek(0);
        return false;
    }
    src.seek(end);
    return true;
}

bool CDIB::Read(const std::uint8_t* data, std::size_t size, std::string* error) {
    MemorySource src(data, data ? size : 0);
    return read(src, true, nullptr, error);
}

bool CDIB::Read(const Bytes& file, std::size_t offset, std::string* error) {
    if (offset > file.size()) {
        fail(error, "offset past the end of the file");
        return false;
    }
    return Read(file.data() + offset, file.size() - offset, error);
}

bool CDIB::ReadPacked(const std::uint8_t* data, std::size_t size, std::string* error) {
    MemorySource src(data, data ? size : 0);
    return read(src, false, nullptr, error);
}

void CDIB::Free() {
    header_ = Bytes();
    bits_ = Bytes();
    colourCount_ = 0;
}

bool CDIB::read(ByteSource& src, bool fileHeader, std::uint64_t* end, std::string* error) {
    std::uint64_t fileSize = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t headerAt = 0;
    if (fileHeader) {
        std::uint8_t fh[kFileHeaderSize];
        if (!src.read(0, fh, sizeof fh)) {
            fail(error, "file header is truncated");
            return false;
        }
        if (le16(fh) != kBitmapType) {
            fail(error, "not a bitmap file");
            return false;
        }
        fileSize = le32(fh + 2);
        pixelOffset = le32(fh + 10);
        headerAt = kFileHeaderSize;
    }

    std::uint8_t sizeField[4];
    if (!src.read(headerAt, sizeField, 4)) {
        fail(error, "bitmap header is truncated");
        return false;
    }
    const std::uint32_t headerSize = le32(sizeField);
    if (headerSize != 40 && headerSize != 12) {
        fail(error, "header size " + std::to_string(headerSize) + " (only 40 and 12 are read)");
        return false;
    }
    std::uint8_t info[40] = {};
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    if (headerSize == 40) {
        if (!src.read(headerAt, info, 40)) {
            fail(error, "bitmap header is truncated");
            return false;
        }
        width = les32(info + 4);
        height = les32(info + 8);
        bits = le16(info + 14);
        compression = le32(info + 16);
        coloursUsed = le32(info + 32);
    } else {
        std::uint8_t core[12];
        if (!src.read(headerAt, core, 12)) {
            fail(error, "bitmap header is truncated");
            return false;
        }
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
        fail(error, std::to_string(bits) + " bits per pixel (only 1, 4, 8 and 24 are read)");
        return false;
    }
    if (compression != 0) {
        fail(error, "compressed bitmaps are not read");
        return false;
    }
    const std::uint64_t absHeight = static_cast<std::uint64_t>(height < 0 ? -height : height);
    if (width <= 0 || absHeight == 0) {
        fail(error, "empty picture");
        return false;
    }
    if (static_cast<std::uint64_t>(width) * absHeight > kMaxPixels) {
        fail(error, "picture too large to draw");
        return false;
    }

    std::uint64_t count = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    if (headerSize == 40 && coloursUsed != 0) count = coloursUsed;
    if (count > 256) {
        fail(error, "colour table of " + std::to_string(count) + " entries");
        return false;
    }
    const std::uint64_t tableAt = headerAt + headerSize;
    const unsigned entrySize = headerSize == 40 ? 4 : 3;
    if (!src.holds(tableAt, count * entrySize)) {
        fail(error, "colour table runs past the end of the file");
        return false;
    }

    const std::uint64_t needed = rowBytes(static_cast<std::uint64_t>(width), bits) * absHeight;
    std::uint64_t dataSize = 0;
    if (fileHeader) {
        if (pixelOffset < tableAt) {
            fail(error, "pixel offset points into the headers");
            return false;
        }
        if (fileSize < pixelOffset) {
            fail(error, "file size field is smaller than the pixel offset");
            return false;
        }
        dataSize = fileSize - pixelOffset;
        if (!src.holds(pixelOffset, dataSize)) {
            fail(error, "file size field is larger than the file");
            return false;
        }
    } else {
        pixelOffset = tableAt + count * entrySize;
        dataSize = src.size() - pixelOffset;
    }
    if (dataSize < needed) {
        fail(error, "pixel data is shorter than the picture's rows");
        return false;
    }

    Bytes header;
    Bytes pixels;
    try {
        header.assign(kHeaderBufferSize, 0);
        pixels.resize(static_cast<std::size_t>(dataSize)); // checked against the file above
    } catch (const std::bad_alloc&) {
        fail(error, "out of memory");
        return false;
    }
    std::memcpy(header.data(), info, 40);
    std::uint8_t entry[4];
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!src.read(tableAt + i * entrySize, entry, entrySize)) {
            fail(error, "colour table is truncated");
            return false;
        }
        std::uint8_t* e = header.data() + 40 + 4 * i;
        e[0] = entry[0];
        e[1] = entry[1];
        e[2] = entry[2];
        e[3] = entrySize == 4 ? entry[3] : 0;
    }
    if (!src.read(pixelOffset, pixels.data(), pixels.size())) {
        fail(error, "pixel data is truncated");
        return false;
    }

    header_ = std::move(header);
    bits_ = std::move(pixels);
    colourCount_ = static_cast<int>(count);
    fileHeaderSize_ = static_cast<int>(headerSize);
    if (end) *end = pixelOffset + dataSize;
    return true;
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
