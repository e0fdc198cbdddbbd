// The dictionary search over an English-Mandarin dictionary of 120,000 entries: the per-entry scan
// (one 640-byte read per entry on every run) against the scan of the cached index, for each mode,
// the empty key and the tone-blind comparison. Run with --benchmark_repetitions to get medians; the
// dictionary is $LUMORA_BENCH_DICTIONARY (e.g. the GBMA.DIC of a course built with --cedict) or a
// generated file of the same size.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "dictionary/dictionary_search.h"
#include "foundation/codecs.h"
#include "foundation/dictionary_record.h"
#include "foundation/text_util.h"

namespace {

using lumora::DictionaryLayout;

std::filesystem::path generated() {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "lumora-bench-GBMA.DIC";
    if (std::filesystem::exists(file) && std::filesystem::file_size(file) == 120000 * DictionaryLayout::kEntrySize)
        return file;
    std::mt19937 rng(120000);
    const char* syllables[] = {"ca", "ti", "on", "ing", "ly", "the ", "a ", "re", "st", "er", "mo", "un", "de", "ble"};
    const char* pinyin[] = {"nǐ", "hǎo", "lǜ", "zhōng", "guó", "rén", "mā", "shì", "de", " "};
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 120000; ++i) {
        std::string en, py;
        const int n = 2 + static_cast<int>(rng() % 5);
        for (int k = 0; k < n; ++k)
            en += syllables[rng() % std::size(syllables)];
        for (int k = 0; k < 3; ++k)
            py += pinyin[rng() % std::size(pinyin)];
        lumora::Bytes rec(DictionaryLayout::kEntrySize, 0);
        lumora::putFixedField(rec, DictionaryLayout::kSource, DictionaryLayout::kTextWidth, en);
        lumora::putFixedField(rec, DictionaryLayout::kMandarinTarget, DictionaryLayout::kTextWidth,
                              lumora::encodeText(py, lumora::FontEncoding::Pinying).value_or(""));
        lumora::putFixedField(rec, DictionaryLayout::kLesson, DictionaryLayout::kStemWidth, "CEDICT");
        out.write(reinterpret_cast<const char*>(rec.data()), static_cast<std::streamsize>(rec.size()));
    }
    return file;
}

const std::filesystem::path& dictionary() {
    static const std::filesystem::path file = [] {
        const char* given = std::getenv("LUMORA_BENCH_DICTIONARY");
        return given && *given ? std::filesystem::path(given) : generated();
    }();
    return file;
}

// Each case: a key and a mode (English -> Mandarin), as a learner would type them.
struct Case {
    const char* key;
    int mode;
    bool fold;
};
constexpr Case kCases[] = {
    {"", 0, false},     {"ca", 0, false}, {"ing", 1, false}, {"ly", 2, false},
    {"ca ti", 0, true}, {"ing", 1, true}, {"ly", 2, true},
};

void BM_PerEntryScan(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    const lumora::SearchQuery q{0, 18, c.key, c.mode, c.fold};
    std::size_t lines = 0;
    for (auto _ : state) {
        const lumora::PerEntryResult r = lumora::SearchDictionaryPerEntry(dictionary(), q);
        lines = r.lines.size();
        benchmark::DoNotOptimize(r.lines.data());
    }
    state.counters["matches"] = static_cast<double>(lines);
}

void BM_IndexScan(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    const lumora::SearchQuery q{0, 18, c.key, c.mode, c.fold};
    // The index is read once (and folded once) before the timing, as the first search of a window does.
    auto index = lumora::DictionaryCache::shared().get(dictionary());
    if (c.fold) index->folded(false, lumora::encodingForLanguage(0));
    std::size_t lines = 0;
    for (auto _ : state) {
        const lumora::SearchResult r = lumora::SearchIndex(index, q);
        lines = r.count();
        // The rows a list shows at once are formatted; the others when they are scrolled to.
        for (std::size_t row = 0; row < std::min<std::size_t>(r.count(), 40); ++row)
            benchmark::DoNotOptimize(r.line(row));
    }
    state.counters["matches"] = static_cast<double>(lines);
}

// The first search of a dictionary: the file read into the index.
void BM_IndexLoad(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(lumora::DictionaryIndex::load(dictionary()));
}

const char* caseName(int i) {
    static const char* names[] = {"empty-key",          "start-ca",           "contain-ing",  "end-ly",
                                  "start-folded-ca-ti", "contain-folded-ing", "end-folded-ly"};
    return names[i];
}

int registerAll() {
    for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
        benchmark::RegisterBenchmark((std::string("PerEntryScan/") + caseName(i)).c_str(), BM_PerEntryScan)
            ->Arg(i)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark((std::string("IndexScan/") + caseName(i)).c_str(), BM_IndexScan)
            ->Arg(i)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::RegisterBenchmark("IndexLoad", BM_IndexLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
    return 0;
}
const int registered = registerAll();

} // namespace
