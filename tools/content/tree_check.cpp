#include "content/tree_check.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>

#include "content/dictionary_codes.h"
#include "content/records.h"
#include "course/dib.h"
#include "course/wave.h"
#include "foundation/codecs.h"
#include "foundation/file_access.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/settings_store.h"
#include "foundation/text_util.h"
#include "foundation/help_file.h"

namespace lumora::content {
namespace fs = std::filesystem;

std::string CheckReport::summary() const {
    auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    return "ok: " + count(lessons, "lesson", "lessons") + ", " + count(stories, "story", "stories") + ", " +
           count(dictionaries, "dictionary", "dictionaries") + " (" + count(dictionaryEntries, "entry", "entries") +
           "), " + count(filesChecked, "file", "files") + " checked";
}

namespace {

constexpr int kProblemsPerDictionary = 20;

const char* encodingName(FontEncoding e) {
    switch (e) {
    case FontEncoding::Windows1252:
        return "Windows-1252";
    case FontEncoding::Tis620:
        return "TIS-620";
    case FontEncoding::Viscii:
        return "VISCII";
    case FontEncoding::Khmer:
        return "the Khmer encoding";
    case FontEncoding::Pinying:
        return "the Pinying encoding";
    }
    return "?";
}

// A stem as it stands, quoted with its odd bytes escaped, for messages.
std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else {
            out += format("\\x%02X", c);
        }
    }
    return out + "\"";
}

class Checker {
public:
    explicit Checker(const fs::path& root) : files_(store_, DriveTable{{'D', root.string()}}) {}

    CheckReport run() {
        checkCatalogue("LISTE.DAT", false);
        checkCatalogue("WRITE.DAT", true);
        checkDictionaries();
        checkTips();
        checkHelp();
        report_.filesChecked = static_cast<int>(checked_.size());
        return report_;
    }

private:
    static std::string name(const std::string& relative) { return "D:\\" + relative; }
    static std::string shown(const std::string& relative) {
        std::string out = relative;
        std::replace(out.begin(), out.end(), '\\', '/');
        return out;
    }
    void problem(const std::string& line) { report_.problems.push_back(line); }

    std::optional<Bytes> readWhole(const std::string& relative) {
        checked_.insert(relative);
        return files_.readAll(name(relative), std::uint64_t(1) << 31);
    }

    // The first byte that the encoding does not define, described; empty when all decode.
    static std::string undecodable(const std::string& bytes, FontEncoding enc) {
        for (unsigned char b : bytes)
            if (b != 0 && codePoint(b, enc) == 0)
                return format("byte 0x%02X does not decode in %s", b, encodingName(enc));
        return {};
    }

    void checkCatalogue(const std::string& file, bool stories) {
        const std::string rel = "DATA\\WIN32\\" + file;
        const auto data = readWhole(rel);
        if (!data) {
            problem(shown(rel) + ": missing");
            return;
        }
        using C = CatalogueLayout;
        if (data->size() % C::kEntrySize != 0)
            problem(shown(rel) + format(": %zu bytes is not a whole number of %zu-byte entries (%zu bytes left over)",
                                        data->size(), C::kEntrySize, data->size() % C::kEntrySize));
        const std::size_t count = data->size() / C::kEntrySize;
        (stories ? report_.stories : report_.lessons) = static_cast<int>(count);
        static const std::pair<const char*, std::pair<std::size_t, FontEncoding>> titles[] = {
            {"French", {C::kFrench, FontEncoding::Windows1252}},
            {"English", {C::kEnglish, FontEncoding::Windows1252}},
            {"German", {C::kGerman, FontEncoding::Windows1252}},
            {"Spanish", {C::kSpanish, FontEncoding::Windows1252}},
            {"Khmer", {C::kKhmer, FontEncoding::Khmer}},
            {"Thai", {C::kThai, FontEncoding::Tis620}},
            {"Vietnamese", {C::kVietnamese, FontEncoding::Viscii}},
        };
        for (std::size_t i = 0; i < count; ++i) {
            const Bytes rec(data->begin() + static_cast<long>(i * C::kEntrySize),
                            data->begin() + static_cast<long>((i + 1) * C::kEntrySize));
            const std::string where = shown(rel) + format(": entry %zu", i);
            for (const auto& [title, field] : titles) {
                const std::string bad = undecodable(fixedField(rec, field.first, C::kTitleWidth), field.second);
                if (!bad.empty()) problem(where + " " + title + " title: " + bad);
            }
            const std::string stem = fixedField(rec, C::kStemOffset, C::kStemWidth);
            if (!isSafeStem(stem)) {
                problem(where + ": unsafe stem " + quoted(stem));
                continue;
            }
            if (!stems_.insert(stem).second) problem(where + ": stem " + quoted(stem) + " is used twice");
            checkLesson(stem);
        }
    }

