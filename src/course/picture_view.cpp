#include "course/picture_view.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace lumora {

namespace {
constexpr int kZooms[] = {50, 75, 90, 100, 150, 200, 300};
constexpr int kFallbackPixelsPerCm = 37; // 96 dots per inch

bool isZoomStep(int zoom) {
    for (int z : kZooms)
        if (z == zoom) return true;
    return false;
}
} // namespace

PictureView::PictureView(SettingsStore& store, IntSetting zoom, int surfaceHeight)
    : store_(store), zoomSetting_(zoom), height_(surfaceHeight) {
    for (int id = kFirstZoomCommand; id <= kLastZoomCommand; ++id)
        commandTable().addChecked(id, [this, id] { setZoomCommand(id); }, [this, id] { return zoom_ == zoomOfCommand(id); });
    commandTable().add(kIgnoredCommand, [] {});
}

Density PictureView::densityOf(const DeviceMetrics& device) {
    Density d;
    d.x = device.widthMm > 0 ? device.widthPx * 10 / device.widthMm : kFallbackPixelsPerCm;
    d.y = device.heightMm > 0 ? device.heightPx * 10 / device.heightMm : kFallbackPixelsPerCm;
    return d;
}

int PictureView::zoomOfCommand(int id) {
    if (id < kFirstZoomCommand || id > kLastZoomCommand) return 0;
    return kZooms[id - kFirstZoomCommand];
}

void PictureView::initialUpdate(const DeviceMetrics& screen) {
    const int stored = zoomSetting_.read(store_);
    // A stored value that is not one of the seven steps (0, negative, absurd) would collapse or turn
    // the surface over: it is shown at 100 instead.
    zoom_ = isZoomStep(stored) ? stored : 100;
    setScreen(screen);
}

void PictureView::setScreen(const DeviceMetrics& screen) {
    screen_ = screen;
    apply();
}

void PictureView::apply() { density_ = densityOf(screen_); }

ScrollSize PictureView::scrollSize() const {
    ScrollSize s;
    s.width = 2 * ((kSurfaceWidth / kUnitsPerCm) * density_.x * zoom_ / 100);
    s.height = 2 * ((height_ / kUnitsPerCm) * density_.y * zoom_ / 100);
    return s;
}

LogicalMapping PictureView::mappingFor(const Density& density) const {
    LogicalMapping m;
    m.viewportX = zoom_ * density.x / 100;
    m.viewportY = zoom_ * density.y / 100;
    return m;
}

void PictureView::setZoomCommand(int id) {
    const int zoom = zoomOfCommand(id);
    if (zoom == 0) return;
    zoom_ = zoom;
    zoomSetting_.write(store_, zoom);
    apply();
    notifyStateChanged();
}

void PictureView::setZoomValue(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    apply();
    notifyStateChanged();
}

int PictureView::neighbourStep(int direction) const {
    if (direction > 0) {
        for (int z : kZooms)
            if (z > zoom_) return z;
    } else if (direction < 0) {
        for (auto it = std::rbegin(kZooms); it != std::rend(kZooms); ++it)
            if (*it < zoom_) return *it;
    }
    return zoom_;
}

} // namespace lumora
