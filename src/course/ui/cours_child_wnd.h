#pragma once
// The course window (CCoursChildWnd): the course toolbar over the course view, and the media
// control window; it carries the course document and answers the document's requests (captions,
// status bar, redraws, the direct-access dialog, help, opening another activity).
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "course/cours_doc.h"
#include "course/cours_view.h"
#include "foundation/ui/activity.h"

class QToolBar;

namespace lumora {

class CoursViewWidget;
class MediaControlWidget;

class CourseActivity final : public Activity, public CourseFrame, public CommandTarget {
public:
    explicit CourseActivity(ActivityHost& host);
    ~CourseActivity() override;

    // Activity
    ActivityTemplateId templateId() const override { return ActivityTemplateId::Course; }
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    std::vector<CommandTarget*> commandTargets() override;
    void start() override;
    void activated() override;
    void closing() override;
    QString initialCaption() const override;

    // CourseFrame
    void setChildCaption(const std::string& caption) override;
    void setMainCaption(const std::string& caption) override;
    void clearStatusMessage() override;
    void updateAllViews() override;
    void repaintCourseView() override;
    void setBusyCursor(bool on) override;
    void openActivity(int commandId) override;
    void showHelpContext(int context) override;
    void runPreferences() override;
    bool runDirectAccess(DirectAccessModel& model) override;
    CMultimediaCtrl* mediaControl() override;

    // Commands of the course window: 57607 print, 57609 print preview, 57606 print setup; it
    // withholds 7100 (translation language) from the document while there is no preferences sheet.

    CCoursDoc& document() { return doc_; }
    CCoursView& view() { return *view_; }
    CoursViewWidget* viewWidget() const { return viewWidget_; }
    MediaControlWidget* mediaWidget() const { return media(); }
    QToolBar* toolbar() const { return toolbar_; }

private:
    void declareCommands();
    // The media window's title: what it shows.
    QString mediaTitle() const;
    void print();
    void printPreview();
    void printSetup();

    ActivityHost& host_;
    CCoursDoc doc_;
    QMainWindow* window_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    CoursViewWidget* viewWidget_ = nullptr;
    std::unique_ptr<CCoursView> view_;
    MediaControlWidget* media() const { return mediaGuard_ ? media_ : nullptr; }
    MediaControlWidget* media_ = nullptr;
    QPointer<QObject> mediaGuard_; // the window is owned by the main window, which may delete it first
    bool closed_ = false;
    bool started_ = false;
};

} // namespace lumora
