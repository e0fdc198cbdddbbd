#pragma once
// The course window (CCoursChildWnd): the course toolbar over the course view, and the media
// control window; it carries the course document and answers the document's requests (captions,
// status bar, redraws, the direct-access dialog, help, opening another activity).
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "course/cours_doc.h"
#include "course/cours_view.h"
#include "course/ui/course_window_frame.h"
#include "foundation/ui/activity.h"

class QToolBar;

namespace lumora {

class CoursViewWidget;
class MediaControlWidget;

class CourseActivity final : public Activity, public CourseWindowFrame, public CommandTarget {
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

    // CourseFrame (the rest is CourseWindowFrame's)
    void clearStatusMessage() override;
    void updateAllViews() override;
    void repaintCourseView() override;

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

    CCoursDoc doc_;
    QToolBar* toolbar_ = nullptr;
    CoursViewWidget* viewWidget_ = nullptr;
    std::unique_ptr<CCoursView> view_;
    bool closed_ = false;
    bool started_ = false;
};

} // namespace lumora
