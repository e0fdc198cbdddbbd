#pragma once
// The program's pictures, drawn with QPainter: the command icons of the toolbars and menus, the
// flags of the 21 languages (50 x 35), the phonetic (701), keyboard (702), male-voice (703) and
// female-voice (704) icons, the answer faces "N0", "N50", "N100" and the "ques" and "answer"
// pictures. Everything is vector drawing, so a picture painted into a larger rectangle (a zoomed
// page, a printer) stays sharp.
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace lumora::icons {

// A command icon as it shows while its command is disabled: grey and faint.
QPixmap greyed(const QPixmap& pixmap);
// The icon of a command id (toolbars and menus), in colour and, for its disabled state, greyed; a
// null icon for a command without one.
QIcon commandIcon(int id);
bool hasCommandIcon(int id);
// Paints a command's icon into a square.
void paintCommandIcon(QPainter& p, int id, const QRectF& target);

// Flags. List flags by picture id (18750..19020, 18773 Swiss, 18883 Dutch, 18760 Belgian); button
// flags by name ("us", "canada", ..., "taiwan", compared without regard to case).
constexpr int kFlagWidth = 50;
constexpr int kFlagHeight = 35;
bool hasListFlag(int listFlagId);
QString flagNameOfListFlag(int listFlagId); // empty for an unknown id
void paintFlag(QPainter& p, const QString& name, const QRectF& target);
QPixmap flagPixmap(const QString& name, qreal devicePixelRatio = 1.0);
QPixmap listFlagPixmap(int listFlagId, qreal devicePixelRatio = 1.0);
QPixmap languageFlagPixmap(int languageId, qreal devicePixelRatio = 1.0); // the button flag

// Numbered bitmaps: 701 phonetic, 702 keyboard, 703 male voice, 704 female voice, and the list
// flags. Their natural size is their size in pixels (and in logical units on a page).
QSize bitmapSize(int id); // empty for an unknown id
void paintBitmap(QPainter& p, int id, const QRectF& target);
QPixmap bitmapPixmap(int id, qreal devicePixelRatio = 1.0);

// Named pictures: "N0", "N50", "N100" (answer faces), "ques", "answer", and every flag name.
QSize namedPictureSize(const QString& name);
void paintNamedPicture(QPainter& p, const QString& name, const QRectF& target);
QPixmap namedPixmap(const QString& name, qreal devicePixelRatio = 1.0);

// The program's own icon.
QIcon applicationIcon();

} // namespace lumora::icons
