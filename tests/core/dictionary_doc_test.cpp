#include <gtest/gtest.h>
#include <fstream>

#include "course_fixture.h"
#include "dictionary/dictionary_doc.h"
#include "fixtures/dictionary_builders.h"
#include "foundation/codecs.h"

using namespace lumora;
using namespace lumora::test;

namespace {

std::string pinyin(const std::string& utf8) {
    return encodeText(utf8, FontEncoding::Pinying).value();
}

class FakeMedia : public DictionaryMediaWindow {
public:
    std::vector<std::string> calls;
    void openDictionaryMedia() override { calls.push_back("open"); }
    void setVisible(bool v) override { calls.push_back(v ? "show" : "hide"); }
};

struct CountingViews : DictionaryViews {
    int results = 0, detail = 0, picture = 0, controls = 0;
    void resultsChanged() override { ++results; }
    void detailChanged() override { ++detail; }
    void pictureChanged() override { ++picture; }
    void controlsChanged() override { ++controls; }
};

// A content tree with French <-> Mandarin dictionaries, the sound services and a document.
struct DictFixture : ContentTree {
    EventLog log;
    LoggingPlayer player{log};
    LoggingClock clock{log};
    PlaybackRunner runner{player, clock};
    FakePrompts prompts;
    FakeMedia media;
    CountingViews views;

    DictFixture() {
        DictionaryCache::shared().clear();
        writeFile(dataFile(cd.path(), "FFMA.DIC"), dictionaryFileBytes({
                                                       {.source = "le chat",
                                                        .sound = "P011",
                                                        .media = "V1",
                                                        .lesson = "L01",
                                                        .mandarinTarget = pinyin("māo"),
                                                        .picture = "P011"},
                                                       {.source = "chien",
                                                        .sound = "P012",
                                                        .media = "W1",
                                                        .lesson = "L01",
                                                        .mandarinTarget = pinyin("gǒu"),
                                                        .picture = "P012"},
                                                       {.source = "rien", .lesson = "L01"},
                                                   }));
        writeFile(dataFile(cd.path(), "MAFF.DIC"),
                  dictionaryFileBytes({{.source = pinyin("māo"), .target = "chat", .mandarinSource = pinyin("māo")}}));
        for (const char* f :
             {"L01/MALE/P011.WAV", "L01/FEMALE/P011.WAV", "L01/AVI/V1.AVI", "L01/W1.WMF", "L01/FEMALE/P012.WAV"})
            writeFile(cd.path() / f, std::string("x"));
    }
    std::unique_ptr<CDictionaryDoc> open() {
        auto doc = std::make_unique<CDictionaryDoc>(store, locator, prompts, runner);
        doc->setViews(&views);
        doc->setMediaWindow(&media);
        return doc;
    }
    std::string local(const std::string& rel) const { return files.resolve("D:\\" + rel).string(); }
};

} // namespace

TEST(DictionaryDoc, ParametersComeFromTheSettingsAndGoBack) {
    DictFixture f;
    {
        auto doc = f.open();
        EXPECT_EQ(f.store.readInt("Multimedia", "View", 0), 1);
        EXPECT_EQ(doc->from(), 5);
        EXPECT_EQ(doc->to(), 18);
        EXPECT_EQ(doc->mode(), 0);
        EXPECT_TRUE(doc->realTime());
        EXPECT_FALSE(doc->ignoreTones());
        EXPECT_EQ(doc->frameCaption(),
                  "Dictionary : " + LanguageTable::languageName(5) + " - " + LanguageTable::languageName(18));
        doc->chooseMode(1, "ch");
        doc->toggleRealTime();
        doc->toggleIgnoreTones();
    }
    EXPECT_EQ(f.store.readInt("Dictionary", "LocateType", 0), 1);
    EXPECT_EQ(f.store.readString("Dictionary", "Locate", ""), "ch");
    EXPECT_EQ(f.store.readInt("Dictionary", "Refresh", 1), 0);
    EXPECT_EQ(f.store.readInt("Dictionary", "IgnoreTones", 0), 1);
    f.store.writeInt("Dictionary", "From", 25); // outside the table: shown as language 0
    f.store.writeInt("Dictionary", "To", -1);
    auto doc = f.open();
    EXPECT_EQ(doc->from(), 0);
    EXPECT_EQ(doc->to(), 0);
    EXPECT_EQ(doc->key(), "ch");
}

TEST(DictionaryDoc, RealTimeSearchAndSearchOnRequest) {
    DictFixture f;
    auto doc = f.open();
    doc->editChanged("ch");
    EXPECT_EQ(doc->caption(), " 1 words"); // "le chat" is found by "le", not by "ch"
    doc->chooseMode(1, "ch");
    EXPECT_EQ(doc->caption(), " 2 words");
    EXPECT_EQ(doc->line(0), " chat \t   0\t");
    doc->toggleRealTime();
    doc->editChanged("rien");
    EXPECT_EQ(doc->caption(), " 2 words"); // nothing happens until "Start locate now"
    f.media.calls.clear();
    doc->refresh();
    EXPECT_EQ(doc->caption(), " 1 words");
    EXPECT_EQ(f.media.calls, std::vector<std::string>{"hide"});
    EXPECT_EQ(doc->detail(), "");
}

