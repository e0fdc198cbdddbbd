#pragma once
// CWave: a PCM sound read from a RIFF WAVE file, kept in memory so that its samples can be read and
// changed (the voice studio draws them as waveforms). Playing a sound does not go through this
// class: the platform's sound player is handed the file name.
//
// The first six fields are the 16-byte PCM format record of the file's "fmt " chunk, in its order;
// the data buffer holds the bytes of the "data" chunk exactly as in the file. A new CWave holds 16
// silent samples at 11025 samples per second, 8 bits, one channel.
//
// Every operation reports failure by its result only (Load says what was wrong), and a failed
// operation leaves the object as it was.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/bytes.h"
#include "foundation/read_result.h"

namespace lumora {

class ByteSource;

class CWave {
public:
    CWave();

    // A silent sound of `sampleCount` samples, one channel. Only rates 11025, 22050 and 44100 and
    // 8 or 16 bits are accepted; false (object unchanged) otherwise or when memory is short.
    bool Create(int sampleCount, int rate, int bits);

    // Reads a WAVE file: the RIFF form "WAVE", its "fmt " chunk (format tag 1, PCM, 8 or 16 bits)
    // and the "data" chunk after it; other chunks are skipped (an odd-sized chunk is followed by a
    // pad byte). A chunk that claims more bytes than the file holds is refused before anything is
    // allocated. The path is a local one: content names are resolved by FileAccess first. Other
    // readers may have the file open meanwhile.
    ReadResult Load(const std::filesystem::path& path);
    // The same from the bytes of a whole file.
    ReadResult Load(const std::uint8_t* data, std::size_t size);
    ReadResult Load(const Bytes& file);

    // data size x 8 / bits per sample (all channels counted).
    int SampleCount() const;
    // Sample i on a signed 16-bit scale: (byte - 128) x 256 for 8-bit data, the signed value for
    // 16-bit data; 0 when i is out of range.
    int GetSample(int i) const;
    // Stores v (clamped to the signed 16-bit range) at sample i: v / 256 + 128 for 8-bit data, v
    // for 16-bit data. Ignored when i is out of range.
    void SetSample(int i, int v);

    std::uint16_t formatTag() const { return formatTag_; }
    std::uint16_t channels() const { return channels_; }
    std::uint32_t samplesPerSecond() const { return samplesPerSecond_; }
    std::uint32_t avgBytesPerSecond() const { return avgBytesPerSecond_; }
    std::uint16_t blockAlign() const { return blockAlign_; }
    std::uint16_t bitsPerSample() const { return bitsPerSample_; }
    std::uint32_t dataSize() const { return static_cast<std::uint32_t>(data_.size()); }
    const Bytes& data() const { return data_; }

private:
    ReadResult load(ByteSource& source);

    std::uint16_t formatTag_ = 1;
    std::uint16_t channels_ = 1;
    std::uint32_t samplesPerSecond_ = 11025;
    std::uint32_t avgBytesPerSecond_ = 11025;
    std::uint16_t blockAlign_ = 1;
    std::uint16_t bitsPerSample_ = 8;
    Bytes data_;
};

} // namespace lumora