    void checkLesson(const std::string& stem) {
        const std::string rel = "DATA\\WIN32\\" + stem + ".DAT";
        const auto data = readWhole(rel);
        if (!data) {
            problem(shown(rel) + ": missing");
            return;
        }
        using P = PageLayout;
        if (data->size() % P::kPageSize != 0)
            problem(shown(rel) + format(": partial record: %zu bytes is not a whole number of %zu-byte pages "
                                        "(%zu bytes left over)",
                                        data->size(), P::kPageSize, data->size() % P::kPageSize));
        const std::size_t pages = data->size() / P::kPageSize;
        if (pages == 0) problem(shown(rel) + ": no page");
        static const std::pair<const char*, std::pair<std::size_t, FontEncoding>> fields[] = {
            {"text", {P::kPhrase, FontEncoding::Windows1252}},   {"phonetic", {P::kPhonetic, FontEncoding::Pinying}},
            {"French", {P::kFrench, FontEncoding::Windows1252}}, {"English", {P::kEnglish, FontEncoding::Windows1252}},
            {"German", {P::kGerman, FontEncoding::Windows1252}}, {"Spanish", {P::kSpanish, FontEncoding::Windows1252}},
            {"Dutch", {P::kDutch, FontEncoding::Windows1252}},   {"Khmer", {P::kKhmer, FontEncoding::Khmer}},
            {"Thai", {P::kThai, FontEncoding::Tis620}},          {"Vietnamese", {P::kVietnamese, FontEncoding::Viscii}},
        };
        for (std::size_t p = 0; p < pages; ++p) {
            const Bytes rec(data->begin() + static_cast<long>(p * P::kPageSize),
                            data->begin() + static_cast<long>((p + 1) * P::kPageSize));
            for (std::size_t k = 0; k < static_cast<std::size_t>(P::kPhrases); ++k) {
                const std::string where = shown(rel) + format(": page %zu phrase %zu", p + 1, k + 1);
                for (const auto& [label, field] : fields) {
                    const std::string bad =
                        undecodable(fixedField(rec, field.first + P::kTextWidth * k, P::kTextWidth), field.second);
                    if (!bad.empty()) problem(where + " " + label + ": " + bad);
                }
                if (fixedField(rec, P::kPhrase + P::kTextWidth * k, P::kTextWidth).empty()) continue;
                const std::string sound = fixedField(rec, P::kSound + P::kStemWidth * k, P::kStemWidth);
                const std::string media = fixedField(rec, P::kMedia + P::kStemWidth * k, P::kStemWidth);
                if (sound.empty())
                    problem(where + ": no sound stem");
                else if (!isSafeStem(sound))
                    problem(where + ": unsafe sound stem " + quoted(sound));
                else
                    checkVoicesAndPictures(stem, sound, sound);
                if (!media.empty()) {
                    if (!isSafeStem(media))
                        problem(where + ": unsafe media stem " + quoted(media));
                    else
                        checkMedia(stem, media);
                }
            }
        }
    }

    // Checks each file once; later references to a file already found bad add no line.
    bool once(const std::string& rel) { return checked_.insert(rel).second; }

