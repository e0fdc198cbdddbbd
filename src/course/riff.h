#pragma once
// The chunks of a RIFF file (WAVE sounds, AVI videos): a 12-byte header "RIFF", the form's size
// and its four-character type, then chunks of an 8-byte head (four-character id, 32-bit size) and
// their contents, each odd-sized chunk followed by a pad byte. Every size is checked against the
// form and the source before anything is read from it or allocated for it.
#include <cstdint>
#include <string>

#include "course/byte_source.h"
#include "foundation/read_result.h"

namespace lumora {

struct RiffChunk {
    char id[4] = {};
    std::uint64_t offset = 0; // first byte of the contents, from the start of the source
    std::uint32_t size = 0;   // the contents' size; they lie inside the form
    bool is(const char* fourcc) const;
    std::string name() const; // the id, odd bytes shown as '?'
};

class RiffWalker {
public:
    explicit RiffWalker(ByteSource& source) : src_(source) {}

    // Reads the header: a form of type `formType` whose announced size lies inside the source.
    // The walk then starts at the first chunk.
    ReadResult open(const char* formType);
    // True when no further chunk head fits in the form (a few stray bytes at its end are ignored).
    bool atEnd() const;
    // The chunk at the walk's position; the walk moves past it (and its pad byte). Truncated when
    // the chunk runs past the end of the form or there is no chunk left.
    ReadResult next(RiffChunk& chunk);
    // The next chunk named `id`, skipping the others; Corrupt when the form has none left.
    ReadResult find(const char* id, RiffChunk& chunk);

    std::uint64_t formEnd() const { return end_; }

private:
    ByteSource& src_;
    std::uint64_t pos_ = 0;
    std::uint64_t end_ = 0;
};

} // namespace lumora