TEST(DictionaryDoc, KeysAreCutToNinetyNineBytesAndUnmappableKeysFindNothing) {
    DictFixture f;
    auto doc = f.open();
    doc->editChanged(std::string(120, 'c'));
    EXPECT_EQ(doc->key().size(), 99u);
    EXPECT_EQ(doc->caption(), " 0 words");
    doc->editChanged("猫"); // no byte for it in the French codec
    EXPECT_EQ(doc->caption(), " 0 words");
    EXPECT_EQ(doc->results().count(), 0u);
}

TEST(DictionaryDoc, SwitchingFrenchMandarinToMandarinFrench) {
    DictFixture f;
    auto doc = f.open();
    doc->refresh();
    ASSERT_EQ(doc->results().count(), 3u);
    // Mandarin as source while Mandarin is the target: the same-language box; OK applies it.
    const PairChange first = doc->chooseSource(18);
    ASSERT_EQ(f.prompts.asked.size(), 1u);
    EXPECT_EQ(f.prompts.asked[0].text, "You can't selected the same language !");
    EXPECT_EQ(f.prompts.asked[0].caption, "Lumora");
    EXPECT_EQ(f.prompts.asked[0].icon, MessageIcon::Stop);
    EXPECT_EQ(f.prompts.asked[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(first.applied);
    EXPECT_EQ(first.listShows, 5); // the list keeps showing the previous language
    EXPECT_TRUE(first.resultsCleared);
    EXPECT_EQ(doc->from(), 18);
    EXPECT_EQ(doc->results().count(), 0u);
    EXPECT_EQ(doc->caption(), std::nullopt);
    // French as target: Mandarin-French exists, and real-time locate searches it.
    const PairChange second = doc->chooseTarget(5);
    EXPECT_EQ(f.prompts.asked.size(), 1u);
    EXPECT_TRUE(second.applied);
    EXPECT_EQ(doc->to(), 5);
    EXPECT_EQ(doc->caption(), " 1 words");
    EXPECT_EQ(doc->line(0), " " + pinyin("māo") + " \t   0\t");
}

TEST(DictionaryDoc, CancelOrAMissingDictionary) {
    DictFixture f;
    auto doc = f.open();
    f.prompts.answers = {MessageResult::Cancel};
    const PairChange same = doc->chooseSource(18);
    EXPECT_FALSE(same.applied);
    EXPECT_EQ(doc->from(), 5);
    // Nothing selected: the box, and nothing to apply even on OK.
    EXPECT_FALSE(doc->chooseSource(std::nullopt).applied);
    EXPECT_EQ(doc->from(), 5);
    // French-Khmer has no dictionary: the box names the pair; Cancel keeps the pair and the list.
    f.prompts.answers = {MessageResult::Cancel};
    const PairChange cancelled = doc->chooseTarget(14);
    EXPECT_EQ(f.prompts.asked.back().text, "Sorry, the dictionary " + LanguageTable::languageName(5) + "-" +
                                               LanguageTable::languageName(14) + " are not available");
    EXPECT_FALSE(cancelled.applied);
    EXPECT_EQ(cancelled.listShows, 18);
    EXPECT_EQ(doc->to(), 18);
    // OK applies it; on the target side the list is not cleared.
    doc->refresh();
    const PairChange ok = doc->chooseTarget(14);
    EXPECT_TRUE(ok.applied);
    EXPECT_FALSE(ok.resultsCleared);
    EXPECT_EQ(doc->to(), 14);
    EXPECT_EQ(doc->results().count(), 3u);
    doc->refresh();
    EXPECT_EQ(doc->caption(), std::nullopt);
}

TEST(DictionaryDoc, ShowingAnEntryPlaysItsVoicesThenShowsPictureAndMedia) {
    DictFixture f;
    auto doc = f.open();
    doc->refresh();
    f.media.calls.clear();
    doc->selectRow(0);
    EXPECT_EQ(doc->detail(), " " + pinyin("māo") + " ");
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:" + f.local("L01\\MALE\\P011.WAV"), "wait:2",
                                                      "play:" + f.local("L01\\FEMALE\\P011.WAV")}));
    EXPECT_EQ(f.store.readString("Dictionary", "BmpFile", ""), "D:\\L01\\SIMPLIFY\\P011.BMP");
    EXPECT_EQ(f.store.readInt("Dictionary", "ViewType", 9), 0);
    EXPECT_EQ(f.store.readString("Dictionary", "MMName", ""), "D:\\L01\\AVI\\V1.AVI");
    EXPECT_EQ(f.media.calls, (std::vector<std::string>{"open", "show"}));
    // F12 with the entry selected: the traditional picture, the voices again.
    f.log.events.clear();
    EXPECT_TRUE(doc->onCommand(CDictionaryDoc::kTraditionalCommand));
    EXPECT_EQ(f.store.readInt("Course", "Ideogram", 0), 1);
    EXPECT_TRUE(doc->commandState(CDictionaryDoc::kTraditionalCommand)->checked);
    EXPECT_FALSE(doc->commandState(CDictionaryDoc::kSimplifiedCommand)->checked);
    EXPECT_EQ(f.log.events.size(), 3u);
    EXPECT_EQ(f.store.readString("Dictionary", "BmpFile", ""), "D:\\L01\\TRADI\\P011.BMP");
    // Only a female voice: the pause still comes first; a metafile shows without opening a video.
    f.log.events.clear();
    f.media.calls.clear();
    doc->selectRow(1);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"wait:2", "play:" + f.local("L01\\FEMALE\\P012.WAV")}));
    EXPECT_EQ(f.store.readInt("Dictionary", "ViewType", 9), 1);
    EXPECT_EQ(f.store.readString("Dictionary", "MMName", ""), "D:\\L01\\W1.WMF");
    EXPECT_EQ(f.media.calls, std::vector<std::string>{"show"});
    // No voices and no media: the window is hidden.
    f.media.calls.clear();
    doc->selectRow(2);
    EXPECT_EQ(f.media.calls, std::vector<std::string>{"hide"});
}

