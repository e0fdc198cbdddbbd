#pragma once
// Fonts and texts of the content on screen: the content's texts are bytes in the encoding of the
// font face that draws them. A face that is installed is used as it is; otherwise a family that has
// the glyphs stands in for it (DejaVu Sans for Western, Vietnamese and pinyin texts, a Thai font, a
// Khmer font, and Noto Sans CJK for ideograms in any text).
#include <string>

#include <QColor>
#include <QFont>
#include <QString>

#include "foundation/codecs.h"
#include "foundation/language_table.h"

namespace lumora {

// The family that draws a face: the face itself when installed, else the fallback of its encoding.
QString familyForFace(const std::string& face, FontEncoding encoding);
// How large the letters of a stand-in family are drawn within the cell of the face it replaces.
double glyphScale(const std::string& face);
// A font of the face whose character cell (ascent + descent) is `cellHeightPx` pixels high.
QFont contentFont(const std::string& face, FontEncoding encoding, double cellHeightPx, int weight = 400);
// The bytes decoded for display.
QString decodeContent(const std::string& bytes, FontEncoding encoding);
// A 0x00BBGGRR colour.
QColor colourOf(ColourRef colour);

} // namespace lumora
