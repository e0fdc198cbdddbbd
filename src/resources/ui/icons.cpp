#include "resources/ui/icons.h"

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "foundation/language_table.h"

namespace lumora::icons {

namespace {

// ------------------------------------------------------------------ small drawing helpers

// Runs `draw` in a coordinate system of `w` x `h` units mapped onto `target`.
template <typename F>
void inBox(QPainter& p, const QRectF& target, qreal w, qreal h, F draw) {
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / w, target.height() / h);
    draw();
    p.restore();
}

QPolygonF starPolygon(QPointF c, qreal outer, qreal inner, int points, qreal rotationDeg = -90) {
    QPolygonF poly;
    for (int i = 0; i < points * 2; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = (rotationDeg + i * 180.0 / points) * std::numbers::pi / 180.0;
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return poly;
}

void star(QPainter& p, QPointF c, qreal r, const QColor& colour, qreal rotationDeg = -90, int points = 5) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(starPolygon(c, r, r * (points == 5 ? 0.382 : 0.45), points, rotationDeg));
}

void band(QPainter& p, const QRectF& r, const QColor& c) { p.fillRect(r, c); }

// ------------------------------------------------------------------ flags (50 x 35 units)

constexpr qreal W = 50, H = 35;

void unionJack(QPainter& p, const QRectF& r) {
    p.save();
    p.setClipRect(r);
    p.fillRect(r, QColor(0x01, 0x21, 0x69));
    const qreal t = r.height();
    QPen white(Qt::white, t * 0.2, Qt::SolidLine, Qt::FlatCap);
    QPen red(QColor(0xC8, 0x10, 0x2E), t * 0.0667, Qt::SolidLine, Qt::FlatCap);
    p.setPen(white);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(red);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(QPen(Qt::white, t * 0.333, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), t * 0.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.restore();
}

void verticalTricolour(QPainter& p, QColor a, QColor b, QColor c) {
    band(p, QRectF(0, 0, W / 3, H), a);
    band(p, QRectF(W / 3, 0, W / 3, H), b);
    band(p, QRectF(2 * W / 3, 0, W / 3 + 0.01, H), c);
}

void horizontalTricolour(QPainter& p, QColor a, QColor b, QColor c) {
    band(p, QRectF(0, 0, W, H / 3), a);
    band(p, QRectF(0, H / 3, W, H / 3), b);
    band(p, QRectF(0, 2 * H / 3, W, H / 3 + 0.01), c);
}

void mapleLeaf(QPainter& p, QPointF c, qreal s, const QColor& colour) {
    // A maple leaf in a 2 x 2 box around c (s = half size), stem at the bottom.
    static const qreal pts[][2] = {
        {0, -1.0},    {0.17, -0.68}, {0.35, -0.78}, {0.30, -0.30}, {0.62, -0.62}, {0.66, -0.45},
        {0.95, -0.52}, {0.84, -0.22}, {0.98, -0.14}, {0.60, 0.20},  {0.68, 0.38},  {0.06, 0.30},
        {0.06, 0.78}, {-0.06, 0.78}, {-0.06, 0.30}, {-0.68, 0.38}, {-0.60, 0.20}, {-0.98, -0.14},
        {-0.84, -0.22}, {-0.95, -0.52}, {-0.66, -0.45}, {-0.62, -0.62}, {-0.30, -0.30}, {-0.35, -0.78},
        {-0.17, -0.68},
    };
    QPolygonF poly;
    for (const auto& q : pts) poly << QPointF(c.x() + q[0] * s, c.y() + q[1] * s);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(poly);
}

void fleurDeLis(QPainter& p, QPointF c, qreal s) {
    // A simple lily: a central petal, two curled side petals and a band.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath mid;
    mid.moveTo(c.x(), c.y() - s);
    mid.cubicTo(c.x() + 0.45 * s, c.y() - 0.5 * s, c.x() + 0.3 * s, c.y() + 0.1 * s, c.x(), c.y() + 0.35 * s);
    mid.cubicTo(c.x() - 0.3 * s, c.y() + 0.1 * s, c.x() - 0.45 * s, c.y() - 0.5 * s, c.x(), c.y() - s);
    p.drawPath(mid);
    for (int side : {-1, 1}) {
        QPainterPath petal;
        petal.moveTo(c.x() + side * 0.1 * s, c.y() + 0.15 * s);
        petal.cubicTo(c.x() + side * 0.9 * s, c.y() - 0.2 * s, c.x() + side * 1.0 * s, c.y() - 0.75 * s,
                      c.x() + side * 0.55 * s, c.y() - 0.55 * s);
        petal.cubicTo(c.x() + side * 0.75 * s, c.y() - 0.2 * s, c.x() + side * 0.5 * s, c.y() + 0.2 * s,
                      c.x() + side * 0.1 * s, c.y() + 0.35 * s);
        petal.closeSubpath();
        p.drawPath(petal);
    }
    p.drawRect(QRectF(c.x() - 0.5 * s, c.y() + 0.3 * s, s, 0.16 * s));
    p.drawRect(QRectF(c.x() - 0.12 * s, c.y() + 0.46 * s, 0.24 * s, 0.45 * s));
}

void paintFlagContent(QPainter& p, const QString& lowerName) {
    const QString& n = lowerName;
    if (n == "us") {
        for (int i = 0; i < 13; ++i) band(p, QRectF(0, i * H / 13, W, H / 13 + 0.01), i % 2 ? Qt::white : QColor(0xB2, 0x22, 0x34));
        const QRectF canton(0, 0, W * 0.4, H * 7 / 13);
        band(p, canton, QColor(0x3C, 0x3B, 0x6E));
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < (row % 2 ? 5 : 6); ++col) {
                const qreal x = canton.left() + (col + (row % 2 ? 1.0 : 0.5)) * canton.width() / 6.2;
                const qreal y = canton.top() + (row + 0.6) * canton.height() / 5.2;
                star(p, QPointF(x, y), 1.15, Qt::white);
            }
    } else if (n == "canada") {
        band(p, QRectF(0, 0, W, H), Qt::white);
        band(p, QRectF(0, 0, W / 4, H), QColor(0xD8, 0x06, 0x21));
        band(p, QRectF(3 * W / 4, 0, W / 4, H), QColor(0xD8, 0x06, 0x21));
        mapleLeaf(p, QPointF(W / 2, H / 2 - 0.5), 10, QColor(0xD8, 0x06, 0x21));
    } else if (n == "uk") {
        unionJack(p, QRectF(0, 0, W, H));
    } else if (n == "safrica") {
        const QColor red(0xE0, 0x3C, 0x31), blue(0x00, 0x14, 0x89), green(0x00, 0x77, 0x49), gold(0xFF, 0xB8, 0x1C);
        band(p, QRectF(0, 0, W, H / 2), red);
        band(p, QRectF(0, H / 2, W, H / 2), blue);
        QPainterPath y;
        y.moveTo(-4, -2.8);
        y.lineTo(19, H / 2);
        y.lineTo(-4, H + 2.8);
        y.moveTo(19, H / 2);
        y.lineTo(W + 1, H / 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, H * (1.0 / 5 + 2.0 / 15), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(y);
        p.setPen(QPen(green, H / 5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(y);
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        p.drawPolygon(QPolygonF({QPointF(0, 5.6), QPointF(15.3, H / 2), QPointF(0, H - 5.6)}));
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygonF({QPointF(0, 8.2), QPointF(11.7, H / 2), QPointF(0, H - 8.2)}));
    } else if (n == "australi") {
        band(p, QRectF(0, 0, W, H), QColor(0x01, 0x21, 0x69));
        unionJack(p, QRectF(0, 0, W / 2, H / 2));
        star(p, QPointF(12.5, 26.3), 3.6, Qt::white, -90, 7);
        star(p, QPointF(37.5, 29.2), 1.9, Qt::white, -90, 7);
        star(p, QPointF(31.2, 15.7), 1.9, Qt::white, -90, 7);
        star(p, QPointF(37.5, 5.8), 1.9, Qt::white, -90, 7);
        star(p, QPointF(43.1, 13.3), 1.9, Qt::white, -90, 7);
        star(p, QPointF(39.7, 18.9), 1.0, Qt::white);
    } else if (n == "france") {
        verticalTricolour(p, QColor(0x00, 0x55, 0xA4), Qt::white, QColor(0xEF, 0x41, 0x35));
    } else if (n == "belgium") {
        verticalTricolour(p, QColor(0x1A, 0x1A, 0x1A), QColor(0xFD, 0xDA, 0x24), QColor(0xEF, 0x33, 0x40));
    } else if (n == "suisse") {
        band(p, QRectF(0, 0, W, H), QColor(0xDA, 0x29, 0x1C));
        band(p, QRectF(W / 2 - 3.2, H / 2 - 11, 6.4, 22), Qt::white);
        band(p, QRectF(W / 2 - 11, H / 2 - 3.2, 22, 6.4), Qt::white);
    } else if (n == "quebec") {
        band(p, QRectF(0, 0, W, H), QColor(0x00, 0x3D, 0xA5));
        band(p, QRectF(W / 2 - 2.6, 0, 5.2, H), Qt::white);
        band(p, QRectF(0, H / 2 - 2.6, W, 5.2), Qt::white);
        for (QPointF c : {QPointF(W / 4, H / 4), QPointF(3 * W / 4, H / 4), QPointF(W / 4, 3 * H / 4),
                          QPointF(3 * W / 4, 3 * H / 4)})
            fleurDeLis(p, c, 5.2);
    } else if (n == "allemand") {
        horizontalTricolour(p, QColor(0x1A, 0x1A, 0x1A), QColor(0xDD, 0x00, 0x00), QColor(0xFF, 0xCE, 0x00));
    } else if (n == "spain") {
        band(p, QRectF(0, 0, W, H), QColor(0xAA, 0x15, 0x1B));
        band(p, QRectF(0, H / 4, W, H / 2), QColor(0xF1, 0xBF, 0x00));
        // A small shield on the hoist side.
        p.setPen(QPen(QColor(0x8A, 0x10, 0x15), 0.6));
        p.setBrush(QColor(0xC8, 0x3A, 0x2A));
        QPainterPath shield;
        shield.moveTo(12, 12.5);
        shield.lineTo(20, 12.5);
        shield.lineTo(20, 19.5);
        shield.quadTo(20, 23, 16, 23);
        shield.quadTo(12, 23, 12, 19.5);
        shield.closeSubpath();
        p.drawPath(shield);
        p.fillRect(QRectF(16, 12.8, 3.7, 5), QColor(0xF1, 0xBF, 0x00));
    } else if (n == "dutch") {
        horizontalTricolour(p, QColor(0xAE, 0x1C, 0x28), Qt::white, QColor(0x21, 0x46, 0x8B));
    } else if (n == "cambodge") {
        band(p, QRectF(0, 0, W, H), QColor(0x03, 0x2E, 0xA1));
        band(p, QRectF(0, H / 4, W, H / 2), QColor(0xE0, 0x00, 0x25));
        // The temple: a base and three towers, white with dark outlines.
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 0.35));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(14, 22.5, 22, 2.2));
        p.drawRect(QRectF(16, 19.5, 18, 3));
        for (qreal x : {18.5, 25.0, 31.5}) {
            const qreal h = x == 25.0 ? 10.5 : 7.5;
            QPolygonF tower({QPointF(x - 2.2, 19.5), QPointF(x - 1.6, 19.5 - h * 0.6), QPointF(x, 19.5 - h),
                             QPointF(x + 1.6, 19.5 - h * 0.6), QPointF(x + 2.2, 19.5)});
            p.drawPolygon(tower);
        }
    } else if (n == "thai") {
        const QColor red(0xA5, 0x19, 0x31), blue(0x2D, 0x2A, 0x4A);
        const qreal u = H / 6;
        band(p, QRectF(0, 0, W, u), red);
        band(p, QRectF(0, u, W, u), Qt::white);
        band(p, QRectF(0, 2 * u, W, 2 * u), blue);
        band(p, QRectF(0, 4 * u, W, u), Qt::white);
        band(p, QRectF(0, 5 * u, W, u + 0.01), red);
    } else if (n == "vietnam") {
        band(p, QRectF(0, 0, W, H), QColor(0xDA, 0x25, 0x1D));
        star(p, QPointF(W / 2, H / 2 + 0.8), 10, QColor(0xFF, 0xFF, 0x00));
    } else if (n == "oldviet") {
        band(p, QRectF(0, 0, W, H), QColor(0xFF, 0xDA, 0x00));
        for (int i = 0; i < 3; ++i) band(p, QRectF(0, H / 3 + (2 * i) * H / 27, W, H / 27), QColor(0xDA, 0x25, 0x1D));
    } else if (n == "chine") {
        band(p, QRectF(0, 0, W, H), QColor(0xEE, 0x1C, 0x25));
        const QColor y(0xFF, 0xFF, 0x00);
        const qreal u = H / 20;
        star(p, QPointF(5 * u, 5 * u), 3 * u, y);
        const QPointF small[] = {{10 * u, 2 * u}, {12 * u, 4 * u}, {12 * u, 7 * u}, {10 * u, 9 * u}};
        for (QPointF c : small) {
            const qreal a = std::atan2(5 * u - c.y(), 5 * u - c.x()) * 180.0 / std::numbers::pi;
            star(p, c, u, y, a);
        }
    } else if (n == "singapor") {
        band(p, QRectF(0, 0, W, H / 2), QColor(0xEF, 0x33, 0x40));
        band(p, QRectF(0, H / 2, W, H / 2), Qt::white);
        QPainterPath moon;
        moon.addEllipse(QPointF(11, 8.75), 5.6, 5.6);
        QPainterPath bite;
        bite.addEllipse(QPointF(13.2, 8.75), 5.2, 5.2);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(moon.subtracted(bite));
        const QPointF c(16.2, 8.9);
        for (int i = 0; i < 5; ++i) {
            const qreal a = (-90 + i * 72) * std::numbers::pi / 180.0;
            star(p, QPointF(c.x() + 2.9 * std::cos(a), c.y() + 2.9 * std::sin(a)), 1.05, Qt::white);
        }
    } else if (n == "taiwan") {
        band(p, QRectF(0, 0, W, H), QColor(0xFE, 0x00, 0x00));
        band(p, QRectF(0, 0, W / 2, H / 2), QColor(0x00, 0x00, 0x95));
        const QPointF c(W / 4, H / 4);
        star(p, c, 6.3, Qt::white, -90, 12);
        p.setBrush(QColor(0x00, 0x00, 0x95));
        p.drawEllipse(c, 3.5, 3.5);
        p.setBrush(Qt::white);
        p.drawEllipse(c, 3.0, 3.0);
    } else {
        // An unknown name: a neutral grey field.
        band(p, QRectF(0, 0, W, H), QColor(0xC8, 0xC8, 0xC8));
    }
}

