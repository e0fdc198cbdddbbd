#pragma once
// The keyboard-learning window (CLearnTypeChildWnd): the course toolbar over the keyboard-learning
// form (CEditCourseView), and the media control window. It carries the course document, which
// turns the pages and plays them; the form shows the page's phrases with an edit line, a match mark
// and a pinyin hint for each, and the translation rows.
#include <array>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "course/cours_doc.h"
#include "course/edit_course_view.h"
#include "course/ui/course_window_frame.h"
#include "foundation/ui/activity.h"

class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace lumora {

class MediaControlWidget;

// The form's widgets for one phrase.
struct EditRowWidgets {
    QLabel* number = nullptr;
    QLabel* model = nullptr;
    QLabel* keyboard = nullptr;
    QLabel* guide = nullptr;
    QLineEdit* edit = nullptr;
    QLabel* mark = nullptr;
    QLabel* hint = nullptr;
    QLabel* translationNumber = nullptr;
    QToolButton* male = nullptr;
    QToolButton* female = nullptr;
    QLabel* flag = nullptr;
    QLabel* translation = nullptr;
};

class KeyboardLearningActivity final : public Activity, public CourseWindowFrame, public CommandTarget {
public:
    explicit KeyboardLearningActivity(ActivityHost& host);
    ~KeyboardLearningActivity() override;

    // Activity
    ActivityTemplateId templateId() const override { return ActivityTemplateId::KeyboardLearning; }
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    std::vector<CommandTarget*> commandTargets() override;
    void start() override;
    void activated() override;
    void closing() override;
    QString initialCaption() const override;

    // CourseFrame
    void updateAllViews() override;
    void repaintCourseView() override {}

    CCoursDoc& document() { return doc_; }
    CEditCourseView& view() { return *view_; }
    const EditRowWidgets& rowWidgets(int i) const { return rows_[static_cast<std::size_t>(i)]; }
    // The mark picture shown on a line: "n100" or "n0".
    QString markOf(int i) const;

private:
    void showForm();     // the core's page onto the widgets
    void showMark(int i);

    CCoursDoc doc_;
    std::unique_ptr<CEditCourseView> view_;
    QToolBar* toolbar_ = nullptr;
    std::array<EditRowWidgets, CEditCourseView::kRows> rows_{};
    bool closed_ = false;
    bool started_ = false;
    bool filling_ = false; // the edit lines are being cleared by a page load
};

} // namespace lumora
