#pragma once
// The font a window shows a language's texts in: the language's default face (normal weight) with
// families behind it that have the glyphs when the face is not installed (Western and pinyin,
// ideograms, Khmer, Thai).
#include <QFont>
#include <QString>
#include <QStringList>

#include "foundation/language_table.h"

namespace lumora {

// `scale` times the face's height in pixels, kept within [least, most]; a language outside 0..20
// is shown as language 0.
QFont languageDisplayFont(LanguageId id, double scale, int least, int most = 1000);

} // namespace lumora
