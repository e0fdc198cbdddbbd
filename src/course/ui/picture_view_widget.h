#pragma once
// A zoomable scrolling view of logical units (0.2 mm, y upward): the scroll bars follow the core's
// scroll size, and a logical point becomes a pixel through the picture-view mapping. The surface is
// drawn as a white sheet on a desk: the sheet reaches a little beyond the surface's origin so that
// what is drawn at x = 0 does not touch its edge.
#include <QAbstractScrollArea>

#include "course/cours_view.h"
#include "course/picture_view.h"

namespace lumora {

class PictureViewWidget : public QAbstractScrollArea, public ViewWindow {
    Q_OBJECT
public:
    explicit PictureViewWidget(QWidget* parent = nullptr);

    void setPictureView(PictureView* view) { view_ = view; }
    PictureView* pictureView() const { return view_; }

    // The screen of the widget: size in pixels and millimetres.
    static DeviceMetrics screenMetrics(const QWidget* widget);
    static int screenHeight(const QWidget* widget);

    // ViewWindow
    void invalidate() override;
    void setScrollSize(int width, int height) override;

    // Where the surface's origin lies in the viewport (desk margin and sheet padding, less the
    // scroll offset), and the mapping of the current zoom.
    QPointF originInViewport() const;
    LogicalMapping mapping() const;
    // A logical point in viewport pixels.
    QPointF toViewport(double x, double y) const;
    // Extra room the drawing needs beyond the core's scroll size (content that reaches further).
    void setContentExtent(int widthPx, int heightPx);
    QSize scrollSize() const { return scrollSize_; }

    static constexpr int kDeskMargin = 18;
    // Sheet padding around the surface's origin, in logical units.
    static constexpr int kSheetPadding = 36;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    int sheetPaddingPx() const;
    // Paints the desk and the white sheet covering `sheetLogical` (width, depth in units, from the
    // origin) into the viewport.
    void paintSheet(QPainter& p, double widthUnits, double depthUnits) const;

private:
    void updateScrollBars();
    PictureView* view_ = nullptr;
    QSize scrollSize_;
    QSize contentExtent_;
};

} // namespace lumora
