#include <gtest/gtest.h>
#include <random>

#include "dictionary/dictionary_entry.h"
#include "dictionary/dictionary_search.h"
#include "fixtures/content_tree.h"
#include "fixtures/dictionary_builders.h"
#include "foundation/codecs.h"
#include "foundation/tone_fold.h"

using namespace lumora;
using namespace lumora::test;

namespace {

std::string pinyin(const std::string& utf8) {
    return encodeText(utf8, FontEncoding::Pinying).value();
}

// A dictionary on the CD of a content tree ("GBMA.DIC").
std::filesystem::path writeDictionary(const ContentTree& t, const std::string& name,
                                      const std::vector<DictionaryEntry>& entries) {
    const std::filesystem::path p = dataFile(t.cd.path(), name);
    writeFile(p, dictionaryFileBytes(entries));
    return p;
}

// Both scans, which must agree; returns the lines.
std::vector<std::string> searchBoth(const std::filesystem::path& file, const SearchQuery& q) {
    const PerEntryResult slow = SearchDictionaryPerEntry(file, q);
    const SearchResult fast = SearchIndex(DictionaryIndex::load(file), q);
    EXPECT_EQ(slow.hasDictionary, fast.hasDictionary());
    EXPECT_EQ(slow.lines, fast.lines()) << "key '" << q.key << "' mode " << q.mode;
    return fast.lines();
}

std::vector<DictionaryEntry> englishEntries() {
    return {
        {.source = "the cat", .mandarinTarget = pinyin("māo")},
        {.source = "Cat", .mandarinTarget = pinyin("māo")},
        {.source = "catalogue", .mandarinTarget = pinyin("mùlù")},
        {.source = "", .mandarinSource = "kong", .mandarinTarget = pinyin("kōng")},
        {.source = "1- the dog", .mandarinTarget = pinyin("gǒu")},
        {.source = "concat", .mandarinTarget = ""},
    };
}

} // namespace

TEST(DictionaryEntry, FieldsAreBoundedByTheirWidthAndEndAtTheirTerminator) {
    Bytes rec = dictionaryRecord({.source = "a",
                                  .target = "b",
                                  .sound = "P011",
                                  .media = "V1",
                                  .lesson = "L01",
                                  .mandarinSource = "m",
                                  .mandarinTarget = "n",
                                  .picture = "P011"});
    for (std::size_t i = 0; i < 150; ++i) // a source text without its terminator
        rec[i] = 'x';
    const DictionaryEntry e = parseDictionaryEntry(rec.data());
    EXPECT_EQ(e.source, std::string(150, 'x'));
    EXPECT_EQ(e.target, "b");
    EXPECT_EQ(e.sound, "P011");
    EXPECT_EQ(e.media, "V1");
    EXPECT_EQ(e.lesson, "L01");
    EXPECT_EQ(e.mandarinSource, "m");
    EXPECT_EQ(e.mandarinTarget, "n");
    EXPECT_EQ(e.picture, "P011");
    EXPECT_EQ(sourceSideText(e, 5), e.source);
    EXPECT_EQ(sourceSideText(e, 18), "m");
    EXPECT_EQ(targetSideText(e, 20), "n");
    EXPECT_EQ(targetSideText(e, 0), "b");
    EXPECT_EQ(detailText(e, 18), " n ");
}

TEST(DictionaryEntry, ReadEntryStaysInsideTheWholeEntries) {
    ContentTree t;
    Bytes data = dictionaryFileBytes({{.source = "one"}, {.source = "two"}});
    data.resize(data.size() + 100, 'z'); // not a multiple of 640
    writeFile(dataFile(t.cd.path(), "GBMA.DIC"), data);
    const std::string name = "D:\\DATA\\WIN32\\GBMA.DIC";
    DictionaryEntry e;
    ASSERT_TRUE(ReadEntry(t.files, name, 1, e));
    EXPECT_EQ(e.source, "two");
    EXPECT_EQ(ReadEntry(t.files, name, 2, e).status, ReadStatus::Truncated);
    EXPECT_EQ(e.source, "two"); // left as it was
    EXPECT_EQ(ReadEntry(t.files, "D:\\DATA\\WIN32\\XXMA.DIC", 0, e).status, ReadStatus::Missing);
    EXPECT_EQ(dictionaryEntryCount(data.size()), 2u);
}

