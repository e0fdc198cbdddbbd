#include <gtest/gtest.h>
#include <algorithm>
#include <set>

#include "exercise_fixture.h"
#include "exercises/exercise_settings.h"
#include "exercises/exercise_setup.h"
#include "exercises/question_pool.h"
#include "exercises/score_history.h"
#include "foundation/file_access.h"

using namespace lumora;
using namespace lumora::test;

namespace {

std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// French (5) -> Mandarin (18) entries for lesson `lesson`: source "<tag>n", Mandarin target "M<tag>n".
std::vector<DictionaryEntry> frenchMandarin(const std::string& lesson, const std::string& tag, int n) {
    std::vector<DictionaryEntry> out;
    for (int i = 0; i < n; ++i)
        out.push_back({.source = tag + std::to_string(i), .target = "t" + tag + std::to_string(i), .lesson = lesson,
                       .mandarinTarget = "M" + tag + std::to_string(i), .picture = "P" + tag + std::to_string(i)});
    return out;
}

std::vector<std::string> selected(std::initializer_list<std::pair<const char*, int>> lessons) {
    std::vector<std::string> out;
    for (const auto& [label, index] : lessons) out.push_back(std::string(label) + "\t" + std::to_string(index) + "\n");
    return out;
}

} // namespace

TEST(ExerciseRandom, StartsFromStateOneAndEveryRunDrawsTheSameSequence) {
    ExerciseRandom a, b;
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(a.next(), expected);
    for (int i = 0; i < 5; ++i) b.next();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.next(), b.next());
}

TEST(ExerciseKinds, FileNamesFollowKindAndCatalogue) {
    MemorySettingsStore store;
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Picture).selection, "C:\\\\EX4GB.MEM");
    store.writeString("User", "Drive", "C:\\LEARN");
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Verify).history, "C:\\LEARN\\EX2GB.GRA");
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Translation).pool, "C:\\LEARN\\EX8GB.DAT");
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Picture).copy, "C:\\LEARN\\NULL.GRA");
    store.writeString("Write", "Write", "YES");
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Verify).listing, "C:\\LEARN\\EX3GB.TXT");
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Picture).pool, "C:\\LEARN\\EX5GB.DAT");
    EXPECT_EQ(exerciseFiles(store, ExerciseKind::Translation).history, "C:\\LEARN\\EX9GB.GRA");
    EXPECT_EQ(kindOfJob(5), ExerciseKind::Picture);
    EXPECT_EQ(kindOfGraphJob(10), ExerciseKind::Verify);
    EXPECT_FALSE(kindOfJob(10).has_value());
}

TEST(ExTranslDoc, LoadsItsLanguagesAsTheJobSays) {
    struct Case {
        int job;
        bool created;
        int storedFrom; // -1: nothing stored
        int from, to;
    } cases[] = {
        {5, true, -1, 11, 5}, {5, false, -1, 18, 5}, {5, false, 6, 6, 0}, {5, false, 17, 17, 5},
        {6, true, -1, 18, 0}, {6, false, -1, 18, 5}, {6, false, 5, 5, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "job " << c.job << " stored " << c.storedFrom);
        MemorySettingsStore store;
        store.writeInt("Startup", "Remember", c.job);
        const char* section = c.job == 5 ? "ExPicture" : "ExTranslate";
        if (c.storedFrom >= 0) store.writeInt(section, "From", c.storedFrom);
        store.writeString("Exercise", "MMName", "old");
        CExTranslDoc doc(store, c.created);
        EXPECT_EQ(doc.fromLanguage(), c.from);
        EXPECT_EQ(doc.toLanguage(), c.to);
        EXPECT_EQ(doc.realTime(), 1);
        EXPECT_EQ(store.readString("Exercise", "MMName", "?"), "");
        if (c.job == 5) {
            EXPECT_EQ(store.readInt("ExPicture", "To", -1), c.to);
        }
        if (c.job == 6) {
            EXPECT_FALSE(store.contains("ExTranslate", "To"));
        }
    }
    MemorySettingsStore store;
    store.writeInt("Startup", "Remember", 9);
    store.writeInt("Course", "Translate Language", 5);
    CExTranslDoc verify(store, false);
    EXPECT_EQ(verify.fromLanguage(), 18);
    EXPECT_EQ(verify.toLanguage(), 5);
    EXPECT_EQ(store.readInt("Acquis", "To", -1), 5);
}

