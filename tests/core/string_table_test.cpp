#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora {
namespace {

TEST(StringTable, CommandEntrySplitsIntoPromptAndTooltip) {
    const std::string whole = strings::text(1470);
    ASSERT_NE(whole.find('\n'), std::string::npos);
    EXPECT_EQ(strings::prompt(1470), "Find a word or phrase from a picture");
    EXPECT_EQ(whole, strings::prompt(1470) + "\n" + strings::tooltip(1470));
    EXPECT_FALSE(strings::tooltip(1470).empty());

    // The graph titles keep a second copy of the title as their tooltip.
    EXPECT_EQ(strings::tooltip(1475), strings::prompt(1475));

    // A plain message has no tooltip, and its prompt is the whole text.
    EXPECT_EQ(strings::tooltip(12003), "");
    EXPECT_EQ(strings::prompt(12003), strings::text(12003));
}

TEST(StringTable, UnknownIdIsEmpty) {
    for (int id : {0, -1, 1, 99999, 28673, 12345}) {
        EXPECT_FALSE(strings::has(id)) << id;
        EXPECT_EQ(strings::text(id), "") << id;
        EXPECT_EQ(strings::prompt(id), "") << id;
        EXPECT_EQ(strings::tooltip(id), "") << id;
    }
}

// Texts that callers concatenate, format or show verbatim.
TEST(StringTable, ExactTextsThatCallersRelyOn) {
    const std::pair<int, const char*> exact[] = {
        {28674, "Lumora"},
        {57344, "4.0"},
        {28690, "At the next startup, go back to : "},
        {12003, "Do you want to verify your learning of : %1?"},
        {12004, "Congratulation, you have answered correctly to all questions. Please select another exercices !"},
        {12005, "Congratulation, you have answered correctly to all questions. We will begin a new lesson"},
        {12009, "This option will be available in the future"},
        {12010, "Save your data into ..."},
        {14330, "You can't selected the same language !"},
        {14340, "Sorry, the dictionary %1-%2 are not available"},
        {14360, "Please wait ..."},
        {28670, "Good answer %1 on %2."},
        {28671, "Good answers %1 on %2."},
        {28672, "Your success rate is : %1."},
        {28684, "Dictionary"},
        {28691, "Success rate"},
        {28692, "No item to feed your choice !!!"},
        {28693, "Male voice"},
        {28694, "Female voice"},
        {28695, "Your voice"},
        {28696, "Export as ..."},
        {6193, "Available memory (RAM) : %6d Kb on %6d Kb"},
        {6194, "Free space on this disk : %10d Mb on %10d Mb"},
        {10000, "About %1"},
        {13003, "To select the translation parameters"},
        {9710, "Plese select your language"},
        {18770, "French"},
        {18790, "French"},
        {18860, "German (Switzerland)"},
        {18820, "English (South-Africa)"},
        {19020, "Mandarin Chinese"},
    };
    for (const auto& [id, text] : exact)
        EXPECT_EQ(strings::text(id), text) << id;

    const std::pair<int, const char*> prompts[] = {
        {1400, "Lessons list"},
        {1410, "The course"},
        {1420, "Keyboard learning"},
        {1430, "Voice studio"},
        {1450, "Bilingual dictionary"},
        {1460, "Verify your learning"},
        {1465, "Graph of your 30 last scores : Verify your learning"},
        {1475, "Graph of your 30 last scores : Find a word from picture"},
        {1480, "Find a translation of a word or phrase"},
        {1485, "Graph of your 30 last scores : Find a translation"},
        {1490, "Reading Course"},
        {6060, "Next page"},
        {6095, "Direct access to page ..."},
        {7014, "Listen all phrases"},
        {13100, "Simplify"},
        {13110, "Traditional"},
    };
    for (const auto& [id, text] : prompts)
        EXPECT_EQ(strings::prompt(id), text) << id;
}

// Every command of the toolbars and of the menus has a text and a tooltip.
TEST(StringTable, EveryCommandHasPromptAndTooltip) {
    const int commands[] = {1400,  1410,  1420,  1430,  1440,  1450,  1460,  1465, 1470, 1475, 1480,  1485,
                            1490,  1500,  1510,  2000,  3012,  3013,  3014,  3015, 4001, 4002, 4003,  4004,
                            4005,  4006,  4007,  6010,  6020,  6030,  6040,  6050, 6060, 6070, 6080,  6090,
                            6095,  7010,  7011,  7012,  7013,  7014,  7090,  7100, 7110, 7130, 13100, 13110,
                            20010, 20020, 20030, 20040, 28685, 57664, 57667, 57669};
    for (int id : commands) {
        EXPECT_FALSE(strings::prompt(id).empty()) << id;
        EXPECT_FALSE(strings::tooltip(id).empty()) << id;
    }
}

TEST(StringTable, WebAddressesShareTheConfiguredHost) {
    const std::string host = LUMORA_WEB_HOST;
    const std::pair<int, std::string> pages[] = {
        {28705, "/"},
        {28706, "/lessons/mandarin/us/mandarin.htm"},
        {28707, "/lessons/suppus.htm"},
        {28708, "/order/us/order.htm"},
    };
    for (const auto& [id, path] : pages)
        EXPECT_EQ(strings::text(id), host + path) << id;
}

} // namespace
} // namespace lumora
