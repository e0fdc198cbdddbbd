#pragma once
// What a window built on the course document (the course, keyboard learning) answers to the
// document's requests through the main frame: captions, the status bar, the wait cursor, help, the
// preferences, the direct-access dialog, opening another activity, and its media control.
#include <string>

#include <QPointer>

#include "course/cours_doc.h"
#include "foundation/ui/activity.h"

class QMainWindow;

namespace lumora {

class MediaControlWidget;

class CourseWindowFrame : public CourseFrame {
public:
    explicit CourseWindowFrame(ActivityHost& host) : host_(host) {}

    void setChildCaption(const std::string& caption) override;
    void setMainCaption(const std::string& caption) override;
    void clearStatusMessage() override;
    void setBusyCursor(bool on) override;
    // The end of a lesson asks for "Verify your learning"; while that activity cannot be opened the
    // learner goes on to the next lesson instead of staying on the last page with nothing happening.
    void openActivity(int commandId) override;
    void showHelpContext(int context) override;
    void runPreferences() override;
    bool runDirectAccess(DirectAccessModel& model) override;
    CMultimediaCtrl* mediaControl() override;

protected:
    // The media control window, while the main window has not deleted it.
    MediaControlWidget* media() const { return mediaGuard_ ? media_ : nullptr; }
    void setMedia(MediaControlWidget* media);

    ActivityHost& host_;
    QMainWindow* window_ = nullptr; // the child frame's contents, once built

private:
    MediaControlWidget* media_ = nullptr;
    QPointer<QObject> mediaGuard_; // the window is owned by the main window, which may delete it first
};

} // namespace lumora
