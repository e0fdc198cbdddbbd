#pragma once
// Random access to the bytes of a file or of a buffer, counted from a start position. The media
// readers use it to check every length a file announces against what is really there before they
// allocate or copy anything, whether the bytes come from disk or from memory.
#include <cstddef>
#include <cstdint>
#include <istream>

namespace lumora {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The number of bytes from the start position to the end.
    virtual std::uint64_t size() const = 0;
    // Copies exactly `n` bytes found at `offset` (from the start position); false, with `dst` in an
    // unspecified state, when they are not all there.
    virtual bool read(std::uint64_t offset, void* dst, std::size_t n) = 0;

    // True when [offset, offset + n) lies inside the source (no overflow).
    bool holds(std::uint64_t offset, std::uint64_t n) const {
        const std::uint64_t total = size();
        return offset <= total && n <= total - offset;
    }
};

// Bytes already in memory. The buffer must outlive the source.
class MemorySource final : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* dst, std::size_t n) override;

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// An open stream, from its current position. The stream must outlive the source.
class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::istream& in);
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* dst, std::size_t n) override;
    // Puts the stream at `offset` from the start position (e.g. after what was read).
    void seek(std::uint64_t offset);

private:
    std::istream& in_;
    std::streamoff base_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace lumora