const std::map<int, const char*>& listFlagNames() {
    static const std::map<int, const char*> m = {
        {18800, "us"},      {18810, "canada"},   {18830, "uk"},       {18820, "safrica"}, {18840, "australi"},
        {18750, "france"},  {18760, "belgium"},  {18773, "suisse"},   {18790, "quebec"},  {18850, "allemand"},
        {18870, "spain"},   {18883, "dutch"},    {18900, "Cambodge"}, {18910, "Thai"},    {18920, "vietnam"},
        {18930, "OldViet"}, {19000, "chine"},    {19010, "singapor"}, {19020, "taiwan"},
    };
    return m;
}

bool isFlagName(const QString& lower) {
    for (const auto& [id, name] : listFlagNames())
        if (lower == QString::fromLatin1(name).toLower()) return true;
    return false;
}

// ------------------------------------------------------------------ numbered bitmaps

const QColor kInk(0x37, 0x47, 0x4F);

void paintPhonetic(QPainter& p) { // 48 x 36
    QLinearGradient g(0, 0, 0, 36);
    g.setColorAt(0, QColor(0xFF, 0xB7, 0x4D));
    g.setColorAt(1, QColor(0xF5, 0x7C, 0x00));
    p.setPen(QPen(QColor(0xB2, 0x5A, 0x00), 1.2));
    p.setBrush(g);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2, 2, 44, 26), 7, 7);
    QPolygonF tail({QPointF(10, 26), QPointF(8, 34), QPointF(18, 26)});
    QPainterPath t;
    t.addPolygon(tail);
    bubble = bubble.united(t);
    p.drawPath(bubble);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 1, 44, 27), Qt::AlignCenter, QString::fromUtf8("\xC4\x81" "a"));
}

