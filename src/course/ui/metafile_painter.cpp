#include "course/ui/metafile_painter.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <variant>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>

#include "course/dib.h"
#include "course/multimedia_ctrl.h"
#include "course/ui/content_fonts.h"
#include "course/ui/dib_image.h"
#include "foundation/codecs.h"

namespace lumora {

namespace {

using namespace wmf;

struct PenObj {
    int style = 0;
    int width = 0;
    Colour colour;
};
struct BrushObj {
    int style = 0;
    Colour colour{255, 255, 255};
    int hatch = 0;
};
struct FontObj {
    MetaCreateFontIndirect font;
};
struct OtherObj {};
using Obj = std::variant<PenObj, BrushObj, FontObj, OtherObj>;

struct State {
    int mapMode = 3;
    QPointF windowOrg{0, 0};
    QPointF windowExt{1, 1};
    QPointF viewportOrg{0, 0};
    QPointF viewportExt{1, 1};
    PenObj pen{0, 0, {0, 0, 0}};
    BrushObj brush{0, {255, 255, 255}, 0};
    std::optional<FontObj> font;
    Colour textColour{0, 0, 0};
    Colour bkColour{255, 255, 255};
    int bkMode = 2;
    int textAlign = 0;
    int polyFill = 1;
    QPointF position{0, 0}; // logical
};

QColor qc(const Colour& c) { return QColor(c.red, c.green, c.blue); }

class Player {
public:
    Player(QPainter& p, const MetafileDevice& d) : p_(p), device_(d) {
        setMapMode(d.mapMode);
        state_.viewportOrg = QPointF(0, 0);
    }

    void play(const Metafile& mf) {
        for (const Record& r : mf.records) std::visit([this](const auto& rec) { on(rec); }, r);
    }

private:
    // ---------------------------------------------------------------- mapping
    void setMapMode(int mode) {
        // Fixed modes: units per inch, y upward except for the text mode.
        double unitsPerInch = 0;
        switch (mode) {
        case 1: unitsPerInch = -1; break;
        case 2: unitsPerInch = 254; break;
        case 3: unitsPerInch = 2540; break;
        case 4: unitsPerInch = 100; break;
        case 5: unitsPerInch = 1000; break;
        case 6: unitsPerInch = 1440; break;
        case 7:
        case 8: state_.mapMode = mode; return; // keep the current extents
        default: return;
        }
        state_.mapMode = mode;
        if (unitsPerInch < 0) {
            state_.windowExt = QPointF(1, 1);
            state_.viewportExt = QPointF(1, 1);
        } else {
            state_.windowExt = QPointF(unitsPerInch, unitsPerInch);
            state_.viewportExt = QPointF(device_.dpiX, -device_.dpiY);
        }
    }
    bool extentsApply() const { return state_.mapMode == 7 || state_.mapMode == 8; }
    double sx() const { return state_.windowExt.x() == 0 ? 0 : state_.viewportExt.x() / state_.windowExt.x(); }
    double sy() const {
        if (state_.windowExt.y() == 0) return 0;
        double s = state_.viewportExt.y() / state_.windowExt.y();
        if (state_.mapMode == 7) { // isotropic: the smaller scale on both axes, signs kept
            const double m = std::min(std::abs(sx()), std::abs(s));
            return s < 0 ? -m : m;
        }
        return s;
    }
    double sxIso() const {
        if (state_.mapMode != 7) return sx();
        const double m = std::min(std::abs(sx()), std::abs(state_.viewportExt.y() / (state_.windowExt.y() ? state_.windowExt.y() : 1)));
        return sx() < 0 ? -m : m;
    }
    QPointF map(double x, double y) const {
        return device_.origin + state_.viewportOrg + QPointF((x - state_.windowOrg.x()) * sxIso(), (y - state_.windowOrg.y()) * sy());
    }
    QPointF map(const Point& pt) const { return map(pt.x, pt.y); }
    QRectF mapRect(const Rect& r) const { return QRectF(map(r.left, r.top), map(r.right, r.bottom)).normalized(); }
    double lengthX(double v) const { return std::abs(v * sxIso()); }
    double lengthY(double v) const { return std::abs(v * sy()); }

