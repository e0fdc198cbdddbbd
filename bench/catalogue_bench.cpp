// How long the course takes to read what one page display needs: every field is read afresh from
// the lesson file (no cache), so this is the cost a page turn pays.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "foundation/content_locator.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/text_util.h"

namespace {

struct Course {
    std::filesystem::path root = std::filesystem::temp_directory_path() / "lumora-bench-course";
    lumora::MemorySettingsStore store;
    lumora::FileAccess files{store, {{'D', root.string()}}};
    lumora::ContentLocator locator{store, files};
    lumora::LessonCatalogue catalogue{locator};

    Course() {
        std::filesystem::create_directories(root / "DATA" / "WIN32");
        lumora::Bytes entry(lumora::CatalogueLayout::kEntrySize, 0);
        lumora::putFixedField(entry, lumora::CatalogueLayout::kEnglish, 40, "Lesson");
        lumora::putFixedField(entry, lumora::CatalogueLayout::kStemOffset, 10, "L01");
        std::ofstream(root / "DATA" / "WIN32" / "LISTE.DAT", std::ios::binary)
            .write(reinterpret_cast<const char*>(entry.data()), static_cast<std::streamsize>(entry.size()));
        lumora::Bytes pages(lumora::PageLayout::kPageSize * 6, 'a');
        std::ofstream(root / "DATA" / "WIN32" / "L01.DAT", std::ios::binary)
            .write(reinterpret_cast<const char*>(pages.data()), static_cast<std::streamsize>(pages.size()));
    }
    ~Course() { std::filesystem::remove_all(root); }
};

void BM_PageFieldsOfOnePage(benchmark::State& state) {
    Course c;
    for (auto _ : state) {
        for (int k = 1; k <= 4; ++k) {
            benchmark::DoNotOptimize(c.catalogue.PhraseText(0, 3, k));
            benchmark::DoNotOptimize(c.catalogue.PhoneticText(0, 3, k));
            benchmark::DoNotOptimize(c.catalogue.TranslationText(0, 3, k, 0));
            benchmark::DoNotOptimize(c.catalogue.SoundStem(0, 3, k));
        }
    }
}
BENCHMARK(BM_PageFieldsOfOnePage);

} // namespace