TEST(ExTranslDoc, IdeogramCommandsSetTheStyleWithCheckMarks) {
    MemorySettingsStore store;
    store.writeInt("Startup", "Remember", 6);
    CExTranslDoc doc(store, false);
    int redraws = 0;
    doc.onIdeogramStyleChanged = [&] { ++redraws; };
    EXPECT_TRUE(doc.commandState(13100)->checked);
    EXPECT_TRUE(doc.onCommand(13110));
    EXPECT_EQ(doc.ideogramStyle(), 1);
    EXPECT_EQ(store.readInt("Course", "Ideogram", 0), 1);
    EXPECT_TRUE(doc.commandState(13110)->checked);
    EXPECT_FALSE(doc.commandState(13100)->checked);
    EXPECT_EQ(redraws, 1);
}

TEST(SelectionFile, ReadsLinesUpToARepeatedOneAndSkipsEmptyLabels) {
    ExerciseContent f;
    const std::string name = f.user.str() + "\\EX4GB.MEM";
    EXPECT_TRUE(readSelection(f.files, name).empty()); // no file
    struct Case {
        std::string content;
        std::vector<std::string> items;
    } cases[] = {
        {"A\t0\t\r\nB\t1\t\r\n", {"A\t0\n", "B\t1\n"}},
        {"A\t0\t\r\nB\t1\t\r\nB\t1\t\r\nC\t2\t\r\n", {"A\t0\n", "B\t1\n"}}, // stops at the repeat
        {"\t5\t\r\nA\t0\t\r\n", {"A\t0\n"}},                               // empty first field
        {"no tabs here\r\nA\t0", {"no tabs here\t\n", "A\t0\n"}},
        {"", {}},
        // A long line is read in 499-byte pieces: two equal pieces end the reading.
        {std::string(1200, 'x') + "\t0\t\r\n", {std::string(499, 'x') + "\t\n"}},
        {std::string(600, 'y') + "\t0\t\r\n", {std::string(499, 'y') + "\t\n", std::string(101, 'y') + "\t0\n"}},
    };
    for (const Case& c : cases) {
        writeFile(f.userFile("EX4GB.MEM"), c.content);
        EXPECT_EQ(readSelection(f.files, name), c.items) << c.content.substr(0, 40);
    }
    writeFile(f.userFile("EX4GB.MEM"), "Lesson one\t0\t\r\nLesson two\t1\t\r\n");
    EXPECT_EQ(selectionLabel(f.files, name), "\tLesson one\n\tLesson two\n");
}

TEST(QuestionPool, TakesEachSelectedLessonInDictionaryOrder) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.addSimpleLesson("L2", 1);
    // Interleaved entries, one of another lesson and one whose lesson differs only by case.
    f.dictionary("FFMA", {{.source = "a1", .lesson = "L1", .mandarinTarget = "ma1", .picture = "P1"},
                          {.source = "b1", .lesson = "L2", .mandarinTarget = "mb1"},
                          {.source = "a2", .target = "t", .sound = "S2", .lesson = "L1", .mandarinTarget = "ma2"},
                          {.source = "x", .lesson = "l1"},
                          {.source = "b2", .lesson = "L2", .mandarinTarget = "mb2"}});
    const auto items = selected({{"Two", 1}, {"One", 0}, {"Two again", 1}, {"Bad", 7}});
    EXPECT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 18, items), 6u);
    const ExerciseFiles names = exerciseFiles(f.store, ExerciseKind::Translation);
    const auto pool = f.files.readAll(names.pool);
    ASSERT_TRUE(pool);
    ASSERT_EQ(pool->size(), 6u * 348);
    std::vector<std::string> order;
    for (std::size_t i = 0; i < 6; ++i) order.push_back(parseExerciseItem(pool->data() + i * 348).from);
    EXPECT_EQ(order, (std::vector<std::string>{"b1", "b2", "a1", "a2", "b1", "b2"}));
    const ExerciseItem a2 = parseExerciseItem(pool->data() + 3 * 348);
    EXPECT_EQ(a2.to, "ma2");
    EXPECT_EQ(a2.sound, "S2");
    EXPECT_EQ(a2.lesson, "L1");
    EXPECT_EQ(parseExerciseItem(pool->data() + 2 * 348).picture, "P1");
    const auto selection = f.files.readAll(names.selection);
    ASSERT_TRUE(selection);
    EXPECT_EQ(std::string(selection->begin(), selection->end()),
              "Two\t1\t\r\nOne\t0\t\r\nTwo again\t1\t\r\nBad\t7\t\r\n");
    EXPECT_EQ(readSelection(f.files, names.selection).size(), 4u);
}

