#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "exercises/score_graph.h"
#include "exercises/score_history.h"
#include "foundation/file_access.h"
#include "test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct History {
    TempDir user;
    MemorySettingsStore store;
    FileAccess files{store, {}};
    const LocalTime when{8, 12, 1997, 14, 5, 9};

    History() {
        store.writeString("User", "Drive", user.str());
        store.writeInt("Startup", "Remember", 5);
    }
    ExerciseFiles names() const { return exerciseFiles(store, ExerciseKind::Picture); }
    std::filesystem::path local(const std::string& name) const { return files.resolve(name); }
    std::uintmax_t size() const { return std::filesystem::file_size(local(names().history)); }
    std::vector<ScoreRecord> records() const { return parseScoreHistory(*files.readAll(names().history)); }
    bool append(int pool, int good, int presented, const std::string& label = "\tL\n") {
        return AppendScore(store, files, ExerciseKind::Picture, label, pool, good, presented, when);
    }
    std::string listing() const {
        std::ifstream in(local(names().listing), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

} // namespace

TEST(ScoreRecord, RoundTripsWithExplicitOffsets) {
    ScoreRecord r{"\tlabel\n", 8, 12, 1997, 14, 5, 9, 7, 3, -1};
    const Bytes b = serializeScoreRecord(r);
    ASSERT_EQ(b.size(), 336u);
    EXPECT_EQ(b[300], 8);
    EXPECT_EQ(b[308] | (b[309] << 8), 1997);
    EXPECT_EQ(b[332], 0xFF);
    const ScoreRecord back = parseScoreRecord(b.data());
    EXPECT_EQ(back.label, r.label);
    EXPECT_EQ(back.year, 1997);
    EXPECT_EQ(back.answered, -1);
    r.label = std::string(400, 'a');
    EXPECT_EQ(parseScoreRecord(serializeScoreRecord(r).data()).label.size(), 299u);
}

TEST(ScoreRecord, RateRoundsHalvesAwayFromZero) {
    struct Case {
        std::int64_t good, answered;
        int rate;
    } cases[] = {{1, 8, 13}, {2, 3, 67}, {1, 3, 33}, {1, 2, 50}, {0, 0, 0}, {5, 0, 0}, {0, -1, 0}, {1, -8, -13},
                 {2147483647, 1, 2147483647}};
    for (const Case& c : cases) EXPECT_EQ(scoreRate(c.good, c.answered), c.rate) << c.good << "/" << c.answered;
}

TEST(ScoreHistory, TheFirstScoreMakesThirtyRecordsAndTheThirtyFirstDropsTheOldest) {
    History h;
    ASSERT_TRUE(h.append(9, 2, 4));
    EXPECT_EQ(h.size(), 10080u);
    auto records = h.records();
    ASSERT_EQ(records.size(), 30u);
    for (int i = 0; i < 29; ++i) EXPECT_TRUE(records[static_cast<std::size_t>(i)].blank());
    EXPECT_EQ(records[29].pool, 8);
    EXPECT_EQ(records[29].good, 2);
    EXPECT_EQ(records[29].answered, 3);
    for (int i = 1; i <= 30; ++i) ASSERT_TRUE(h.append(10, i, 11));
    EXPECT_EQ(h.size(), 10080u);
    records = h.records();
    EXPECT_EQ(records.front().good, 1); // the first score and the blanks are gone
    EXPECT_EQ(records.back().good, 30);
    EXPECT_TRUE(std::filesystem::exists(h.local(h.names().copy)));
}

TEST(ScoreHistory, AnEmptyOrRaggedFileKeepsItsWholeRecords) {
    History h;
    writeFile(h.local(h.names().history), Bytes{});
    ASSERT_TRUE(h.append(3, 1, 2));
    EXPECT_EQ(h.size(), 336u);
    ASSERT_TRUE(h.append(3, 2, 2));
    EXPECT_EQ(h.size(), 336u);
    EXPECT_EQ(h.records()[0].good, 2);
    // Three records and a half: the half is dropped with the oldest.
    Bytes ragged(336 * 3 + 100, 0);
    writeFile(h.local(h.names().history), ragged);
    ASSERT_TRUE(h.append(3, 1, 2));
    EXPECT_EQ(h.size(), 336u * 3);
}

TEST(ScoreHistory, ListingTextByteForByte) {
    History h;
    ASSERT_TRUE(h.append(9, 1, 9, "\tLesson one\n")); // pool 8, good 1, answered 8: 13 %
    std::string expected = "\tGraph of your 30 last scores : Find a word from picture\r\n\r\n";
    for (int k = 1; k <= 29; ++k) expected += (k < 10 ? " " : "") + std::to_string(k) + "\t\r\n";
    expected += "30\t 8/12/1997-14: 5: 9\t  13%\r\n\tLesson one\r\n";
    EXPECT_EQ(h.listing(), expected);
}

TEST(ScoreHistory, ListingShowsNoRateForAOneQuestionPoolAndZeroForNothingAnswered) {
    History h;
    ASSERT_TRUE(h.append(1, 1, 2, "")); // pool field 0
    ASSERT_TRUE(h.append(4, 0, 0, "")); // answered -1
    const std::string text = h.listing();
    EXPECT_NE(text.find("29\t 8/12/1997-14: 5: 9\t\r\n"), std::string::npos);
    EXPECT_NE(text.find("30\t 8/12/1997-14: 5: 9\t   0%\r\n"), std::string::npos);
}

TEST(ScoreHistory, LyingFieldsAndOtherJobsAreQuiet) {
    History h;
    ScoreRecord liar{"x", 99, -5, 123456, 77, 88, 99, 2147483647, 2147483647, 1};
    Bytes data = serializeScoreRecord(liar);
    writeFile(h.local(h.names().history), data);
    ASSERT_TRUE(h.append(2, 1, 2));
    EXPECT_EQ(h.size(), 336u);
    ASSERT_TRUE(WriteScoreListing(h.store, h.files));
    h.store.writeInt("Startup", "Remember", 3);
    EXPECT_FALSE(WriteScoreListing(h.store, h.files)); // not an exercise: nothing written
    // A history too large to be one of ours is left alone.
    std::filesystem::resize_file(h.local(h.names().history), 4u << 20);
    EXPECT_FALSE(h.append(2, 1, 2));
    EXPECT_EQ(h.size(), 4u << 20);
}

TEST(ScoreHistory, AKilledAppendLeavesTheOldOrTheNewHistory) {
    History h;
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(h.append(10, i, 11));
    std::mt19937 rng(7);
    int next = 30; // the good count of the next score appended
    for (int round = 0; round < 200; ++round) {
        const int first = next;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int g = first;; ++g) h.append(10, g, 11);
            _exit(0);
        }
        usleep(std::uniform_int_distribution<unsigned>(0, 3000)(rng));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_EQ(h.size(), 10080u) << "round " << round;
        const auto records = h.records();
        // Thirty consecutive scores, the newest being the last one the child finished.
        for (std::size_t i = 1; i < records.size(); ++i)
            ASSERT_EQ(records[i].good, records[i - 1].good + 1) << "round " << round;
        ASSERT_GE(records.back().good, first - 1);
        next = records.back().good + 1;
    }
}