void paintKeyboard(QPainter& p) { // 48 x 36
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(QColor(0xEC, 0xEF, 0xF1));
    p.drawRoundedRect(QRectF(2, 7, 44, 24), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 8 - (row == 2 ? 0 : 0); ++col) {
            if (row == 2 && (col < 2 || col > 5)) continue;
            const qreal x = 5.5 + col * 4.9 + (row == 1 ? 2 : 0);
            if (x > 41) continue;
            p.drawRoundedRect(QRectF(x, 10.5 + row * 6, 3.6, 4), 0.8, 0.8);
        }
    p.drawRoundedRect(QRectF(15.3, 22.5, 17.5, 4), 0.8, 0.8);
}

void paintPerson(QPainter& p, bool female) { // 40 x 40
    const QColor body = female ? QColor(0xD8, 0x1B, 0x60) : QColor(0x19, 0x76, 0xD2);
    const QColor dark = female ? QColor(0x88, 0x0E, 0x4F) : QColor(0x0D, 0x47, 0xA1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 0));
    // Shoulders.
    QPainterPath shoulders;
    shoulders.moveTo(5, 39);
    shoulders.cubicTo(5, 27, 12, 24, 20, 24);
    shoulders.cubicTo(28, 24, 35, 27, 35, 39);
    shoulders.closeSubpath();
    p.setBrush(body);
    p.drawPath(shoulders);
    if (female) {
        // Long hair behind the head.
        p.setBrush(dark);
        QPainterPath hair;
        hair.moveTo(10.5, 25);
        hair.cubicTo(8.5, 10, 12, 3, 20, 3);
        hair.cubicTo(28, 3, 31.5, 10, 29.5, 25);
        hair.closeSubpath();
        p.drawPath(hair);
    }
    p.setBrush(QColor(0xFF, 0xCC, 0xA8));
    p.drawEllipse(QPointF(20, 14), 7, 8);
    p.setBrush(dark);
    if (female) {
        QPainterPath fringe;
        fringe.moveTo(12.6, 13);
        fringe.cubicTo(13, 6, 27, 6, 27.4, 13);
        fringe.cubicTo(24, 9.5, 17, 9, 12.6, 13);
        p.drawPath(fringe);
    } else {
        QPainterPath hair;
        hair.moveTo(12.8, 12.5);
        hair.cubicTo(12, 4.5, 28, 4.5, 27.2, 12.5);
        hair.cubicTo(24, 8.5, 16, 8.5, 12.8, 12.5);
        p.drawPath(hair);
    }
    // Collar.
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(16.5, 24.3), QPointF(20, 29), QPointF(23.5, 24.3)}));
}

