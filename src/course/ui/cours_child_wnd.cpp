#include "course/ui/cours_child_wnd.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include "course/course_commands.h"
#include "course/ui/cours_view_widget.h"
#include "course/ui/course_activities.h"
#include "course/ui/direct_access_dialog.h"
#include "course/ui/media_control_widget.h"
#include "foundation/app_commands.h"
#include "foundation/codecs.h"
#include "foundation/frame_commands.h"
#include "foundation/ui/app_context.h"
#include "foundation/ui/command_toolbar.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"

namespace lumora {

CourseActivity::CourseActivity(ActivityHost& host)
    : CourseWindowFrame(host), doc_(host.context().store, host.context().catalogue, host.context().sound(),
                        host.context().clock(), host.context().prompts()) {
    declareCommands();
}

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
    toolbar_ = addCommandToolbar(*window_, QObject::tr("Course"), QStringLiteral("courseToolbar"), courseToolbar(),
                                 [this](int id) { return host_.action(id); });

    viewWidget_ = new CoursViewWidget(host_, window_);
    view_ = std::make_unique<CCoursView>(host_.context().store, doc_, *viewWidget_, *viewWidget_);
    viewWidget_->attach(&doc_, view_.get());
    window_->setCentralWidget(viewWidget_);

    // The media control is created with the frame, hidden until a page has a video.
    setMedia(new MediaControlWidget(host_.context(), host_.dialogParent(), window_));
    // The window stays beside the page, inside the view; the fitted page leaves it that room.
    media()->setPlacement([this]() -> QRect {
        if (!viewWidget_) return {};
        QWidget* vp = viewWidget_->viewport();
        return QRect(vp->mapToGlobal(QPoint(0, 0)), vp->size());
    });
    QObject::connect(media(), &MediaControlWidget::shownChanged, viewWidget_, [this](bool shown) {
        if (shown && media()) media()->setWindowTitle(mediaTitle());
        viewWidget_->setReservedRight(shown && media() ? media()->width() + 2 * MediaControlWidget::kPlacementMargin : 0);
    });
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

QString CourseActivity::mediaTitle() const {
    const int phrase = doc_.videoPhrase();
    if (phrase <= 0) return QObject::tr("Picture of the page");
    const std::string pinyin = decodeText(
        doc_.catalogue().PhoneticText(doc_.currentLesson(), doc_.currentPage(), phrase), FontEncoding::Pinying);
    QString title = QObject::tr("Video of phrase %1").arg(phrase);
    if (!pinyin.empty()) title += QStringLiteral(": ") + qs(pinyin);
    return title;
}

QString CourseActivity::initialCaption() const { return qs(strings::prompt(cmd::frame::Course)); }

void CourseActivity::clearStatusMessage() {
    CourseWindowFrame::clearStatusMessage();
    // The scrolling's own line stays while the pages turn.
    host_.showStatusMessage(CCoursView::scrollStatusText(doc_.scrollingMode()));
}

void CourseActivity::updateAllViews() {
    if (view_) view_->onUpdate();
}

void CourseActivity::repaintCourseView() {
    if (viewWidget_) viewWidget_->viewport()->repaint();
}

void CourseActivity::declareCommands() {
    CommandTable& t = commandTable();
    t.add(cmd::app::FilePrint, [this] { print(); });
    t.add(cmd::app::FilePrintPreview, [this] { printPreview(); });
    t.add(cmd::app::FilePrintSetup, [this] { printSetup(); });
    // Without the preferences sheet the command has nothing to show: it stays disabled.
    t.addWhen(
        cmd::course::TranslationLanguage, [this] { return !host_.dialogAvailable(cmd::frame::Preferences); },
        [this]() -> std::optional<CommandState> {
            if (host_.dialogAvailable(cmd::frame::Preferences)) return std::nullopt;
            return CommandState{false, false};
        });
}

void CourseActivity::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, host_.dialogParent());
    if (dialog.exec() == QDialog::Accepted) viewWidget_->print(&printer);
}

void CourseActivity::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, host_.dialogParent());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, viewWidget_,
                     [this](QPrinter* p) { viewWidget_->print(p); });
    preview.resize(900, 700);
    preview.exec();
}

void CourseActivity::printSetup() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, host_.dialogParent());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.exec();
}

} // namespace lumora