    // ---------------------------------------------------------------- pens, brushes, fonts
    QPen pen() const {
        const PenObj& pe = state_.pen;
        if (pe.style == 5) return Qt::NoPen;
        QPen qp(qc(pe.colour));
        qp.setWidthF(pe.width <= 0 ? 1.0 : std::max(1.0, lengthX(pe.width)));
        if (pe.width <= 0) qp.setCosmetic(true);
        switch (pe.style & 0xF) {
        case 1: qp.setStyle(Qt::DashLine); break;
        case 2: qp.setStyle(Qt::DotLine); break;
        case 3: qp.setStyle(Qt::DashDotLine); break;
        case 4: qp.setStyle(Qt::DashDotDotLine); break;
        default: qp.setStyle(Qt::SolidLine); break;
        }
        qp.setJoinStyle(Qt::RoundJoin);
        qp.setCapStyle(Qt::RoundCap);
        return qp;
    }
    QBrush brush() const {
        const BrushObj& b = state_.brush;
        if (b.style == 1) return Qt::NoBrush;
        if (b.style == 2) {
            static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                     Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
            return QBrush(qc(b.colour), hatches[(b.hatch >= 0 && b.hatch < 6) ? b.hatch : 0]);
        }
        return QBrush(qc(b.colour));
    }
    void fillHatchBackground(const QPainterPath& path) {
        if (state_.brush.style == 2 && state_.bkMode == 2) p_.fillPath(path, qc(state_.bkColour));
    }
    void shape(const QPainterPath& path) {
        fillHatchBackground(path);
        p_.setPen(pen());
        p_.setBrush(brush());
        p_.drawPath(path);
    }

    // ---------------------------------------------------------------- records
    void on(const MetaSetWindowOrg& r) { state_.windowOrg = QPointF(r.origin.x, r.origin.y); }
    void on(const MetaSetWindowExt& r) {
        if (extentsApply() && r.extent.x != 0 && r.extent.y != 0) state_.windowExt = QPointF(r.extent.x, r.extent.y);
    }
    void on(const MetaSetViewportOrg& r) { state_.viewportOrg = QPointF(r.origin.x, r.origin.y); }
    void on(const MetaSetViewportExt& r) {
        if (extentsApply() && r.extent.x != 0 && r.extent.y != 0) state_.viewportExt = QPointF(r.extent.x, r.extent.y);
    }
    void on(const MetaSetMapMode& r) { setMapMode(r.mode); }
    void on(const MetaSetPolyFillMode& r) { state_.polyFill = r.mode; }
    void on(const MetaSetBkMode& r) { state_.bkMode = r.mode; }
    void on(const MetaSetBkColor& r) { state_.bkColour = r.colour; }
    void on(const MetaSetTextColor& r) { state_.textColour = r.colour; }
    void on(const MetaSetTextAlign& r) { state_.textAlign = r.flags; }

    void add(Obj o) {
        for (auto& slot : objects_)
            if (!slot) {
                slot = std::move(o);
                return;
            }
        objects_.push_back(std::move(o));
    }
    void on(const MetaCreatePenIndirect& r) { add(PenObj{r.style, r.width, r.colour}); }
    void on(const MetaCreateBrushIndirect& r) { add(BrushObj{r.style, r.colour, r.hatch}); }
    void on(const MetaCreateFontIndirect& r) { add(FontObj{r}); }
    void on(const MetaUnknown& r) {
        if (r.createsObject) add(OtherObj{});
    }
    void on(const MetaSelectObject& r) {
        if (r.index < 0 || r.index >= static_cast<int>(objects_.size()) || !objects_[static_cast<std::size_t>(r.index)]) return;
        const Obj& o = *objects_[static_cast<std::size_t>(r.index)];
        if (const auto* pe = std::get_if<PenObj>(&o)) state_.pen = *pe;
        else if (const auto* b = std::get_if<BrushObj>(&o)) state_.brush = *b;
        else if (const auto* f = std::get_if<FontObj>(&o)) state_.font = *f;
    }
    void on(const MetaDeleteObject& r) {
        if (r.index >= 0 && r.index < static_cast<int>(objects_.size())) objects_[static_cast<std::size_t>(r.index)].reset();
    }
    void on(const MetaSaveDC&) { saved_.push_back(state_); }
    void on(const MetaRestoreDC& r) {
        if (saved_.empty()) return;
        std::size_t keep = 0;
        if (r.saved < 0) {
            const std::size_t back = static_cast<std::size_t>(-static_cast<long>(r.saved));
            if (back > saved_.size()) return;
            keep = saved_.size() - back;
        } else {
            if (r.saved == 0 || static_cast<std::size_t>(r.saved) > saved_.size()) return;
            keep = static_cast<std::size_t>(r.saved) - 1;
        }
        state_ = saved_[keep];
        saved_.resize(keep);
    }