void paintFace(QPainter& p, int score) { // 64 x 64
    const QColor fill = score >= 100 ? QColor(0x66, 0xBB, 0x6A) : score >= 50 ? QColor(0xFF, 0xCA, 0x28) : QColor(0xEF, 0x53, 0x50);
    const QColor line = fill.darker(170);
    p.setPen(QPen(line, 2.5));
    p.setBrush(fill);
    p.drawEllipse(QPointF(32, 32), 28, 28);
    p.setBrush(line);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(22, 25), 3.5, 4.5);
    p.drawEllipse(QPointF(42, 25), 3.5, 4.5);
    p.setPen(QPen(line, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    mouth.moveTo(19, 42);
    if (score >= 100)
        mouth.quadTo(32, 54, 45, 42);
    else if (score >= 50)
        mouth.lineTo(45, 42);
    else {
        mouth.moveTo(19, 47);
        mouth.quadTo(32, 36, 45, 47);
    }
    p.drawPath(mouth);
}

void paintQuestion(QPainter& p) { // 64 x 64
    p.setPen(QPen(QColor(0x15, 0x65, 0xC0), 2.5));
    p.setBrush(QColor(0x42, 0xA5, 0xF5));
    p.drawEllipse(QPointF(32, 32), 28, 28);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 56, 56), Qt::AlignCenter, QStringLiteral("?"));
}

void paintAnswer(QPainter& p) { // 64 x 64
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 2.5));
    p.setBrush(QColor(0xE8, 0xF5, 0xE9));
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(4, 6, 56, 40), 10, 10);
    QPainterPath tail;
    tail.addPolygon(QPolygonF({QPointF(16, 44), QPointF(12, 60), QPointF(30, 44)}));
    p.drawPath(bubble.united(tail));
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(19, 26), QPointF(28, 35), QPointF(45, 17)}));
}

// ------------------------------------------------------------------ command icons (24 x 24)

QColor accentOf(int id) {
    switch (id) {
    case 1460:
    case 1465: return QColor(0x2E, 0x7D, 0x32);
    case 1470:
    case 1475: return QColor(0x6A, 0x1B, 0x9A);
    case 1480:
    case 1485: return QColor(0xE6, 0x51, 0x00);
    default: return QColor(0x15, 0x65, 0xC0);
    }
}

void triangle(QPainter& p, qreal x, qreal cy, qreal w, qreal h, bool right, const QColor& c) {
    p.setPen(QPen(c.darker(130), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    if (right)
        p.drawPolygon(QPolygonF({QPointF(x, cy - h / 2), QPointF(x + w, cy), QPointF(x, cy + h / 2)}));
    else
        p.drawPolygon(QPolygonF({QPointF(x + w, cy - h / 2), QPointF(x, cy), QPointF(x + w, cy + h / 2)}));
}

void barChart(QPainter& p, const QColor& accent) {
    p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
    p.setPen(Qt::NoPen);
    const qreal heights[] = {7, 12, 9, 15};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 3 ? accent : accent.lighter(150));
        p.drawRect(QRectF(5.5 + i * 4, 20 - heights[i], 3, heights[i]));
    }
}

