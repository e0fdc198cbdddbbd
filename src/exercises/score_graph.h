#pragma once
// The score graph: what the graph pane draws, in logical units of 1/100 cm at zoom 100 (x to the
// right, y downward), and the pane's zoom with its scroll range. The Qt pane only paints the
// picture computed here.
#include <string>
#include <vector>

#include "exercises/score_history.h"
#include "foundation/command_target.h"
#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

struct ScoreGraphColour {
    int r = 0, g = 0, b = 0;
    bool operator==(const ScoreGraphColour&) const = default;
};

struct ScoreGraphLine {
    enum class Pen { Axis, Grid, Curve }; // current pen, dotted green, solid blue
    Pen pen = Pen::Axis;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct ScoreGraphText {
    enum class Font { Small, Large }; // Arial 50 units normal, Arial 80 units bold
    Font font = Font::Small;
    ScoreGraphColour colour; // {-1,..}: the current text colour
    int x = 0, y = 0;   // top-left corner
    std::string text;
};

// One point of the curve, with what its tooltip says ("8/12/1997 14:05:09 - 67 %").
struct ScoreGraphPoint {
    int x = 0, y = 0;
    std::string tip;
};

struct ScoreGraphPicture {
    std::vector<ScoreGraphLine> lines;
    std::vector<ScoreGraphText> texts;
    std::vector<ScoreGraphPoint> curve; // joined in order by Curve lines
};

constexpr ScoreGraphColour kCurrentColour{-1, -1, -1};

// The picture of the history named by the last-job setting (10 verify, 11 picture, 12 translation;
// any other value: frame and grid without a curve or title).
ScoreGraphPicture scoreGraphPicture(const SettingsStore& store, const FileAccess& files);

// What the drawing covers, in units from (0, 0): the axes end at x 3200, the title's line ends
// below y 2300.
constexpr int kScoreGraphDrawnWidth = 3250;
constexpr int kScoreGraphDrawnHeight = 2320;

// The factor (at most 1) by which a printout at `zoom` shrinks so the whole drawing fits a page
// area of the given size in centimetres (at zoom 100 the drawing is 32.5 x 23.2 cm, wider than a
// landscape A4 page); 1 when it fits. Nothing fits a page without area: 0.
double scoreGraphPrintFit(int zoom, double pageWidthCm, double pageHeightCm);

// Zoom commands: 4001 50 %, 4002 75 %, 4004 100 %, 4006 200 %, each checked while current.
class ScoreGraphZoom : public CommandTarget {
public:
    ScoreGraphZoom();
    int zoom() const { return zoom_; }
    // Pixels per centimetre of a device (pixels * 10 / millimetres) and the logical page mapped on
    // it: the viewport extent for a window extent of 100 x 100.
    struct Extent {
        int x = 0, y = 0;
    };
    Extent viewport(int pxPerCmX, int pxPerCmY) const { return {zoom_ * pxPerCmX / 100, zoom_ * pxPerCmY / 100}; }
    // The scroll range: twice the 40 x 30 cm page.
    Extent scrollRange(int pxPerCmX, int pxPerCmY) const {
        return {2 * (40 * pxPerCmX * zoom_ / 100), 2 * (30 * pxPerCmY * zoom_ / 100)};
    }
    std::function<void()> onZoomChanged;

private:
    void set(int zoom);
    int zoom_ = 100;
};

} // namespace lumora
