#include <gtest/gtest.h>

#include "foundation/language_table.h"
#include "foundation/lesson_catalogue.h"
#include "fixtures/content_tree.h"
#include "foundation/text_util.h"
#include "media_test_support.h"
#include "test_support.h"

using namespace lumora;
using lumora::test::concat;
using lumora::test::writeFile;

namespace {

// Every title column filled: French and English as given, the others with their language code.
Bytes catalogueEntry(const std::string& stem, const std::string& english, const std::string& french = "Fr") {
    return test::catalogueEntry({stem, english, french, "De", "Es", "Km", "Th", "Vi"});
}

// Four phrases tagged "tag" (see phrasesOf) with a Dutch translation "tag nl k" as well.
Bytes page(const std::string& tag) {
    std::vector<test::PhraseData> phrases = test::phrasesOf(tag);
    for (std::size_t k = 0; k < phrases.size(); ++k)
        phrases[k].dutch = tag + " nl " + std::to_string(k + 1);
    return test::pageRecord(phrases);
}

struct Fixture : test::ContentTree {
    LessonCatalogue& cat = catalogue;
};

} // namespace

TEST(LessonCatalogue, CountsWholeEntriesOnly) {
    Fixture f;
    EXPECT_EQ(f.cat.count(), 0); // missing file
    Bytes one = catalogueEntry("L01", "Greetings");
    Bytes partial = one;
    partial.resize(579); // 290 + 289: the trailing 289 bytes are ignored
    f.writeData("LISTE.DAT", partial);
    EXPECT_EQ(f.cat.count(), 1);
    EXPECT_EQ(f.cat.title(0, 0), "Greetings");
    EXPECT_EQ(f.cat.title(1, 0), ""); // the partial entry is no entry
}

