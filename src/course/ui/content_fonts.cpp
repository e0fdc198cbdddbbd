#include "course/ui/content_fonts.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

namespace lumora {

namespace {
bool installed(const QString& family) {
    static QHash<QString, bool> known;
    const auto it = known.constFind(family);
    if (it != known.constEnd()) return *it;
    const bool has = QFontDatabase::hasFamily(family);
    known.insert(family, has);
    return has;
}

QString firstInstalled(std::initializer_list<const char*> families) {
    for (const char* f : families)
        if (installed(QString::fromLatin1(f))) return QString::fromLatin1(f);
    return QString::fromLatin1(*families.begin());
}

QString fallbackOf(FontEncoding encoding) {
    switch (encoding) {
    case FontEncoding::Tis620: return firstInstalled({"Loma", "Garuda", "Norasi", "Noto Sans Thai", "DejaVu Sans"});
    case FontEncoding::Khmer: return firstInstalled({"Khmer OS", "Khmer OS System", "Noto Sans Khmer", "DejaVu Sans"});
    case FontEncoding::Windows1252:
    case FontEncoding::Viscii:
    case FontEncoding::Pinying: break;
    }
    return firstInstalled({"DejaVu Sans", "Noto Sans", "Nimbus Sans"});
}
} // namespace

QString familyForFace(const std::string& face, FontEncoding encoding) {
    const QString f = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    if (!f.isEmpty() && installed(f)) return f;
    return fallbackOf(encoding);
}

double glyphScale(const std::string& face) {
    // The pinyin face keeps room above its letters for the tone marks: its letters fill about six
    // tenths of its character cell. A family standing in for it is drawn at that size, so that the
    // phonetic lines, 50 units apart, do not run into each other.
    const QString f = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    if (f.compare(QStringLiteral("Pinying"), Qt::CaseInsensitive) == 0 && !installed(f)) return 0.62;
    return 1.0;
}

QFont contentFont(const std::string& face, FontEncoding encoding, double cellHeightPx, int weight) {
    QFont font;
    const QString family = familyForFace(face, encoding);
    cellHeightPx *= glyphScale(face);
    font.setFamilies({family, fallbackOf(encoding), QStringLiteral("Noto Sans CJK SC")});
    font.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    const double cell = std::max(1.0, cellHeightPx);
    font.setPixelSize(std::max(1, qRound(cell)));
    // The character cell of GDI heights is ascent + descent: scale the em size to match it.
    const QFontMetricsF fm(font);
    if (fm.height() > 0) font.setPixelSize(std::max(1, qRound(cell * cell / fm.height())));
    return font;
}

QString decodeContent(const std::string& bytes, FontEncoding encoding) {
    const std::string utf8 = decodeText(bytes, encoding);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QColor colourOf(ColourRef c) { return QColor(colourRed(c), colourGreen(c), colourBlue(c)); }

} // namespace lumora
