#include <gtest/gtest.h>

#include "foundation/content_locator.h"
#include "foundation/file_access.h"
#include "foundation/text_util.h"
#include "test_support.h"

using namespace lumora;
using lumora::test::TempDir;
using lumora::test::writeFile;

TEST(FileAccess, ResolvesDrivesSeparatorsAndCase) {
    TempDir cd;
    writeFile(cd.path() / "L01" / "MALE" / "P011.WAV", std::string("x"));
    writeFile(cd.path() / "data" / "win32" / "Liste.dat", std::string("y"));
    MemorySettingsStore store;
    FileAccess files(store, {{'D', cd.str()}});

    struct Case {
        const char* name;
        bool exists;
    } cases[] = {
        {"D:\\L01\\MALE\\P011.WAV", true},
        {"d:\\l01\\male\\p011.wav", true},           // content copied from a CD may change case
        {"D:\\\\L01\\\\MALE\\P011.WAV", true},       // doubled separators collapse
        {"D:\\DATA\\WIN32\\LISTE.DAT", true},
        {"D:\\L01\\MALE\\P012.WAV", false},
        {"E:\\L01\\MALE\\P011.WAV", false},           // a drive with no directory names nothing
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(files.exists(c.name), c.exists) << c.name;

    // A stored drive value wins over the default; a value that is a path is used as it is.
    TempDir other;
    writeFile(other.path() / "L01" / "MALE" / "P011.WAV", std::string("z"));
    store.writeString("Drives", "D", other.str());
    EXPECT_EQ(files.resolve("D:\\L01\\MALE\\P011.WAV"), other.path() / "L01" / "MALE" / "P011.WAV");
    EXPECT_TRUE(files.exists(other.str() + "\\L01\\MALE\\P011.WAV"));
}

TEST(FileAccess, ReadsExactRangesAndRefusesShortOnes) {
    TempDir d;
    writeFile(d.path() / "f.bin", Bytes{1, 2, 3, 4, 5});
    MemorySettingsStore store;
    FileAccess files(store, {{'D', d.str()}});
    EXPECT_EQ(files.size("D:\\f.bin"), 5u);
    EXPECT_EQ(files.readAt("D:\\f.bin", 1, 3), (Bytes{2, 3, 4}));
    EXPECT_FALSE(files.readAt("D:\\f.bin", 3, 3).has_value());
    EXPECT_FALSE(files.readAt("D:\\missing.bin", 0, 1).has_value());
    EXPECT_FALSE(files.readAll("D:\\f.bin", 4).has_value()); // larger than the caller allows
}

TEST(FileAccess, AtomicWriteCreatesFolderAndReplacesWhole) {
    TempDir d;
    MemorySettingsStore store;
    FileAccess files(store, {{'C', d.str()}});
    ASSERT_TRUE(files.writeAtomically("C:\\\\EX4GB.DAT", Bytes{1, 2, 3}));
    ASSERT_TRUE(files.writeAtomically("C:\\sub\\EX4GB.DAT", Bytes{4}));
    ASSERT_TRUE(files.writeAtomically("C:\\\\EX4GB.DAT", Bytes{9}));
    EXPECT_EQ(files.readAll("C:\\EX4GB.DAT"), (Bytes{9}));
    EXPECT_EQ(files.readAll("C:\\sub\\EX4GB.DAT"), (Bytes{4}));
    // No temporary file is left behind.
    int count = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(d.path())) ++count;
    EXPECT_EQ(count, 2);
}

TEST(FileAccess, UnsafeStemsAreRefused) {
    struct Case {
        const char* stem;
        bool safe;
    } cases[] = {{"P011", true}, {"L01", true}, {"", false},      {"..", false},  {"a..b", false},
                 {"..\\x", false}, {"a/b", false}, {"a\\b", false}, {"C:x", false}, {"V1", true}};
    for (const Case& c : cases) EXPECT_EQ(isSafeStem(c.stem), c.safe) << c.stem;
}

TEST(ContentLocator, PrefersProgramDirectoryThenCdrom) {
    TempDir prog, cd;
    MemorySettingsStore store;
    FileAccess files(store, {{'D', cd.str()}});
    store.writeString("Course", "SysDir", prog.str() + "/");
    ContentLocator loc(store, files);
    EXPECT_EQ(loc.cdromRoot(), "D:");
    EXPECT_EQ(loc.userDataFolder(), "C:\\");

    const std::string rel = "DATA\\WIN32\\LISTE.DAT";
    EXPECT_EQ(loc.find(rel), "D:\\" + rel); // under neither root: the CD-ROM name
    writeFile(cd.path() / "DATA" / "WIN32" / "LISTE.DAT", std::string("cd"));
    EXPECT_EQ(loc.find(rel), "D:\\" + rel);
    writeFile(prog.path() / "DATA" / "WIN32" / "LISTE.DAT", std::string("local"));
    EXPECT_EQ(loc.find(rel), prog.str() + "/" + rel);
}

TEST(TabField, FieldsOfTheFirstLine) {
    struct Case {
        const char* text;
        int n;
        const char* field;
    } cases[] = {
        {"", 1, ""},
        {"a\tb\tc\n", 1, "a"},
        {"a\tb\tc\n", 2, "b"},
        {"a\tb\tc\n", 3, "c"},
        {"abc", 1, "abc"},
        {"\t\tz", 3, "z"},
        {"a\tb\n", 3, ""},
        // A first line with fewer fields than asked: the copy starts after the line feed.
        {"a\tb\nx\ty\n", 3, "x"},
    };
    for (const Case& c : cases) EXPECT_EQ(tabField(c.text, c.n), c.field) << c.text << " #" << c.n;
}

TEST(FixedField, EndsAtNulOrFieldEnd) {
    Bytes rec(20, 'A');
    rec[5] = 0;
    EXPECT_EQ(fixedField(rec, 0, 10), "AAAAA");
    EXPECT_EQ(fixedField(rec, 10, 10), std::string(10, 'A')); // no NUL: the whole width, never beyond
    EXPECT_EQ(fixedField(rec, 15, 10), std::string(5, 'A'));  // a record cut short
    putFixedField(rec, 0, 4, "xyzzy");
    EXPECT_EQ(fixedField(rec, 0, 4), "xyzz");
}
