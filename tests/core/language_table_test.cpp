#include "foundation/language_table.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/codecs.h"
#include "foundation/content_locator.h"
#include "foundation/file_access.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/settings_store.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

TEST(LanguageTable, SharedFlagsInBothLists) {
    // Swiss flag for French (Switzerland) and German (Switzerland).
    EXPECT_EQ(LanguageTable::listFlag(7), 18773);
    EXPECT_EQ(LanguageTable::listFlag(10), 18773);
    EXPECT_EQ(LanguageTable::flagPicture(7), "suisse");
    EXPECT_EQ(LanguageTable::flagPicture(10), "suisse");
    // Belgian flag for French (Belgium) and Dutch (Belgium).
    EXPECT_EQ(LanguageTable::listFlag(6), 18760);
    EXPECT_EQ(LanguageTable::listFlag(13), 18760);
    EXPECT_EQ(LanguageTable::flagPicture(6), "belgium");
    EXPECT_EQ(LanguageTable::flagPicture(13), "belgium");
    // Dutch has a flag of its own; out of range there is none.
    EXPECT_EQ(LanguageTable::listFlag(12), 18883);
    EXPECT_EQ(LanguageTable::listFlag(21), 0);
    EXPECT_EQ(LanguageTable::listFlag(-1), 0);
    EXPECT_EQ(LanguageTable::flagPicture(21), "");
}

TEST(LanguageTable, NamesCodesAndFonts) {
    EXPECT_EQ(LanguageTable::languageName(0), "English (US)");
    EXPECT_EQ(LanguageTable::languageName(10), "German (Switzerland)");
    EXPECT_EQ(LanguageTable::languageName(20), "Mandarin Chinese");
    EXPECT_EQ(LanguageTable::languageName(21), "");
    EXPECT_EQ(LanguageTable::languageName(-1), "");

    EXPECT_EQ(LanguageTable::dictionaryCode(8), "FF");
    EXPECT_EQ(LanguageTable::dictionaryCode(13), "DU");
    EXPECT_EQ(LanguageTable::dictionaryCode(19), "MA");
    EXPECT_EQ(LanguageTable::dictionaryCode(21), "");

    struct FontCase {
        int id;
        const char* face;
        int height;
    };
    const FontCase fonts[] = {
        {0, "Arial", 20},    {13, "Arial", 20},   {14, "Ekreach", 30}, {15, "Surin", 30}, {17, "UHo\xC3\xA0i 1.1", 20},
        {18, "Pinying", 40}, {20, "Pinying", 40}, {21, "Arial", 20}};
    for (const FontCase& f : fonts) {
        const DisplayFont d = LanguageTable::defaultFont(f.id);
        EXPECT_EQ(d.face, f.face) << f.id;
        EXPECT_EQ(d.height, f.height) << f.id;
    }
}

// The sample words are bytes in the encoding of the language's display font.
TEST(LanguageTable, SampleWordsDecodeWithTheLanguagesEncoding) {
    const std::pair<int, const char*> words[] = {
        {0, "January"},
        {8, "Janvier"},
        {13, "Januar"},
        {11, "Enero"},
        {15, "\xE0\xB8\xA1\xE0\xB8\x81\xE0\xB8\xA3\xE0\xB8\xB2\xE0\xB8\x84\xE0\xB8\xA1"}, // มกราคม
        {16, "Th\xC3\xA1ng gi\xC3\xAAng"},                                                // Tháng giêng
        {18, ""},
    };
    for (const auto& [id, utf8] : words)
        EXPECT_EQ(decodeText(LanguageTable::sampleWord(id), encodingForLanguage(id)), utf8) << id;
}

TEST(LanguageTable, TitleFieldAndTranslationBlock) {
    // Dutch reads its own page block but the English catalogue title.
    for (int id : {12, 13}) {
        EXPECT_EQ(catalogueTitleField(id), static_cast<int>(CatalogueLayout::kEnglish)) << id;
        EXPECT_EQ(pageTranslationBlock(id), static_cast<int>(PageLayout::kDutch)) << id;
    }
    EXPECT_EQ(catalogueTitleField(8), static_cast<int>(CatalogueLayout::kFrench));
    EXPECT_EQ(pageTranslationBlock(5), pageTranslationBlock(8));
    EXPECT_EQ(catalogueTitleField(17), static_cast<int>(CatalogueLayout::kVietnamese));
    EXPECT_EQ(pageTranslationBlock(16), static_cast<int>(PageLayout::kVietnamese));
    // Mandarin Chinese and out-of-range ids have neither.
    for (int id : {18, 19, 20, 21, -2}) {
        EXPECT_EQ(catalogueTitleField(id), -1) << id;
        EXPECT_EQ(pageTranslationBlock(id), -1) << id;
    }
}

