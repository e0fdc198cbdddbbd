#include "resources/string_table.h"

#include <cstddef>
#include <map>

namespace lumora::strings {

namespace {

struct Entry {
    int id;
    const char* text;
};

// A command's entry is its text, a line feed and its tooltip. Message texts keep their exact
// spacing and punctuation: callers build sentences from them ("At the next startup, go back to : "
// is followed directly by a job's name) and fill their %1/%2 or printf fields.
constexpr Entry kEntries[] = {
    // ------------------------------------------------------------ application
    {1600, "Lumora"},
    {28674, "Lumora"},
    {57344, "4.0"},
    {9740, "Version 4.02 (32 bits) for Microsoft Windows(tm) 95 or Microsoft Windows(tm) NT 3.51"},
    {10000, "About %1"},
    {6193, "Available memory (RAM) : %6d Kb on %6d Kb"},
    {6194, "Free space on this disk : %10d Mb on %10d Mb"},

    // ------------------------------------------------------------ activities (main frame)
    {1400, "Lessons list\nChoose a lesson of the course"},
    {1410, "The course\nStudy the current lesson page by page"},
    {1420, "Keyboard learning\nType the phrases of the current page"},
    {1430, "Voice studio\nRecord your voice and compare it with the model voices"},
    {1440, "Course Summary\nSee a summary of the course"},
    {1450, "Bilingual dictionary\nLook up a word or phrase in two languages"},
    {1460, "Verify your learning\nCheck the words and phrases of the current lesson"},
    {1465, "Graph of your 30 last scores : Verify your learning\n"
           "Graph of your 30 last scores : Verify your learning"},
    {1470, "Find a word or phrase from a picture\nFind the word or phrase that a picture shows"},
    {1475, "Graph of your 30 last scores : Find a word from picture\n"
           "Graph of your 30 last scores : Find a word from picture"},
    {1480, "Find a translation of a word or phrase\nChoose the right translation of a word or phrase"},
    {1485, "Graph of your 30 last scores : Find a translation\n"
           "Graph of your 30 last scores : Find a translation"},
    {1490, "Reading Course\nChoose a story of the reading course"},
    {1500, "Preference\nChoose the start-up, translation and end-of-lesson preferences"},
    {1510, "Record my voice into drive ...\nChoose the folder where your recordings and scores are kept"},
    {7130, "Reset the counter to zero at the next startup\nClear the usage time when the program ends"},
    {2000, "Tip of the Day\nShow a tip on using the course"},

    // ------------------------------------------------------------ activity templates (title strings)
    {1540, "Lessons list"},
    {10010, "The course"},
    {10030, "Voice studio"},
    {10050, "Keyboard learning"},
    {10060, "Graph of your 30 last scores"},
    {12002, "Verify your learning"},
    {13007, "Bilingual dictionary"},
    {13011, "Find a word or phrase from a picture"},
    {13012, "Find a translation of a word or phrase"},

    // ------------------------------------------------------------ course navigation and playback
    {6010, "Previous story\nGo to the previous lesson"},
    {6020, "Fast reversed\nTurn the pages backwards quickly"},
    {6030, "Slow reversed\nTurn the pages backwards slowly"},
    {6040, "Previous page\nGo to the previous page"},
    {6050, "Stop scrolling\nStop turning the pages"},
    {6060, "Next page\nGo to the next page"},
    {6070, "Slow forward\nTurn the pages forwards slowly"},
    {6080, "Fast forward\nTurn the pages forwards quickly"},
    {6090, "Next story\nGo to the next lesson"},
    {6095, "Direct access to page ...\nGo straight to a page of any lesson"},
    {7010, "Listen phrase 1\nListen to the first phrase"},
    {7011, "Listen phrase 2\nListen to the second phrase"},
    {7012, "Listen phrase 3\nListen to the third phrase"},
    {7013, "Listen phrase 4\nListen to the fourth phrase"},
    {7014, "Listen all phrases\nListen to the four phrases of the page"},
    {7090, "Select the language to use for phonetic\nChoose the phonetic language"},
    {7100, "Select the language to use for translation\nChoose the translation language"},
    {7110, "Current lesson's explanation\nRead the explanation of the current lesson"},
    {3012, "Select/Unselect keymap guide\nShow or hide the keymap guide"},
    {3013, "Select/Unselect phonetic\nShow or hide the phonetic lines"},
    {3014, "Select/Unselect Text off\nShow or hide the texts"},
    {3015, "Select/Unselect translation\nShow or hide the translation lines"},
    {13100, "Simplify\nShow the ideograms in simplified characters"},
    {13110, "Traditional\nShow the ideograms in traditional characters"},
    {32771, "Fonts\nChoose the font of the texts"},

    // ------------------------------------------------------------ edit commands (no handler)
    {3000, "Undo\nUndo the last action"},
    {3001, "Cut\nCut the selection to the clipboard"},
    {3002, "Copy\nCopy the selection to the clipboard"},
    {3003, "Paste\nPaste the clipboard"},
    {3004, "Delete\nDelete the selection"},

    // ------------------------------------------------------------ zoom
    {4001, "Zoom 50 %\nShow the page at 50 %"},
    {4002, "Zoom 75 %\nShow the page at 75 %"},
    {4003, "Zoom 90 %\nShow the page at 90 %"},
    {4004, "Zoom 100 %\nShow the page at 100 %"},
    {4005, "Zoom 150 %\nShow the page at 150 %"},
    {4006, "Zoom 200 %\nShow the page at 200 %"},
    {4007, "Zoom 300 %\nShow the page at 300 %"},
    {4010, "Fit page\nShow the whole page in the window"},

    // ------------------------------------------------------------ help and web
    {57664, "About ...\nShow the version, the free memory and the free disk space"},
    {57666, "Help\nOpen the help at its contents"},
    {57667, "Help ...\nFind a help topic"},
    {57669, "Context help\nClick on an item to get help on it"},
    {20010, "Lesson homepage\nOpen the lessons' web page"},
    {20020, "Home page\nOpen the home page on the web"},
    {20030, "Download the patch\nOpen the web page of the latest patch"},
    {20040, "Online order\nOpen the online order form"},
    {28705, LUMORA_WEB_HOST "/"},
    {28706, LUMORA_WEB_HOST "/lessons/mandarin/us/mandarin.htm"},
    {28707, LUMORA_WEB_HOST "/lessons/suppus.htm"},
    {28708, LUMORA_WEB_HOST "/order/us/order.htm"},

    // ------------------------------------------------------------ messages
    {12003, "Do you want to verify your learning of : %1?"},
    {12004, "Congratulation, you have answered correctly to all questions. Please select another exercices !"},
    {12005, "Congratulation, you have answered correctly to all questions. We will begin a new lesson"},
    {12009, "This option will be available in the future"},
    {12010, "Save your data into ..."},
    {14330, "You can't selected the same language !"},
    {14340, "Sorry, the dictionary %1-%2 are not available"},
    {14350, "The dictionary could not be exported:\n%1"},
    {14360, "Please wait ..."},
    {28670, "Good answer %1 on %2."},
    {28671, "Good answers %1 on %2."},
    {28672, "Your success rate is : %1."},
    {28690, "At the next startup, go back to : "},
    {28692, "No item to feed your choice !!!"},

    // ------------------------------------------------------------ captions and labels
    {28684, "Dictionary"},
    {28685, "Export as...\nExport the dictionary of the pair as a text file"},
    {28696, "Export as ..."},
    {28697, "Ignore tones and spaces"},
    {28691, "Success rate"},
    {28693, "Male voice"},
    {28694, "Female voice"},
    {28695, "Your voice"},
    {13003, "To select the translation parameters"},
    {9710, "Plese select your language"},
    {104, "Tip of the Day"},
    {15025, "Message"},
    {18010, "Startup"},
    {18015, "Translation"},
    {18035, "End of lesson"},
    {28703, "Direct access to page ..."},
    {28704, "Direct access to page ..."},

    // ------------------------------------------------------------ status bar indicators
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {28688, "TEST"},
    {28689, "TEST"},

    // ------------------------------------------------------------ language names
    {18800, "English (US)"},
    {18810, "English (Canada)"},
    {18830, "English"},
    {18820, "English (South-Africa)"},
    {18840, "English Australian"},
    {18750, "French"},
    {18760, "French (Belgium)"},
    {18770, "French"},
    {18790, "French"},
    {18850, "German"},
    {18860, "German (Switzerland)"},
    {18870, "Spanish"},
    {18880, "Dutch"},
    {18890, "Dutch"},
    {18900, "Khmer"},
    {18910, "Thai"},
    {18920, "Vietnamese"},
    {18930, "Vietnamese"},
    {19000, "Mandarin Chinese"},
    {19010, "Mandarin Chinese"},
    {19020, "Mandarin Chinese"},
};

constexpr bool idsAreUnique() {
    constexpr std::size_t n = sizeof(kEntries) / sizeof(kEntries[0]);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (kEntries[i].id == kEntries[j].id) return false;
    return true;
}
static_assert(idsAreUnique(), "a string id is listed twice");

const std::map<int, std::string>& table() {
    static const std::map<int, std::string> t = [] {
        std::map<int, std::string> m;
        for (const Entry& e : kEntries)
            m.emplace(e.id, e.text);
        return m;
    }();
    return t;
}

} // namespace

std::string text(int id) {
    auto it = table().find(id);
    return it == table().end() ? std::string() : it->second;
}

std::string prompt(int id) {
    const std::string t = text(id);
    return t.substr(0, t.find('\n'));
}

std::string tooltip(int id) {
    const std::string t = text(id);
    const auto nl = t.find('\n');
    return nl == std::string::npos ? std::string() : t.substr(nl + 1);
}

bool has(int id) {
    return table().count(id) != 0;
}

} // namespace lumora::strings
