#pragma once
// The media paths and kinds that the course, the dictionary and the exercises hand to the media
// window, which reads them at its next paint.
#include <string>

#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

// The media paths that the course, the dictionary and the exercises hand to the media window.
class MediaSettings {
public:
    static constexpr StringSetting kCourseVideo{"Multimedia", "AviCourseFile", ""};
    static constexpr StringSetting kOldCourseVideo{"Multimedia", "OldAviFile", ""};
    static constexpr StringSetting kCourseMetafile{"Multimedia", "WmfCourseFile", ""};
    static constexpr IntSetting kView{"Multimedia", "View", 0};
    // In the dictionary's or the exercises' section: the media file and what kind of media it is
    // (the dictionary shows a video for 0, the exercises for 2; anything else is a metafile).
    static constexpr const char* kDictionary = "Dictionary";
    static constexpr const char* kExercise = "Exercise";
    static constexpr StringEntry kMediaName{"MMName", ""};
    static constexpr IntEntry kViewType{"ViewType", 0};

    explicit MediaSettings(SettingsStore& store) : store_(store) {}

    std::string courseVideo() const { return kCourseVideo.read(store_); }
    void setCourseVideo(const std::string& path) { kCourseVideo.write(store_, path); }
    std::string oldCourseVideo() const { return kOldCourseVideo.read(store_); }
    void setOldCourseVideo(const std::string& path) { kOldCourseVideo.write(store_, path); }
    std::string courseMetafile() const { return kCourseMetafile.read(store_); }
    int view() const { return kView.read(store_); }
    void setView(int view) { kView.write(store_, view); }
    std::string mediaName(const std::string& section) const { return kMediaName.read(store_, section); }
    void setMediaName(const std::string& section, const std::string& path) { kMediaName.write(store_, section, path); }
    int viewType(const std::string& section) const { return kViewType.read(store_, section); }
    void setViewType(const std::string& section, int type) { kViewType.write(store_, section, type); }

private:
    SettingsStore& store_;
};

} // namespace lumora
