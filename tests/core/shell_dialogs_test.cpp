// The preferences sheet, the tip of the day, the about box and the data-folder choice, without a
// window.
#include <climits>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/test_support.h"
#include "course/course_settings.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "shell/about_box.h"
#include "shell/preferences.h"
#include "shell/record_directory.h"
#include "shell/shell_settings.h"
#include "shell/tip_of_the_day.h"

using namespace lumora;

namespace {

const std::vector<std::string> kFamilies{"Pinying", "arial", "DejaVu Sans", "Arial", "Surin", "", "Courier"};

int translationLanguage(const SettingsStore& s) { return AppSettings::kTranslationLanguage.read(s); }

} // namespace

// ------------------------------------------------------------------ preferences

TEST(Preferences, ListsAreSortedAsTextWithTheDesignsSizes) {
    const auto sizes = translationSizeList(true);
    ASSERT_EQ(sizes.size(), 10u + 43u);
    EXPECT_EQ(sizes.front(), " 8");
    EXPECT_EQ(sizes[1], " 8"); // duplicates stay
    EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end()));
    EXPECT_EQ(sizes.back(), "50");
    EXPECT_EQ(translationSizeList(false).size(), 43u);
    EXPECT_EQ(std::count(sizes.begin(), sizes.end(), "15"), 1);

    const auto fonts = translationFontList(kFamilies);
    EXPECT_EQ(fonts, (std::vector<std::string>{"arial", "Arial", "Courier", "DejaVu Sans", "Pinying", "Surin"}));
    EXPECT_EQ(findListEntry(fonts, "PINYING"), 4);
    EXPECT_EQ(findListEntry(fonts, "Pinyin"), -1);
}

TEST(Preferences, ChoicesAreWrittenOnlyOnOk) {
    MemorySettingsStore store;
    AppSettings::kStartupChoice.write(store, 2);
    PreferencesModel sheet(store, kFamilies, true);
    EXPECT_EQ(sheet.startupChoice(), 2); // the third radio button
    // Nothing stored: the page shows what the course does (verify), so OK keeps it.
    EXPECT_EQ(sheet.endOfLessonChoice(), 1);

    sheet.setStartupChoice(1);
    sheet.setEndOfLessonChoice(2);
    sheet.setStartupChoice(7); // no such button: ignored
    EXPECT_EQ(AppSettings::kStartupChoice.read(store), 2) << "Cancel writes nothing";
    EXPECT_FALSE(store.contains("EndLesson", "UserChoice"));
    sheet.accept();
    EXPECT_EQ(AppSettings::kStartupChoice.read(store), 1);
    EXPECT_EQ(CourseSettings::kEndOfLesson.read(store), 2);

    // A stored value outside 0..2 checks no button and is written back as it was.
    AppSettings::kStartupChoice.write(store, 9);
    PreferencesModel odd(store, kFamilies, true);
    EXPECT_EQ(odd.startupChoice(), 9);
    odd.accept();
    EXPECT_EQ(AppSettings::kStartupChoice.read(store), 9);
}