TEST(QuestionPool, PictureKindKeepsOnlyEntriesWithAMediaFile) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.media("L1", "AVI/V1.AVI");
    f.media("L1", "W2.WMF");
    f.dictionary("FFGB", {{.source = "video", .media = "V1", .lesson = "L1"},
                          {.source = "none", .lesson = "L1"},
                          {.source = "gone", .media = "V9", .lesson = "L1"},
                          {.source = "meta", .media = "W2", .lesson = "L1"},
                          {.source = "escape", .media = "../x", .lesson = "L1"}});
    EXPECT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Picture, 5, 0, selected({{"One", 0}})), 2u);
    EXPECT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 0, selected({{"One", 0}})), 5u);
}

TEST(QuestionPool, AnEmptyBuildRemovesTheFilesAndAMissingDictionaryWritesNothing) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.dictionary("FFMA", frenchMandarin("L1", "a", 3));
    const ExerciseFiles names = exerciseFiles(f.store, ExerciseKind::Translation);
    ASSERT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 18, selected({{"One", 0}})), 3u);
    // No dictionary for the pair: the old files stay as they were.
    EXPECT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 9, 18, selected({{"One", 0}})), 0u);
    EXPECT_EQ(poolSize(f.files, names.pool), 3u);
    // Nothing selected that has entries: both files go.
    EXPECT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 18, selected({{"x", -3}})), 0u);
    EXPECT_FALSE(f.files.exists(names.pool));
    EXPECT_FALSE(f.files.exists(names.selection));
}

TEST(QuestionPool, HostileSelectionItemsAndPoolFilesAreQuiet) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.dictionary("FFMA", frenchMandarin("L1", "a", 3));
    // An index that is not a number, lies past the catalogue or is missing feeds nothing; the good
    // item beside it still does.
    struct Case {
        std::vector<std::string> items;
        std::size_t records;
    } cases[] = {
        {{"x\tabc\n"}, 0},          {{"x\t99\n"}, 0},          {{"x\t\n"}, 0},
        {{"no tab at all\n"}, 0},     {{"x\t-1\n"}, 0},          {{"x\t 0\n"}, 3},
        {{"x\tabc\n", "One\t0\n"}, 3}, {{"x\t2147483648\n"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items[0]);
        EXPECT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 18, c.items), c.records);
    }
    // A pool that is shorter than a record shows nothing; a torn last record is not a question.
    const ExerciseFiles names = exerciseFiles(f.store, ExerciseKind::Translation);
    CExTranslDoc doc = f.doc(6);
    ExerciseRandom random;
    writeFile(f.userFile("EX8GB.DAT"), Bytes(347, 'z'));
    {
        ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Translation);
        s.start();
        s.paint();
        EXPECT_FALSE(s.answersVisible());
        EXPECT_EQ(s.presented(), 0);
    }
    ASSERT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 18, {"One\t0\n"}), 3u);
    auto pool = f.files.readAll(names.pool);
    ASSERT_TRUE(pool);
    pool->resize(pool->size() + 200, 'z');
    writeFile(f.userFile("EX8GB.DAT"), *pool);
    ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Translation);
    s.start();
    s.paint();
    EXPECT_EQ(s.poolSize(), 3u);
    EXPECT_TRUE(s.answersVisible());
    EXPECT_LT(s.current(), 3u);
}

namespace {

// A translation exercise French -> Mandarin over lesson L1 with `n` questions.
struct TranslationRun : ExerciseContent {
    ExerciseRandom random;
    std::unique_ptr<CExTranslDoc> document;
    std::unique_ptr<ExerciseSession> session;