TEST(ScoreGraph, DrawsTheFrameGridLabelsCurveAndTitle) {
    History h;
    ASSERT_TRUE(h.append(4, 2, 4)); // answered 3: 67 %
    h.store.writeInt("Startup", "Remember", 11);
    const ScoreGraphPicture pic = scoreGraphPicture(h.store, h.files);
    ASSERT_EQ(pic.curve.size(), 30u);
    EXPECT_EQ(pic.curve[0].x, 150);
    EXPECT_EQ(pic.curve[0].y, 2050); // blank records plot at 0 %
    EXPECT_EQ(pic.curve[29].x, 150 + 103 * 29);
    EXPECT_EQ(pic.curve[29].y, 2050 - 20 * 67);
    EXPECT_EQ(pic.curve[29].tip, "8/12/1997 14:05:09 - 67 %");
    EXPECT_EQ(std::count_if(pic.lines.begin(), pic.lines.end(),
                            [](const ScoreGraphLine& l) { return l.pen == ScoreGraphLine::Pen::Curve; }),
              29);
    EXPECT_EQ(std::count_if(pic.lines.begin(), pic.lines.end(),
                            [](const ScoreGraphLine& l) { return l.pen == ScoreGraphLine::Pen::Grid; }),
              10);
    EXPECT_EQ(pic.texts.front().text, "Success rate");
    EXPECT_EQ(pic.texts.front().colour, (ScoreGraphColour{128, 0, 255}));
    EXPECT_EQ(pic.texts.back().text, "Graph of your 30 last scores : Find a word from picture");
    EXPECT_EQ(pic.texts.back().x, 200);
    EXPECT_EQ(pic.texts.back().y, 2220);
    const auto label100 = std::find_if(pic.texts.begin(), pic.texts.end(), [](const ScoreGraphText& t) { return t.text == "100"; });
    ASSERT_NE(label100, pic.texts.end());
    EXPECT_EQ(label100->y, 2050 - 2000 - 50);
    // Another job, or no history: no curve.
    h.store.writeInt("Startup", "Remember", 12);
    EXPECT_TRUE(scoreGraphPicture(h.store, h.files).curve.empty());
    h.store.writeInt("Startup", "Remember", 3);
    EXPECT_EQ(scoreGraphPicture(h.store, h.files).texts.back().text, "");
}

