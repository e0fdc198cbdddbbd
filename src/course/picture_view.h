#pragma once
// The geometry of a zoomable picture view: a scrolling surface measured in logical units of 0.2 mm
// (50 units a centimetre at zoom 100), 2048 units wide and 600 or 800 units high, y growing upward
// with the origin at the top-left corner (visible points have negative y). A picture of w x h pixels
// covers w x h units with its top-left corner at (10, -10).
//
// One class for every such view, each with its own zoom key and height:
//   course view        "Course"/"Zoom"    800
//   dictionary picture "Dict"/"Zoom"      600
//   exercise picture   "Exercise"/"Zoom"  600
//   voice studio       "UserRec"/"Zoom"   600
//
// Commands 4001..4007 set the zoom 50, 75, 90, 100, 150, 200, 300 (stored under the key at once);
// the item of the current zoom is checked. 4008 is accepted and ignored. After a handled zoom
// command the owner applies scrollSize() to its scroll bars and repaints the whole view (background
// erased) at once.
#include <optional>
#include <string>

#include "foundation/command_target.h"
#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

// A display or printer: size in pixels and in millimetres.
struct DeviceMetrics {
    int widthPx = 0;
    int heightPx = 0;
    int widthMm = 0;
    int heightMm = 0;
};

// Pixels per centimetre across and down.
struct Density {
    int x = 0;
    int y = 0;
};

// Logical units to device pixels: 50 units (one centimetre at zoom 100) become viewportX pixels
// across and viewportY pixels down; y is inverted (a logical y of -d is d units below the top).
struct LogicalMapping {
    static constexpr int kWindowExtent = 50;
    int viewportX = 0; // zoom * density.x / 100, integer
    int viewportY = 0;
    double deviceX(double logicalX) const { return logicalX * viewportX / kWindowExtent; }
    double deviceY(double logicalY) const { return -logicalY * viewportY / kWindowExtent; }
    // A length in units as pixels (for picture and font sizes).
    double lengthX(double units) const { return units * viewportX / kWindowExtent; }
    double lengthY(double units) const { return units * viewportY / kWindowExtent; }
};

struct ScrollSize {
    int width = 0;
    int height = 0;
};

struct LogicalPoint {
    int x = 0;
    int y = 0;
};

class PictureView : public CommandTarget {
public:
    static constexpr int kUnitsPerCm = 50;
    static constexpr int kSurfaceWidth = 2048;
    static constexpr int kFirstZoomCommand = 4001;
    static constexpr int kLastZoomCommand = 4007;
    static constexpr int kIgnoredCommand = 4008;

    PictureView(SettingsStore& store, IntSetting zoom, int surfaceHeight);

    // Pixels per centimetre of a device: (pixels * 10) / millimetres, integer division. A device
    // that reports no physical size (0 mm or less) is taken at 96 dots per inch (37 px/cm) instead
    // of dividing by zero.
    static Density densityOf(const DeviceMetrics& device);
    // The zoom of a command 4001..4007, or 0.
    static int zoomOfCommand(int id);

    // First display: remembers the screen, reads the zoom from its key (default 100) and applies it.
    void initialUpdate(const DeviceMetrics& screen);
    // A new screen (moved to another display): recomputes the density and the scroll sizes.
    void setScreen(const DeviceMetrics& screen);

    int zoom() const { return zoom_; }
    Density screenDensity() const { return density_; }
    // Total scroll size in pixels: width = 2 * ((2048 / 50) * density.x * zoom / 100),
    // height = 2 * ((H / 50) * density.y * zoom / 100), integer arithmetic from left to right.
    ScrollSize scrollSize() const;
    // The mapping for painting (screen density) or printing (the printer's density).
    LogicalMapping mapping() const { return mappingFor(density_); }
    LogicalMapping mappingFor(const Density& density) const;
    int surfaceHeight() const { return height_; }
    static LogicalPoint picturePosition() { return {10, -10}; }

    // Commands: 4001..4007 store and apply the zoom (checked: the current zoom); 4008 is accepted
    // and does nothing.
    void setZoomCommand(int id);
    // Shows the surface at any zoom (a scale fitted to the window) without storing it; values are
    // kept within kMinZoom..kMaxZoom.
    void setZoomValue(int zoom);
    // The zoom step after (direction > 0) or before (direction < 0) the current zoom; the current
    // zoom itself at the end of the steps.
    int neighbourStep(int direction) const;
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 300;

private:
    void apply();
    SettingsStore& store_;
    IntSetting zoomSetting_;
    int height_;
    int zoom_ = 100;
    DeviceMetrics screen_;
    Density density_;
};

} // namespace lumora
