#include "course/wave.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <new>

#include "course/byte_source.h"
#include "course/riff.h"
#include "foundation/text_util.h"

namespace lumora {

namespace {

constexpr std::uint32_t kMaxDataBytes = 0xFFFFFFFFu; // the data size is a 32-bit field

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

ReadResult CWave::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return readFailure(ReadStatus::Missing, "cannot open the file");
    StreamSource src(in);
    return load(src);
}

ReadResult CWave::Load(const std::uint8_t* data, std::size_t size) {
    MemorySource src(data, data ? size : 0);
    return load(src);
}

ReadResult CWave::Load(const Bytes& file) { return Load(file.data(), file.size()); }

ReadResult CWave::load(ByteSource& src) {
    RiffWalker riff(src);
    if (ReadResult r = riff.open("WAVE"); !r) return r;

    RiffChunk fmt;
    if (ReadResult r = riff.find("fmt ", fmt); !r) return r;
    if (fmt.size < 16) return readFailure(ReadStatus::Corrupt, "format chunk is shorter than 16 bytes");
    std::uint8_t f[16];
    if (!src.read(fmt.offset, f, 16)) return readFailure(ReadStatus::Truncated, "format chunk is truncated");
    const std::uint16_t tag = le16(f);
    if (tag != 1) return readFailure(ReadStatus::Unsupported, "format tag " + std::to_string(tag) + " is not PCM");
    const std::uint16_t bits = le16(f + 14);
    if (bits == 0) return readFailure(ReadStatus::Corrupt, "0 bits per sample");
    if (bits != 8 && bits != 16)
        return readFailure(ReadStatus::Unsupported, std::to_string(bits) + " bits per sample (only 8 and 16 are read)");

    // The data chunk is looked for after the format chunk.
    RiffChunk data;
    if (ReadResult r = riff.find("data", data); !r) return r;

    Bytes fresh;
    try {
        fresh.resize(data.size); // the walker checked the size against the file
    } catch (const std::bad_alloc&) {
        return readFailure(ReadStatus::Unsupported, "out of memory");
    }
    if (!src.read(data.offset, fresh.data(), fresh.size()))
        return readFailure(ReadStatus::Truncated, "data chunk is truncated");

    formatTag_ = tag;
    channels_ = le16(f + 2);
    samplesPerSecond_ = le32(f + 4);
    avgBytesPerSecond_ = le32(f + 8);
    blockAlign_ = le16(f + 12);
    bitsPerSample_ = bits;
    data_ = std::move(fresh);
    return {};
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
