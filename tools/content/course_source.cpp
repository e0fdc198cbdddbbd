#include "content/course_source.h"

#include <QString>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "content/pinyin.h"
#include "content/utf8.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/text_util.h"

namespace lumora::content {
namespace fs = std::filesystem;

const std::array<TranslationLanguage, 8>& translationLanguages() {
    static const std::array<TranslationLanguage, 8> table = {{
        {"fr", "FF", PageLayout::kFrench, FontEncoding::Windows1252, "Windows-1252"},
        {"en", "GB", PageLayout::kEnglish, FontEncoding::Windows1252, "Windows-1252"},
        {"de", "DE", PageLayout::kGerman, FontEncoding::Windows1252, "Windows-1252"},
        {"es", "SP", PageLayout::kSpanish, FontEncoding::Windows1252, "Windows-1252"},
        {"nl", "DU", PageLayout::kDutch, FontEncoding::Windows1252, "Windows-1252"},
        {"km", "KH", PageLayout::kKhmer, FontEncoding::Khmer, "the Khmer encoding"},
        {"th", "TH", PageLayout::kThai, FontEncoding::Tis620, "TIS-620"},
        {"vi", "VI", PageLayout::kVietnamese, FontEncoding::Viscii, "VISCII"},
    }};
    return table;
}

const std::array<TitleColumn, 7>& titleColumns() {
    static const std::array<TitleColumn, 7> table = {{
        {"title.fr", CatalogueLayout::kFrench, FontEncoding::Windows1252, "Windows-1252"},
        {"title.en", CatalogueLayout::kEnglish, FontEncoding::Windows1252, "Windows-1252"},
        {"title.de", CatalogueLayout::kGerman, FontEncoding::Windows1252, "Windows-1252"},
        {"title.es", CatalogueLayout::kSpanish, FontEncoding::Windows1252, "Windows-1252"},
        {"title.km", CatalogueLayout::kKhmer, FontEncoding::Khmer, "the Khmer encoding"},
        {"title.th", CatalogueLayout::kThai, FontEncoding::Tis620, "TIS-620"},
        {"title.vi", CatalogueLayout::kVietnamese, FontEncoding::Viscii, "VISCII"},
    }};
    return table;
}

bool isSourceStem(const std::string& stem) {
    if (stem.empty() || stem.size() > 9) return false;
    return std::all_of(stem.begin(), stem.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

namespace {

// Folder names of the content root that a lesson stem must not take, since a lesson's media folder
// lies beside them.
bool isReservedStem(const std::string& stem) {
    return stem == "DATA" || stem == "HELP";
}

std::string at(const SourceLocation& where) {
    return where.file + ":" + std::to_string(where.line) + ": ";
}

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r' || s[b] == '\n'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n'))
        --e;
    return s.substr(b, e - b);
}

// A trailing "# ..." comment after white space (only for values that are never free text).
std::string withoutComment(const std::string& value) {
    for (std::size_t i = 0; i < value.size(); ++i)
        if (value[i] == '#' && (i == 0 || value[i - 1] == ' ' || value[i - 1] == '\t')) return trim(value.substr(0, i));
    return value;
}

std::vector<std::string> splitWords(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            lines.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) {
        if (cur.back() == '\r') cur.pop_back();
        lines.push_back(cur);
    }
    return lines;
}

std::string normalised(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
        .normalized(QString::NormalizationForm_C)
        .toStdString();
}

struct RawValue {
    std::string value;
    int line = 0;
};

struct RawItem {
    SourceLocation where;
    bool word = false;
    std::map<std::string, RawValue> keys;
};

struct RawPage {
    SourceLocation where;
    std::vector<RawItem> phrases;
};

bool isItemKey(const std::string& key) {
    if (key == "typed" || key == "hanzi" || key == "trad") return true;
    for (const auto& lang : translationLanguages())
        if (key == lang.key) return true;
    return false;
}

int titleIndex(const std::string& key) {
    const auto& cols = titleColumns();
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (key == cols[i].key) return static_cast<int>(i);
    return -1;
}

