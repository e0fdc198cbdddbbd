#include "content/search_command.h"

#include <charconv>
#include <filesystem>
#include <optional>

#include "dictionary/dictionary_search.h"
#include "foundation/codecs.h"

namespace lumora::content {

std::optional<int> parseLanguageId(const std::string& text) {
    int value = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value >= kLanguageCount)
        return std::nullopt;
    return value;
}

int searchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SearchQuery query;
    bool raw = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--mode" || a == "--from" || a == "--to";
        if (takesValue && i + 1 >= args.size()) {
            err << "lumora-content: " << a << " needs a value\n";
            return 2;
        }
        if (a == "--mode") {
            const std::string& m = args[++i];
            if (m == "start")
                query.mode = 0;
            else if (m == "contain")
                query.mode = 1;
            else if (m == "end")
                query.mode = 2;
            else {
                err << "lumora-content: --mode takes start, contain or end\n";
                return 2;
            }
        } else if (a == "--from" || a == "--to") {
            const std::optional<int> id = parseLanguageId(args[++i]);
            if (!id) {
                err << "lumora-content: " << a << " takes a language id from 0 to 20\n";
                return 2;
            }
            (a == "--from" ? query.from : query.to) = *id;
        } else if (a == "--ignore-tones") {
            query.ignoreTones = true;
        } else if (a == "--raw") {
            raw = true;
        } else if (a.rfind("--", 0) == 0) {
            err << "lumora-content: unknown option " << a << "\n";
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) {
        err << "lumora-content: search needs a dictionary file and a key\n";
        return 2;
    }
    const FontEncoding encoding = encodingForLanguage(query.from);
    const std::optional<std::string> key = encodeText(positional[1], encoding);
    if (!key) {
        err << "lumora-content: the key has a character that language " << query.from << " cannot write\n";
        return 2;
    }
    query.key = *key;
    ReadResult read;
    std::shared_ptr<const DictionaryIndex> index = DictionaryIndex::load(positional[0], &read);
    if (!index) {
        err << positional[0] << ": " << describe(read) << "\n";
        return 1;
    }
    const SearchResult result = SearchIndex(std::move(index), query);
    for (std::size_t row = 0; row < result.count(); ++row) {
        const std::string line = result.line(row);
        out << (raw ? rawBytesAsUtf8(line) : decodeText(line, encoding)) << "\n";
    }
    out << result.caption().value_or("") << "\n";
    return 0;
}

} // namespace lumora::content
