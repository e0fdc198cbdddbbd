#include "dictionary/dictionary_search.h"

#include <cstring>
#include <fstream>

#include "foundation/content_locator.h"
#include "foundation/dictionary_record.h"
#include "foundation/text_util.h"
#include "foundation/tone_fold.h"

namespace lumora {

namespace {
using L = DictionaryLayout;

std::string_view fieldView(const std::uint8_t* record, std::size_t offset, std::size_t width) {
    const char* p = reinterpret_cast<const char*>(record) + offset;
    std::size_t n = 0;
    while (n < width && p[n] != '\0')
        ++n;
    return {p, n};
}

// The first occurrence of `key` in `text` at or after `from` (npos when none).
std::size_t findBytes(std::string_view text, std::string_view key, std::size_t from) {
    if (from > text.size()) return std::string_view::npos;
#if defined(__GLIBC__)
    // glibc's memmem is much faster than a general search for the short keys a learner types.
    const void* hit = ::memmem(text.data() + from, text.size() - from, key.data(), key.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
#else
    return text.find(key, from);
#endif
}

std::string foldedKey(const SearchQuery& q) {
    return foldTonesUtf8(decodeText(q.key, encodingForLanguage(q.from)));
}

std::string displayOf(std::string_view source, std::string_view mandarinSource, LanguageId from) {
    if (isMandarin(from)) return std::string(mandarinSource);
    if (from >= 0 && from <= 11) return StripArticles(source, from);
    return std::string(source);
}
} // namespace

bool keyMatches(std::string_view text, std::string_view key, int mode) {
    if (key.empty()) return true;
    switch (mode) {
    case 0:
        return text.size() >= key.size() && text.compare(0, key.size(), key) == 0;
    case 1:
        return text.find(key) != std::string_view::npos;
    case 2:
        return text.size() >= key.size() && text.compare(text.size() - key.size(), key.size(), key) == 0;
    default:
        return false;
    }
}

std::string countText(std::size_t count) {
    return format(" %zu words", count);
}

// ------------------------------------------------------------------------------------------ index

void DictionaryIndex::add(const std::uint8_t* record) {
    source_.push(fieldView(record, L::kSource, L::kTextWidth));
    mandarin_.push(fieldView(record, L::kMandarinSource, L::kTextWidth));
    ++count_;
}

std::shared_ptr<const DictionaryIndex> DictionaryIndex::fromBytes(std::string_view bytes) {
    auto index = std::make_shared<DictionaryIndex>();
    const std::size_t n = dictionaryEntryCount(bytes.size());
    index->source_.start.reserve(n + 1);
    index->mandarin_.start.reserve(n + 1);
    for (std::size_t i = 0; i < n; ++i)
        index->add(reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * L::kEntrySize);
    return index;
}

std::shared_ptr<const DictionaryIndex> DictionaryIndex::load(const std::filesystem::path& localPath,
                                                             ReadResult* result) {
    std::ifstream in(localPath, std::ios::binary);
    if (!in) {
        if (result) *result = readFailure(ReadStatus::Missing, localPath.string() + ": cannot be opened");
        return nullptr;
    }
    auto index = std::make_shared<DictionaryIndex>();
    // Whole chunks of entries; a partial record at the end is left out.
    constexpr std::size_t kChunkEntries = 4096;
    std::vector<char> chunk(kChunkEntries * L::kEntrySize);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const std::size_t got = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i + L::kEntrySize <= got; i += L::kEntrySize)
            index->add(reinterpret_cast<const std::uint8_t*>(chunk.data()) + i);
        if (got < chunk.size()) break;
    }
    if (in.bad()) {
        if (result) *result = readFailure(ReadStatus::Truncated, localPath.string() + ": read failed");
        return nullptr;
    }
    if (result) *result = {};
    return index;
}

const DictionaryIndex::Column& DictionaryIndex::folded(bool mandarinSide, FontEncoding encoding) const {
    const std::lock_guard lock(foldMutex_);
    auto [it, inserted] = folded_.try_emplace({mandarinSide, static_cast<int>(encoding)});
    if (inserted) {
        it->second.start.reserve(count_ + 1);
        for (std::size_t i = 0; i < count_; ++i)
            it->second.push(
                foldTonesUtf8(decodeText(std::string(mandarinSide ? mandarinSource(i) : source(i)), encoding)));
    }
    return it->second;
}

// ------------------------------------------------------------------------------------------ cache

DictionaryCache& DictionaryCache::shared() {
    static DictionaryCache cache;
    return cache;
}