TEST(LessonCatalogue, TitleFieldPerLanguage) {
    Fixture f;
    f.writeData("LISTE.DAT", catalogueEntry("L01", std::string(40, 'E'), "Salut"));
    struct Case {
        int language;
        std::string title;
    } cases[] = {
        {-1, "L01"}, {0, std::string(40, 'E')}, {4, std::string(40, 'E')}, {5, "Salut"}, {8, "Salut"},
        {9, "De"},   {11, "Es"},  {12, std::string(40, 'E')}, {13, std::string(40, 'E')},  // Dutch shows English
        {14, "Km"},  {15, "Th"},  {17, "Vi"}, {18, ""}, {20, ""}, {-2, ""}, {21, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(f.cat.title(0, c.language), c.title) << c.language;
}

TEST(LessonCatalogue, WriteFlagSelectsCatalogueByteForByte) {
    Fixture f;
    f.writeData("LISTE.DAT", catalogueEntry("L01", "Lesson"));
    f.writeData("WRITE.DAT", concat({catalogueEntry("S01", "Story"), catalogueEntry("S02", "Story 2")}));
    EXPECT_EQ(f.cat.title(0, 0), "Lesson");
    struct Case {
        const char* write;
        const char* title;
        int count;
    } cases[] = {{"NO", "Lesson", 1}, {"YES", "Story", 2}, {"no", "Story", 2}, {"NO ", "Story", 2}};
    for (const Case& c : cases) {
        f.store.writeString("Write", "Write", c.write);
        EXPECT_EQ(f.cat.title(0, 0), c.title) << c.write;
        EXPECT_EQ(f.cat.count(), c.count) << c.write;
        EXPECT_EQ(f.cat.positionSection(), std::string(c.write) == "NO" ? "Course" : "Write");
    }
}

TEST(LessonCatalogue, PagesAndFieldsOfALesson) {
    Fixture f;
    f.writeData("LISTE.DAT", concat({catalogueEntry("L01", "One"), catalogueEntry("GONE", "Missing")}));
    Bytes data = concat({page("p0"), page("p1")});
    data.resize(12250); // 2 pages and 10 stray bytes
    f.writeData("L01.DAT", data);

    EXPECT_EQ(f.cat.pageCount(0), 2);
    EXPECT_EQ(f.cat.pageCount(1), 0);
    EXPECT_EQ(f.cat.dataFile(0), "D:\\DATA\\WIN32\\L01.DAT");
    EXPECT_EQ(f.cat.PhraseText(0, 1, 2), "p1 typed 2");
    EXPECT_EQ(f.cat.PhoneticText(0, 1, 4), "p1 pinyin 4");
    EXPECT_EQ(f.cat.SoundStem(0, 1, 3), "p1S3");
    EXPECT_EQ(f.cat.MediaStem(0, 0, 1), "p0M1");
    // A page beyond the last reads page 0, not the last page.
    EXPECT_EQ(f.cat.PhraseText(0, 5, 1), "p0 typed 1");
    EXPECT_EQ(f.cat.PhraseText(0, 0, 5), "");
    EXPECT_EQ(f.cat.PhraseText(1, 0, 1), ""); // missing data file

    struct Case {
        int language;
        std::string text;
    } cases[] = {{0, "p1 en 1"}, {5, "p1 fr 1"}, {8, "p1 fr 1"}, {12, "p1 nl 1"}, {13, "p1 nl 1"},
                 {9, ""},        {18, ""},        {-1, ""}};
    for (const Case& c : cases) EXPECT_EQ(f.cat.TranslationText(0, 1, 1, c.language), c.text) << c.language;

    const StudioPageFields s = f.cat.StudioPage(0, 1);
    EXPECT_EQ(s.phonetic[2], "p1 pinyin 3");
    EXPECT_EQ(s.sound[3], "p1S4");

    // The local copy under the program directory wins.
    writeFile(test::dataFile(f.prog.path(), "L01.DAT"), page("local"));
    EXPECT_EQ(f.cat.pageCount(0), 1);
    EXPECT_EQ(f.cat.PhraseText(0, 0, 1), "local typed 1");
}

TEST(LessonCatalogue, FullWidthFieldsAndUnsafeStems) {
    Fixture f;
    Bytes p(PageLayout::kPageSize, 'x');
    putFixedField(p, PageLayout::kSound, 10, "..\\..\\etc"); // would leave the content root
    putFixedField(p, PageLayout::kSound + 10, 10, "ABCDEFGHIJ");
    f.writeData("LISTE.DAT", concat({catalogueEntry("L01", "One"), catalogueEntry("..\\L01", "Evil")}));
    f.writeData("L01.DAT", p);
    EXPECT_EQ(f.cat.PhraseText(0, 0, 1), std::string(150, 'x')); // no NUL: exactly the field
    EXPECT_EQ(f.cat.SoundStem(0, 0, 2), "ABCDEFGHIJ");           // 10 bytes, not into the next field
    EXPECT_EQ(f.cat.MediaStem(0, 0, 4), "xxxxxxxxxx");
    EXPECT_EQ(f.cat.SoundStem(0, 0, 1), "");                      // refused
    EXPECT_EQ(f.cat.pageCount(1), 0);                              // an unsafe lesson stem names no file
    EXPECT_EQ(f.cat.PhraseText(1, 0, 1), "");
}

TEST(LessonCatalogue, PageAndEntryReadsSayWhatIsWrongAndKeepTheBuffer) {
    Fixture f;
    const Bytes kept = {1, 2, 3};
    Bytes out = kept;
    EXPECT_EQ(f.cat.readEntry(0, out).status, ReadStatus::Missing); // no catalogue yet
    EXPECT_EQ(f.cat.readPage(0, 0, out).status, ReadStatus::Missing);
    EXPECT_EQ(out, kept);

    Bytes catalogue = concat({catalogueEntry("L01", "One"), catalogueEntry("GONE", "Missing"),
                              catalogueEntry("..\\L01", "Evil"), catalogueEntry("CUT", "Cut"),
                              catalogueEntry("L01", "Last")});
    catalogue.resize(catalogue.size() - 1); // the last entry lacks a byte
    f.writeData("LISTE.DAT", catalogue);
    f.writeData("L01.DAT", concat({page("p0"), page("p1")}));
    f.writeData("CUT.DAT", Bytes(PageLayout::kPageSize - 1, 'c'));

    const struct {
        int lesson;
        ReadStatus status;
    } cases[] = {{1, ReadStatus::Missing},   {2, ReadStatus::Corrupt}, {3, ReadStatus::Truncated},
                 {4, ReadStatus::Truncated}, {5, ReadStatus::Missing}, {-1, ReadStatus::Missing}};
    for (const auto& c : cases) {
        EXPECT_TRUE(test::refusedAs(f.cat.readPage(c.lesson, 0, out), c.status)) << c.lesson;
        EXPECT_EQ(out, kept) << c.lesson;
    }
    EXPECT_EQ(f.cat.readEntry(4, out).status, ReadStatus::Truncated);

    ASSERT_TRUE(f.cat.readPage(0, 1, out));
    EXPECT_EQ(out, page("p1"));
    ASSERT_TRUE(f.cat.readEntry(1, out));
    EXPECT_EQ(out, catalogueEntry("GONE", "Missing"));
}