std::string itemName(const RawItem& item, int pageNo, int index) {
    if (item.word) return "word " + std::to_string(index);
    return "phrase " + std::to_string(index) + " of page " + std::to_string(pageNo);
}

CourseItem buildItem(const RawItem& raw, const std::string& name, std::vector<std::string>& errors) {
    CourseItem item;
    item.where = raw.where;
    auto value = [&](const char* key) -> const RawValue* {
        auto it = raw.keys.find(key);
        return it == raw.keys.end() ? nullptr : &it->second;
    };
    std::vector<std::string> missing;
    for (const char* key : {"typed", "hanzi"})
        if (!value(key)) missing.push_back(key);
    for (const auto& lang : translationLanguages())
        if (!value(lang.key)) missing.push_back(lang.key);
    for (const std::string& key : missing)
        errors.push_back(at(raw.where) + name + " lacks the key '" + key + "'");

    if (const RawValue* typed = value("typed")) {
        const SourceLocation where{raw.where.file, typed->line};
        const std::string& t = typed->value;
        const bool ascii = std::all_of(t.begin(), t.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
        if (t.empty()) {
            errors.push_back(at(where) + "'typed' is empty");
        } else if (!ascii) {
            errors.push_back(at(where) + "'typed' must be plain ASCII (pinyin with tone numbers, v for u-umlaut)");
        } else if (t.size() > kTextLimit) {
            errors.push_back(at(where) + "'typed' is too long (" + std::to_string(t.size()) + " bytes, at most " +
                             std::to_string(kTextLimit) + ")");
        } else {
            item.typed = t;
            item.pinyin = numberedToToneMarks(t);
            if (auto enc = encodeChecked(item.pinyin, FontEncoding::Pinying, "the Pinying encoding", kTextLimit, where,
                                         "the tone-marked pinyin '" + item.pinyin + "'", errors))
                item.phonetic = *enc;
        }
    }
    if (const RawValue* hanzi = value("hanzi")) {
        if (hanzi->value.empty()) errors.push_back(at({raw.where.file, hanzi->line}) + "'hanzi' is empty");
        item.hanzi = normalised(hanzi->value);
    }
    if (const RawValue* trad = value("trad")) {
        if (trad->value.empty()) errors.push_back(at({raw.where.file, trad->line}) + "'trad' is empty");
        item.trad = normalised(trad->value);
    } else {
        item.trad = item.hanzi;
    }
    const auto& langs = translationLanguages();
    for (std::size_t i = 0; i < langs.size(); ++i) {
        const RawValue* v = value(langs[i].key);
        if (!v) continue;
        const SourceLocation where{raw.where.file, v->line};
        if (v->value.empty()) {
            errors.push_back(at(where) + "'" + langs[i].key + "' is empty");
            continue;
        }
        item.translationsUtf8[i] = normalised(v->value);
        if (auto enc = encodeChecked(v->value, langs[i].encoding, langs[i].encodingName, kTextLimit, where,
                                     std::string("the '") + langs[i].key + "' text", errors))
            item.translations[i] = *enc;
    }
    return item;
}

std::optional<std::string> readTextFile(const fs::path& path, const std::string& displayName,
                                        std::vector<std::string>& errors) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(displayName + ": cannot be read");
        return std::nullopt;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    const std::size_t bad = firstInvalidUtf8(text);
    if (bad != std::string::npos) {
        const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(bad), '\n'));
        errors.push_back(displayName + ":" + std::to_string(line) + ": not valid UTF-8");
        return std::nullopt;
    }
    return text;
}

std::vector<fs::path> textFilesIn(const fs::path& dir) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        if (it->path().extension() == ".txt") out.push_back(it->path());
    }
    std::sort(out.begin(), out.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    return out;
}

} // namespace

