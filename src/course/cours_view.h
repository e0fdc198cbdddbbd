#pragma once
// The course reading view: the current page as up to four phrases (ideogram picture, number,
// phonetic line, translation with its flag, voice icons), played once on arrival, and the automatic
// page turning with a timer. The page is laid out here in logical units (picture_view.h: 0.2 mm,
// y upward, top edge y = 0, a depth d is y = -d); the widget only paints the list of items.
//
// Commands (course/course_commands.h), declared in its command table: 6020 fast reversed (mode 1,
// a page every 500 ms, no voices), 6030 slow reversed (mode 10), 6070 slow forward (mode 20),
// 6080 fast forward (mode 2): each starts scrolling when not scrolling and stops it otherwise, and
// is checked while its mode runs. A slow mode turns the page "Lesson"/"Timer" ms (default 5000)
// after the page's phrases have been heard. 6050 stops scrolling and the voices; 3013 flips
// "Course"/"Phonetic" (checked when 1); 3015 flips "Course"/"Show Translate" (checked when 1);
// 4001..4008 zoom (picture_view.h, "Course"/"Zoom"); 4010 fits the whole page into the window
// ("Course"/"Fit Page"); 3002 and 57634 copy the page's phrases as text.
//
// The scroll surface covers what the page draws: its rightmost and deepest item and a margin of
// kSurfaceMargin units, at the current zoom.
//
// How the widget uses it:
//   - creation: initialUpdate(screen metrics); the view calls ViewWindow::setScrollSize;
//   - commands: route ids to onCommand / commandState (then to the document);
//   - the document's updateAllViews reaches onUpdate(), which invalidates the widget (and, for
//     another page, asks it to show the page's top);
//   - paint: white background, transparent text; map logical units with pictureView().mapping();
//     for each item of layout(screen height, logical dpi y), in order: Picture -> draw the document's
//     picture at (x, y) when CCoursDoc::LoadPicture(path) succeeds (pixels = units); Text -> font
//     face/height (logical units)/weight, decode the bytes with font.encoding, colour, top-left at
//     (x, y); Icon -> bitmap resource iconId, top-left at (x, y), its size in units; Flag -> the
//     language's list flag iconId the same way; a new layout's extent goes to setPageExtent and
//     the room the window offers to setAvailableSize (before drawing: the fitted zoom follows);
//   - after the paint (queued, never inside the paint handler): playOnArrival();
//   - timer expiry: onTimer(); window closing: onClose().
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "course/picture_view.h"
#include "foundation/codecs.h"
#include "foundation/command_target.h"
#include "foundation/language_table.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/playback.h"
#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

class CCoursDoc;

// band(H, a, b, c): a when 480 <= H < 600; b when 600 <= H < 768; otherwise H * c / 600 rounded to
// the nearest integer.
int band(int screenHeight, int a, int b, int c);

struct DrawFont {
    std::string face;
    int height = 0;  // logical units
    int weight = 400; // 400 normal, 700 bold; variable pitch, proof quality
    FontEncoding encoding = FontEncoding::Windows1252; // how the text bytes decode
};

// One thing to draw, positioned by its top-left corner in logical units (y = -depth).
struct DrawItem {
    enum class Kind { Picture, Text, Icon, Flag };
    Kind kind = Kind::Text;
    int x = 0;
    int y = 0;
    std::string path;       // Picture: content name of the bitmap (load with CCoursDoc::LoadPicture)
    std::string text;       // Text: stored bytes, decode with font.encoding
    DrawFont font;          // Text
    ColourRef colour = 0;   // Text: 0x00BBGGRR
    int iconId = 0;         // Icon: 701 phonetic, 703 male voice, 704 female voice; Flag: list flag id
    int languageId = -1;    // Flag: the translation language
};

// The page layout inputs: the screen height in pixels, the device's logical dots per inch
// vertically, and the document's ideogram set.
struct CoursePageInput {
    int screenHeight = 768;
    int logicalDpiY = 96;
    int ideogramSet = 0;
};

// Lays out the current page (position from the settings; a page beyond the last draws page 0).
// Writes "Debug"/"Hauteur" (the screen height) and "Course"/"ChFilename" (phrase 1's picture name).
// Order of the items is the drawing order. Pictures are listed for phrase 1 always and for phrases
// 2..4 when their sound stem is not empty, at (10, -(10 + 190 * (k - 1))); the painter draws one
// when CCoursDoc::LoadPicture succeeds.
std::vector<DrawItem> layoutCoursePage(SettingsStore& store, const LessonCatalogue& catalogue,
                                       const CoursePageInput& input);

// The room an item takes on the page, in units: a picture's pixels, an icon's or flag's bitmap, a
// text's advance and the height of its cell. Nothing for what is not drawn (a picture that fails to
// load).
struct ItemSize {
    double width = 0;
    double height = 0;
};
using ItemMeasure = std::function<ItemSize(const DrawItem&)>;