void badge(QPainter& p, const QColor& c, const QString& text) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(c);
    p.drawEllipse(QPointF(18.5, 5.5), 5, 5);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(13.5, 0.5, 10, 10), Qt::AlignCenter, text);
}

void speaker(QPainter& p, const QColor& c) {
    p.setPen(QPen(c.darker(140), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(2.5, 9), QPointF(6.5, 9), QPointF(11.5, 4.5), QPointF(11.5, 19.5),
                             QPointF(6.5, 15), QPointF(2.5, 15)}));
}

void textIn(QPainter& p, const QRectF& r, const QString& text, int px, bool bold, const QColor& c,
            const QString& family = QStringLiteral("DejaVu Sans")) {
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void gear(QPainter& p) {
    const QPointF c(12, 12);
    QPolygonF teeth;
    for (int i = 0; i < 32; ++i) {
        const qreal a = i * std::numbers::pi / 16;
        const qreal r = (i % 4 < 2) ? 10.5 : 8;
        teeth << QPointF(c.x() + r * std::cos(a + std::numbers::pi / 32), c.y() + r * std::sin(a + std::numbers::pi / 32));
    }
    QPainterPath path;
    path.addPolygon(teeth);
    path.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 3.5, 3.5);
    p.setPen(QPen(kInk.darker(120), 1));
    p.setBrush(QColor(0x78, 0x90, 0x9C));
    p.drawPath(path.subtracted(hole));
}

void globe(QPainter& p, QPointF c, qreal r) {
    p.setPen(QPen(QColor(0x0D, 0x47, 0xA1), 1.1));
    p.setBrush(QColor(0x90, 0xCA, 0xF9));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
}

void book(QPainter& p, const QColor& cover) {
    // An open book seen from the front.
    p.setPen(QPen(cover.darker(150), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(cover);
    QPainterPath back;
    back.moveTo(1.5, 6);
    back.lineTo(1.5, 20);
    back.quadTo(7, 18.5, 12, 21);
    back.quadTo(17, 18.5, 22.5, 20);
    back.lineTo(22.5, 6);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(Qt::white);
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath left;
    left.moveTo(12, 6.5);
    left.quadTo(7.5, 3.5, 3, 4.5);
    left.lineTo(3, 18);
    left.quadTo(7.5, 17, 12, 19.5);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(12, 6.5);
    right.quadTo(16.5, 3.5, 21, 4.5);
    right.lineTo(21, 18);
    right.quadTo(16.5, 17, 12, 19.5);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(0x90, 0xA4, 0xAE), 0.9));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(5, 8.5 + i * 3), QPointF(10, 9.3 + i * 3));
        p.drawLine(QPointF(14, 9.3 + i * 3), QPointF(19, 8.5 + i * 3));
    }
}