std::optional<std::string> encodeChecked(const std::string& utf8, FontEncoding encoding, const char* encodingName,
                                         std::size_t limit, const SourceLocation& where, const std::string& what,
                                         std::vector<std::string>& errors) {
    const std::string text = normalised(utf8);
    auto bytes = encodeText(text, encoding);
    if (!bytes) {
        // Name the first character the encoding lacks.
        for (const std::string& ch : utf8Characters(text)) {
            if (!encodeText(ch, encoding)) {
                errors.push_back(at(where) + what + ": the character '" + ch + "' (" + codePointName(ch) +
                                 ") cannot be written in " + encodingName);
                return std::nullopt;
            }
        }
        errors.push_back(at(where) + what + " cannot be written in " + encodingName);
        return std::nullopt;
    }
    if (bytes->size() > limit) {
        errors.push_back(at(where) + what + " is too long once encoded (" + std::to_string(bytes->size()) +
                         " bytes, at most " + std::to_string(limit) + ")");
        return std::nullopt;
    }
    if (bytes->find('\0') != std::string::npos) {
        errors.push_back(at(where) + what + " holds a NUL character");
        return std::nullopt;
    }
    return bytes;
}

CourseUnit parseCourseUnit(const std::string& text, const std::string& displayName, bool story,
                           const std::vector<std::string>& scenes, std::vector<std::string>& errors) {
    CourseUnit unit;
    unit.story = story;
    unit.where = {displayName, 1};
    std::optional<RawValue> course, stem;
    std::array<std::optional<RawValue>, 7> titles;
    std::vector<RawPage> pages;
    std::vector<RawItem> words;
    RawItem* current = nullptr;
    std::vector<std::pair<std::string, int>> mediaRefs; // stem, line (resolved after the pass)
    std::map<std::string, int> mediaLines;

    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const int lineNo = static_cast<int>(n) + 1;
        const SourceLocation where{displayName, lineNo};
        const std::string line = trim(lines[n]);
        if (line.empty() || line[0] == '#') continue;
        std::size_t sp = line.find_first_of(" \t");
        const std::string key = line.substr(0, sp);
        std::string value = sp == std::string::npos ? std::string() : trim(line.substr(sp));

        if (key == "course") {
            value = withoutComment(value);
            if (course) {
                errors.push_back(at(where) + "a second 'course' line (the first is on line " +
                                 std::to_string(course->line) + ")");
                continue;
            }
            course = RawValue{value, lineNo};
            const std::string expected = story ? "story" : "lesson";
            if (value != expected)
                errors.push_back(at(where) + "'course " + value + "' in a " + expected + " file (expected 'course " +
                                 expected + "')");
        } else if (key == "stem") {
            value = withoutComment(value);
            if (stem) {
                errors.push_back(at(where) + "a second 'stem' line (the first is on line " +
                                 std::to_string(stem->line) + ")");
                continue;
            }
            stem = RawValue{value, lineNo};
        } else if (titleIndex(key) >= 0) {
            auto& slot = titles[static_cast<std::size_t>(titleIndex(key))];
            if (slot) {
                errors.push_back(at(where) + "a second '" + key + "' line (the first is on line " +
                                 std::to_string(slot->line) + ")");
                continue;
            }
            slot = RawValue{value, lineNo};
        } else if (key == "explanation") {
            if (value.empty())
                errors.push_back(at(where) + "'explanation' is empty");
            else
                unit.explanations.push_back(normalised(value));
        } else if (key == "page") {
            pages.push_back(RawPage{where, {}});
            current = nullptr;
        } else if (key == "phrase") {
            if (pages.empty()) {
                errors.push_back(at(where) + "'phrase' before the first 'page'");
                current = nullptr;
                continue;
            }
            pages.back().phrases.push_back(RawItem{where, false, {}});
            current = &pages.back().phrases.back();
        } else if (key == "word") {
            words.push_back(RawItem{where, true, {}});
            current = &words.back();
        } else if (key == "media") {
            value = withoutComment(value);
            const std::vector<std::string> parts = splitWords(value);
            if (parts.size() == 1) {
                if (!current) {
                    errors.push_back(at(where) + "'media " + value +
                                     "' outside a phrase (a declaration needs a stem, "
                                     "a kind and a text or scene)");
                } else if (current->word) {
                    errors.push_back(at(where) + "a word takes no media");
                } else if (current->keys.count("media")) {
                    errors.push_back(at(where) + "a second 'media' line in this phrase");
                } else {
                    current->keys["media"] = RawValue{value, lineNo};
                    mediaRefs.emplace_back(value, lineNo);
                }
            } else if (parts.size() >= 3) {
                MediaDeclaration decl;
                decl.where = where;
                decl.stem = parts[0];
                const std::size_t kindAt = value.find(parts[1], parts[0].size());
                decl.argument = trim(value.substr(kindAt + parts[1].size()));
                if (!isSourceStem(decl.stem)) {
                    errors.push_back(at(where) + "bad media stem '" + decl.stem +
                                     "' (1 to 9 characters of A-Z and 0-9)");
                    continue;
                }
                if (mediaLines.count(decl.stem)) {
                    errors.push_back(at(where) + "duplicate media stem '" + decl.stem + "' (first declared on line " +
                                     std::to_string(mediaLines[decl.stem]) + ")");
                    continue;
                }
                mediaLines[decl.stem] = lineNo;
                if (parts[1] == "video") {
                    decl.kind = MediaKind::Video;
                    decl.argument = normalised(decl.argument);
                } else if (parts[1] == "metafile") {
                    decl.kind = MediaKind::Metafile;
                    if (std::find(scenes.begin(), scenes.end(), decl.argument) == scenes.end()) {
                        std::string list;
                        for (const std::string& s : scenes)
                            list += (list.empty() ? "" : " ") + s;
                        errors.push_back(at(where) + "unknown scene '" + decl.argument + "' (known scenes: " + list +
                                         ")");
                        continue;
                    }
                } else {
                    errors.push_back(at(where) + "unknown media kind '" + parts[1] + "' (video or metafile)");
                    continue;
                }
                unit.media.push_back(decl);
            } else {
                errors.push_back(at(where) +
                                 "'media' needs a stem (in a phrase) or a stem, a kind and a text or scene");
            }
        } else if (isItemKey(key)) {
            if (!current) {
                errors.push_back(at(where) + "'" + key + "' outside a phrase or word");
                continue;
            }
            if (key == "typed") value = withoutComment(value);
            if (current->keys.count(key)) {
                errors.push_back(at(where) + "a second '" + key + "' line in this " +
                                 (current->word ? "word" : "phrase") + " (the first is on line " +
                                 std::to_string(current->keys[key].line) + ")");
                continue;
            }
            current->keys[key] = RawValue{value, lineNo};
        } else {
            errors.push_back(at(where) + "unknown key '" + key + "'");
        }
    }

    // The unit as a whole.
    if (!course) errors.push_back(at(unit.where) + "missing the line 'course " + (story ? "story" : "lesson") + "'");
    if (!stem) {
        errors.push_back(at(unit.where) + "missing the key 'stem'");
    } else {
        const SourceLocation where{displayName, stem->line};
        if (!isSourceStem(stem->value))
            errors.push_back(at(where) + "bad stem '" + stem->value + "' (1 to 9 characters of A-Z and 0-9)");
        else if (isReservedStem(stem->value))
            errors.push_back(at(where) + "the stem '" + stem->value + "' is reserved for a folder of the content tree");
        else
            unit.stem = stem->value;
        unit.where.line = stem->line;
    }
    const auto& cols = titleColumns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        if (!titles[i]) {
            errors.push_back(displayName + ":1: missing the key '" + cols[i].key + "'");
            continue;
        }
        const SourceLocation where{displayName, titles[i]->line};
        if (titles[i]->value.empty()) {
            errors.push_back(at(where) + "'" + cols[i].key + "' is empty");
            continue;
        }
        unit.titlesUtf8[i] = normalised(titles[i]->value);
        if (auto enc = encodeChecked(titles[i]->value, cols[i].encoding, cols[i].encodingName, kTitleLimit, where,
                                     std::string("the title '") + cols[i].key + "'", errors))
            unit.titles[i] = *enc;
    }

    if (pages.empty()) errors.push_back(at(unit.where) + "no 'page'");
    if (pages.size() > static_cast<std::size_t>(kMaxPages))
        errors.push_back(at(pages[static_cast<std::size_t>(kMaxPages)].where) + "too many pages (" +
                         std::to_string(pages.size()) + ", at most " + std::to_string(kMaxPages) + ")");
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const RawPage& raw = pages[p];
        CoursePage page;
        page.where = raw.where;
        const int pageNo = static_cast<int>(p) + 1;
        if (raw.phrases.empty()) errors.push_back(at(raw.where) + "page " + std::to_string(pageNo) + " has no phrase");
        if (raw.phrases.size() > static_cast<std::size_t>(PageLayout::kPhrases))
            errors.push_back(at(raw.phrases[static_cast<std::size_t>(PageLayout::kPhrases)].where) +
                             "too many phrases on page " + std::to_string(pageNo) + " (" +
                             std::to_string(raw.phrases.size()) + ", at most " + std::to_string(PageLayout::kPhrases) +
                             ")");
        for (std::size_t k = 0; k < raw.phrases.size(); ++k) {
            const int phraseNo = static_cast<int>(k) + 1;
            CourseItem item = buildItem(raw.phrases[k], itemName(raw.phrases[k], pageNo, phraseNo), errors);
            item.soundStem = format("P%02d%d", pageNo % 100, phraseNo % 10);
            auto media = raw.phrases[k].keys.find("media");
            if (media != raw.phrases[k].keys.end()) item.mediaStem = media->second.value;
            page.phrases.push_back(std::move(item));
        }
        unit.pages.push_back(std::move(page));
    }
    if (words.size() > static_cast<std::size_t>(kMaxWords))
        errors.push_back(at(words[static_cast<std::size_t>(kMaxWords)].where) + "too many words (" +
                         std::to_string(words.size()) + ", at most " + std::to_string(kMaxWords) + ")");
    for (std::size_t w = 0; w < words.size(); ++w) {
        CourseItem item = buildItem(words[w], itemName(words[w], 0, static_cast<int>(w) + 1), errors);
        item.soundStem = format("W%03d", static_cast<int>(w + 1) % 1000);
        unit.words.push_back(std::move(item));
    }
    for (const auto& [ref, line] : mediaRefs)
        if (!mediaLines.count(ref))
            errors.push_back(displayName + ":" + std::to_string(line) + ": media stem '" + ref +
                             "' is not declared by a 'media " + ref + " video|metafile ...' line");
    return unit;
}

