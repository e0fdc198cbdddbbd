#include "course/ui/picture_view_widget.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>

namespace lumora {

PictureViewWidget::PictureViewWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

DeviceMetrics PictureViewWidget::screenMetrics(const QWidget* widget) {
    const QScreen* s = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    DeviceMetrics m;
    if (!s) return m;
    m.widthPx = s->geometry().width();
    m.heightPx = s->geometry().height();
    m.widthMm = qRound(s->physicalSize().width());
    m.heightMm = qRound(s->physicalSize().height());
    return m;
}

int PictureViewWidget::screenHeight(const QWidget* widget) { return screenMetrics(widget).heightPx; }

void PictureViewWidget::invalidate() { viewport()->update(); }

void PictureViewWidget::setScrollSize(int width, int height) {
    scrollSize_ = QSize(std::max(0, width), std::max(0, height));
    updateScrollBars();
    viewport()->update();
}

void PictureViewWidget::setContentExtent(int widthPx, int heightPx) {
    const QSize e(widthPx, heightPx);
    if (e == contentExtent_) return;
    contentExtent_ = e;
    updateScrollBars();
}

int PictureViewWidget::sheetPaddingPx() const { return qRound(mapping().lengthX(kSheetPadding)); }

LogicalMapping PictureViewWidget::mapping() const {
    if (view_) return view_->mapping();
    LogicalMapping m;
    m.viewportX = m.viewportY = 37;
    return m;
}

QPointF PictureViewWidget::originInViewport() const {
    const double pad = kDeskMargin + sheetPaddingPx();
    return QPointF(pad - horizontalScrollBar()->value(), pad - verticalScrollBar()->value());
}

QPointF PictureViewWidget::toViewport(double x, double y) const {
    const LogicalMapping m = mapping();
    return originInViewport() + QPointF(m.deviceX(x), m.deviceY(y));
}

void PictureViewWidget::updateScrollBars() {
    // The core's scroll size, widened when the drawing reaches further (a tall screen pushes the
    // lower blocks of a page beyond it), plus the desk and sheet margins on both sides.
    const int pad = 2 * (kDeskMargin + sheetPaddingPx());
    const int w = std::max(scrollSize_.width(), contentExtent_.width()) + pad;
    const int h = std::max(scrollSize_.height(), contentExtent_.height()) + pad;
    const QSize vp = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, w - vp.width()));
    verticalScrollBar()->setRange(0, std::max(0, h - vp.height()));
    horizontalScrollBar()->setPageStep(vp.width());
    verticalScrollBar()->setPageStep(vp.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void PictureViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PictureViewWidget::scrollContentsBy(int, int) { viewport()->update(); }

void PictureViewWidget::paintSheet(QPainter& p, double widthUnits, double depthUnits) const {
    p.fillRect(viewport()->rect(), QColor(0xE4, 0xE7, 0xEB));
    const LogicalMapping m = mapping();
    const double pad = sheetPaddingPx();
    const QPointF o = originInViewport();
    const QRectF sheet(o.x() - pad, o.y() - pad, m.lengthX(widthUnits) + 2 * pad, m.lengthY(depthUnits) + 2 * pad);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // A soft shadow below and to the right of the sheet.
    for (int i = 1; i <= 6; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x3A, 0x44, 22 - 3 * i));
        p.drawRoundedRect(sheet.translated(i * 0.5, i * 0.9).adjusted(-i * 0.4, -i * 0.2, i * 0.4, i * 0.6), 3, 3);
    }
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0xC9, 0xCE, 0xD4), 1));
    p.drawRoundedRect(sheet, 2, 2);
    p.restore();
}

} // namespace lumora
