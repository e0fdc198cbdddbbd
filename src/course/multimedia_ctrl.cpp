#include "course/multimedia_ctrl.h"

namespace lumora {

CMultimediaCtrl::CMultimediaCtrl(SettingsStore& store, const FileAccess& files, MediaSurface& surface)
    : store_(store), files_(files), surface_(surface) {}

MediaGeometry CMultimediaCtrl::CreateGeometry(int screenWidth, int scrollBarWidth) {
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
    if (existing(store_.readString("Multimedia", "OldAviFile", "")).empty()) return;
    surface_.closeVideo();
    store_.writeString("Multimedia", "OldAviFile", "");
}

void CMultimediaCtrl::OpenCourseVideo() {
    const std::string path = existing(store_.readString("Multimedia", "AviCourseFile", ""));
    if (!path.empty()) openOn(path);
    surface_.repaint();
}

void CMultimediaCtrl::OpenDictionaryMedia() {
    surface_.closeVideo();
    const std::string path = existing(store_.readString("Dictionary", "MMName", ""));
    if (!path.empty() && store_.readInt("Dictionary", "ViewType", 0) == 0) surface_.openVideo(path);
    surface_.repaint();
}

void CMultimediaCtrl::OpenExerciseMedia() {
    surface_.closeVideo();
    const std::string path = existing(store_.readString("Exercise", "MMName", ""));
    if (!path.empty() && store_.readInt("Exercise", "ViewType", 0) == 2) surface_.openVideo(path);
    surface_.repaint();
}

void CMultimediaCtrl::Paint() {
    surface_.fillGrey();
    const auto playOrMetafile = [this](const char* section, int videoKind) {
        const std::string path = existing(store_.readString(section, "MMName", ""));
        if (path.empty()) return;
        if (store_.readInt(section, "ViewType", 0) == videoKind) {
            if (surface_.hasVideo()) surface_.playFromStart();
            return;
        }
        if (surface_.hasVideo()) surface_.closeVideo();
        surface_.drawMetafile(path);
    };
    switch (store_.readInt("Multimedia", "View", 0)) {
    case 0: {
        if (!existing(store_.readString("Multimedia", "AviCourseFile", "")).empty()) {
            if (surface_.hasVideo()) surface_.playFromStart();
            return;
        }
        const std::string wmf = existing(store_.readString("Multimedia", "WmfCourseFile", ""));
        if (!wmf.empty()) surface_.drawMetafile(wmf);
        return;
    }
    case 1:
        playOrMetafile("Dictionary", 0);
        return;
    case 2:
        playOrMetafile("Exercise", 2);
        return;
    default:
        return;
    }
}

void CMultimediaCtrl::OnDestroy() {
    if (surface_.hasVideo()) surface_.closeVideo();
}

} // namespace lumora
