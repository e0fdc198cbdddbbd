#include "course/wave.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <new>

#include "course/byte_source.h"
#include "foundation/text_util.h"

namespace lumora {

namespace {

constexpr std::uint32_t kMaxDataBytes = 0xFFFFFFFFu; // the data size is a 32-bit field

void fail(std::string* error, const std::string& why) {
    if (error) *error = why;
}

std::string chunkName(const std::uint8_t* id) {
    std::string s;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>(id[i]);
        s += (c >= 32 && c < 127) ? c : '?';
    }
    return s;
}

struct Chunk {
    std::uint64_t dataOffset = 0; // first byte of the chunk's contents
    std::uint32_t size = 0;       // announced size, checked against the file
};

// Walks the chunks in [pos, end) for `id`: unknown chunks are skipped with the pad byte of an
// odd size. Returns false with a reason when the chunk is missing or a chunk runs past the end.
bool findChunk(ByteSource& src, std::uint64_t pos, std::uint64_t end, const char* id, Chunk& found,
               std::string* error) {
    while (pos + 8 <= end) {
        std::uint8_t head[8];
        if (!src.read(pos, head, 8)) break;
        const std::uint32_t size = le32(head + 4);
        if (size > end - (pos + 8)) {
            fail(error, "chunk \"" + chunkName(head) + "\" is longer than the file");
            return false;
        }
        if (std::memcmp(head, id, 4) == 0) {
            found.dataOffset = pos + 8;
            found.size = size;
            return true;
        }
        pos += 8 + static_cast<std::uint64_t>(size) + (size & 1u);
    }
    fail(error, std::string("no \"") + id + "\" chunk");
    return false;
}

} // namespace

CWave::CWave() : data_(16, 0x80) {}

bool CWave::Create(int sampleCount, int rate, int bits) {
    if (rate != 11025 && rate != 22050 && rate != 44100) return false;
    if (bits != 8 && bits != 16) return false;
    if (sampleCount < 0) return false;
    const std::uint64_t bytes = static_cast<std::uint64_t>(sampleCount) * static_cast<unsigned>(bits) / 8;
    if (bytes > kMaxDataBytes) return false;
    Bytes fresh;
    try {
        // Silence: byte 128 for 8-bit data, 0 for 16-bit data.
        fresh.assign(static_cast<std::size_t>(bytes), bits == 8 ? 0x80 : 0x00);
    } catch (const std::bad_alloc&) {
        return false;
    }
    formatTag_ = 1;
    channels_ = 1;
    samplesPerSecond_ = static_cast<std::uint32_t>(rate);
    blockAlign_ = static_cast<std::uint16_t>(bits / 8);
    bitsPerSample_ = static_cast<std::uint16_t>(bits);
    avgBytesPerSecond_ = samplesPerSecond_ * blockAlign_;
    data_ = std::move(fresh);
    return true;
}

bool CWave::Load(const std::filesystem::path& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(error, "cannot open the file");
        return false;
    }
    StreamSource src(in);
    return load(src, error);
}

bool CWave::Load(const std::uint8_t* data, std::size_t size, std::string* error) {
    MemorySource src(data, data ? size : 0);
    return load(src, error);
}

bool CWave::Load(const Bytes& file, std::string* error) { return Load(file.data(), file.size(), error); }

bool CWave::load(ByteSource& src, std::string* error) {
    std::uint8_t riff[12];
    if (!src.read(0, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
        fail(error, "not a RIFF WAVE file");
        return false;
    }
    const std::uint32_t riffSize = le32(riff + 4);
    if (riffSize < 4 || !src.holds(8, riffSize)) {
        fail(error, "RIFF chunk is longer than the file");
        return false;
    }
    const std::uint64_t end = 8 + static_cast<std::uint64_t>(riffSize);

    Chunk fmt;
    if (!findChunk(src, 12, end, "fmt ", fmt, error)) return false;
    if (fmt.size < 16) {
        fail(error, "format chunk is shorter than 16 bytes");
        return false;
    }
    std::uint8_t f[16];
    if (!src.read(fmt.dataOffset, f, 16)) {
        fail(error, "format chunk is truncated");
        return false;
    }
    const std::uint16_t tag = le16(f);
    if (tag != 1) {
        fail(error, "format tag " + std::to_string(tag) + " is not PCM");
        return false;
    }
    const std::uint16_t bits = le16(f + 14);
    if (bits != 8 && bits != 16) {
        fail(error, std::to_string(bits) + " bits per sample (only 8 and 16 are read)");
        return false;
    }

    // The data chunk is looked for after the format chunk.
    const std::uint64_t afterFmt = fmt.dataOffset + fmt.size + (fmt.size & 1u);
    Chunk data;
    if (!findChunk(src, afterFmt, end, "data", data, error)) return false;

    Bytes fresh;
    try {
        fresh.resize(data.size); // the size was checked against the file above
    } catch (const std::bad_alloc&) {
        fail(error, "out of memory");
        return false;
    }
    if (!src.read(data.dataOffset, fresh.data(), fresh.size())) {
        fail(error, "data chunk is truncated");
        return false;
    }

    formatTag_ = tag;
    channels_ = le16(f + 2);
    samplesPerSecond_ = le32(f + 4);
    avgBytesPerSecond_ = le32(f + 8);
    blockAlign_ = le16(f + 12);
    bitsPerSample_ = bits;
    data_ = std::move(fresh);
    return true;
}

int CWave::SampleCount() const {
    if (bitsPerSample_ == 0) return 0;
    const std::uint64_t n = static_cast<std::uint64_t>(data_.size()) * 8 / bitsPerSample_;
    return n > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

int CWave::GetSample(int i) const {
    if (i < 0 || i >= SampleCount()) return 0;
    const std::size_t k = static_cast<std::size_t>(i);
    if (bitsPerSample_ == 8) return (static_cast<int>(data_[k]) - 128) * 256;
    return static_cast<std::int16_t>(le16(data_.data() + 2 * k));
}

void CWave::SetSample(int i, int v) {
    if (i < 0 || i >= SampleCount()) return;
    v = std::clamp(v, -32768, 32767);
    const std::size_t k = static_cast<std::size_t>(i);
    if (bitsPerSample_ == 8)
        data_[k] = static_cast<std::uint8_t>(v / 256 + 128);
    else
        putLe16(data_.data() + 2 * k, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
}

} // namespace lumora