std::shared_ptr<const DictionaryIndex> DictionaryCache::get(const std::filesystem::path& localPath) {
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(localPath, ec);
    if (ec) return nullptr;
    const auto mtime = std::filesystem::last_write_time(localPath, ec);
    if (ec) return nullptr;
    {
        const std::lock_guard lock(mutex_);
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->path != localPath) continue;
            if (it->size == size && it->mtime == mtime) return it->index;
            kept_.erase(it);
            break;
        }
    }
    std::shared_ptr<const DictionaryIndex> index = DictionaryIndex::load(localPath);
    if (!index) return nullptr;
    const std::lock_guard lock(mutex_);
    constexpr std::size_t kKeep = 4;
    if (kept_.size() >= kKeep) kept_.erase(kept_.begin());
    kept_.push_back({localPath, size, mtime, index});
    return index;
}

void DictionaryCache::clear() {
    const std::lock_guard lock(mutex_);
    kept_.clear();
}

// ------------------------------------------------------------------------------------------ search

std::string SearchResult::line(std::size_t row) const {
    const std::size_t i = entries_[row];
    return resultLine(displayOf(index_->source(i), index_->mandarinSource(i), from_), i);
}

std::vector<std::string> SearchResult::lines() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (std::size_t row = 0; row < entries_.size(); ++row)
        out.push_back(line(row));
    return out;
}

std::optional<std::string> SearchResult::caption() const {
    if (!hasDictionary()) return std::nullopt;
    return countText(count());
}

SearchResult SearchIndex(std::shared_ptr<const DictionaryIndex> index, const SearchQuery& q) {
    if (!index) return {};
    std::vector<std::uint32_t> hits;
    const std::size_t n = index->size();
    const bool mandarin = isMandarin(q.from);
    const std::string key = q.ignoreTones ? foldedKey(q) : q.key;
    const DictionaryIndex::Column& column =
        q.ignoreTones ? index->folded(mandarin, encodingForLanguage(q.from)) : index->matchColumn(q.from);
    const DictionaryIndex::Column& source = index->sourceColumn();
    auto listed = [&](std::size_t i) { return source.start[i + 1] != source.start[i]; };
    if (q.mode == 1 && !key.empty()) {
        // One pass over the whole column: each occurrence of the key names the entry it lies in;
        // one that runs past its entry's end is no match, and the search goes on inside the next.
        const std::string_view text(column.text);
        std::size_t i = 0;
        std::size_t from = 0;
        while (i < n) {
            const std::size_t pos = findBytes(text, key, from);
            if (pos == std::string_view::npos) break;
            // The entry holding pos: the last i with start[i] <= pos (entries are in order).
            while (i < n && column.start[i + 1] <= pos)
                ++i;
            if (i >= n) break;
            if (pos + key.size() <= column.start[i + 1]) {
                if (listed(i)) hits.push_back(static_cast<std::uint32_t>(i));
                ++i;
                from = i < n ? column.start[i] : text.size();
            } else {
                from = pos + 1;
            }
        }
    } else {
        for (std::size_t i = 0; i < n; ++i)
            if (listed(i) && keyMatches(column.at(i), key, q.mode)) hits.push_back(static_cast<std::uint32_t>(i));
    }
    return SearchResult(std::move(index), q.from, std::move(hits));
}

SearchResult SearchDictionary(const ContentLocator& locator, const SearchQuery& q) {
    const std::string name = dictionaryFile(locator, q.from, q.to);
    if (name.empty()) return {};
    std::shared_ptr<const DictionaryIndex> index = DictionaryCache::shared().get(locator.files().resolve(name));
    return SearchIndex(std::move(index), q);
}

PerEntryResult SearchDictionaryPerEntry(const std::filesystem::path& localPath, const SearchQuery& q) {
    PerEntryResult result;
    std::ifstream in(localPath, std::ios::binary);
    if (!in) return result;
    result.hasDictionary = true;
    std::error_code ec;
    const std::size_t count = dictionaryEntryCount(std::filesystem::file_size(localPath, ec));
    if (ec) return result;
    const std::string key = q.ignoreTones ? foldedKey(q) : q.key;
    const FontEncoding encoding = encodingForLanguage(q.from);
    std::uint8_t record[L::kEntrySize];
    for (std::size_t i = 0; i < count; ++i) {
        if (!in.read(reinterpret_cast<char*>(record), L::kEntrySize)) break;
        const std::string_view source = fieldView(record, L::kSource, L::kTextWidth);
        const std::string_view mandarin = fieldView(record, L::kMandarinSource, L::kTextWidth);
        const std::string_view match = isMandarin(q.from) ? mandarin : source;
        const bool hit = q.ignoreTones
                             ? keyMatches(foldTonesUtf8(decodeText(std::string(match), encoding)), key, q.mode)
                             : keyMatches(match, key, q.mode);
        if (!hit || source.empty()) continue;
        result.lines.push_back(resultLine(displayOf(source, mandarin, q.from), i));
    }
    return result;
}

} // namespace lumora