    explicit TranslationRun(int n, int distractors = 20) {
        addSimpleLesson("L1", 1);
        auto entries = frenchMandarin("L1", "q", n);
        auto others = frenchMandarin("OTHER", "d", distractors);
        entries.insert(entries.end(), others.begin(), others.end());
        dictionary("FFMA", entries);
        store.writeInt("ExTranslate", "From", 5);
        store.writeInt("ExTranslate", "To", 18);
        store.writeInt("Startup", "Remember", 6);
        document = std::make_unique<CExTranslDoc>(store, false);
        buildPool(locator, catalogue, ExerciseKind::Translation, 5, 18, selected({{"Lesson one", 0}}));
        session = std::make_unique<ExerciseSession>(services(random), views, *document, ExerciseKind::Translation);
        session->start();
        session->paint();
    }
    std::string rightText() const { return session->choices()[static_cast<std::size_t>(session->rightSlot())]; }
    void answerRight() { session->answer(session->rightSlot()); }
    void answerWrong() {
        session->answer((session->rightSlot() + 1) % 5);
        session->answerDialogClosed();
    }
};

} // namespace

TEST(ExerciseSession, TwoProgramRunsPresentTheSameQuestionsInTheSameSlots) {
    auto trace = [] {
        TranslationRun run(6);
        std::vector<std::string> seen;
        for (int i = 0; i < 8 && !run.session->finished(); ++i) {
            seen.push_back(run.session->questionText() + "@" + std::to_string(run.session->rightSlot()));
            if (i % 3 == 2)
                run.answerWrong();
            else
                run.answerRight();
        }
        return seen;
    };
    const auto first = trace();
    EXPECT_EQ(first.size(), 8u);
    EXPECT_EQ(first, trace());
}

TEST(ExerciseSession, QuestionsChoicesAndSettingsOfATranslation) {
    TranslationRun run(3);
    const ExerciseSession& s = *run.session;
    EXPECT_EQ(s.presented(), 1);
    EXPECT_TRUE(s.answersVisible());
    const std::string q = s.questionText();
    ASSERT_EQ(q.size(), 4u); // " q<n> "
    EXPECT_EQ(run.store.readString("Exercise", "Question", ""), q);
    EXPECT_EQ(run.rightText(), " Mq" + q.substr(2, 1) + " ");
    EXPECT_EQ(run.store.readString("Exercise", "Answer", ""), run.rightText());
    std::set<std::string> distinct(s.choices().begin(), s.choices().end());
    EXPECT_EQ(distinct.size(), 5u);
    for (const std::string& c : s.choices()) {
        EXPECT_EQ(c.front(), ' ');
        EXPECT_EQ(c[1], 'M'); // the Mandarin target side
    }
    EXPECT_EQ(run.store.readString("Acquis", "Simplify", "?"), "D:\\L1\\SIMPLIFY\\Pq" + q.substr(2, 1) + ".BMP");
    EXPECT_EQ(run.store.readString("Acquis", "Traditional", "?"), "D:\\L1\\TRADI\\Pq" + q.substr(2, 1) + ".BMP");
}

TEST(ExerciseSession, RateFaceAndScoreLine) {
    struct Case {
        int good, presented, rate;
        Face face;
        std::string line;
    } cases[] = {
        {1, 1, 100, Face::N100, "Good answer 1 on 1. Your success rate is : 100 %."},
        {1, 2, 50, Face::N50, "Good answer 1 on 2. Your success rate is : 50 %."},
        {2, 3, 67, Face::N100, "Good answers 2 on 3. Your success rate is : 67 %."},
        {1, 3, 33, Face::N0, "Good answer 1 on 3. Your success rate is : 33 %."},
        {3, 4, 75, Face::N100, "Good answers 3 on 4. Your success rate is : 75 %."},
        {0, 0, 0, Face::N0, "Good answer 0 on 0. Your success rate is : 0 %."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sessionRate(c.good, c.presented), c.rate);
        EXPECT_EQ(faceOfRate(c.rate), c.face);
        EXPECT_EQ(scoreLine(c.good, c.presented), c.line);
    }
    // The same through a session: right, wrong, right.
    TranslationRun run(5);
    run.answerRight();
    EXPECT_EQ(run.session->face(), Face::N100);
    run.answerWrong();
    EXPECT_EQ(run.views.count("dialog"), 1);
    EXPECT_EQ(run.session->face(), Face::N50);
    EXPECT_EQ(run.session->scoreText(), "Good answer 1 on 2. Your success rate is : 50 %.");
    run.answerRight();
    EXPECT_EQ(run.session->scoreText(), "Good answers 2 on 3. Your success rate is : 67 %.");
    EXPECT_EQ(run.session->presented(), 4);
}