void paintCommand(QPainter& p, int id) {
    p.setRenderHint(QPainter::Antialiasing);
    const QColor nav(0x15, 0x65, 0xC0);
    switch (id) {
    case 1400: { // lessons list: a wall of tiles
        p.setPen(Qt::NoPen);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                p.setBrush(r == 0 && c == 0 ? QColor(0xF5, 0x7C, 0x00) : nav.lighter(100 + 15 * (r + c)));
                p.drawRoundedRect(QRectF(2 + c * 7, 2 + r * 7, 6, 6), 1.3, 1.3);
            }
        break;
    }
    case 1410: book(p, QColor(0x00, 0x89, 0x7B)); break;
    case 1430: { // microphone
        p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5.5, 5, 13, 13), 200 * 16, 140 * 16);
        p.drawLine(QPointF(12, 18), QPointF(12, 21.5));
        p.drawLine(QPointF(8, 21.5), QPointF(16, 21.5));
        p.setPen(QPen(QColor(0xB7, 0x1C, 0x1C), 1));
        p.setBrush(QColor(0xE5, 0x39, 0x35));
        p.drawRoundedRect(QRectF(8.5, 1.5, 7, 13), 3.5, 3.5);
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.9));
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(10, 5 + i * 2.5), QPointF(14, 5 + i * 2.5));
        break;
    }
    case 1440: { // summary: a document with bullet lines
        page(p, QRectF(4, 2, 16, 20));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(nav);
            p.drawEllipse(QPointF(7.5, 6.5 + i * 4), 1.2, 1.2);
            p.setBrush(QColor(0x90, 0xA4, 0xAE));
            p.drawRect(QRectF(10, 6 + i * 4, 7, 1.2));
        }
        break;
    }
    case 1460: { // verify: a check in a circle
        p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 1.2));
        p.setBrush(QColor(0x43, 0xA0, 0x47));
        p.drawEllipse(QPointF(12, 12), 10, 10);
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(7, 12.5), QPointF(10.5, 16), QPointF(17, 8.5)}));
        break;
    }
    case 1465:
    case 1475:
    case 1485: {
        barChart(p, accentOf(id));
        badge(p, accentOf(id), id == 1465 ? QString::fromUtf8("\xE2\x9C\x93") : id == 1475 ? QStringLiteral("P") : QStringLiteral("T"));
        break;
    }
    case 1470: { // picture exercise: a framed picture and a question mark
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(0xE3, 0xF2, 0xFD));
        p.drawRoundedRect(QRectF(1.5, 4, 17, 14), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0xB3, 0x00));
        p.drawEllipse(QPointF(6, 8.5), 2, 2);
        p.setBrush(QColor(0x43, 0xA0, 0x47));
        p.drawPolygon(QPolygonF({QPointF(2.5, 17), QPointF(8, 10.5), QPointF(12, 14.5), QPointF(14, 12.5), QPointF(17.5, 17)}));
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(accentOf(id));
        p.drawEllipse(QPointF(18, 17.5), 5.5, 5.5);
        textIn(p, QRectF(12.5, 12, 11, 11), QStringLiteral("?"), 9, true, Qt::white);
        break;
    }
    case 1480: { // translation exercise: two bubbles
        p.setPen(QPen(accentOf(id).darker(130), 1));
        p.setBrush(accentOf(id));
        p.drawRoundedRect(QRectF(1, 2, 13, 10), 2.5, 2.5);
        p.drawPolygon(QPolygonF({QPointF(4, 11.5), QPointF(3, 15), QPointF(7.5, 11.5)}));
        textIn(p, QRectF(1, 2, 13, 10), QStringLiteral("A"), 8, true, Qt::white);
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(9.5, 10, 13.5, 10.5), 2.5, 2.5);
        p.drawPolygon(QPolygonF({QPointF(19.5, 20), QPointF(21, 23), QPointF(16, 20)}));
        textIn(p, QRectF(9.5, 10, 13.5, 10.5), QString::fromUtf8("\xE6\x96\x87"), 8, false, kInk,
               QStringLiteral("Noto Sans CJK SC"));
        break;
    }
    case 1450: { // dictionary: a thick closed book
        p.setPen(QPen(QColor(0x4E, 0x34, 0x2E), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xEF, 0xEB, 0xE9));
        p.drawRoundedRect(QRectF(5, 4, 15, 18), 1.5, 1.5);
        p.setBrush(QColor(0x79, 0x55, 0x48));
        p.drawRoundedRect(QRectF(3.5, 2, 15, 18), 1.5, 1.5);
        textIn(p, QRectF(3.5, 2, 15, 9.5), QStringLiteral("A"), 8, true, Qt::white);
        textIn(p, QRectF(3.5, 10, 15, 9.5), QString::fromUtf8("\xE4\xB8\xAD"), 8, false, Qt::white,
               QStringLiteral("Noto Sans CJK SC"));
        break;
    }
    case 1500: gear(p); break;
    case 1510: { // record into a folder
        p.setPen(QPen(QColor(0xC4, 0x8B, 0x00), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xFF, 0xCA, 0x28));
        QPainterPath folder;
        folder.moveTo(1.5, 5);
        folder.lineTo(8.5, 5);
        folder.lineTo(10.5, 7.5);
        folder.lineTo(20, 7.5);
        folder.lineTo(20, 19.5);
        folder.lineTo(1.5, 19.5);
        folder.closeSubpath();
        p.drawPath(folder);
        p.setPen(QPen(Qt::white, 1.2));
        p.setBrush(QColor(0xE5, 0x39, 0x35));
        p.drawEllipse(QPointF(17.5, 17), 5, 5);
        break;
    }
    case 57669: { // context help: an arrow and a question mark
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(3, 2), QPointF(3, 17), QPointF(6.5, 13.5), QPointF(9, 19), QPointF(11.2, 18),
                                 QPointF(8.8, 12.5), QPointF(13.5, 12.5)}));
        textIn(p, QRectF(11, 3, 12, 16), QStringLiteral("?"), 15, true, nav);
        break;
    }
    // Course navigation.
    case 6010:
        p.fillRect(QRectF(3, 6, 2.2, 12), nav);
        triangle(p, 5.5, 12, 8, 12, false, nav);
        triangle(p, 12.5, 12, 8, 12, false, nav);
        break;
    case 6020:
        triangle(p, 3, 12, 9, 13, false, nav);
        triangle(p, 11.5, 12, 9, 13, false, nav);
        break;
    case 6030: triangle(p, 7, 12, 9, 12, false, nav.lighter(125)); break;
    case 6040:
    case 6060: {
        p.setPen(QPen(QColor(0x00, 0x69, 0x5C), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        if (id == 6040) {
            p.drawLine(QPointF(19, 12), QPointF(5, 12));
            p.drawPolyline(QPolygonF({QPointF(11, 6), QPointF(5, 12), QPointF(11, 18)}));
        } else {
            p.drawLine(QPointF(5, 12), QPointF(19, 12));
            p.drawPolyline(QPolygonF({QPointF(13, 6), QPointF(19, 12), QPointF(13, 18)}));
        }
        break;
    }
    case 6050:
        p.setPen(QPen(QColor(0xB7, 0x1C, 0x1C), 1));
        p.setBrush(QColor(0xE5, 0x39, 0x35));
        p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
        break;
    case 6070: triangle(p, 8, 12, 9, 12, true, nav.lighter(125)); break;
    case 6080:
        triangle(p, 3.5, 12, 9, 13, true, nav);
        triangle(p, 12, 12, 9, 13, true, nav);
        break;
    case 6090:
        triangle(p, 3.5, 12, 8, 12, true, nav);
        triangle(p, 10.5, 12, 8, 12, true, nav);
        p.fillRect(QRectF(18.8, 6, 2.2, 12), nav);
        break;
    case 6095: { // direct access: a page list with a pointer
        page(p, QRectF(3, 2, 14, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x90, 0xA4, 0xAE));
        for (int i = 0; i < 4; ++i) p.drawRect(QRectF(5.5, 5.5 + i * 4, 9, 1.4));
        p.setBrush(QColor(0xF5, 0x7C, 0x00));
        p.drawRect(QRectF(5.5, 13.2, 9, 2));
        triangle(p, 15.5, 14.2, 6.5, 8, false, QColor(0xF5, 0x7C, 0x00));
        break;
    }
    case 3012: { // keymap guide
        p.save();
        p.scale(0.5, 0.5);
        p.translate(0, 6);
        paintKeyboard(p);
        p.restore();
        break;
    }
    case 3013: {
        p.setPen(QPen(QColor(0xB2, 0x5A, 0x00), 1));
        p.setBrush(QColor(0xFF, 0xE0, 0xB2));
        p.drawRoundedRect(QRectF(2, 3, 20, 18), 3, 3);
        textIn(p, QRectF(2, 3, 20, 18), QString::fromUtf8("\xC4\x81"), 15, true, QColor(0xE6, 0x51, 0x00));
        break;
    }
    case 3014: {
        textIn(p, QRectF(2, 2, 20, 20), QStringLiteral("T"), 17, true, kInk);
        p.setPen(QPen(QColor(0xE5, 0x39, 0x35), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 20), QPointF(20, 4));
        break;
    }
    case 3015: {
        p.setPen(QPen(QColor(0x0D, 0x47, 0xA1), 1));
        p.setBrush(QColor(0xBB, 0xDE, 0xFB));
        p.drawRoundedRect(QRectF(2, 3, 20, 18), 3, 3);
        textIn(p, QRectF(2, 3, 20, 18), QStringLiteral("Aa"), 11, true, QColor(0x0D, 0x47, 0xA1));
        break;
    }
    case 7010:
    case 7011:
    case 7012:
    case 7013: {
        speaker(p, QColor(0x00, 0x89, 0x7B));
        p.setPen(QPen(QColor(0x00, 0x69, 0x5C), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(17.5, 12), 5.5, 5.5);
        textIn(p, QRectF(12, 6.5, 11, 11), QString::number(id - 7009), 9, true, QColor(0x00, 0x69, 0x5C));
        break;
    }
    case 7014: {
        speaker(p, QColor(0x00, 0x89, 0x7B));
        p.setPen(QPen(QColor(0x00, 0x69, 0x5C), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            const qreal r = 3.5 + i * 3.2;
            p.drawArc(QRectF(11 - r, 12 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        }
        break;
    }
    case 7090: {
        globe(p, QPointF(9.5, 10), 7.5);
        p.setPen(QPen(QColor(0xB2, 0x5A, 0x00), 0.8));
        p.setBrush(QColor(0xFF, 0xE0, 0xB2));
        p.drawRoundedRect(QRectF(12, 12, 11, 11), 2, 2);
        textIn(p, QRectF(12, 12, 11, 11), QString::fromUtf8("\xC4\x81"), 9, true, QColor(0xE6, 0x51, 0x00));
        break;
    }
    case 7100: {
        globe(p, QPointF(9.5, 10), 7.5);
        p.setPen(QPen(QColor(0x0D, 0x47, 0xA1), 0.8));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(12, 12, 11, 11), 2, 2);
        textIn(p, QRectF(12, 12, 11, 11), QStringLiteral("A"), 9, true, QColor(0x0D, 0x47, 0xA1));
        break;
    }
    case 7110: {
        book(p, QColor(0x8E, 0x24, 0xAA));
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(0x8E, 0x24, 0xAA));
        p.drawEllipse(QPointF(18, 17.5), 5, 5);
        textIn(p, QRectF(13, 12.5, 10, 10), QStringLiteral("i"), 8, true, Qt::white);
        break;
    }
    case 13100:
    case 13110: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2, 2, 20, 20), 3, 3);
        textIn(p, QRectF(2, 2, 20, 20), QString::fromUtf8(id == 13100 ? "\xE7\xAE\x80" : "\xE7\xB9\x81"), 15, false,
               QColor(0xC6, 0x28, 0x28), QStringLiteral("Noto Sans CJK SC"));
        break;
    }
    case 4010: { // fit page: a page with its four corners pointed at
        page(p, QRectF(6, 5, 12, 14));
        p.setPen(QPen(QColor(0x15, 0x65, 0xC0), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(2, 6), QPointF(2, 2), QPointF(6, 2)}));
        p.drawPolyline(QPolygonF({QPointF(18, 2), QPointF(22, 2), QPointF(22, 6)}));
        p.drawPolyline(QPolygonF({QPointF(22, 18), QPointF(22, 22), QPointF(18, 22)}));
        p.drawPolyline(QPolygonF({QPointF(6, 22), QPointF(2, 22), QPointF(2, 18)}));
        break;
    }
    case 57607: { // print
        p.setPen(QPen(kInk, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 2.5, 12, 7));
        p.setBrush(QColor(0x78, 0x90, 0x9C));
        p.drawRoundedRect(QRectF(2, 8.5, 20, 9), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 14, 12, 7.5));
        break;
    }
    default: break;
    }
}