    void on(const MetaMoveTo& r) { state_.position = QPointF(r.to.x, r.to.y); }
    void on(const MetaLineTo& r) {
        p_.setPen(pen());
        p_.drawLine(map(state_.position.x(), state_.position.y()), map(r.to));
        state_.position = QPointF(r.to.x, r.to.y);
    }
    QPolygonF poly(const std::vector<Point>& pts) const {
        QPolygonF out;
        for (const Point& pt : pts) out << map(pt);
        return out;
    }
    void on(const MetaPolyline& r) {
        p_.setPen(pen());
        p_.setBrush(Qt::NoBrush);
        p_.drawPolyline(poly(r.points));
    }
    void on(const MetaPolygon& r) {
        QPainterPath path;
        path.addPolygon(poly(r.points));
        path.closeSubpath();
        path.setFillRule(state_.polyFill == 2 ? Qt::WindingFill : Qt::OddEvenFill);
        shape(path);
    }
    void on(const MetaPolyPolygon& r) {
        QPainterPath path;
        for (const auto& pts : r.polygons) {
            path.addPolygon(poly(pts));
            path.closeSubpath();
        }
        path.setFillRule(state_.polyFill == 2 ? Qt::WindingFill : Qt::OddEvenFill);
        shape(path);
    }
    void on(const MetaRectangle& r) {
        QPainterPath path;
        path.addRect(mapRect(r.box));
        shape(path);
    }
    void on(const MetaRoundRect& r) {
        QPainterPath path;
        path.addRoundedRect(mapRect(r.box), lengthX(r.cornerWidth) / 2, lengthY(r.cornerHeight) / 2);
        shape(path);
    }
    void on(const MetaEllipse& r) {
        QPainterPath path;
        path.addEllipse(mapRect(r.box));
        shape(path);
    }
    // Angles (Qt degrees, counter-clockwise on the screen) of the rays through start and end.
    void arcAngles(const MetaArc& r, double& start, double& span) const {
        const QRectF box = mapRect(r.box);
        const QPointF c = box.center();
        const QPointF s = map(r.start), e = map(r.end);
        const double a0 = std::atan2(-(s.y() - c.y()), s.x() - c.x()) * 180.0 / std::numbers::pi;
        const double a1 = std::atan2(-(e.y() - c.y()), e.x() - c.x()) * 180.0 / std::numbers::pi;
        start = a0;
        span = a1 - a0;
        // Arcs run counter-clockwise as seen on the device; equal rays make a whole ellipse.
        while (span <= 0) span += 360;
        while (span > 360) span -= 360;
    }
    void on(const MetaArc& r) {
        double start = 0, span = 0;
        arcAngles(r, start, span);
        QPainterPath path;
        const QRectF box = mapRect(r.box);
        path.arcMoveTo(box, start);
        path.arcTo(box, start, span);
        p_.setPen(pen());
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }
    void on(const MetaPie& r) {
        double start = 0, span = 0;
        arcAngles(r, start, span);
        const QRectF box = mapRect(r.box);
        QPainterPath path;
        path.moveTo(box.center());
        path.arcTo(box, start, span);
        path.closeSubpath();
        shape(path);
    }
    void on(const MetaChord& r) {
        double start = 0, span = 0;
        arcAngles(r, start, span);
        const QRectF box = mapRect(r.box);
        QPainterPath path;
        path.arcMoveTo(box, start);
        path.arcTo(box, start, span);
        path.closeSubpath();
        shape(path);
    }

