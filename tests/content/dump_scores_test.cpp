#include <gtest/gtest.h>

#include <sstream>

#include "content/dump_scores.h"
#include "core/test_support.h"
#include "exercises/question_pool.h"
#include "exercises/score_history.h"
#include "foundation/codecs.h"

using namespace lumora;

TEST(LearnerFileDumps, ScoresAndPoolsAsJson) {
    test::TempDir tmp;
    ScoreRecord r{"\tCaf\xE9\n", 8, 12, 1997, 14, 5, 9, 7, 2, 3};
    Bytes history = serializeScoreRecord(ScoreRecord{});
    const Bytes used = serializeScoreRecord(r);
    history.insert(history.end(), used.begin(), used.end());
    history.resize(history.size() + 100); // a partial record is not shown
    test::writeFile(tmp.path() / "EX4GB.GRA", history);
    std::ostringstream out, err;
    ASSERT_EQ(content::dumpScores((tmp.path() / "EX4GB.GRA").string(), out, err), 0);
    EXPECT_EQ(out.str(),
              "{\"records\":[\n"
              "{\"label\":\"\",\"day\":0,\"month\":0,\"year\":0,\"hour\":0,\"minute\":0,\"second\":0,\"pool\":0,"
              "\"good\":0,\"answered\":0,\"rate\":0},\n"
              "{\"label\":\"\\tCaf\xC3\xA9\\n\",\"day\":8,\"month\":12,\"year\":1997,\"hour\":14,\"minute\":5,"
              "\"second\":9,\"pool\":7,\"good\":2,\"answered\":3,\"rate\":67}\n]}\n");

    const Bytes item = serializeExerciseItem({"un chat", "mao", "S1", "V1", "L01", "P1"});
    test::writeFile(tmp.path() / "EX8GB.DAT", item);
    std::ostringstream pool;
    ASSERT_EQ(content::dumpPool((tmp.path() / "EX8GB.DAT").string(), 5, 0, pool, err), 0);
    EXPECT_EQ(pool.str(), "{\"items\":[\n{\"from\":\"un chat\",\"to\":\"mao\",\"sound\":\"S1\",\"media\":\"V1\","
                          "\"lesson\":\"L01\",\"picture\":\"P1\"}\n]}\n");

    // Each side with its language's codec: pinyin from Mandarin Chinese (18), French to (5).
    const auto pinyin = encodeText("n\u01D0 h\u01CEo", FontEncoding::Pinying);
    ASSERT_TRUE(pinyin);
    test::writeFile(tmp.path() / "EX4GB.DAT", serializeExerciseItem({*pinyin, "caf\xE9", "", "", "L01", ""}));
    std::ostringstream mandarin;
    ASSERT_EQ(content::dumpPool((tmp.path() / "EX4GB.DAT").string(), 18, 5, mandarin, err), 0);
    EXPECT_NE(mandarin.str().find("\"from\":\"n\u01D0 h\u01CEo\",\"to\":\"caf\u00E9\""), std::string::npos)
        << mandarin.str();

    std::ostringstream none;
    ASSERT_EQ(content::dumpPool((tmp.path() / "missing.DAT").string(), 0, 0, none, err), 0);
    EXPECT_EQ(none.str(), "{\"items\":[]}\n");
    EXPECT_EQ(err.str(), "");
}