TEST(ExerciseSession, AllAnsweredEndsWithTheCongratulation) {
    TranslationRun run(1);
    run.answerRight();
    ASSERT_EQ(run.prompts.asked.size(), 1u);
    EXPECT_EQ(run.prompts.asked[0].text,
              "Congratulation, you have answered correctly to all questions. Please select another exercices !");
    EXPECT_EQ(run.prompts.asked[0].caption, "Lumora");
    EXPECT_EQ(run.prompts.asked[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(run.session->finished());
    EXPECT_FALSE(run.session->answersVisible());
    EXPECT_EQ(run.session->presented(), 1);
    run.session->answer(0); // nothing more to answer
    EXPECT_EQ(run.session->good(), 1);
}

TEST(ExerciseSession, AReloadWithdrawsTheQuestionOnScreen) {
    TranslationRun run(4);
    run.answerRight();
    ASSERT_EQ(run.session->presented(), 2);
    run.session->reloadPool();
    EXPECT_EQ(run.session->presented(), 2); // one withdrawn, the next one drawn
    EXPECT_EQ(run.session->good(), 1);
    // A reload after the pool went away hides the answers and draws nothing.
    std::filesystem::remove(run.files.resolve(exerciseFiles(run.store, ExerciseKind::Translation).pool));
    run.session->reloadPool();
    EXPECT_EQ(run.session->presented(), 1);
    EXPECT_FALSE(run.session->answersVisible());
    EXPECT_TRUE(run.prompts.asked.empty());
}

TEST(ExerciseSession, TheDistractorDrawEndsOnASmallDictionary) {
    // One question and only two other usable texts: "Mq0" repeated, an empty text, two others.
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.dictionary("FFMA", {{.source = "q0", .lesson = "L1", .mandarinTarget = "Mq0"},
                          {.source = "dup", .lesson = "X", .mandarinTarget = "Mq0"},
                          {.source = "empty", .lesson = "X"},
                          {.source = "o1", .lesson = "X", .mandarinTarget = "O1"},
                          {.source = "o2", .lesson = "X", .mandarinTarget = "O2"}});
    f.store.writeInt("ExTranslate", "From", 5);
    f.store.writeInt("ExTranslate", "To", 18);
    CExTranslDoc doc = f.doc(6);
    ASSERT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 5, 18, selected({{"One", 0}})), 1u);
    ExerciseRandom random;
    ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Translation);
    s.start();
    s.paint();
    std::vector<std::string> shown(s.choices().begin(), s.choices().end());
    EXPECT_EQ(std::count(shown.begin(), shown.end(), " Mq0 "), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), " O1 "), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), " O2 "), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), ""), 2); // hidden buttons
    const int hidden = static_cast<int>(std::find(shown.begin(), shown.end(), "") - shown.begin());
    s.answer(hidden); // a hidden button cannot be chosen
    EXPECT_EQ(f.views.count("dialog"), 0);
}

TEST(ExerciseSession, AFirstTranslationRunDrawsItsAnswersFromTheWindowsPair) {
    // Nothing stored yet: the window opens on Mandarin Chinese to French and stores no language
    // until the learner picks one; its wrong answers still come from that pair's dictionary.
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    std::vector<DictionaryEntry> entries{{.target = "un", .lesson = "L1", .mandarinSource = "yi"}};
    for (int i = 0; i < 8; ++i)
        entries.push_back({.target = "autre" + std::to_string(i), .lesson = "X", .mandarinSource = "m"});
    f.dictionary("MAFF", entries);
    CExTranslDoc doc = f.doc(6);
    ASSERT_EQ(doc.fromLanguage(), 18);
    ASSERT_EQ(doc.toLanguage(), 5);
    ASSERT_FALSE(f.store.contains("ExTranslate", "From"));
    ASSERT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Translation, 18, 5, selected({{"One", 0}})), 1u);
    ExerciseRandom random;
    ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Translation);
    s.start();
    s.paint();
    EXPECT_TRUE(f.prompts.asked.empty());
    EXPECT_EQ(s.choices()[static_cast<std::size_t>(s.rightSlot())], " un ");
    for (const std::string& c : s.choices()) EXPECT_FALSE(c.empty());
}