    void checkWave(const std::string& rel) {
        if (!once(rel)) return;
        const fs::path path = files_.resolve(name(rel));
        if (!files_.exists(name(rel))) {
            problem(shown(rel) + ": missing");
            return;
        }
        CWave wave;
        if (const ReadResult r = wave.Load(path); !r)
            problem(shown(rel) + ": not a PCM WAVE file (" + describe(r) + ")");
    }

    void checkBitmap(const std::string& rel) {
        if (!once(rel)) return;
        if (!files_.exists(name(rel))) {
            problem(shown(rel) + ": missing");
            return;
        }
        std::ifstream in(files_.resolve(name(rel)), std::ios::binary);
        CDIB dib;
        const ReadResult r = in ? dib.Read(in) : readFailure(ReadStatus::Missing, "cannot be opened");
        if (!r) problem(shown(rel) + ": not a readable bitmap (" + describe(r) + ")");
    }

    void checkVoicesAndPictures(const std::string& lesson, const std::string& sound, const std::string& picture) {
        if (!sound.empty()) {
            checkWave(lesson + "\\MALE\\" + sound + ".WAV");
            checkWave(lesson + "\\FEMALE\\" + sound + ".WAV");
        }
        if (!picture.empty()) {
            checkBitmap(lesson + "\\SIMPLIFY\\" + picture + ".BMP");
            checkBitmap(lesson + "\\TRADI\\" + picture + ".BMP");
        }
    }

    void checkMedia(const std::string& lesson, const std::string& media) {
        const std::string candidates[] = {lesson + "\\AVI\\" + media + ".AVI", lesson + "\\" + media + ".AVI",
                                          lesson + "\\" + media + ".WMF"};
        if (!once(candidates[0])) return;
        for (const std::string& c : candidates) {
            checked_.insert(c);
            if (files_.exists(name(c))) return;
        }
        problem(shown(candidates[0]) + ": missing (and no " + shown(candidates[1]) + " or " + shown(candidates[2]) +
                ")");
    }

