#include "foundation/help_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lumora {
namespace {

TEST(HelpFile, FormatAndParseRoundTrip) {
    const std::vector<HelpTopic> topics = {
        {0, "Contents", {"Welcome to Lumora.", "Second paragraph\nwith a line break."}},
        {10100,
         "Lesson 1: Greetings",
         {"@ at the start of a line", "\xE4\xBD\xA0\xE5\xA5\xBD  n\xC7\x90 h\xC7\x8Eo: Hello"}},
        {-3, "", {}},
        {20000, "Story 1: Tea", {"@topic 5 is text here, not a topic"}},
    };
    const std::string text = formatHelpFile(topics);
    EXPECT_EQ(text.rfind("LUMORA HELP 1\n@topic 0 Contents\nWelcome to Lumora.\n\nSecond paragraph\n", 0), 0u);
    const std::vector<HelpTopic> back = parseHelpFile(text);
    ASSERT_EQ(back.size(), topics.size());
    for (std::size_t i = 0; i < topics.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i].context, topics[i].context);
        EXPECT_EQ(back[i].title, topics[i].title);
        EXPECT_EQ(back[i].paragraphs, topics[i].paragraphs);
    }
    ASSERT_NE(findHelpTopic(back, 10100), nullptr);
    EXPECT_EQ(findHelpTopic(back, 10100)->title, "Lesson 1: Greetings");
    EXPECT_EQ(findHelpTopic(back, 7), nullptr);
}

TEST(HelpFile, ToleratesOddInput) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<HelpTopic> expected;
    };
    const std::vector<Case> cases = {
        {"empty", "", {}},
        {"no header", "@topic 1 A\ntext\n", {}},
        {"other format", "LUMORA HELP 2\n@topic 1 A\ntext\n", {}},
        {"bom and CR LF",
         "\xEF\xBB\xBFLUMORA HELP 1\r\n@topic 1 A\r\none\r\ntwo\r\n\r\nthree\r\n",
         {{1, "A", {"one\ntwo", "three"}}}},
        {"text before the first topic is ignored", "LUMORA HELP 1\nstray\n\n@topic 2 B\nx\n", {{2, "B", {"x"}}}},
        {"a bad context drops the topic and its text",
         "LUMORA HELP 1\n@topic x Bad\nlost\n@topic 99999999999 Huge\nlost too\n@topic 3 C\nkept\n",
         {{3, "C", {"kept"}}}},
        {"unknown directives are skipped", "LUMORA HELP 1\n@topic 4 D\n@index foo\nbody\n", {{4, "D", {"body"}}}},
        {"topic without title or text", "LUMORA HELP 1\n@topic 5\n@topic\t6\tTabbed", {{5, "", {}}, {6, "Tabbed", {}}}},
        {"blank lines of spaces separate paragraphs", "LUMORA HELP 1\n@topic 7 E\na\n   \nb", {{7, "E", {"a", "b"}}}},
        {"@topicX is not a topic", "LUMORA HELP 1\n@topic 8 F\n@topicX\ntext", {{8, "F", {"text"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<HelpTopic> got = parseHelpFile(c.text);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].context, c.expected[i].context);
            EXPECT_EQ(got[i].title, c.expected[i].title);
            EXPECT_EQ(got[i].paragraphs, c.expected[i].paragraphs);
        }
    }
}

TEST(HelpFile, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(12345);
    const std::string pieces[] = {
        "LUMORA HELP 1\n",    "@topic ",     "@@", "@", "\n", "\r\n", " ", "12", "-", "x", "\xFF",
        std::string(1, '\0'), "\xEF\xBB\xBF"};
    for (int round = 0; round < 2000; ++round) {
        std::string text = round % 2 ? "LUMORA HELP 1\n" : "";
        const int n = static_cast<int>(random() % 40);
        for (int k = 0; k < n; ++k)
            text += pieces[random() % std::size(pieces)];
        const std::vector<HelpTopic> topics = parseHelpFile(text);
        // Whatever was read writes back to a file that reads the same.
        const std::vector<HelpTopic> again = parseHelpFile(formatHelpFile(topics));
        ASSERT_EQ(again.size(), topics.size()) << "round " << round;
        for (std::size_t i = 0; i < topics.size(); ++i) {
            EXPECT_EQ(again[i].context, topics[i].context);
            EXPECT_EQ(again[i].paragraphs, topics[i].paragraphs);
        }
    }
}

} // namespace
} // namespace lumora