TEST(Preferences, TranslationChoicesAreWrittenAtOnceIntoTheLanguagesSection) {
    MemorySettingsStore store;
    PreferencesModel sheet(store, kFamilies, true);
    // No stored language reads as 1 (English, Canada), as every reader of it does.
    EXPECT_EQ(sheet.language(), 1);
    // No stored face: "Pinying" selected; the sample in "Arial" at 15, black.
    EXPECT_EQ(sheet.fonts()[sheet.fontIndex()], "Pinying");
    EXPECT_EQ(sheet.sizes()[sheet.sizeIndex()], "15");
    auto sample = sheet.sample();
    EXPECT_EQ(sample.face, "Arial");
    EXPECT_EQ(sample.height, 15);
    EXPECT_EQ(sample.colour, 0u);
    EXPECT_EQ(sample.word, "January");

    sheet.selectLanguage(15); // Thai: written at once, Cancel keeps it (nothing else to undo)
    EXPECT_EQ(translationLanguage(store), 15);
    sheet.selectFont(findListEntry(sheet.fonts(), "Surin"));
    sheet.selectSize(findListEntry(sheet.sizes(), "30"));
    sheet.selectColour(13);
    EXPECT_EQ(CourseSettings::kTranslationFace.read(store, "TRANSL_THAI"), "Surin");
    EXPECT_EQ(CourseSettings::kTranslationSize.read(store, "TRANSL_THAI"), "30");
    EXPECT_EQ(AppSettings::kTranslationColour.read(store, "TRANSL_THAI"), 13);
    sample = sheet.sample();
    EXPECT_EQ(sample.face, "Surin");
    EXPECT_EQ(sample.height, 30);
    EXPECT_EQ(sample.colour, 0x0000FFu); // 13 is the red of 2
    EXPECT_EQ(decodeText(sample.word, sample.encoding), "มกราคม");

    // Back to a language with its own stored choices: they are reselected.
    sheet.selectLanguage(1);
    EXPECT_EQ(sheet.fonts()[sheet.fontIndex()], "Pinying");
    sheet.selectLanguage(15);
    EXPECT_EQ(sheet.fonts()[sheet.fontIndex()], "Surin");
    EXPECT_EQ(sheet.colourIndex(), 13);

    // Mandarin Chinese: the writes go into the section with an empty name; no sample word.
    sheet.selectLanguage(19);
    sheet.selectFont(findListEntry(sheet.fonts(), "Courier"));
    sheet.selectSize(0);
    sheet.selectColour(4);
    EXPECT_EQ(CourseSettings::kTranslationFace.read(store, ""), "Courier");
    EXPECT_EQ(CourseSettings::kTranslationSize.read(store, ""), " 8");
    EXPECT_EQ(AppSettings::kTranslationColour.read(store, ""), 4);
    EXPECT_EQ(sheet.sample().word, "");

    // Out-of-range selections are ignored.
    sheet.selectLanguage(21);
    sheet.selectLanguage(-1);
    sheet.selectColour(16);
    sheet.selectFont(999);
    EXPECT_EQ(translationLanguage(store), 19);
    EXPECT_EQ(AppSettings::kTranslationColour.read(store, ""), 4);
}

TEST(Preferences, StoredFacesAndSizesThatDoNotExistLeaveTheSelectionAndDrawSafely) {
    MemorySettingsStore store;
    AppSettings::kTranslationLanguage.write(store, 5);
    CourseSettings::kTranslationFace.write(store, "TRANSL_FRENCH", "No Such Face");
    AppSettings::kTranslationColour.write(store, "TRANSL_FRENCH", 99);
    const struct {
        const char* size;
        int height;
    } cases[] = {{"abc", 15}, {"0", 15}, {"-4", 15}, {"99999999999", 15}, {" 9", 9}, {"", 15}, {"501", 15}};
    for (const auto& c : cases) {
        CourseSettings::kTranslationSize.write(store, "TRANSL_FRENCH", c.size);
        PreferencesModel sheet(store, kFamilies, false);
        EXPECT_EQ(sheet.fontIndex(), 0) << "the first entry stays selected";
        EXPECT_EQ(sheet.sample().height, c.height) << c.size;
        EXPECT_EQ(sheet.sample().face, "No Such Face"); // the platform draws its nearest font
        EXPECT_EQ(sheet.sample().colour, 0u);
        EXPECT_EQ(sheet.colourIndex(), -1);
    }
    PreferencesModel empty(store, {}, false);
    EXPECT_EQ(empty.fontIndex(), -1);
    empty.selectFont(0); // nothing to select: nothing written
    EXPECT_EQ(CourseSettings::kTranslationFace.read(store, "TRANSL_FRENCH"), "No Such Face");
}

// ------------------------------------------------------------------ tip of the day

class TipTest : public ::testing::Test {
protected:
    TipTest() : files(store, {{'D', cd.str()}}) { AppSettings(store).setCdromDrive("D:"); }
    void writeTip(int n, const std::string& text) { test::writeFile(cd.path() / "DATA/TIPS/US" / (std::to_string(n) + ".txt"), text); }
    test::TempDir cd;
    MemorySettingsStore store;
    FileAccess files;
};