TEST(ScoreGraph, APrintoutShrinksOnlyWhenTheDrawingIsLargerThanThePage) {
    // Landscape A4 with 1 cm margins is 27.7 x 19 cm; the drawing is 32.5 x 23.2 cm at zoom 100.
    struct Case {
        int zoom;
        double w, h, fit;
    };
    for (const Case c : {Case{50, 27.7, 19.0, 1.0}, Case{75, 27.7, 19.0, 1.0}, Case{100, 27.7, 19.0, 19.0 / 23.2},
                         Case{200, 27.7, 19.0, 19.0 / 46.4}, Case{100, 40.0, 30.0, 1.0}, Case{100, 30.0, 40.0, 30.0 / 32.5},
                         Case{100, 0.0, 19.0, 0.0}}) {
        SCOPED_TRACE(c.zoom);
        const double fit = scoreGraphPrintFit(c.zoom, c.w, c.h);
        EXPECT_NEAR(fit, c.fit, 1e-9);
        if (fit > 0) {
            EXPECT_LE(kScoreGraphDrawnWidth * c.zoom / 10000.0 * fit, c.w + 1e-9);
            EXPECT_LE(kScoreGraphDrawnHeight * c.zoom / 10000.0 * fit, c.h + 1e-9);
        }
    }
}

TEST(ScoreGraph, ZoomCommandsScaleTheViewportAndScrollRange) {
    ScoreGraphZoom zoom;
    EXPECT_TRUE(zoom.commandState(4004)->checked);
    EXPECT_EQ(zoom.scrollRange(37, 37).x, 2 * (40 * 37));
    int changes = 0;
    zoom.onZoomChanged = [&] { ++changes; };
    ASSERT_TRUE(zoom.onCommand(4006));
    EXPECT_EQ(zoom.zoom(), 200);
    EXPECT_EQ(zoom.scrollRange(37, 37).x, 2 * 2 * (40 * 37));
    EXPECT_EQ(zoom.viewport(118, 118).x, 236);
    EXPECT_TRUE(zoom.commandState(4006)->checked);
    EXPECT_FALSE(zoom.commandState(4004)->checked);
    ASSERT_TRUE(zoom.onCommand(4002));
    EXPECT_EQ(zoom.viewport(40, 40).y, 30);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(zoom.onCommand(4003));
}
