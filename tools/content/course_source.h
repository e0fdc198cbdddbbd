#pragma once
// The course sources: UTF-8 text files of lessons, stories, tips and help topics, read and checked
// into a model whose texts are already encoded for the content files.
//
// A lesson or story file is line based: "#" starts a comment line, blank lines are ignored, the
// first word of every other line is its key and the rest of the line (trimmed) its value. See
// content/README.md for the keys.
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "foundation/codecs.h"

namespace lumora::content {

// The eight translation languages of a phrase, in page-record order, with their source keys, their
// dictionary codes and their encodings.
struct TranslationLanguage {
    const char* key;    // "fr"
    const char* code;   // "FF"
    std::size_t offset; // translation block in the page record
    FontEncoding encoding;
    const char* encodingName;
};
const std::array<TranslationLanguage, 8>& translationLanguages();

// The seven catalogue title columns, in record order.
struct TitleColumn {
    const char* key; // "title.fr"
    std::size_t offset;
    FontEncoding encoding;
    const char* encodingName;
};
const std::array<TitleColumn, 7>& titleColumns();

struct SourceLocation {
    std::string file; // as shown in messages
    int line = 0;
};

// A phrase of a page or a vocabulary word, encoded.
struct CourseItem {
    SourceLocation where;
    std::string typed;                           // ASCII, as typed
    std::string pinyin;                          // tone-marked, UTF-8
    std::string phonetic;                        // tone-marked, Pinying bytes
    std::string hanzi;                           // UTF-8
    std::string trad;                            // UTF-8 (the simplified text when the source gives none)
    std::array<std::string, 8> translations;     // encoded, in translationLanguages() order
    std::array<std::string, 8> translationsUtf8; // as written
    std::string soundStem;                       // "P" + page + phrase, or "W" + number
    std::string mediaStem;                       // empty when none
};

struct CoursePage {
    SourceLocation where;
    std::vector<CourseItem> phrases; // 1 to 4
};

enum class MediaKind { Video, Metafile };

struct MediaDeclaration {
    SourceLocation where;
    std::string stem;
    MediaKind kind = MediaKind::Video;
    std::string argument; // characters of a video, scene of a metafile
};

// A lesson or a story.
struct CourseUnit {
    SourceLocation where;
    bool story = false;
    std::string stem;
    std::array<std::string, 7> titles;     // encoded, in titleColumns() order
    std::array<std::string, 7> titlesUtf8; // as written
    std::vector<std::string> explanations; // UTF-8 paragraphs
    std::vector<CoursePage> pages;
    std::vector<CourseItem> words;
    std::vector<MediaDeclaration> media;
};

struct TipSource {
    std::string name;  // file name
    std::string bytes; // Windows-1252
};

struct HelpTopicSource {
    int context = 0;
    std::string title;
    std::vector<std::string> paragraphs; // UTF-8, lines of a paragraph joined by a space
};

struct CourseSource {
    std::vector<CourseUnit> lessons;
    std::vector<CourseUnit> stories;
    std::vector<TipSource> tips;
    std::vector<HelpTopicSource> help;         // from help/general.txt
    std::vector<std::filesystem::path> inputs; // every source file read
};

constexpr int kMaxPages = 6;
constexpr int kMaxWords = 999;
constexpr std::size_t kTextLimit = 150;
constexpr std::size_t kTitleLimit = 40;
constexpr std::size_t kTipLimit = 1000;

// The data-file and media stems the sources may use: 1 to 9 characters of A-Z and 0-9.
bool isSourceStem(const std::string& stem);

// Parses one lesson or story file. `displayName` names the file in messages. Problems are appended
// to `errors` as "file:line: message"; the unit is returned even when it has problems.
CourseUnit parseCourseUnit(const std::string& text, const std::string& displayName, bool story,
                           const std::vector<std::string>& scenes, std::vector<std::string>& errors);

// Parses help/general.txt ("topic CONTEXT TITLE" lines, then paragraphs separated by blank lines).
std::vector<HelpTopicSource> parseGeneralHelp(const std::string& text, const std::string& displayName,
                                              std::vector<std::string>& errors);

// Reads a whole source folder: lessons/*.txt and stories/*.txt (in name order), tips/*.txt,
// help/general.txt. Stems must be unique across the course. Problems go to `errors`.
CourseSource loadCourseSource(const std::filesystem::path& dir, const std::vector<std::string>& scenes,
                              std::vector<std::string>& errors);

// Encodes `utf8` (normalised to composed form) for a content field. On a character the encoding
// lacks or on a text longer than `limit` bytes, appends "where: what ..." to `errors`.
std::optional<std::string> encodeChecked(const std::string& utf8, FontEncoding encoding, const char* encodingName,
                                         std::size_t limit, const SourceLocation& where, const std::string& what,
                                         std::vector<std::string>& errors);

// Help context numbers of lesson and story i (from 0).
inline int lessonHelpContext(int i) {
    return (i * 4 + 404) * 25;
}
inline int storyHelpContext(int i) {
    return (i * 4 + 800) * 25;
}

} // namespace lumora::content