std::vector<HelpTopicSource> parseGeneralHelp(const std::string& text, const std::string& displayName,
                                              std::vector<std::string>& errors) {
    std::vector<HelpTopicSource> topics;
    std::map<int, int> contextLines;
    std::string paragraph;
    bool skipping = false; // inside a topic whose header was refused
    auto flush = [&]() {
        if (!paragraph.empty() && !topics.empty() && !skipping) topics.back().paragraphs.push_back(paragraph);
        paragraph.clear();
    };
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const int lineNo = static_cast<int>(n) + 1;
        const SourceLocation where{displayName, lineNo};
        const std::string line = trim(lines[n]);
        if (!line.empty() && line[0] == '#') continue;
        if (line.rfind("topic", 0) == 0 && (line.size() == 5 || line[5] == ' ' || line[5] == '\t')) {
            flush();
            const std::string rest = trim(line.substr(5));
            const std::size_t sp = rest.find_first_of(" \t");
            const std::string number = rest.substr(0, sp);
            const std::string title = sp == std::string::npos ? std::string() : trim(rest.substr(sp));
            const bool digits = !number.empty() && number.size() <= 9 &&
                                std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
            skipping = true;
            if (!digits) {
                errors.push_back(at(where) + "'topic' needs a context number and a title");
            } else if (title.empty()) {
                errors.push_back(at(where) + "topic " + number + " has no title");
            } else if (contextLines.count(std::stoi(number))) {
                errors.push_back(at(where) + "duplicate topic context " + number + " (first on line " +
                                 std::to_string(contextLines[std::stoi(number)]) + ")");
            } else {
                contextLines[std::stoi(number)] = lineNo;
                topics.push_back(HelpTopicSource{std::stoi(number), normalised(title), {}});
                skipping = false;
            }
            continue;
        }
        if (line.empty()) {
            flush();
            continue;
        }
        if (topics.empty() && !skipping) {
            errors.push_back(at(where) + "text before the first 'topic' line");
            skipping = true;
            continue;
        }
        paragraph += (paragraph.empty() ? "" : " ") + normalised(line);
    }
    flush();
    return topics;
}

