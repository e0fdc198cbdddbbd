#pragma once
// The course view on screen: paints the core's page layout (ideogram pictures, numbers, phonetic and
// translation lines, flags, voice icons) in logical units through the zoom's mapping, plays the
// page's phrases once it is on the screen, runs the scrolling timer and prints the page. While a plan
// of the document plays, the main frame holds the commands back (they run once it has ended).
#include <optional>
#include <vector>

#include <QTimer>

#include "course/cours_doc.h"
#include "course/cours_view.h"
#include "course/ui/picture_view_widget.h"

class QPrinter;

namespace lumora {

class ActivityHost;

class CoursViewWidget final : public PictureViewWidget, public ViewTimer, private PlaybackListener {
    Q_OBJECT
public:
    CoursViewWidget(ActivityHost& host, QWidget* parent = nullptr);
    ~CoursViewWidget() override;

    // Attaches the document and the view (nullptr detaches); the widget listens to the document's
    // plans while attached.
    void attach(CCoursDoc* doc, CCoursView* view);
    CCoursView* view() const { return view_; }

    // ViewWindow: the page is laid out again at the next paint.
    void invalidate() override;

    // ViewTimer (the scrolling timer)
    void start(int intervalMs) override;
    void stop() override;
    bool timerActive() const { return timer_.isActive(); }
    int timerInterval() const { return timer_.interval(); }

    // Prints the page through the same drawing, at the printer's density.
    void print(QPrinter* printer);
    // The number of paints so far (tests wait on it).
    int paintCount() const { return paints_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Draws the page's items with `origin` as the device position of logical (0, 0); returns the
    // extent of what was drawn, in logical units (width, depth).
    QSizeF paintItems(QPainter& p, const std::vector<DrawItem>& items, const LogicalMapping& m, const QPointF& origin);
    QSizeF measureItems(const std::vector<DrawItem>& items) const;
    // The page's items, laid out once per change (a page shown, a toggle, the ideogram set, another
    // screen) rather than at every paint: the layout reads the lesson file and stores its trace.
    const std::vector<DrawItem>& pageItems();
    void schedulePlay();
    void playbackStarted() override;
    void playbackEnded(PlaybackOutcome outcome) override;

    ActivityHost& frame_;
    CCoursDoc* doc_ = nullptr;
    CCoursView* view_ = nullptr;
    QTimer timer_;
    std::vector<DrawItem> items_;
    std::optional<CoursePageInput> laidOut_;
    bool initialised_ = false;
    bool playScheduled_ = false;
    int paints_ = 0;
    int plansHeld_ = 0; // plans playing for which the frame holds commands back
};

} // namespace lumora