    QFont font(FontEncoding& encoding, double& angle) const {
        encoding = FontEncoding::Windows1252;
        angle = 0;
        if (!state_.font) {
            QFont f(familyForFace("Arial", encoding));
            f.setPixelSize(std::max(1, qRound(lengthY(400)))); // the stock font, about 4 mm
            return f;
        }
        const MetaCreateFontIndirect& lf = state_.font->font;
        encoding = encodingForFace(lf.face);
        const double h = lengthY(lf.height == 0 ? 400 : lf.height);
        QFont f;
        if (lf.height < 0) { // character height without the internal leading: the em size
            f.setFamilies({familyForFace(lf.face, encoding), QStringLiteral("Noto Sans CJK SC")});
            f.setPixelSize(std::max(1, qRound(h)));
        } else {
            f = contentFont(lf.face, encoding, h, lf.weight);
        }
        f.setWeight(lf.weight >= 600 ? QFont::Bold : QFont::Normal);
        f.setItalic(lf.italic);
        f.setUnderline(lf.underline);
        f.setStrikeOut(lf.strikeOut);
        angle = lf.escapement / 10.0; // tenths of a degree, counter-clockwise as seen
        return f;
    }
    void text(const Point& at, const std::string& bytes, const std::vector<int>* dx) {
        FontEncoding encoding;
        double angle = 0;
        const QFont f = font(encoding, angle);
        const QString s = decodeContent(bytes, encoding);
        const QFontMetricsF fm(f);
        const QPointF anchor = (state_.textAlign & 1) ? map(state_.position.x(), state_.position.y()) : map(at);
        double width = fm.horizontalAdvance(s);
        if (dx && !dx->empty()) {
            width = 0;
            for (int d : *dx) width += lengthX(d);
        }
        double x = 0;
        switch (state_.textAlign & 6) {
        case 6: x = -width / 2; break; // centre
        case 2: x = -width; break;     // right
        default: break;
        }
        double y = fm.ascent(); // top
        if ((state_.textAlign & 24) == 24) y = 0;          // baseline
        else if (state_.textAlign & 8) y = -fm.descent(); // bottom
        p_.save();
        p_.translate(anchor);
        if (angle != 0) p_.rotate(-angle);
        if (state_.bkMode == 2) p_.fillRect(QRectF(x, y - fm.ascent(), width, fm.height()), qc(state_.bkColour));
        p_.setFont(f);
        p_.setPen(qc(state_.textColour));
        if (dx && !dx->empty() && static_cast<qsizetype>(dx->size()) >= s.size()) {
            double cx = x;
            for (qsizetype i = 0; i < s.size(); ++i) {
                p_.drawText(QPointF(cx, y), QString(s.at(i)));
                cx += lengthX((*dx)[static_cast<std::size_t>(i)]);
            }
        } else {
            p_.drawText(QPointF(x, y), s);
        }
        p_.restore();
        if (state_.textAlign & 1) {
            const double advance = (sxIso() == 0) ? 0 : width / std::abs(sxIso());
            state_.position.rx() += advance;
        }
    }
    void on(const MetaTextOut& r) { text(r.at, r.text, nullptr); }
    void on(const MetaExtTextOut& r) {
        if (r.clip) {
            const QRectF box = mapRect(*r.clip);
            if (r.options & 0x0002) p_.fillRect(box, qc(state_.bkColour));
            p_.save();
            if (r.options & 0x0004) p_.setClipRect(box, Qt::IntersectClip);
            text(r.at, r.text, &r.dx);
            p_.restore();
        } else {
            text(r.at, r.text, &r.dx);
        }
    }

    void blit(const MetaDibBlt& r, bool bottomUpSource) {
        const QRectF dst = QRectF(map(r.dst), map(r.dst.x + r.dstSize.x, r.dst.y + r.dstSize.y)).normalized();
        if (r.dib.empty()) {
            switch (r.rop) {
            case 0x00FF0062: p_.fillRect(dst, Qt::white); break; // whiteness
            case 0x00000042: p_.fillRect(dst, Qt::black); break; // blackness
            default:
                if (state_.brush.style != 1) p_.fillRect(dst, brush());
                break;
            }
            return;
        }
        CDIB dib;
        if (!dib.readPacked(r.dib.data(), r.dib.size())) return;
        const QImage img = imageOf(dib);
        if (img.isNull()) return;
        QRectF src(r.src.x, r.src.y, r.srcSize.x, r.srcSize.y);
        if (bottomUpSource) src.moveTop(img.height() - (r.src.y + r.srcSize.y));
        src = src.normalized().intersected(QRectF(0, 0, img.width(), img.height()));
        if (src.isEmpty()) src = QRectF(0, 0, img.width(), img.height());
        p_.drawImage(dst, img, src);
    }
    void on(const MetaStretchDIB& r) { blit(r, true); }
    void on(const MetaDibStretchBlt& r) { blit(r, false); }
    void on(const MetaDibBitBlt& r) { blit(r, false); }

    QPainter& p_;
    MetafileDevice device_;
    State state_;
    std::vector<State> saved_;
    std::vector<std::optional<Obj>> objects_;
};

} // namespace

void playMetafile(QPainter& painter, const Metafile& metafile, const MetafileDevice& device) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Player player(painter, device);
    player.play(metafile);
    painter.restore();
}

std::optional<RecordedPicture> recordMediaMetafile(const std::string& localPath) {
    Metafile mf;
    if (!loadMetafile(localPath, mf)) return std::nullopt;
    RecordedPicture out;
    out.frame = QSizeF(CMultimediaCtrl::kWidth, CMultimediaCtrl::kHeight);
    QPainter painter(&out.picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(QRectF(QPointF(0, 0), out.frame));
    MetafileDevice device;
    device.mapMode = 3;
    playMetafile(painter, mf, device);
    painter.end();
    return out;
}

} // namespace lumora