TEST_F(TipTest, NumbersWrapToTheFirstTipAndClosingStoresTheNext) {
    for (int n = 1; n <= 20; ++n) writeTip(n, "Tip number " + std::to_string(n));
    EXPECT_EQ(tipFileName("D:", 7), "D:\\DATA\\TIPS\\US\\7.txt");
    const struct {
        int stored;
        int shown;
        int storedAfter;
    } cases[] = {{21, 1, 2}, {0, 1, 2}, {-5, 1, 2}, {INT_MAX, 1, 2}, {20, 20, 21}, {3, 3, 4}};
    for (const auto& c : cases) {
        ShellSettings::kTipNumber.write(store, c.stored);
        TipOfTheDay tip(store, files);
        tip.open();
        EXPECT_EQ(tip.number(), c.shown) << c.stored;
        EXPECT_EQ(tip.text(), "Tip number " + std::to_string(c.shown));
        tip.close(true);
        EXPECT_EQ(ShellSettings::kTipNumber.read(store), c.storedAfter) << c.stored;
        EXPECT_EQ(AppSettings::kTipAtStartup.read(store), 0);
    }
    ShellSettings::kTipNumber.write(store, 19);
    TipOfTheDay tip(store, files);
    tip.open();
    tip.next();
    EXPECT_EQ(tip.number(), 20);
    tip.next(); // past the last file: tip 1 again
    EXPECT_EQ(tip.number(), 1);
    EXPECT_EQ(tip.text(), "Tip number 1");
    // Unchecking the box: the next start shows no tip.
    tip.close(false);
    EXPECT_EQ(AppSettings::kTipAtStartup.read(store), 1);
    EXPECT_FALSE(AppSettings(store).tipAtStartup());
    EXPECT_EQ(ShellSettings::kTipNumber.read(store), 2);
}

TEST_F(TipTest, OddTipFilesGiveQuietText) {
    // Missing tips, the first one too: empty text, number 1.
    ShellSettings::kTipNumber.write(store, 4);
    TipOfTheDay none(store, files);
    none.open();
    EXPECT_EQ(none.number(), 1);
    EXPECT_EQ(none.text(), "");

    std::string huge(5000, 'a'); // built in place: GCC 12 misreads `string(n, c) + "..."` here
    huge += "END";
    writeTip(1, huge);                           // huge: the first 1000 bytes
    writeTip(2, "");                             // empty
    writeTip(3, std::string("ab\0cd", 5));       // binary: cut at the NUL
    writeTip(4, "caf\xE9\x01\x7F\r\nnext\tline"); // Windows-1252, control bytes as spaces
    const struct {
        int number;
        std::string text;
    } cases[] = {{1, std::string(1000, 'a')}, {2, ""}, {3, "ab"}, {4, "caf\xC3\xA9 \x7F\r\nnext\tline"}};
    for (const auto& c : cases) {
        ShellSettings::kTipNumber.write(store, c.number);
        TipOfTheDay tip(store, files);
        tip.open();
        EXPECT_EQ(tip.number(), c.number);
        EXPECT_EQ(tip.text(), c.text) << c.number;
    }
}

// ------------------------------------------------------------------ about box

namespace {

class FakeSystem final : public SystemInfo {
public:
    std::optional<MemoryStatus> mem;
    std::optional<DiskSpace> disk;
    mutable std::string askedDisk;
    std::optional<MemoryStatus> memory() const override { return mem; }
    std::optional<DiskSpace> diskSpace(const std::string& path) const override {
        askedDisk = path;
        return disk;
    }
    std::string platformName() const override { return "Test OS 1"; }
};

} // namespace

TEST(AboutBox, LinesUse64BitFiguresAndTheRealSystem) {
    FakeSystem sys;
    sys.mem = MemoryStatus{8ull << 30, 16ull << 30};
    sys.disk = DiskSpace{6000000000ull, 8000000000000ull};
    MemorySettingsStore store;
    AppSettings::kSysDir.write(store, "C:\\Program Files\\Lumora\\");
    const AboutLines lines = aboutLines(store, sys, "4.0");
    EXPECT_EQ(sys.askedDisk, "C:\\");
    EXPECT_EQ(lines.caption, "About Lumora");
    EXPECT_EQ(lines.memory, "Available memory (RAM) : 8388608 Kb on 16777216 Kb");
    EXPECT_EQ(lines.disk, "Free space on this disk :       5722 Mb on    7629394 Mb");
    EXPECT_EQ(lines.version, "Version 4.0 (" + std::to_string(sizeof(void*) * 8) + " bits) for Test OS 1");
    EXPECT_FALSE(lines.credits.empty());

    EXPECT_EQ(formatCounts("%6d Kb", {12}), "    12 Kb");
    EXPECT_EQ(formatCounts("100%", {}), "100%");
    EXPECT_EQ(aboutDiskRoot("/opt/lumora/bin/"), "/opt/lumora/bin/");

    sys.mem.reset();
    sys.disk.reset();
    AppSettings::kSysDir.write(store, "/opt/lumora/bin/");
    const AboutLines unknown = aboutLines(store, sys, "4.0");
    EXPECT_EQ(sys.askedDisk, "/opt/lumora/bin/");
    EXPECT_EQ(unknown.memory, "Available memory (RAM) : unknown");
    EXPECT_EQ(unknown.disk, "Free space on this disk : unknown");
}

