#pragma once
// The 21 languages: 0-17 are translation languages, 18-20 the three forms of Mandarin Chinese.
#include <string>

#include "foundation/settings_store.h"

namespace lumora {

using LanguageId = int;

constexpr int kLanguageCount = 21;

struct LanguageRow {
    int nameId;               // string-table id of the name
    int listFlag;             // picture id drawn in language list boxes
    const char* flag;         // picture name drawn on the flag button
    const char* section;      // settings section of the language's fonts and colours ("" for Mandarin)
    const char* dictionaryCode;
};

struct DisplayFont {
    std::string face;
    int height;
};

// Colours are 0x00BBGGRR.
using ColourRef = unsigned int;
inline int colourRed(ColourRef c) { return static_cast<int>(c & 0xFF); }
inline int colourGreen(ColourRef c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int colourBlue(ColourRef c) { return static_cast<int>((c >> 16) & 0xFF); }

class ContentLocator;

class LanguageTable {
public:
    static const LanguageRow* row(LanguageId id); // nullptr outside 0..20
    static std::string languageName(LanguageId id); // UTF-8; empty outside 0..20
    static std::string flagPicture(LanguageId id);  // empty outside 0..20
    static int listFlag(int index);                  // 0 outside 0..20
    static std::string section(LanguageId id);       // empty for 18..20 and outside 0..17
    static std::string dictionaryCode(LanguageId id);
    static DisplayFont defaultFont(LanguageId id);
    static ColourRef paletteColour(int index);       // index outside 1..15 gives black
    // The sample word (January) of the Translation page, as bytes in the language's encoding.
    static std::string sampleWord(LanguageId id);
};

// Reads "Course"/"Translate Language" (translation) or "Course"/"Phonetic Language" (default 1)
// and returns that language's section; empty for Mandarin and out-of-range ids.
std::string languageSection(const SettingsStore& store, bool translation);
// "ColorTranslate" / "ColorPhonetic" of that section (default 0) as a palette colour.
ColourRef textColour(const SettingsStore& store, bool translation);
// The pair's dictionary file: program directory copy, else CD-ROM copy, else empty.
std::string dictionaryFile(const ContentLocator& locator, LanguageId from, LanguageId to);
// Offset of the catalogue title a language reads; -1 for none.
int catalogueTitleField(LanguageId id);
// Offset of the lesson page translation block a language reads; -1 for none.
int pageTranslationBlock(LanguageId id);

} // namespace lumora