TEST(ExerciseSession, AMissingDictionaryForTheChoicesKeepsTheButtons) {
    TranslationRun run(3);
    const auto before = run.session->choices();
    std::filesystem::remove(run.prog.path() / "DATA" / "WIN32" / "FFMA.DIC");
    run.answerRight();
    ASSERT_EQ(run.prompts.asked.size(), 1u);
    EXPECT_EQ(run.prompts.asked[0].text, "SetWrongAnswer File D:\\DATA\\WIN32\\FFMA.DIC not found");
    EXPECT_EQ(run.prompts.asked[0].icon, MessageIcon::None);
    EXPECT_EQ(run.session->choices(), before);
}

TEST(ExerciseSession, MediaThenVoicesOncePerQuestion) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.media("L1", "V1.AVI");
    f.media("L1", "MALE/S1.WAV");
    f.media("L1", "FEMALE/S1.WAV");
    auto entries = frenchMandarin("X", "d", 10);
    entries.insert(entries.begin(), {.source = "q", .target = "t", .sound = "S1", .media = "V1", .lesson = "L1"});
    f.dictionary("FFGB", entries);
    f.store.writeInt("ExPicture", "From", 5);
    CExTranslDoc doc = f.doc(5);
    ASSERT_EQ(doc.toLanguage(), 0);
    ASSERT_EQ(buildPool(f.locator, f.catalogue, ExerciseKind::Picture, 5, 0, selected({{"One", 0}})), 1u);
    ExerciseRandom random;
    ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Picture);
    s.start();
    s.paint();
    s.paint();
    EXPECT_EQ(s.questionText(), "");
    EXPECT_EQ(f.store.readString("Exercise", "MMName", ""), "D:\\L1\\V1.AVI");
    EXPECT_EQ(f.store.readInt("Exercise", "ViewType", 0), 2);
    EXPECT_EQ(f.views.count("media:show"), 1);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:" + f.local("L1", "MALE/S1.WAV"), "wait:2",
                                                      "async:" + f.local("L1", "FEMALE/S1.WAV")}));
    for (const std::string& c : s.choices()) EXPECT_EQ(c[1], c == " q " ? 'q' : 'd'); // From-side texts
}

TEST(VerifyExercise, OneQuestionAnsweredRightMovesToTheNextLesson) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.addSimpleLesson("L2", 1);
    f.store.writeInt("Course", "Translate Language", 5);
    auto entries = frenchMandarin("X", "d", 8);
    entries.push_back({.target = "bonjour", .lesson = "L1", .mandarinSource = "ni hao"});
    f.dictionary("MAFF", entries);
    CExTranslDoc doc = f.doc(9);
    ExerciseRandom random;
    {
        ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Verify);
        ASSERT_TRUE(s.startVerify());
        EXPECT_EQ(f.store.readInt("Acquis", "NbExercise", 0), 1);
        s.paint();
        EXPECT_EQ(s.questionText(), " ni hao ");
        EXPECT_EQ(s.countField(), 9); // the dictionary's entry count once choices were drawn
        s.answer(s.rightSlot());
        EXPECT_EQ(f.prompts.asked.at(0).text,
                  "Congratulation, you have answered correctly to all questions. We will begin a new lesson");
        EXPECT_EQ(f.views.count("course"), 1);
        EXPECT_EQ(f.lesson(), 1);
        EXPECT_EQ(f.page(), 0);
    }
    const auto history = f.files.readAll(exerciseFiles(f.store, ExerciseKind::Verify).history);
    ASSERT_TRUE(history);
    const auto records = parseScoreHistory(*history);
    ASSERT_EQ(records.size(), 30u);
    // The lesson verified, not the one the course moved on to before the window closed.
    EXPECT_EQ(records[29].label, "\tTitle L1\n\n");
    EXPECT_EQ(records[29].pool, 8);
    EXPECT_EQ(records[29].good, 1);
    EXPECT_EQ(records[29].answered, 0);
}