TEST(DictionaryDoc, AnEntryThatIsNoLongerThereShowsNothing) {
    DictFixture f;
    auto doc = f.open();
    doc->refresh();
    // The file shrinks after the search: the line points past its end.
    writeFile(dataFile(f.cd.path(), "FFMA.DIC"), dictionaryFileBytes({{.source = "x"}}));
    doc->selectRow(2);
    EXPECT_EQ(doc->detail(), "");
    EXPECT_TRUE(f.log.events.empty());
    doc->selectRow(std::nullopt);
    doc->selectRow(99);
    EXPECT_EQ(doc->detail(), "");
}

TEST(DictionaryDoc, ExportWritesEveryEntryWhateverTheList) {
    DictFixture f;
    std::vector<DictionaryEntry> entries;
    for (int i = 0; i < 1000; ++i)
        entries.push_back({.source = i % 7 == 0 ? "" : "le mot " + std::to_string(i), .mandarinTarget = "ci"});
    writeFile(dataFile(f.cd.path(), "FFMA.DIC"), dictionaryFileBytes(entries));
    auto doc = f.open();
    doc->chooseMode(0, "zzz");
    EXPECT_EQ(doc->results().count(), 0u);
    const std::string out = (f.prog.path() / "out.txt").string();
    ASSERT_EQ(doc->exportTo(out).status, ExportStatus::Written);
    std::ifstream in(out, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 1000u);
    EXPECT_EQ(text.substr(0, 6), "\tci\r\nl");                   // entry 0 has an empty source side: still written
    EXPECT_NE(text.find("le mot 1\tci\r\n"), std::string::npos); // articles kept
}

TEST(DictionaryDoc, ExportWithoutDictionaryOrIntoAnUnwritablePlace) {
    DictFixture f;
    auto doc = f.open();
    doc->chooseTarget(14); // OK: French-Khmer, which has no dictionary
    const std::string out = (f.prog.path() / "none.txt").string();
    EXPECT_EQ(doc->exportTo(out).status, ExportStatus::NoDictionary);
    EXPECT_FALSE(std::filesystem::exists(out));
    doc->chooseTarget(18);
    writeFile(f.prog.path() / "file", std::string("x"));
    const ExportOutcome failed = doc->exportTo((f.prog.path() / "file" / "out.txt").string());
    EXPECT_EQ(failed.status, ExportStatus::Failed);
    EXPECT_FALSE(failed.error.empty());
    // An existing file is replaced whole.
    writeFile(f.prog.path() / "old.txt", std::string("old"));
    ASSERT_EQ(doc->exportTo((f.prog.path() / "old.txt").string()).status, ExportStatus::Written);
    std::ifstream in(f.prog.path() / "old.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Each side decoded with its language's codec: the file is UTF-8.
    EXPECT_EQ(text, "le chat\tmāo\r\nchien\tgǒu\r\nrien\t\r\n");
}

TEST(DictionaryDoc, ATabInATextDoesNotPointTheLineAtAnotherEntry) {
    DictFixture f;
    writeFile(dataFile(f.cd.path(), "FFMA.DIC"), dictionaryFileBytes({{.source = "a\t1", .mandarinTarget = "first"},
                                                                      {.source = "b", .mandarinTarget = "second"}}));
    auto doc = f.open();
    doc->refresh();
    doc->selectRow(0);
    EXPECT_EQ(doc->detail(), " first ");
}
