#pragma once
// The course view on screen: paints the core's page layout (ideogram pictures, numbers, phonetic and
// translation lines, flags, voice icons) in logical units through the zoom's mapping, plays the
// page's phrases once it is on the screen, runs the scrolling timer and prints the page. Commands act
// while the page plays: those that leave the page stop its voices through the document. The wheel
// scrolls (Shift: sideways; Ctrl: zoom steps).
#include <optional>
#include <vector>

#include <QTimer>

#include "course/cours_doc.h"
#include "course/cours_view.h"
#include "course/ui/picture_view_widget.h"

class QPrinter;

namespace lumora {

class ActivityHost;

class CoursViewWidget final : public PictureViewWidget, public ViewTimer {
    Q_OBJECT
public:
    CoursViewWidget(ActivityHost& host, QWidget* parent = nullptr);
    ~CoursViewWidget() override;

    // Attaches the document and the view (nullptr detaches).
    void attach(CCoursDoc* doc, CCoursView* view);
    CCoursView* view() const { return view_; }

    // ViewWindow: the page is laid out again at the next paint.
    void invalidate() override;
    void scrollToTop() override;
    void copyText(const std::string& text) override;
    void showScrollStatus(const std::string& text) override;

    // ViewTimer (the scrolling timer)
    void start(int intervalMs) override;
    void stop() override;
    bool timerActive() const { return timer_.isActive(); }
    int timerInterval() const { return timer_.interval(); }

    // Room kept free at the right of the view for the media window (a fitted page keeps out of it).
    void setReservedRight(int px);
    int reservedRight() const { return reservedRight_; }

    // Prints the page through the same drawing, at the printer's density.
    void print(QPrinter* printer);
    // The number of paints so far (tests wait on it).
    int paintCount() const { return paints_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Draws the page's items with `origin` as the device position of logical (0, 0); returns the
    // extent of what was drawn, in logical units (width, depth).
    QSizeF paintItems(QPainter& p, const std::vector<DrawItem>& items, const LogicalMapping& m, const QPointF& origin);
    QSizeF measureItems(const std::vector<DrawItem>& items);
    ItemSize measureItem(const DrawItem& item);
    // Tells the view the room the window offers (the page is fitted to it).
    void offerRoom();
    // The page's items, laid out once per change (a page shown, a toggle, the ideogram set, another
    // screen) rather than at every paint: the layout reads the lesson file and stores its trace.
    const std::vector<DrawItem>& pageItems();
    void schedulePlay();

    ActivityHost& frame_;
    CCoursDoc* doc_ = nullptr;
    CCoursView* view_ = nullptr;
    QTimer timer_;
    std::vector<DrawItem> items_;
    std::optional<CoursePageInput> laidOut_;
    bool initialised_ = false;
    bool playScheduled_ = false;
    int paints_ = 0;
    int reservedRight_ = 0;
};

} // namespace lumora