const std::map<int, bool>& commandIconIds() {
    static const std::map<int, bool> ids = [] {
        std::map<int, bool> m;
        for (int id : {1400, 1410, 1430, 1440, 1450, 1460, 1465, 1470, 1475, 1480, 1485, 1500, 1510, 57669, 6010, 6020, 6030,
                       6040, 6050, 6060, 6070, 6080, 6090, 6095, 3012, 3013, 3014, 3015, 7010, 7011, 7012, 7013, 7014, 7090,
                       7100, 7110, 13100, 13110, 57607, 4010})
            m[id] = true;
        return m;
    }();
    return ids;
}

QPixmap render(QSize size, qreal dpr, const std::function<void(QPainter&)>& draw) {
    QPixmap pm(QSize(qRound(size.width() * dpr), qRound(size.height() * dpr)));
    pm.fill(Qt::transparent);
    pm.setDevicePixelRatio(dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return pm;
}

} // namespace

// ------------------------------------------------------------------ public interface

QPixmap greyed(const QPixmap& pixmap) {
    // Grey and faint: the colour goes, the shape stays readable but clearly out of use.
    QImage img = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int g = 150 + qGray(c) / 3;
            line[x] = qRgba(g, g, g, qAlpha(c) * 2 / 5);
        }
    }
    QPixmap out = QPixmap::fromImage(img);
    out.setDevicePixelRatio(pixmap.devicePixelRatio());
    return out;
}

