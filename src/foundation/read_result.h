#pragma once
// The outcome of reading a stored file (a sound, a picture, a metafile, a catalogue record). Every
// reader reports it the same way, and a reader that fails leaves its object as it was, so callers
// that only care whether the content is there test the result as a bool and show nothing when it
// is not; tools and logs also get the kind of fault and a one-line detail.
#include <string>
#include <utility>

namespace lumora {

enum class ReadStatus {
    Ok,
    Missing,     // the file is absent or cannot be opened
    Truncated,   // a length or an offset runs past the end of the data
    Unsupported, // a valid file of a kind we do not read (32 bits per pixel, a non-PCM sound, ...)
    Corrupt,     // fields that contradict each other or the format (bad magic, negative sizes, a run past its row)
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string detail; // for logs and tools; empty when the read succeeded

    bool ok() const { return status == ReadStatus::Ok; }
    explicit operator bool() const { return ok(); }
};

// The one way readers report a failure: `return readFailure(ReadStatus::Truncated, "...");`.
inline ReadResult readFailure(ReadStatus status, std::string detail) {
    return ReadResult{status, std::move(detail)};
}

// "ok", "missing", "truncated", "unsupported", "corrupt".
inline const char* statusName(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok:
        return "ok";
    case ReadStatus::Missing:
        return "missing";
    case ReadStatus::Truncated:
        return "truncated";
    case ReadStatus::Unsupported:
        return "unsupported";
    case ReadStatus::Corrupt:
        return "corrupt";
    }
    return "?";
}

// One line for a log: "truncated: data chunk runs past the end of the file".
inline std::string describe(const ReadResult& result) {
    std::string line = statusName(result.status);
    if (!result.detail.empty()) line += ": " + result.detail;
    return line;
}

} // namespace lumora