    void checkDictionaries() {
        const fs::path folder = files_.resolve("D:\\DATA\\WIN32");
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string n = it->path().filename().string();
            std::string upper;
            for (char c : n)
                upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
            if (upper.size() > 4 && upper.compare(upper.size() - 4, 4, ".DIC") == 0) names.push_back(n);
        }
        std::sort(names.begin(), names.end());
        for (const std::string& n : names)
            checkDictionary(n);
    }

    void checkDictionary(const std::string& fileName) {
        const std::string rel = "DATA\\WIN32\\" + fileName;
        ++report_.dictionaries;
        const auto data = readWhole(rel);
        if (!data) {
            problem(shown(rel) + ": cannot be read");
            return;
        }
        using D = DictionaryLayout;
        if (data->size() % D::kEntrySize != 0)
            problem(shown(rel) + format(": %zu bytes is not a whole number of %zu-byte entries (%zu bytes left over)",
                                        data->size(), D::kEntrySize, data->size() % D::kEntrySize));
        const auto pair = dictionaryPairOfFile(fileName);
        if (!pair) problem(shown(rel) + ": the name does not hold two known language codes");
        const FontEncoding from = pair ? encodingOfCode(pair->first) : FontEncoding::Windows1252;
        const FontEncoding to = pair ? encodingOfCode(pair->second) : FontEncoding::Windows1252;
        const bool mandarinFrom = pair && pair->first == "MA";
        const bool mandarinTo = pair && pair->second == "MA";
        const std::size_t count = data->size() / D::kEntrySize;
        report_.dictionaryEntries += static_cast<int>(count);
        int reported = 0, suppressed = 0;
        auto entryProblem = [&](const std::string& line) {
            if (reported < kProblemsPerDictionary) {
                problem(line);
                ++reported;
            } else {
                ++suppressed;
            }
        };
        const std::size_t before = report_.problems.size();
        for (std::size_t i = 0; i < count; ++i) {
            const Bytes rec(data->begin() + static_cast<long>(i * D::kEntrySize),
                            data->begin() + static_cast<long>((i + 1) * D::kEntrySize));
            const std::string where = shown(rel) + format(": entry %zu", i);
            const std::string source = fixedField(rec, D::kSource, D::kTextWidth);
            const std::string target = fixedField(rec, D::kTarget, D::kTextWidth);
            const std::string mSource = fixedField(rec, D::kMandarinSource, D::kTextWidth);
            const std::string mTarget = fixedField(rec, D::kMandarinTarget, D::kTextWidth);
            struct Text {
                const char* label;
                const std::string& bytes;
                FontEncoding enc;
            };
            const Text texts[] = {{"source text", source, from},
                                  {"target text", target, to},
                                  {"Mandarin source text", mSource, FontEncoding::Pinying},
                                  {"Mandarin target text", mTarget, FontEncoding::Pinying}};
            for (const Text& t : texts) {
                const std::string bad = undecodable(t.bytes, t.enc);
                if (!bad.empty()) entryProblem(where + " " + t.label + ": " + bad);
            }
            if (source.empty()) entryProblem(where + ": empty source text (the search never lists it)");
            if ((mandarinFrom ? mSource : source).empty() || (mandarinTo ? mTarget : target).empty())
                if (!source.empty()) entryProblem(where + ": a side text is empty");
            const std::string sound = fixedField(rec, D::kSound, D::kStemWidth);
            const std::string media = fixedField(rec, D::kMedia, D::kStemWidth);
            const std::string lesson = fixedField(rec, D::kLesson, D::kStemWidth);
            const std::string picture = fixedField(rec, D::kPicture, D::kStemWidth);
            if (sound.empty() && media.empty() && picture.empty()) continue;
            if (!isSafeStem(lesson)) {
                entryProblem(where + ": unsafe lesson code " + quoted(lesson));
                continue;
            }
            bool safe = true;
            for (const auto& [label, stem] :
                 {std::pair<const char*, const std::string&>{"sound", sound}, {"media", media}, {"picture", picture}})
                if (!stem.empty() && !isSafeStem(stem)) {
                    entryProblem(where + ": unsafe " + label + " stem " + quoted(stem));
                    safe = false;
                }
            if (!safe) continue;
            // Missing files are reported once each, beside the lessons' own problems.
            const std::size_t mark = report_.problems.size();
            checkVoicesAndPictures(lesson, sound, picture);
            if (!media.empty()) checkMedia(lesson, media);
            const std::size_t added = report_.problems.size() - mark;
            if (added) {
                const std::vector<std::string> lines(report_.problems.begin() + static_cast<long>(mark),
                                                     report_.problems.end());
                report_.problems.resize(mark);
                for (const std::string& line : lines)
                    entryProblem(where + ": " + line);
            }
        }
        (void)before;
        if (suppressed) problem(shown(rel) + format(": %d more problems not shown", suppressed));
    }

    void checkTips() {
        const fs::path folder = files_.resolve("D:\\DATA\\TIPS\\US");
        std::error_code ec;
        std::vector<std::string> names;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& n : names) {
            const std::string rel = "DATA\\TIPS\\US\\" + n;
            const auto data = readWhole(rel);
            if (!data) {
                problem(shown(rel) + ": cannot be read");
                continue;
            }
            const std::string bad = undecodable(std::string(data->begin(), data->end()), FontEncoding::Windows1252);
            if (!bad.empty()) problem(shown(rel) + ": " + bad);
        }
    }

    void checkHelp() {
        const std::string rel = "HELP\\WIN32\\LESSONGB.HLP";
        if (!files_.exists(name(rel))) return;
        const auto data = readWhole(rel);
        if (!data || parseHelpFile(std::string(data->begin(), data->end())).empty())
            problem(shown(rel) + ": holds no help topic");
    }

    MemorySettingsStore store_;
    FileAccess files_;
    CheckReport report_;
    std::set<std::string> checked_;
    std::set<std::string> stems_;
};

} // namespace

CheckReport checkTree(const fs::path& root) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        CheckReport r;
        r.problems.push_back(root.string() + ": not a folder");
        return r;
    }
    Checker checker(fs::absolute(root, ec));
    return checker.run();
}

} // namespace lumora::content
