#pragma once
// The media control: the small tool window of an activity frame in which a phrase's video plays or
// its still metafile picture is shown. This class holds the decisions (which file, when a video
// opens, restarts or closes, what a paint draws); the window itself is a MediaSurface that the
// program implements with Qt and the tests with a recording fake.
//
// The content comes from the settings, written by the course document, the dictionary and the
// exercises (all values are content names, resolved with FileAccess before reaching the surface):
//   "Multimedia"/"View"           0 course, 1 dictionary, 2 exercise
//   "Multimedia"/"AviCourseFile"  course video            "Multimedia"/"OldAviFile"  previous one
//   "Multimedia"/"WmfCourseFile"  course metafile
//   "Dictionary"/"MMName", "ViewType"  dictionary media; kind 0 video, any other metafile
//   "Exercise"/"MMName", "ViewType"    exercise media; kind 2 video, any other metafile
#include <string>

#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

// What the media window offers. Paths are local paths (already resolved).
class MediaSurface {
public:
    virtual ~MediaSurface() = default;
    // Creates the child media window (visible, bordered, with the platform's play bar) on a video
    // file. Called only when no child media window is open.
    virtual void openVideo(const std::string& localPath) = 0;
    // Closes the child media window; no effect when none is open.
    virtual void closeVideo() = 0;
    virtual bool hasVideo() const = 0;
    // Plays the open child media window from position 0.
    virtual void playFromStart() = 0;
    // Asks for a repaint: the window later calls CMultimediaCtrl::Paint from its paint handler.
    virtual void repaint() = 0;
    // During Paint only: fill the client area with light grey (192, 192, 192).
    virtual void fillGrey() = 0;
    // During Paint only: load a Windows metafile and play it in hundredths of a millimetre, y up,
    // window origin (0, 0), restoring the drawing state afterwards. A bad file draws nothing.
    virtual void drawMetafile(const std::string& localPath) = 0;
    // Shows or hides the control window (the callers decide, the control never does by itself).
    virtual void setVisible(bool visible) = 0;
};

struct MediaGeometry {
    int x, y, width, height;
    bool operator==(const MediaGeometry&) const = default;
};

// Where a frame keeps its media window: inside `area` (the part of the frame beside the page, in
// screen pixels) at its top-right corner, `margin` from its edges, at most a third of the area's
// width and kept in the proportions of `width` x `height`; then moved into `screen` so that no part
// is off it. A degenerate area keeps the size and only the screen's rule.
MediaGeometry placeMediaWindow(const MediaGeometry& area, int width, int height, const MediaGeometry& screen,
                               int margin);

class CMultimediaCtrl {
public:
    static constexpr int kIconId = 13008;
    static constexpr int kWidth = 345;
    static constexpr int kHeight = 320;

    CMultimediaCtrl(SettingsStore& store, const FileAccess& files, MediaSurface& surface);

    // Where the frames create the control: x = screen width - scroll-bar width - 325, y = 100,
    // 345 x 320, in frame coordinates. The window has a caption without text, system menu, sizing
    // border, minimise/maximise boxes and icon 13008.
    static MediaGeometry createGeometry(int screenWidth, int scrollBarWidth);

    // When "Multimedia"/"OldAviFile" names an existing file: close the child media window and set
    // "OldAviFile" to "".
    void CloseOldCourseVideo();
    // When "Multimedia"/"AviCourseFile" names an existing file: close any child media window and
    // open a new one on it. Always asks for a repaint (which starts the video).
    void OpenCourseVideo();

    // The paint rule, called by the window's paint handler: grey, then by "Multimedia"/"View":
    //   0: "AviCourseFile" exists -> play from the start; else "WmfCourseFile" exists -> metafile;
    //   1: "Dictionary"/"MMName" exists -> "ViewType" 0 plays from the start, any other kind closes
    //      the video and draws the metafile;
    //   2: "Exercise"/"MMName" exists -> "ViewType" 2 plays from the start, any other kind closes
    //      the video and draws the metafile;
    //   anything else, or a missing file: grey only.
    // Every repaint therefore restarts a video from its beginning.
    void Paint();

    // The window's close box: refused (returns false), the learner cannot close the control.
    bool onCloseRequest() const { return false; }
    // Called by the window when it is destroyed (from its own destructor body, while the surface is
    // still whole): closes the child media window.
    void onDestroy();

    void show() { surface_.setVisible(true); }
    void hide() { surface_.setVisible(false); }

private:
    // The local path of a content name when that file exists, else "".
    std::string existing(const std::string& name) const;
    void openOn(const std::string& localPath);

    SettingsStore& store_;
    const FileAccess& files_;
    MediaSurface& surface_;
};

} // namespace lumora