// The extent of a page from the surface's origin, in units: its rightmost and its deepest point.
struct PageExtent {
    int width = 0;
    int depth = 0;
    bool operator==(const PageExtent&) const = default;
};
PageExtent pageExtent(const std::vector<DrawItem>& items, const ItemMeasure& measure);

// The page as text, one phrase a line: its phonetic spelling and its translation in the translation
// language, separated by a tab, decoded to UTF-8 (the characters themselves exist only as the
// ideogram pictures). Phrases without either are left out; a page beyond the last gives page 0.
std::string coursePageText(SettingsStore& store, const LessonCatalogue& catalogue);

// The scrolling timer (timer 1 of the view's window).
class ViewTimer {
public:
    virtual ~ViewTimer() = default;
    virtual void start(int intervalMs) = 0; // (re)starts a periodic timer
    virtual void stop() = 0;
};

// What the view needs of its widget.
class ViewWindow {
public:
    virtual ~ViewWindow() = default;
    // Invalidates the whole view (background erased); the widget repaints it soon.
    virtual void invalidate() = 0;
    // The total scroll size in pixels changed (zoom, another page).
    virtual void setScrollSize(int width, int height) = 0;
    // Another page is shown: the view scrolls back to the top of the surface.
    virtual void scrollToTop() {}
    // Puts text on the clipboard (the copy command).
    virtual void copyText(const std::string& text) { (void)text; }
    // What the status bar says about the scrolling (empty: nothing).
    virtual void showScrollStatus(const std::string& text) { (void)text; }
};

class CCoursView : public CommandTarget, private PlaybackListener {
public:
    static constexpr int kFastIntervalMs = 500;
    static constexpr int kSurfaceHeight = 800;
    static constexpr int kSurfaceMargin = 20; // units beyond the rightmost and the deepest item

    // Listens to the document's plans (for the ticks kept during playback) until destroyed.
    CCoursView(SettingsStore& store, CCoursDoc& doc, ViewTimer& timer, ViewWindow& window);
    ~CCoursView() override;
    CCoursView(const CCoursView&) = delete;
    CCoursView& operator=(const CCoursView&) = delete;

    // First display: applies the zoom of "Course"/"Zoom" to the screen.
    void initialUpdate(const DeviceMetrics& screen);
    // The document changed: the whole view is invalidated.
    void onUpdate();

    // The extent of the page as laid out and measured by the widget: the scroll surface covers it
    // (plus kSurfaceMargin), and a fitted page is scaled to it.
    void setPageExtent(const PageExtent& extent);
    const PageExtent& pageExtent() const { return extent_; }
    // The room the window offers the surface in pixels, and the units it adds around the surface
    // (the sheet's border): while the page is fitted, the zoom follows.
    void setAvailableSize(int widthPx, int heightPx, int paddingUnits);
    // The scroll surface in pixels at the current zoom.
    ScrollSize surfaceSize() const;
    // The largest zoom (PictureView::kMinZoom..kMaxZoom) at which `units` across and down take at
    // most the available pixels at the density.
    static int fitZoom(int widthUnits, int depthUnits, const Density& density, int availableWidth,
                       int availableHeight);
    bool fitsPage() const { return fit_; }
    // Ctrl+wheel: the next zoom step up (direction > 0) or down, as the zoom command of that step.
    void zoomBy(int direction);
    // The status text of a scrolling mode (empty for 0).
    static std::string scrollStatusText(int mode);

    // The items of the current page (see layoutCoursePage) for a screen height and vertical dpi.
    std::vector<DrawItem> layout(int screenHeight, int logicalDpiY) const;
    // After the page is on the screen: when the voices are not played yet and the mode is neither 1
    // nor 2, marks them played (so a repaint during playback plays nothing) and starts
    // PlayAllPhrases. True when it did.
    bool playOnArrival();

    // A timer tick: mode 1 or 10 runs the document's previous page, 2 or 20 its next page (a plan
    // still playing stops with the page). In a slow mode the tick is single: the timer is armed
    // again once the next page's plan has completed (or at once when it has nothing to play); a tick
    // while a plan plays does nothing.
    void onTimer();
    // Closing the view stops the timer, sets the mode to 0 and cancels the document's plan.
    void onClose();

    PictureView& pictureView() { return picture_; }
    const PictureView& pictureView() const { return picture_; }

private:
    void declareCommands();
    void zoomCommand(int id);
    void playbackStarted() override;
    void playbackEnded(PlaybackOutcome outcome) override;
    void startScrolling(int mode, int intervalMs);
    void stopScrolling();
    void toggle(const IntSetting& setting);
    bool slowMode() const;
    int slowInterval() const;
    void armSlowTick();
    void applySurface();
    void refit();
    void setFit(bool on);

    SettingsStore& store_;
    CCoursDoc& doc_;
    ViewTimer& timer_;
    ViewWindow& window_;
    PictureView picture_;
    PageExtent extent_;
    int availableWidth_ = 0, availableHeight_ = 0, paddingUnits_ = 0;
    bool fit_ = false;
    int shownLesson_ = -1, shownPage_ = -1;
};

} // namespace lumora