TEST(VerifyExercise, ALessonWithoutEntriesMovesOnWithAZeroScore) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.addSimpleLesson("L2", 1);
    f.setPosition(1, 3);
    f.dictionary("MAGB", frenchMandarin("X", "d", 3));
    CExTranslDoc doc = f.doc(9);
    ExerciseRandom random;
    {
        ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Verify);
        EXPECT_FALSE(s.startVerify());
        EXPECT_EQ(f.lesson(), 0); // the last lesson wraps to the first
        EXPECT_EQ(f.page(), 0);
        EXPECT_EQ(f.views.count("course"), 1);
        s.paint();
        EXPECT_EQ(s.presented(), 0);
    }
    const auto records = parseScoreHistory(*f.files.readAll(exerciseFiles(f.store, ExerciseKind::Verify).history));
    ASSERT_EQ(records.size(), 30u);
    EXPECT_EQ(records[29].label, "\tTitle L2\n\n"); // the lesson that had nothing to verify
    EXPECT_EQ(records[29].good, 0);
    EXPECT_EQ(records[29].answered, -1);
    EXPECT_EQ(scoreRate(records[29]), 0);
}

TEST(ExerciseSession, ClosingAppendsTheSelectionAsLabelAndWritesTheLanguagesBack) {
    {
        TranslationRun run(3);
        run.answerRight();
        run.answerWrong();
        run.document->setToLanguage(18);
        run.session.reset();
        EXPECT_EQ(run.store.readInt("ExTranslate", "Refresh", -1), 1);
        const auto records =
            parseScoreHistory(*run.files.readAll(exerciseFiles(run.store, ExerciseKind::Translation).history));
        ASSERT_EQ(records.size(), 30u);
        EXPECT_EQ(records[29].label, "\tLesson one\n");
        EXPECT_EQ(records[29].pool, 2);
        EXPECT_EQ(records[29].good, 1);
        EXPECT_EQ(records[29].answered, 2);
        EXPECT_TRUE(records[28].blank());
        const std::string listing = readText(run.files.resolve(exerciseFiles(run.store, ExerciseKind::Translation).listing));
        EXPECT_NE(listing.find("\r\n30\t"), std::string::npos);
        EXPECT_NE(listing.find("  50%\r\n\tLesson one\r\n"), std::string::npos);
    }
}

TEST(ExerciseSetup, PictureLanguageListSetsTheToLanguage) {
    struct Case {
        int row, toBefore, toAfter;
    } cases[] = {{6, 5, 0}, {5, 5, 0}, {0, 0, 5}, {17, 0, 5}, {18, 0, 0}, {20, 5, 5}};
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.writeInt("Startup", "Remember", 5);
        CExTranslDoc doc(store, false);
        doc.setToLanguage(c.toBefore);
        EXPECT_EQ(pictureLanguageChosen(doc, store, c.row), LanguageChoice::Accepted);
        EXPECT_EQ(doc.fromLanguage(), c.row);
        EXPECT_EQ(doc.toLanguage(), c.toAfter) << c.row;
        EXPECT_EQ(store.readInt("ExPicture", "To", -1), c.toAfter);
    }
}

TEST(ExerciseSetup, LanguageRowsSayWhetherTheirPairHasADictionary) {
    // The course has French-Mandarin and Mandarin-English only.
    ExerciseContent f;
    f.dictionary("FFMA", frenchMandarin("X", "d", 2));
    f.dictionary("MAGB", frenchMandarin("X", "d", 2));
    CExTranslDoc doc = f.doc(6);
    doc.setFromLanguage(18);
    doc.setToLanguage(0);
    struct Case {
        ExerciseKind kind;
        bool fromList;
        LanguageId row, from, to;
        bool available;
    } cases[] = {
        {ExerciseKind::Picture, true, 6, 6, 0, false},      // French (Belgium) asks for FF-GB
        {ExerciseKind::Picture, true, 18, 18, 0, true},     // Mandarin keeps To: MA-GB
        {ExerciseKind::Translation, true, 5, 5, 0, false},  // FF-GB
        {ExerciseKind::Translation, true, 0, 0, 0, false},  // the To language itself
        {ExerciseKind::Translation, false, 2, 18, 2, true}, // MA-GB (English, code GB)
        {ExerciseKind::Translation, false, 5, 18, 5, false},
        {ExerciseKind::Translation, false, 18, 18, 18, false},
        {ExerciseKind::Translation, false, 21, 18, 0, false}, // not a row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const LanguageRowPair pair = languageRowPair(doc, f.locator, c.kind, c.fromList, c.row);
        EXPECT_EQ(pair.from, c.from);
        EXPECT_EQ(pair.to, c.to);
        EXPECT_EQ(pair.available, c.available);
    }
    EXPECT_EQ(doc.fromLanguage(), 18); // only asked, nothing chosen
    EXPECT_EQ(doc.toLanguage(), 0);
}

