#include "foundation/ui/language_font.h"

#include <algorithm>
#include <cmath>

namespace lumora {

QFont languageDisplayFont(LanguageId id, double scale, int least, int most) {
    const DisplayFont f = LanguageTable::defaultFont(id >= 0 && id <= 20 ? id : 0);
    const QString face = QString::fromUtf8(f.face.data(), static_cast<qsizetype>(f.face.size()));
    QFont font(face);
    font.setFamilies({face, QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Khmer OS"), QStringLiteral("Loma")});
    font.setPixelSize(std::clamp(static_cast<int>(f.height * scale), least, std::max(least, most)));
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace lumora