CourseSource loadCourseSource(const fs::path& dir, const std::vector<std::string>& scenes,
                              std::vector<std::string>& errors) {
    CourseSource course;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        errors.push_back(dir.string() + ": not a folder");
        return course;
    }
    std::map<std::string, SourceLocation> stems;
    for (bool story : {false, true}) {
        const fs::path folder = dir / (story ? "stories" : "lessons");
        const std::vector<fs::path> files = textFilesIn(folder);
        if (files.empty() && !story) errors.push_back(folder.string() + ": no lesson files (*.txt)");
        for (const fs::path& file : files) {
            course.inputs.push_back(file);
            const std::string name = file.string();
            auto text = readTextFile(file, name, errors);
            if (!text) continue;
            CourseUnit unit = parseCourseUnit(*text, name, story, scenes, errors);
            if (!unit.stem.empty()) {
                auto [it, fresh] = stems.emplace(unit.stem, unit.where);
                if (!fresh)
                    errors.push_back(at(unit.where) + "duplicate stem '" + unit.stem + "' (also used by " +
                                     it->second.file + ":" + std::to_string(it->second.line) + ")");
            }
            (story ? course.stories : course.lessons).push_back(std::move(unit));
        }
    }

    for (const fs::path& file : textFilesIn(dir / "tips")) {
        course.inputs.push_back(file);
        const std::string name = file.string();
        auto text = readTextFile(file, name, errors);
        if (!text) continue;
        std::string body = trim(*text);
        std::string unix;
        for (char c : body)
            if (c != '\r') unix.push_back(c);
        if (unix.empty()) {
            errors.push_back(name + ":1: the tip is empty");
            continue;
        }
        // Report an unencodable character on its own line.
        int line = 1;
        std::size_t start = 0;
        bool ok = true;
        while (start <= unix.size() && ok) {
            std::size_t end = unix.find('\n', start);
            if (end == std::string::npos) end = unix.size();
            ok = encodeChecked(unix.substr(start, end - start), FontEncoding::Windows1252, "Windows-1252",
                               std::string::npos, {name, line}, "the tip", errors)
                     .has_value();
            start = end + 1;
            ++line;
        }
        if (!ok) continue;
        if (auto bytes =
                encodeChecked(unix, FontEncoding::Windows1252, "Windows-1252", kTipLimit, {name, 1}, "the tip", errors))
            course.tips.push_back(TipSource{file.filename().string(), *bytes});
    }

    const fs::path general = dir / "help" / "general.txt";
    if (fs::exists(general, ec)) {
        course.inputs.push_back(general);
        if (auto text = readTextFile(general, general.string(), errors))
            course.help = parseGeneralHelp(*text, general.string(), errors);
        // A general topic must not take the context number of a lesson or story topic.
        for (const HelpTopicSource& t : course.help) {
            for (std::size_t i = 0; i < course.lessons.size(); ++i)
                if (t.context == lessonHelpContext(static_cast<int>(i)))
                    errors.push_back(general.string() + ": topic " + std::to_string(t.context) +
                                     " takes the context number of lesson " + std::to_string(i + 1));
            for (std::size_t i = 0; i < course.stories.size(); ++i)
                if (t.context == storyHelpContext(static_cast<int>(i)))
                    errors.push_back(general.string() + ": topic " + std::to_string(t.context) +
                                     " takes the context number of story " + std::to_string(i + 1));
        }
    }
    return course;
}

} // namespace lumora::content