TEST(DictionaryEntry, StripArticlesByLanguage) {
    struct Case {
        LanguageId from;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {0, "the cat", "cat"},          {4, "The Cat", "Cat"},      {0, "the the cat", "the cat"},
        {0, "1- the cat", " the cat"},                      // "1-" goes first, then nothing applies
        {0, "an apple", "apple"},       {0, "a an b", "b"}, // "a " then "an ": each prefix once, in order
        {5, "l' arbre", "arbre"},       {8, "les chats", "chats"},  {5, "1-la maison", "maison"},
        {11, "el gato", "gato"},        {11, "Las casas", "casas"}, {9, "der Hund", "der Hund"},
        {10, "die Katze", "die Katze"}, {12, "de kat", "de kat"},   {14, "the x", "the x"},
        {15, "the x", "the x"},         {16, "the x", "the x"},     {17, "la x", "la x"},
        {18, "the x", "the x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripArticles(c.text, c.from), c.shown) << c.from << " '" << c.text << "'";
}

TEST(DictionaryEntry, ResultLineAndItsEntryIndex) {
    EXPECT_EQ(resultLine("cat", 7), " cat \t   7\t");
    EXPECT_EQ(resultLine("cat", 123456), " cat \t123456\t");
    struct Case {
        const char* line;
        std::optional<std::size_t> index;
    };
    const Case cases[] = {
        {" cat \t   7\t", 7},
        {" cat \t123456\t", 123456},
        {" a\tb \t  12\t", std::nullopt}, // a tab in the text: the second field is no number
        {" cat \tabc\t", std::nullopt},
        {" cat \t\t", std::nullopt},
        {" cat ", std::nullopt},
        {" cat \t   -3\t", std::nullopt},
        {" cat \t99999999999999999999999\t", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryIndexOfLine(c.line), c.index) << c.line;
}

TEST(DictionaryEntry, ResourcesInTheDesignsOrderAndOnlyForSafeStems) {
    DictionaryEntry e;
    e.lesson = "L01";
    e.sound = "P011";
    e.picture = "P012";
    e.media = "V1";
    const EntryResources r = entryResources(e, "D:");
    EXPECT_EQ(r.maleVoice, "D:\\L01\\MALE\\P011.WAV");
    EXPECT_EQ(r.femaleVoice, "D:\\L01\\FEMALE\\P011.WAV");
    EXPECT_EQ(r.picture(0), "D:\\L01\\SIMPLIFY\\P012.BMP");
    EXPECT_EQ(r.picture(1), "D:\\L01\\TRADI\\P012.BMP");
    EXPECT_EQ(r.videoInAviFolder, "D:\\L01\\AVI\\V1.AVI");
    EXPECT_EQ(r.video, "D:\\L01\\V1.AVI");
    EXPECT_EQ(r.metafile, "D:\\L01\\V1.WMF");
    e.sound = "..";
    e.media = "";
    const EntryResources s = entryResources(e, "D:");
    EXPECT_EQ(s.maleVoice, "");
    EXPECT_EQ(s.video, "");
    e.lesson = "..\\x";
    EXPECT_EQ(entryResources(e, "D:").picture(0), "");
}

TEST(DictionarySearch, ModesEmptyKeyCaseAndArticles) {
    ContentTree t;
    const auto file = writeDictionary(t, "GBMA.DIC", englishEntries());
    struct Case {
        const char* key;
        int mode;
        std::vector<std::string> lines;
    };
    const std::string cat = " cat \t   0\t", Cat = " Cat \t   1\t", catalogue = " catalogue \t   2\t",
                      dog = "  the dog \t   4\t", concat = " concat \t   5\t";
    const Case cases[] = {
        {"", 0, {cat, Cat, catalogue, dog, concat}}, // every entry with a source text
        {"", 2, {cat, Cat, catalogue, dog, concat}},
        {"", 7, {cat, Cat, catalogue, dog, concat}}, // the empty key, whatever the mode
        {"cat", 0, {catalogue}},                     // "the cat" is listed as "cat" but not found so
        {"cat", 1, {cat, catalogue, concat}},
        {"cat", 2, {cat, concat}},
        {"Cat", 0, {Cat}},     // case-sensitive
        {"the", 0, {cat}},     // the article is part of the match text
        {"catalogues", 0, {}}, // a key longer than the text
        {"xcatalogue", 2, {}},
        {"cat", 3, {}},  // no such mode
        {"kong", 1, {}}, // the entry without a source text is left out
        {"tC", 1, {}},   // never across two entries ("the cat", "Cat")
        {"eca", 1, {}},  // nor across "catalogue" and the empty entry
        {"ueconc", 1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(searchBoth(file, {0, 18, c.key, c.mode, false}), c.lines) << c.key << " " << c.mode;
    const SearchResult r = SearchIndex(DictionaryIndex::load(file), {0, 18, "", 0, false});
    EXPECT_EQ(r.caption(), " 5 words");
    EXPECT_EQ(SearchIndex(DictionaryIndex::load(file), {0, 18, "zz", 0, false}).caption(), " 0 words");
}

TEST(DictionarySearch, MandarinSourceMatchesAndShowsTheMandarinText) {
    ContentTree t;
    const auto file = writeDictionary(
        t, "MAGB.DIC",
        {
            {.source = pinyin("nǐ hǎo"), .target = "hello", .mandarinSource = pinyin("nǐ hǎo")},
            {.source = "", .target = "you", .mandarinSource = pinyin("nǐ")},      // no offset-0 text: left out
            {.source = "zzz", .target = "good", .mandarinSource = pinyin("hǎo")}, // matched on 330, not on 0
        });
    const std::string ni = pinyin("nǐ");
    EXPECT_EQ(searchBoth(file, {18, 0, ni, 0, false}), std::vector<std::string>{" " + pinyin("nǐ hǎo") + " \t   0\t"});
    EXPECT_EQ(searchBoth(file, {18, 0, "zzz", 1, false}), std::vector<std::string>{});
    EXPECT_EQ(searchBoth(file, {18, 0, pinyin("hǎo"), 2, false}).size(), 2u);
}

TEST(DictionarySearch, APairWithoutDictionaryShowsNoCount) {
    ContentTree t;
    const SearchResult r = SearchDictionary(t.locator, {5, 18, "", 0, false});
    EXPECT_FALSE(r.hasDictionary());
    EXPECT_EQ(r.count(), 0u);
    EXPECT_EQ(r.caption(), std::nullopt);
    EXPECT_FALSE(SearchDictionaryPerEntry(t.cd.path() / "nothing.DIC", {5, 18, "", 0, false}).hasDictionary);
}

TEST(DictionarySearch, TheCacheReadsAChangedFileAgain) {
    ContentTree t;
    const auto file = writeDictionary(t, "FFMA.DIC", {{.source = "chat"}});
    EXPECT_EQ(SearchDictionary(t.locator, {5, 18, "ch", 0, false}).count(), 1u);
    writeDictionary(t, "FFMA.DIC", {{.source = "chien"}, {.source = "chat"}}); // another size
    EXPECT_EQ(SearchDictionary(t.locator, {5, 18, "ch", 0, false}).count(), 2u);
    writeDictionary(t, "FFMA.DIC", {{.source = "abcde"}, {.source = "chat"}}); // same size, later time
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(5));
    EXPECT_EQ(SearchDictionary(t.locator, {5, 18, "ch", 0, false}).count(), 1u);
}

TEST(ToneFold, TonesNumbersUmlautSpacesAndCaseFoldAlike) {
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"nǐ hǎo", "nihao"}, {"ni3hao3", "nihao"}, {"ni hao", "nihao"},      {"NǏ HǍO", "nihao"},
        {"nǐhǎo", "nihao"},  {"lǜ", "lv"},         {"lu:4", "lv"},           {"lv", "lv"},
        {"nǚ", "nv"},        {"Lü", "lv"},         {"zhōngguó", "zhongguo"}, {"5", "5"},
        {"a1-b", "a-b"},     {"chat", "chat"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foldTonesUtf8(c.text), c.folded) << c.text;
    EXPECT_EQ(foldTonesUtf8("\xff"), "\xEF\xBF\xBD"); // malformed bytes survive as U+FFFD
}

TEST(ToneFold, EveryMarkedVowelReadsBackAsItsVowelAndTone) {
    // The one table both ways: marking a vowel and reading the mark back agree for all 48 forms,
    // and the marked forms are all different.
    std::u32string seen;
    for (char32_t v : U"aeiouüAEIOUÜ") {
        if (v == 0) break;
        const char base = pinyinLetter(v).base;
        EXPECT_NE(base, 0);
        for (int tone = 1; tone <= 4; ++tone) {
            const char32_t marked = toneMarkedVowel(v, tone);
            EXPECT_NE(marked, v);
            EXPECT_EQ(seen.find(marked), std::u32string::npos);
            seen.push_back(marked);
            EXPECT_EQ(pinyinLetter(marked).base, base);
            EXPECT_EQ(pinyinLetter(marked).tone, tone);
        }
        EXPECT_EQ(toneMarkedVowel(v, 5), v); // the neutral tone has no mark
    }
    EXPECT_EQ(toneMarkedVowel(U'n', 2), U'n');
}

TEST(DictionarySearch, IgnoringTonesFindsThePinyinInEveryMode) {
    ContentTree t;
    const auto file = writeDictionary(t, "MAGB.DIC",
                                      {
                                          {.source = "x", .target = "hello", .mandarinSource = pinyin("nǐ hǎo")},
                                          {.source = "x", .target = "green", .mandarinSource = pinyin("lǜ")},
                                          {.source = "x", .target = "road", .mandarinSource = pinyin("lù")},
                                      });
    const std::string hello = " " + pinyin("nǐ hǎo") + " \t   0\t";
    for (const char* key : {"nihao", "ni hao", "ni3hao3", "nǐhǎo", "NiHao"})
        EXPECT_EQ(searchBoth(file, {18, 0, pinyin(key), 0, true}), std::vector<std::string>{hello}) << key;
    EXPECT_EQ(searchBoth(file, {18, 0, pinyin("nihao"), 0, false}), std::vector<std::string>{}); // off: bytes
    EXPECT_EQ(searchBoth(file, {18, 0, "lv", 0, true}), std::vector<std::string>{" " + pinyin("lǜ") + " \t   1\t"});
    EXPECT_EQ(searchBoth(file, {18, 0, "hao", 2, true}), std::vector<std::string>{hello});
    EXPECT_EQ(searchBoth(file, {18, 0, "i h", 1, true}), std::vector<std::string>{hello});
    EXPECT_EQ(searchBoth(file, {18, 0, "lu", 0, true}).size(), 1u); // lù, not lǜ
}

TEST(DictionarySearch, BothScansAgreeOnAGeneratedDictionary) {
    ContentTree t;
    std::mt19937 rng(9);
    const std::vector<std::string> words{"the ", "The ", "a ",   "an ", "1-", "1- ", "cat", "Cat", "dog",
                                         "l' ",  "la ",  "chat", "",    " ",  "é",   "ni",  "hao"};
    const std::vector<std::string> syllables{"nǐ", "hǎo", "lǜ", "lù", "mā", "ma", "zhōng", "guó", " "};
    auto pick = [&](const std::vector<std::string>& from, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += from[rng() % from.size()];
        return s;
    };
    std::vector<DictionaryEntry> entries;
    for (int i = 0; i < 400; ++i) {
        DictionaryEntry e;
        e.source = encodeText(pick(words, static_cast<int>(rng() % 4)), FontEncoding::Windows1252).value();
        e.mandarinSource = pinyin(pick(syllables, static_cast<int>(rng() % 4)));
        e.target = pick(words, 2);
        entries.push_back(e);
    }
    entries[3].source = std::string(150, 'c'); // no terminator
    const auto gb = writeDictionary(t, "GBMA.DIC", entries);
    const auto ma = writeDictionary(t, "MAGB.DIC", entries);
    const std::vector<std::string> keys{"", "the", "cat", "Cat", "c", "1-", " ", "ni", "hao", "nihao", "lv", "zzz"};
    for (const std::string& key : keys)
        for (int mode = 0; mode <= 3; ++mode)
            for (const bool fold : {false, true}) {
                searchBoth(gb, {0, 18, key, mode, fold});
                searchBoth(gb, {5, 18, key, mode, fold});
                searchBoth(ma, {18, 0, pinyin(key), mode, fold});
            }
}

TEST(DictionarySearch, APartialRecordAtTheEndIsLeftOut) {
    ContentTree t;
    Bytes data = dictionaryFileBytes({{.source = "one"}, {.source = "two"}});
    Bytes tail = dictionaryRecord({.source = "three"});
    data.insert(data.end(), tail.begin(), tail.begin() + 100); // a cut-off third entry
    const auto file = dataFile(t.cd.path(), "GBMA.DIC");
    writeFile(file, data);
    EXPECT_EQ(searchBoth(file, {0, 18, "", 0, false}), (std::vector<std::string>{" one \t   0\t", " two \t   1\t"}));
    EXPECT_EQ(searchBoth(file, {0, 18, "thr", 0, false}), std::vector<std::string>{});
}
