#include "course/multimedia_ctrl.h"

#include <algorithm>

#include "foundation/media_settings.h"

namespace lumora {

CMultimediaCtrl::CMultimediaCtrl(SettingsStore& store, const FileAccess& files, MediaSurface& surface)
    : store_(store), files_(files), surface_(surface) {}

MediaGeometry placeMediaWindow(const MediaGeometry& area, int width, int height, const MediaGeometry& screen,
                               int margin) {
    int w = std::max(1, width), h = std::max(1, height);
    if (area.width > 0 && area.height > 0) {
        const int widest = std::max(120, area.width / 3);
        if (w > widest) {
            h = std::max(1, static_cast<int>(static_cast<long long>(h) * widest / w));
            w = widest;
        }
    }
    MediaGeometry g{area.x + area.width - margin - w, area.y + margin, w, h};
    if (screen.width > 0 && screen.height > 0) {
        g.x = std::clamp(g.x, screen.x, std::max(screen.x, screen.x + screen.width - w));
        g.y = std::clamp(g.y, screen.y, std::max(screen.y, screen.y + screen.height - h));
    }
    return g;
}

MediaGeometry CMultimediaCtrl::createGeometry(int screenWidth, int scrollBarWidth) {
    return {screenWidth - scrollBarWidth - 325, 100, kWidth, kHeight};
}

std::string CMultimediaCtrl::existing(const std::string& name) const {
    if (name.empty() || !files_.exists(name)) return {};
    return files_.resolve(name).string();
}

void CMultimediaCtrl::openOn(const std::string& localPath) {
    // The control never holds more than one child media window.
    if (surface_.hasVideo()) surface_.closeVideo();
    surface_.openVideo(localPath);
}

void CMultimediaCtrl::CloseOldCourseVideo() {
    if (existing(MediaSettings(store_).oldCourseVideo()).empty()) return;
    surface_.closeVideo();
    MediaSettings(store_).setOldCourseVideo("");
}

void CMultimediaCtrl::OpenCourseVideo() {
    const std::string path = existing(MediaSettings(store_).courseVideo());
    if (!path.empty()) openOn(path);
    surface_.repaint();
}

void CMultimediaCtrl::Paint() {
    surface_.fillGrey();
    const MediaSettings media(store_);
    const auto playOrMetafile = [this, &media](const char* section, int videoKind) {
        const std::string path = existing(media.mediaName(section));
        if (path.empty()) return;
        if (media.viewType(section) == videoKind) {
            if (surface_.hasVideo()) surface_.playFromStart();
            return;
        }
        if (surface_.hasVideo()) surface_.closeVideo();
        surface_.drawMetafile(path);
    };
    switch (media.view()) {
    case 0: {
        if (!existing(MediaSettings(store_).courseVideo()).empty()) {
            if (surface_.hasVideo()) surface_.playFromStart();
            return;
        }
        const std::string wmf = existing(media.courseMetafile());
        if (!wmf.empty()) surface_.drawMetafile(wmf);
        return;
    }
    case 1:
        playOrMetafile(MediaSettings::kDictionary, 0);
        return;
    case 2:
        playOrMetafile(MediaSettings::kExercise, 2);
        return;
    default:
        return;
    }
}

void CMultimediaCtrl::onDestroy() {
    if (surface_.hasVideo()) surface_.closeVideo();
}

} // namespace lumora
