#include "course/ui/cours_view_widget.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include "course/dib.h"
#include "course/ui/content_fonts.h"
#include "resources/ui/icons.h"
#include "foundation/ui/activity.h"

namespace lumora {

namespace {
QImage imageOf(const CDIB& dib) {
    const RgbImage rgb = dib.toRgb();
    if (rgb.width <= 0 || rgb.height <= 0) return {};
    QImage img(rgb.width, rgb.height, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(rgb.width);
        for (int x = 0; x < rgb.width; ++x) line[x] = rgb.pixels[row + static_cast<std::size_t>(x)];
    }
    return img;
}

QSizeF iconUnits(int id) {
    const QSize s = icons::bitmapSize(id);
    return s.isEmpty() ? QSizeF() : QSizeF(s);
}
} // namespace

CoursViewWidget::CoursViewWidget(ActivityHost& frame, QWidget* parent) : PictureViewWidget(parent), frame_(frame) {
    setObjectName(QStringLiteral("CCoursView"));
    timer_.setObjectName(QStringLiteral("scrollTimer"));
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (view_) view_->onTimer();
    });
}

CoursViewWidget::~CoursViewWidget() {
    timer_.stop();
    attach(nullptr, nullptr);
}

void CoursViewWidget::attach(CCoursDoc* doc, CCoursView* view) {
    laidOut_.reset();
    if (doc_ != doc) {
        if (doc_) doc_->playback().removeListener(*this);
        // A plan of the old document no longer holds the frame.
        for (; plansHeld_ > 0; --plansHeld_) frame_.endBusy();
        if (doc) doc->playback().addListener(*this);
    }
    doc_ = doc;
    view_ = view;
    setPictureView(view ? &view->pictureView() : nullptr);
}

void CoursViewWidget::playbackStarted() {
    ++plansHeld_;
    frame_.beginBusy();
}

void CoursViewWidget::playbackEnded(PlaybackOutcome) {
    if (plansHeld_ == 0) return;
    --plansHeld_;
    frame_.endBusy();
}

void CoursViewWidget::start(int intervalMs) { timer_.start(std::max(1, intervalMs)); }

void CoursViewWidget::stop() {
    timer_.stop();
    // The page on which scrolling stopped is drawn again, so that a page reached by fast scrolling
    // is read out now rather than at whatever repaint comes next (a menu closing over it).
    viewport()->update();
}

void CoursViewWidget::showEvent(QShowEvent* event) {
    PictureViewWidget::showEvent(event);
    if (!initialised_ && view_) {
        initialised_ = true;
        view_->initialUpdate(screenMetrics(this));
    }
}

QSizeF CoursViewWidget::measureItems(const std::vector<DrawItem>& items) const {
    // The extent in units, with text widths estimated at the screen mapping.
    const LogicalMapping m = mapping();
    double w = 0, d = 0;
    for (const DrawItem& it : items) {
        double right = it.x, bottom = -it.y;
        switch (it.kind) {
        case DrawItem::Kind::Picture: right += 640; bottom += 110; break;
        case DrawItem::Kind::Icon:
        case DrawItem::Kind::Flag: {
            const QSizeF s = iconUnits(it.iconId);
            right += s.width();
            bottom += s.height();
            break;
        }
        case DrawItem::Kind::Text: {
            const QFont f = contentFont(it.font.face, it.font.encoding, m.lengthY(it.font.height), it.font.weight);
            const QFontMetricsF fm(f);
            const double px = fm.horizontalAdvance(decodeContent(it.text, it.font.encoding));
            right += m.viewportX > 0 ? px * LogicalMapping::kWindowExtent / m.viewportX : 0;
            bottom += it.font.height;
            break;
        }
        }
        w = std::max(w, right);
        d = std::max(d, bottom);
    }
    return QSizeF(w, d);
}

