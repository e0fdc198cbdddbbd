#pragma once
// The help file (program directory + "HELP\WIN32\LESSONGB.HLP"): a UTF-8 text file of topics keyed
// by context number.
//
//   LUMORA HELP 1
//   @topic 0 Contents
//   First paragraph.
//
//   Second paragraph, first line
//   second line of the same paragraph
//   @topic 10100 Lesson 1: Greetings
//   ...
//
// The first line names the format. "@topic CONTEXT TITLE" starts a topic; the lines after it, up to
// the next topic, are its text: blank lines separate paragraphs and the lines of one paragraph are
// kept apart by line feeds. A text line that begins with "@" is written with a second "@" in front.
// Other lines beginning with "@" are directives this version does not know and are skipped.
#include <string>
#include <vector>

namespace lumora {

struct HelpTopic {
    int context = 0;
    std::string title;
    std::vector<std::string> paragraphs;
};

// Reads the topics of a help file in file order. Tolerant: a missing or different first line gives no
// topics; a topic line whose context number cannot be read is dropped together with its text; text
// before the first topic is ignored; CR LF line ends and a leading byte-order mark are accepted.
std::vector<HelpTopic> parseHelpFile(const std::string& text);

// Writes topics in the format above (line feeds inside a paragraph stay line breaks; blank lines
// inside a paragraph are dropped so that it stays one paragraph).
std::string formatHelpFile(const std::vector<HelpTopic>& topics);

// The topic of a context number, or nullptr.
const HelpTopic* findHelpTopic(const std::vector<HelpTopic>& topics, int context);

} // namespace lumora