bool hasCommandIcon(int id) { return commandIconIds().count(id) != 0; }

void paintCommandIcon(QPainter& p, int id, const QRectF& target) {
    inBox(p, target, 24, 24, [&] { paintCommand(p, id); });
}

QIcon commandIcon(int id) {
    if (!hasCommandIcon(id)) return {};
    QIcon icon;
    for (int s : {16, 24, 32, 48}) {
        const QPixmap pm = render(QSize(s, s), 1.0, [&](QPainter& p) { paintCommandIcon(p, id, QRectF(0, 0, s, s)); });
        icon.addPixmap(pm, QIcon::Normal);
        icon.addPixmap(greyed(pm), QIcon::Disabled);
    }
    return icon;
}

bool hasListFlag(int listFlagId) { return listFlagNames().count(listFlagId) != 0; }

QString flagNameOfListFlag(int listFlagId) {
    const auto it = listFlagNames().find(listFlagId);
    return it == listFlagNames().end() ? QString() : QString::fromLatin1(it->second);
}

void paintFlag(QPainter& p, const QString& name, const QRectF& target) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(target, Qt::IntersectClip);
    inBox(p, target, W, H, [&] { paintFlagContent(p, name.toLower()); });
    p.restore();
    // A thin frame so that light flags stand out on a white page.
    p.save();
    QPen frame(QColor(0, 0, 0, 70));
    frame.setCosmetic(true);
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(target);
    p.restore();
}

QPixmap flagPixmap(const QString& name, qreal dpr) {
    return render(QSize(kFlagWidth, kFlagHeight), dpr,
                  [&](QPainter& p) { paintFlag(p, name, QRectF(0, 0, kFlagWidth, kFlagHeight)); });
}

QPixmap listFlagPixmap(int listFlagId, qreal dpr) {
    const QString name = flagNameOfListFlag(listFlagId);
    return name.isEmpty() ? QPixmap() : flagPixmap(name, dpr);
}

QPixmap languageFlagPixmap(int languageId, qreal dpr) {
    const std::string name = LanguageTable::flagPicture(languageId);
    return name.empty() ? QPixmap() : flagPixmap(QString::fromStdString(name), dpr);
}

QSize bitmapSize(int id) {
    switch (id) {
    case 701:
    case 702: return {48, 36};
    case 703:
    case 704: return {40, 40};
    default: return hasListFlag(id) ? QSize(kFlagWidth, kFlagHeight) : QSize();
    }
}

void paintBitmap(QPainter& p, int id, const QRectF& target) {
    const QSize s = bitmapSize(id);
    if (s.isEmpty()) return;
    if (hasListFlag(id)) {
        paintFlag(p, flagNameOfListFlag(id), target);
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    inBox(p, target, s.width(), s.height(), [&] {
        switch (id) {
        case 701: paintPhonetic(p); break;
        case 702: paintKeyboard(p); break;
        case 703: paintPerson(p, false); break;
        case 704: paintPerson(p, true); break;
        default: break;
        }
    });
    p.restore();
}

QPixmap bitmapPixmap(int id, qreal dpr) {
    const QSize s = bitmapSize(id);
    if (s.isEmpty()) return {};
    return render(s, dpr, [&](QPainter& p) { paintBitmap(p, id, QRectF(QPointF(0, 0), QSizeF(s))); });
}

QSize namedPictureSize(const QString& name) {
    const QString n = name.toLower();
    if (n == "n0" || n == "n50" || n == "n100" || n == "ques" || n == "answer") return {64, 64};
    if (isFlagName(n)) return {kFlagWidth, kFlagHeight};
    return {};
}

void paintNamedPicture(QPainter& p, const QString& name, const QRectF& target) {
    const QString n = name.toLower();
    if (isFlagName(n)) {
        paintFlag(p, n, target);
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    inBox(p, target, 64, 64, [&] {
        if (n == "n0") paintFace(p, 0);
        else if (n == "n50") paintFace(p, 50);
        else if (n == "n100") paintFace(p, 100);
        else if (n == "ques") paintQuestion(p);
        else if (n == "answer") paintAnswer(p);
    });
    p.restore();
}

QPixmap namedPixmap(const QString& name, qreal dpr) {
    const QSize s = namedPictureSize(name);
    if (s.isEmpty()) return {};
    return render(s, dpr, [&](QPainter& p) { paintNamedPicture(p, name, QRectF(QPointF(0, 0), QSizeF(s))); });
}

QIcon applicationIcon() {
    QIcon icon;
    for (int s : {16, 32, 48, 64, 128}) {
        icon.addPixmap(render(QSize(s, s), 1.0, [&](QPainter& p) {
            p.setPen(Qt::NoPen);
            QLinearGradient g(0, 0, 0, s);
            g.setColorAt(0, QColor(0xE5, 0x39, 0x35));
            g.setColorAt(1, QColor(0xB7, 0x1C, 0x1C));
            p.setBrush(g);
            p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, s * 0.2);
            QFont f(QStringLiteral("Noto Sans CJK SC"));
            f.setPixelSize(qRound(s * 0.62));
            f.setBold(true);
            p.setFont(f);
            p.setPen(QColor(0xFF, 0xEB, 0x3B));
            p.drawText(QRectF(0, 0, s, s * 0.95), Qt::AlignCenter, QString::fromUtf8("\xE4\xB8\xAD"));
        }));
    }
    return icon;
}

} // namespace lumora::icons