QSizeF CoursViewWidget::paintItems(QPainter& p, const std::vector<DrawItem>& items, const LogicalMapping& m,
                                   const QPointF& origin) {
    double extentW = 0, extentD = 0;
    auto dev = [&](double x, double y) { return origin + QPointF(m.deviceX(x), m.deviceY(y)); };
    for (const DrawItem& it : items) {
        switch (it.kind) {
        case DrawItem::Kind::Picture: {
            // The document loads the picture; only a successful load is drawn.
            if (!doc_ || !doc_->LoadPicture(it.path) || !doc_->picture()) break;
            const CDIB& dib = *doc_->picture();
            const QImage img = imageOf(dib);
            if (img.isNull()) break;
            const QRectF target(dev(it.x, it.y), QSizeF(m.lengthX(img.width()), m.lengthY(img.height())));
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(target, img);
            p.restore();
            extentW = std::max(extentW, double(it.x + img.width()));
            extentD = std::max(extentD, double(-it.y + img.height()));
            break;
        }
        case DrawItem::Kind::Icon:
        case DrawItem::Kind::Flag: {
            const QSizeF s = iconUnits(it.iconId);
            if (s.isEmpty()) break;
            icons::paintBitmap(p, it.iconId, QRectF(dev(it.x, it.y), QSizeF(m.lengthX(s.width()), m.lengthY(s.height()))));
            extentW = std::max(extentW, it.x + s.width());
            extentD = std::max(extentD, -it.y + s.height());
            break;
        }
        case DrawItem::Kind::Text: {
            const QFont f = contentFont(it.font.face, it.font.encoding, m.lengthY(it.font.height), it.font.weight);
            const QString text = decodeContent(it.text, it.font.encoding);
            const QFontMetricsF fm(f);
            const QPointF top = dev(it.x, it.y);
            p.setFont(f);
            p.setPen(colourOf(it.colour));
            // The position is the top of the character cell; the background stays transparent.
            p.drawText(QPointF(top.x(), top.y() + fm.ascent()), text);
            if (m.viewportX > 0)
                extentW = std::max(extentW, it.x + fm.horizontalAdvance(text) * LogicalMapping::kWindowExtent / m.viewportX);
            extentD = std::max(extentD, double(-it.y + it.font.height));
            break;
        }
        }
    }
    return QSizeF(extentW, extentD);
}

void CoursViewWidget::invalidate() {
    laidOut_.reset();
    PictureViewWidget::invalidate();
}

const std::vector<DrawItem>& CoursViewWidget::pageItems() {
    const CoursePageInput input{screenHeight(this), logicalDpiY(), doc_ ? doc_->ideogramSet() : 0};
    if (!laidOut_ || laidOut_->screenHeight != input.screenHeight || laidOut_->logicalDpiY != input.logicalDpiY ||
        laidOut_->ideogramSet != input.ideogramSet) {
        items_ = view_->layout(input.screenHeight, input.logicalDpiY);
        laidOut_ = input;
    }
    return items_;
}

void CoursViewWidget::paintEvent(QPaintEvent*) {
    ++paints_;
    QPainter p(viewport());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!view_ || !doc_) {
        p.fillRect(viewport()->rect(), Qt::white);
        return;
    }
    const std::vector<DrawItem>& items = pageItems();
    const QSizeF extent = measureItems(items);
    const LogicalMapping m = mapping();
    // The sheet covers the surface and whatever the page reaches beyond it.
    const double sheetW = std::max<double>(extent.width() + 60, 1400);
    const double sheetD = std::max<double>(extent.height() + 60, CCoursView::kSurfaceHeight);
    setContentExtent(qRound(m.lengthX(sheetW)), qRound(m.lengthY(sheetD)));
    paintSheet(p, sheetW, sheetD);
    paintItems(p, items, m, originInViewport());
    schedulePlay();
}

void CoursViewWidget::schedulePlay() {
    if (playScheduled_ || !doc_ || doc_->voicesPlayed()) return;
    const int mode = doc_->scrollingMode();
    if (mode == CCoursDoc::kFastReversed || mode == CCoursDoc::kFastForward) return;
    playScheduled_ = true;
    // After the page is on the screen: the paint has been flushed when this runs.
    QTimer::singleShot(0, this, [this] {
        playScheduled_ = false;
        if (!view_ || !isVisible()) return;
        view_->playOnArrival();
    });
}

void CoursViewWidget::print(QPrinter* printer) {
    if (!view_ || !printer) return;
    QPainter p;
    if (!p.begin(printer)) return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DeviceMetrics dev;
    dev.widthPx = printer->width();
    dev.heightPx = printer->height();
    dev.widthMm = printer->widthMM();
    dev.heightMm = printer->heightMM();
    const LogicalMapping m = view_->pictureView().mappingFor(PictureView::densityOf(dev));
    // Fonts keep the size they have on the screen (the screen's logical density), so that the
    // printed page has the physical size of the page on the screen.
    const std::vector<DrawItem>& items = pageItems();
    // A page deeper or wider than the paper (the blocks of a tall screen's layout reach about 38 cm)
    // is shrunk as a whole to fit it, rather than cut off at the paper's edge.
    const QSizeF extent = measureItems(items);
    if (extent.width() > 0 && extent.height() > 0 && m.viewportX > 0 && m.viewportY > 0) {
        const double paperW = double(dev.widthPx) * LogicalMapping::kWindowExtent / m.viewportX;
        const double paperD = double(dev.heightPx) * LogicalMapping::kWindowExtent / m.viewportY;
        const double fit = std::min(paperW / extent.width(), paperD / extent.height());
        if (fit < 1.0) p.scale(fit, fit);
    }
    paintItems(p, items, m, QPointF(0, 0));
    p.end();
}

} // namespace lumora