TEST(ExerciseSetup, TranslationListsRefuseTheSameLanguageAndMissingPairs) {
    ExerciseContent f;
    f.dictionary("FFMA", {});
    f.dictionary("GBMA", {});
    f.store.writeInt("ExTranslate", "From", 5);
    f.store.writeInt("ExTranslate", "To", 18);
    CExTranslDoc doc = f.doc(6);
    // From = To: the message, then Cancel keeps both.
    f.prompts.answers = {MessageResult::Cancel};
    EXPECT_EQ(translationFromChosen(doc, f.store, f.locator, f.prompts, 18), LanguageChoice::Refused);
    EXPECT_EQ(f.prompts.asked.back().text, "You can't selected the same language !");
    EXPECT_EQ(f.prompts.asked.back().buttons, MessageButtons::OkCancel);
    EXPECT_EQ(doc.fromLanguage(), 5);
    // A pair with a dictionary is taken and stored.
    EXPECT_EQ(translationFromChosen(doc, f.store, f.locator, f.prompts, 0), LanguageChoice::Accepted);
    EXPECT_EQ(f.store.readInt("ExTranslate", "From", -1), 0);
    EXPECT_EQ(exerciseWindowTitle(doc, ExerciseKind::Translation),
              "Find a translation of a word or phrase : " + LanguageTable::languageName(0) + " - " +
                  LanguageTable::languageName(18));
    // No dictionary: asked; OK takes it for this window only.
    EXPECT_EQ(translationFromChosen(doc, f.store, f.locator, f.prompts, 9), LanguageChoice::ForWindow);
    EXPECT_EQ(f.prompts.asked.back().text, "Sorry, the dictionary " + LanguageTable::languageName(9) + "-" +
                                               LanguageTable::languageName(18) + " are not available");
    EXPECT_EQ(doc.fromLanguage(), 9);
    EXPECT_EQ(f.store.readInt("ExTranslate", "From", -1), 0);
    // The To list refuses quietly.
    const std::size_t asked = f.prompts.asked.size();
    doc.setFromLanguage(5);
    EXPECT_EQ(translationToChosen(doc, f.store, f.locator, 5), LanguageChoice::Refused);
    EXPECT_EQ(translationToChosen(doc, f.store, f.locator, 0), LanguageChoice::Refused); // no FFGB
    EXPECT_EQ(translationToChosen(doc, f.store, f.locator, std::nullopt), LanguageChoice::Refused);
    EXPECT_EQ(doc.toLanguage(), 18);
    EXPECT_EQ(f.prompts.asked.size(), asked);
}

TEST(ExerciseSetup, ApplyRebuildsOrSaysThereIsNothingToFeedTheChoice) {
    TranslationRun run(3);
    ASSERT_EQ(run.session->presented(), 1);
    EXPECT_EQ(applyChoice(*run.document, ExerciseKind::Translation, run.services(run.random), *run.session,
                          selected({{"Nothing", 5}})),
              0u);
    EXPECT_EQ(run.prompts.asked.back().text, "No item to feed your choice !!!");
    EXPECT_FALSE(run.session->answersVisible());
    EXPECT_EQ(applyChoice(*run.document, ExerciseKind::Translation, run.services(run.random), *run.session,
                          selected({{"Lesson one", 0}})),
              3u);
    EXPECT_TRUE(run.session->answersVisible());
    EXPECT_EQ(run.session->presented(), 1); // the withdrawn question and the new one
    EXPECT_EQ(selectionItem("Title", 3), "Title\t3\n");
}

TEST(ExerciseSession, AnApplyBeforeTheFirstRedrawDrawsOneQuestion) {
    ExerciseContent f;
    f.addSimpleLesson("L1", 1);
    f.dictionary("FFMA", frenchMandarin("L1", "q", 4));
    f.store.writeInt("ExTranslate", "From", 5);
    f.store.writeInt("ExTranslate", "To", 18);
    CExTranslDoc doc = f.doc(6);
    ExerciseRandom random;
    ExerciseSession s(f.services(random), f.views, doc, ExerciseKind::Translation);
    s.start();
    ASSERT_EQ(applyChoice(doc, ExerciseKind::Translation, f.services(random), s, selected({{"One", 0}})), 4u);
    s.paint();
    EXPECT_EQ(s.presented(), 1);
}
