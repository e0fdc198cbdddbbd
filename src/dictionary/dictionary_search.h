#pragma once
// The search of a pair's dictionary: every entry, in file order, whose match text (the source side:
// Mandarin source text for a Mandarin source, else the source text, articles kept) starts with,
// contains or ends with the key, compared byte for byte and case-sensitive. An empty key matches
// every entry; an entry with an empty source text (offset 0) is never listed, whatever the source
// language. Each match is listed as its result line (dictionary_entry.h).
//
// Two scans give the same lines:
//   - SearchDictionaryPerEntry reads the file one 640-byte entry at a time on every run, as the
//     original program did; it is kept as the reference for the tests and the benchmark;
//   - SearchDictionary scans a DictionaryIndex: the file read once into compact columns of its
//     texts (DictionaryCache keeps one per file identity: path, size, modification time, so a
//     changed file is read again). The result holds entry numbers; the lines are made on demand,
//     so a list view of 120,000 lines only formats the rows it shows.
//
// With `ignoreTones` the key and the match text are compared after foldTones (foundation/
// tone_fold.h), both decoded with the source language's codec first.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_entry.h"
#include "foundation/codecs.h"
#include "foundation/file_access.h"
#include "foundation/read_result.h"

namespace lumora {

enum class SearchMode { StartWith = 0, Contain = 1, EndWith = 2 };

struct SearchQuery {
    LanguageId from = 5;
    LanguageId to = 18;
    std::string key; // bytes in the source language's encoding
    int mode = 0;    // 0 start with, 1 contain, 2 end with; any other mode matches nothing
    bool ignoreTones = false;
};

// Whether `text` matches `key` in `mode` (bytes, case-sensitive; an empty key matches everything).
bool keyMatches(std::string_view text, std::string_view key, int mode);

// The count caption: " %d words".
std::string countText(std::size_t count);

// The file read once: for every whole entry its source text (0) and Mandarin source text (330).
class DictionaryIndex {
public:
    // Reads a dictionary file (a local path). A missing or unreadable file gives Missing; a size that
    // is not a multiple of 640 reads the whole entries and ignores the rest, as the per-entry scan does.
    static std::shared_ptr<const DictionaryIndex> load(const std::filesystem::path& localPath,
                                                       ReadResult* result = nullptr);
    // An index over records in memory (tests, tools).
    static std::shared_ptr<const DictionaryIndex> fromBytes(std::string_view bytes);

    std::size_t size() const { return count_; }
    std::string_view source(std::size_t i) const { return source_.at(i); }
    std::string_view mandarinSource(std::size_t i) const { return mandarin_.at(i); }
    // The match text for a source language.
    std::string_view matchText(std::size_t i, LanguageId from) const {
        return isMandarin(from) ? mandarinSource(i) : source(i);
    }
    // A column of texts: entry i is text[start[i], start[i + 1]).
    struct Column {
        std::string text;
        std::vector<std::size_t> start{0};
        std::string_view at(std::size_t i) const {
            return std::string_view(text).substr(start[i], start[i + 1] - start[i]);
        }
        void push(std::string_view s) {
            text.append(s);
            start.push_back(text.size());
        }
    };
    const Column& sourceColumn() const { return source_; }
    const Column& mandarinColumn() const { return mandarin_; }
    const Column& matchColumn(LanguageId from) const { return isMandarin(from) ? mandarin_ : source_; }
    // The folded match texts of an encoding and side, made on first use and kept.
    const Column& folded(bool mandarinSide, FontEncoding encoding) const;

private:
    void add(const std::uint8_t* record);

    std::size_t count_ = 0;
    Column source_, mandarin_;
    mutable std::mutex foldMutex_;
    mutable std::map<std::pair<bool, int>, Column> folded_;
};

// Indexes by file identity. Thread-safe; keeps the last few files.
class DictionaryCache {
public:
    static DictionaryCache& shared();
    // The index of a local file: the kept one when the path, size and modification time are the
    // same, else the file read again. Null when the file cannot be read.
    std::shared_ptr<const DictionaryIndex> get(const std::filesystem::path& localPath);
    void clear();

private:
    struct Kept {
        std::filesystem::path path;
        std::uint64_t size = 0;
        std::filesystem::file_time_type mtime;
        std::shared_ptr<const DictionaryIndex> index;
    };
    std::mutex mutex_;
    std::vector<Kept> kept_; // most recent last
};

class SearchResult {
public:
    SearchResult() = default;
    SearchResult(std::shared_ptr<const DictionaryIndex> index, LanguageId from, std::vector<std::uint32_t> entries)
        : index_(std::move(index)), from_(from), entries_(std::move(entries)) {}

    // False when the pair has no dictionary: the list is empty and no count is shown.
    bool hasDictionary() const { return index_ != nullptr; }
    std::size_t count() const { return entries_.size(); }
    std::size_t entry(std::size_t row) const { return entries_[row]; }
    const std::vector<std::uint32_t>& entries() const { return entries_; }
    // The result line of a row.
    std::string line(std::size_t row) const;
    // Every line, in order.
    std::vector<std::string> lines() const;
    // " %d words", or nothing without a dictionary.
    std::optional<std::string> caption() const;

private:
    std::shared_ptr<const DictionaryIndex> index_;
    LanguageId from_ = 5;
    std::vector<std::uint32_t> entries_;
};

// The fast search over an index (null: no dictionary).
SearchResult SearchIndex(std::shared_ptr<const DictionaryIndex> index, const SearchQuery& query);
// The fast search of the pair's dictionary (found by dictionaryFile) through the shared cache.
SearchResult SearchDictionary(const ContentLocator& locator, const SearchQuery& query);

// The reference scan: one read of 640 bytes per entry. The lines and whether the file was there.
struct PerEntryResult {
    bool hasDictionary = false;
    std::vector<std::string> lines;
};
PerEntryResult SearchDictionaryPerEntry(const std::filesystem::path& localPath, const SearchQuery& query);

} // namespace lumora