// ------------------------------------------------------------------ data folder

TEST(DataFolder, StoredWithoutTrailingSeparatorAndRootsAsBareDrives) {
    const struct {
        const char* chosen;
        const char* stored;
    } choices[] = {{"C:\\Work\\Voice", "C:\\Work\\Voice"}, {"C:\\Work\\Voice\\", "C:\\Work\\Voice"},
                   {"E:\\", "E:"},       {"E:", "E:"},
                   {"/home/ann/Voice/", "/home/ann/Voice"}, {"/", "/"}, {"", ""}};
    for (const auto& c : choices) EXPECT_EQ(dataFolderForChoice(c.chosen), c.stored) << c.chosen;
    const struct {
        const char* saveName;
        const char* stored;
    } saves[] = {{"C:\\Work\\Voice\\Junk", "C:\\Work\\Voice"}, {"E:\\Junk", "E:"}, {"/Junk", "/"}, {"Junk", ""}};
    for (const auto& c : saves) EXPECT_EQ(dataFolderFromSaveName(c.saveName), c.stored) << c.saveName;
}

TEST(DataFolder, OnlyAWritableChoiceIsStored) {
    test::TempDir root;
    MemorySettingsStore store;
    FileAccess files(store, {{'C', root.str()}, {'E', (root.path() / "e").string()}});
    std::filesystem::create_directories(root.path() / "Work/Voice");
    std::filesystem::create_directories(root.path() / "e");

    EXPECT_EQ(chooseDataFolder(store, files, ""), DataFolderOutcome::Unchanged); // Cancel
    EXPECT_FALSE(store.contains("User", "Drive"));
    EXPECT_EQ(dataFolderStart(store, files), files.resolve("C:\\").string());

    EXPECT_EQ(chooseDataFolder(store, files, "C:\\Work\\Voice\\"), DataFolderOutcome::Stored);
    EXPECT_EQ(AppSettings(store).userDataFolder(), "C:\\Work\\Voice");
    EXPECT_EQ(dataFolderStart(store, files), (root.path() / "Work/Voice").string());

    EXPECT_EQ(chooseDataFolder(store, files, "E:\\"), DataFolderOutcome::Stored);
    EXPECT_EQ(AppSettings(store).userDataFolder(), "E:");
    // A learner file built on it lands in the drive's root.
    EXPECT_TRUE(files.writeAtomically(AppSettings(store).userDataFolder() + "\\EX4GB.GRA", Bytes{1, 2}));
    EXPECT_TRUE(std::filesystem::exists(root.path() / "e/EX4GB.GRA"));

    const std::string local = (root.path() / "Work").string();
    EXPECT_EQ(chooseDataFolder(store, files, local), DataFolderOutcome::Stored);
    EXPECT_EQ(AppSettings(store).userDataFolder(), local);

    // A folder that is gone or cannot be written is refused and the stored folder stays.
    EXPECT_EQ(chooseDataFolder(store, files, (root.path() / "gone").string()), DataFolderOutcome::NotWritable);
    std::filesystem::create_directories(root.path() / "locked");
    std::filesystem::permissions(root.path() / "locked", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec);
    if (!canWriteInto((root.path() / "locked").string())) { // the superuser can write anywhere
        EXPECT_EQ(chooseDataFolder(store, files, (root.path() / "locked").string()), DataFolderOutcome::NotWritable);
    }
    test::writeFile(root.path() / "plain-file", std::string("x"));
    EXPECT_EQ(chooseDataFolder(store, files, (root.path() / "plain-file").string()), DataFolderOutcome::NotWritable);
    EXPECT_EQ(AppSettings(store).userDataFolder(), local);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path() / "Work"), {}), 1) << "no probe left";
    std::filesystem::permissions(root.path() / "locked", std::filesystem::perms::owner_all);
}
