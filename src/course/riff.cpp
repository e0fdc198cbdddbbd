#include "course/riff.h"

#include <cstring>

#include "foundation/text_util.h"

namespace lumora {

namespace {
constexpr std::uint64_t kHeaderSize = 12;
constexpr std::uint64_t kChunkHead = 8;
} // namespace

bool RiffChunk::is(const char* fourcc) const {
    return std::memcmp(id, fourcc, 4) == 0;
}

std::string RiffChunk::name() const {
    std::string s;
    for (const char c : id)
        s += (c >= 32 && c < 127) ? c : '?';
    return s;
}

ReadResult RiffWalker::open(const char* formType) {
    std::uint8_t head[kHeaderSize] = {};
    const std::uint64_t have = src_.size() < kHeaderSize ? src_.size() : kHeaderSize;
    if (!src_.read(0, head, static_cast<std::size_t>(have))) return readFailure(ReadStatus::Missing, "cannot be read");
    // What is there must match before the shortness counts: a short text file is not a cut sound.
    const bool riffOk = std::memcmp(head, "RIFF", have < 4 ? have : 4) == 0;
    const bool typeOk = have <= 8 || std::memcmp(head + 8, formType, have - 8) == 0;
    if (!riffOk || !typeOk) return readFailure(ReadStatus::Corrupt, std::string("not a RIFF ") + formType + " file");
    if (have < kHeaderSize) return readFailure(ReadStatus::Truncated, "RIFF header is truncated");
    const std::uint32_t size = le32(head + 4);
    if (size < 4) return readFailure(ReadStatus::Corrupt, "RIFF size of " + std::to_string(size) + " bytes");
    if (!src_.holds(8, size)) return readFailure(ReadStatus::Truncated, "RIFF chunk is longer than the file");
    pos_ = kHeaderSize;
    end_ = 8 + static_cast<std::uint64_t>(size);
    return {};
}

bool RiffWalker::atEnd() const {
    return pos_ >= end_ || end_ - pos_ < kChunkHead;
}

ReadResult RiffWalker::next(RiffChunk& chunk) {
    if (atEnd()) return readFailure(ReadStatus::Truncated, "no chunk left in the form");
    std::uint8_t head[kChunkHead];
    if (!src_.read(pos_, head, sizeof head)) return readFailure(ReadStatus::Truncated, "chunk head is truncated");
    RiffChunk found;
    std::memcpy(found.id, head, 4);
    found.size = le32(head + 4);
    found.offset = pos_ + kChunkHead;
    if (found.size > end_ - found.offset)
        return readFailure(ReadStatus::Truncated, "chunk \"" + found.name() + "\" is longer than the file");
    pos_ = found.offset + found.size + (found.size & 1u);
    chunk = found;
    return {};
}

ReadResult RiffWalker::find(const char* id, RiffChunk& chunk) {
    while (!atEnd()) {
        RiffChunk c;
        if (ReadResult r = next(c); !r) return r;
        if (c.is(id)) {
            chunk = c;
            return {};
        }
    }
    return readFailure(ReadStatus::Corrupt, std::string("no \"") + id + "\" chunk");
}

} // namespace lumora
