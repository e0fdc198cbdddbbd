#include "course/ui/cours_child_wnd.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include "course/ui/cours_view_widget.h"
#include "course/ui/direct_access_dialog.h"
#include "course/ui/media_control_widget.h"
#include "resources/string_table.h"
#include "shell/main_frame_logic.h"
#include "shell/ui/main_frame.h"

namespace lumora {

namespace {
QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr int kNextStoryCommand = 6090;
constexpr int kTranslationLanguageCommand = 7100; // opens the preferences
} // namespace

CourseActivity::CourseActivity(CMainFrame& frame)
    : frame_(frame), doc_(frame.context().store, frame.context().catalogue, frame.context().sound(),
                          frame.context().clock(), frame.context().prompts()) {}

CourseActivity::~CourseActivity() {
    closing();
    doc_.setFrame(nullptr);
    delete media();
}

bool CourseActivity::open(const std::string& fileName) { return doc_.open(fileName); }

QWidget* CourseActivity::widget() {
    if (window_) return window_;
    window_ = new QMainWindow;
    window_->setObjectName(QStringLiteral("CCoursChildWnd"));
    toolbar_ = new QToolBar(QObject::tr("Course"), window_);
    toolbar_->setObjectName(QStringLiteral("courseToolbar"));
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : courseToolbar()) {
        if (id == cmd::kSeparator)
            toolbar_->addSeparator();
        else
            toolbar_->addAction(frame_.action(id));
    }
    window_->addToolBar(Qt::TopToolBarArea, toolbar_);

    viewWidget_ = new CoursViewWidget(frame_, window_);
    view_ = std::make_unique<CCoursView>(frame_.context().store, doc_, *viewWidget_, *viewWidget_);
    viewWidget_->attach(&doc_, view_.get());
    window_->setCentralWidget(viewWidget_);

    // The media control is created with the frame, hidden until a page has a video.
    media_ = new MediaControlWidget(frame_.context(), &frame_, window_);
    mediaGuard_ = media_;
    doc_.setFrame(this);
    return window_;
}

std::vector<CommandTarget*> CourseActivity::commandTargets() {
    // The window before the document: it withholds the document's commands whose dialog or
    // activity this build does not have.
    return {view_.get(), this, &doc_};
}

void CourseActivity::start() {
    started_ = true;
    doc_.ShowPage();
}

void CourseActivity::activated() {
    if (viewWidget_) viewWidget_->setFocus();
    // Opened without being asked to start (the activity reopened at start-up): the page is shown
    // all the same, with its caption and its video.
    if (!started_) {
        QTimer::singleShot(0, window_, [this] {
            if (!started_ && !closed_) start();
        });
    }
}

void CourseActivity::closing() {
    if (closed_) return;
    closed_ = true;
    if (view_) view_->onClose();
    if (MediaControlWidget* m = media()) {
        m->closeVideo();
        m->hide();
    }
}

QString CourseActivity::initialCaption() const { return qs(strings::prompt(cmd::kCourse)); }

void CourseActivity::setChildCaption(const std::string& caption) {
    QWidget* child = window_ ? window_->parentWidget() : nullptr;
    while (child && !qobject_cast<QMdiSubWindow*>(child)) child = child->parentWidget();
    if (child) child->setWindowTitle(qs(caption));
}

void CourseActivity::setMainCaption(const std::string& caption) { frame_.setMainCaption(caption); }

void CourseActivity::clearStatusMessage() { frame_.clearStatusMessage(); }

void CourseActivity::updateAllViews() {
    if (view_) view_->onUpdate();
}

void CourseActivity::repaintCourseView() {
    if (viewWidget_) viewWidget_->viewport()->repaint();
}

void CourseActivity::setBusyCursor(bool on) { frame_.setWaitCursor(on); }

void CourseActivity::openActivity(int commandId) {
    // The end of a lesson asks for "Verify your learning". While that activity cannot be opened,
    // the learner goes on to the next lesson instead of staying on the last page with nothing
    // happening.
    if (commandId == cmd::kVerify && !frame_.activityAvailable(ActivityTemplateId::Verify)) {
        frame_.postCommand(kNextStoryCommand);
        return;
    }
    frame_.postCommand(commandId);
}

void CourseActivity::showHelpContext(int context) { frame_.showHelpContext(context); }

void CourseActivity::runPreferences() { frame_.runPreferences(); }

bool CourseActivity::runDirectAccess(DirectAccessModel& model) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    DirectAccessDialog dialog(model, screen ? screen->geometry().width() : 1024, &frame_);
    return dialog.exec() == QDialog::Accepted;
}

CMultimediaCtrl* CourseActivity::mediaControl() { return media() ? &media()->control() : nullptr; }

bool CourseActivity::onCommand(int id) {
    switch (id) {
    case cmd::kFilePrint: {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, &frame_);
        if (dialog.exec() == QDialog::Accepted) viewWidget_->print(&printer);
        return true;
    }
    case cmd::kFilePrintPreview: {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer, &frame_);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, viewWidget_,
                         [this](QPrinter* p) { viewWidget_->print(p); });
        preview.resize(900, 700);
        preview.exec();
        return true;
    }
    case cmd::kFilePrintSetup: {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, &frame_);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.exec();
        return true;
    }
    case kTranslationLanguageCommand:
        // Without the preferences sheet the command has nothing to show: it stays disabled.
        return !frame_.dialogAvailable(cmd::kPreferences);
    default: return false;
    }
}

std::optional<CommandState> CourseActivity::commandState(int id) const {
    if (id == cmd::kFilePrint || id == cmd::kFilePrintPreview || id == cmd::kFilePrintSetup) return CommandState{};
    if (id == kTranslationLanguageCommand && !frame_.dialogAvailable(cmd::kPreferences)) return CommandState{false, false};
    return std::nullopt;
}

} // namespace lumora