TEST(LanguageTable, SectionAndColourOfTheCurrentLanguages) {
    MemorySettingsStore store;
    // Nothing stored: both readers take language 1.
    EXPECT_EQ(languageSection(store, true), "TRANSL_CANADA");
    EXPECT_EQ(languageSection(store, false), "TRANSL_CANADA");
    EXPECT_EQ(textColour(store, true), 0u);

    // Index 13 repeats index 2 (red).
    store.writeInt("Course", "Translate Language", 5);
    store.writeInt("TRANSL_FRENCH", "ColorTranslate", 13);
    EXPECT_EQ(languageSection(store, true), "TRANSL_FRENCH");
    EXPECT_EQ(textColour(store, true), LanguageTable::paletteColour(2));
    EXPECT_EQ(colourRed(textColour(store, true)), 255);
    EXPECT_EQ(colourGreen(textColour(store, true)), 0);
    EXPECT_EQ(colourBlue(textColour(store, true)), 0);

    // The phonetic language keeps its own section and entry.
    store.writeInt("Course", "Phonetic Language", 9);
    store.writeInt("TRANSL_GERMAN", "ColorPhonetic", 4);
    store.writeInt("TRANSL_GERMAN", "ColorTranslate", 8);
    EXPECT_EQ(languageSection(store, false), "TRANSL_GERMAN");
    EXPECT_EQ(textColour(store, false), 0x008000u);

    // Mandarin Chinese has no section, so its colour is black whatever other sections hold.
    store.writeInt("Course", "Translate Language", 19);
    store.writeInt("TRANSL_CANADA", "ColorTranslate", 5);
    EXPECT_EQ(languageSection(store, true), "");
    EXPECT_EQ(textColour(store, true), 0u);

    // A stored index outside 1..15 is black.
    store.writeInt("Course", "Translate Language", 5);
    for (int index : {0, -1, 16, 1000}) {
        store.writeInt("TRANSL_FRENCH", "ColorTranslate", index);
        EXPECT_EQ(textColour(store, true), 0u) << index;
    }
    store.writeInt("Course", "Translate Language", 18 + 30);
    EXPECT_EQ(languageSection(store, true), "");
}

TEST(LanguageTable, PaletteValues) {
    const std::pair<int, ColourRef> palette[] = {{1, 0x000064},  {2, 0x0000FF}, {8, 0xFF0000}, {13, 0x0000FF},
                                                 {15, 0x00C8FF}, {0, 0},        {-5, 0},       {16, 0}};
    for (const auto& [index, value] : palette)
        EXPECT_EQ(LanguageTable::paletteColour(index), value) << index;
}

class LanguageDictionaryFile : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = makeTempDir();
        cdrom_ = root_ / "cdrom";
        program_ = root_ / "program";
        fs::create_directories(cdrom_);
        fs::create_directories(program_);
        store_.writeString("Course", "SysDir", program_.string() + "/");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static fs::path makeTempDir() {
        std::string pattern = (fs::temp_directory_path() / "lumora-lang-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        EXPECT_NE(made, nullptr);
        return made ? fs::path(made) : fs::path();
    }
    static void touch(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }

    MemorySettingsStore store_;
    fs::path root_, cdrom_, program_;
};

TEST_F(LanguageDictionaryFile, ProgramCopyThenCdromCopyThenNothing) {
    FileAccess files(store_, DriveTable{{'D', cdrom_.string()}});
    ContentLocator locator(store_, files);
    const std::string programName = program_.string() + "/DATA\\WIN32\\FFDE.DIC";

    // Neither copy.
    EXPECT_EQ(dictionaryFile(locator, 5, 9), "");

    // Only the CD-ROM copy (upper- or lower-case on disk): the CD-ROM name.
    touch(cdrom_ / "data" / "win32" / "ffde.dic");
    EXPECT_EQ(dictionaryFile(locator, 5, 9), "D:\\DATA\\WIN32\\FFDE.DIC");
    EXPECT_EQ(dictionaryFile(locator, 9, 5), ""); // pairs are ordered

    // Both copies: the program-directory copy wins.
    touch(program_ / "DATA" / "WIN32" / "FFDE.DIC");
    EXPECT_EQ(dictionaryFile(locator, 5, 9), programName);
    // Variants of a language share its code.
    EXPECT_EQ(dictionaryFile(locator, 8, 10), programName);

    // The CD-ROM root follows "CDROM"/"Drive".
    touch(root_ / "other" / "DATA" / "WIN32" / "GBMA.DIC");
    store_.writeString("Drives", "E", (root_ / "other").string());
    store_.writeString("CDROM", "Drive", "E:");
    EXPECT_EQ(dictionaryFile(locator, 0, 18), "E:\\DATA\\WIN32\\GBMA.DIC");
}

} // namespace
} // namespace lumora
