#include "course/ui/cours_view_widget.h"

#include <algorithm>
#include <cstdlib>

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include "course/dib.h"
#include "course/ui/content_fonts.h"
#include "course/ui/dib_image.h"
#include "foundation/ui/activity.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {

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
    doc_ = doc;
    view_ = view;
    setPictureView(view ? &view->pictureView() : nullptr);
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

ItemSize CoursViewWidget::measureItem(const DrawItem& it) {
    // The room in units, with text measured at zoom 100 on this screen, so that the extent does not
    // move with the zoom (a fitted page takes its zoom from it).
    LogicalMapping m = mapping();
    if (view_) {
        const Density d = view_->pictureView().screenDensity();
        if (d.x > 0 && d.y > 0) {
            m.viewportX = d.x;
            m.viewportY = d.y;
        }
    }
    switch (it.kind) {
    case DrawItem::Kind::Picture: {
        if (!doc_ || !doc_->LoadPicture(it.path) || !doc_->picture()) return {};
        const CDIB& dib = *doc_->picture();
        return {double(std::abs(dib.width())), double(std::abs(dib.height()))};
    }
    case DrawItem::Kind::Icon:
    case DrawItem::Kind::Flag: {
        const QSizeF s = iconUnits(it.iconId);
        return {s.width(), s.height()};
    }
    case DrawItem::Kind::Text: {
        const QFont f = contentFont(it.font.face, it.font.encoding, m.lengthY(it.font.height), it.font.weight);
        const QFontMetricsF fm(f);
        const double px = fm.horizontalAdvance(decodeContent(it.text, it.font.encoding));
        const double w = m.viewportX > 0 ? px * LogicalMapping::kWindowExtent / m.viewportX : 0;
        const double h = m.viewportY > 0 ? fm.height() * LogicalMapping::kWindowExtent / m.viewportY : 0;
        return {w, std::max<double>(h, it.font.height)};
    }
    }
    return {};
}

QSizeF CoursViewWidget::measureItems(const std::vector<DrawItem>& items) {
    const PageExtent e = pageExtent(items, [this](const DrawItem& it) { return measureItem(it); });
    return QSizeF(e.width, e.depth);
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

void CoursViewWidget::scrollToTop() {
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void CoursViewWidget::copyText(const std::string& text) {
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(QString::fromStdString(text));
}

void CoursViewWidget::showScrollStatus(const std::string& text) { frame_.showStatusMessage(text); }

void CoursViewWidget::offerRoom() {
    if (!view_) return;
    const QSize room = maximumViewportSize();
    // The desk's margins on both sides, and a pixel each side for the rounding of the sheet's border.
    view_->setAvailableSize(room.width() - 2 * kDeskMargin - 2 - reservedRight_, room.height() - 2 * kDeskMargin - 2,
                            kSheetPadding);
}

void CoursViewWidget::setReservedRight(int px) {
    if (px == reservedRight_) return;
    reservedRight_ = std::max(0, px);
    offerRoom();
    viewport()->update();
}

void CoursViewWidget::resizeEvent(QResizeEvent* event) {
    PictureViewWidget::resizeEvent(event);
    offerRoom();
}

void CoursViewWidget::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0 || !view_) {
        event->ignore();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        view_->zoomBy(delta > 0 ? 1 : -1);
    } else {
        QScrollBar* bar = (event->modifiers() & Qt::ShiftModifier) || angle.y() == 0 ? horizontalScrollBar()
                                                                                     : verticalScrollBar();
        const int lines = QApplication::wheelScrollLines();
        bar->setValue(bar->value() - delta * bar->singleStep() * std::max(1, lines) / 120);
    }
    event->accept();
}

const std::vector<DrawItem>& CoursViewWidget::pageItems() {
    const CoursePageInput input{screenHeight(this), logicalDpiY(), doc_ ? doc_->ideogramSet() : 0};
    if (!laidOut_ || laidOut_->screenHeight != input.screenHeight || laidOut_->logicalDpiY != input.logicalDpiY ||
        laidOut_->ideogramSet != input.ideogramSet) {
        items_ = view_->layout(input.screenHeight, input.logicalDpiY);
        laidOut_ = input;
        // The surface covers the new layout; a fitted page takes its scale from it.
        view_->setPageExtent(pageExtent(items_, [this](const DrawItem& it) { return measureItem(it); }));
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
    offerRoom();
    const std::vector<DrawItem>& items = pageItems();
    const PageExtent& extent = view_->pageExtent();
    const LogicalMapping m = mapping();
    // The sheet covers the surface: the page and its margin.
    const double sheetW = extent.width + CCoursView::kSurfaceMargin;
    const double sheetD = extent.depth + CCoursView::kSurfaceMargin;
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
