#include "course/ui/course_window_frame.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QScreen>

#include "course/course_commands.h"
#include "course/ui/direct_access_dialog.h"
#include "course/ui/media_control_widget.h"
#include "foundation/frame_commands.h"
#include "platform/qt_text.h"

namespace lumora {

void CourseWindowFrame::setMedia(MediaControlWidget* media) {
    media_ = media;
    mediaGuard_ = media;
}

void CourseWindowFrame::setChildCaption(const std::string& caption) {
    QWidget* child = window_ ? window_->parentWidget() : nullptr;
    while (child && !qobject_cast<QMdiSubWindow*>(child)) child = child->parentWidget();
    if (child) child->setWindowTitle(qs(caption));
}

void CourseWindowFrame::setMainCaption(const std::string& caption) { host_.setMainCaption(caption); }

void CourseWindowFrame::clearStatusMessage() { host_.clearStatusMessage(); }

void CourseWindowFrame::setBusyCursor(bool on) { host_.setWaitCursor(on); }

void CourseWindowFrame::openActivity(int commandId) {
    if (commandId == cmd::frame::Verify && !host_.activityAvailable(ActivityTemplateId::Verify)) {
        host_.postCommand(cmd::course::NextStory);
        return;
    }
    host_.postCommand(commandId);
}

void CourseWindowFrame::showHelpContext(int context) { host_.showHelpContext(context); }

void CourseWindowFrame::runPreferences() { host_.runPreferences(); }

bool CourseWindowFrame::runDirectAccess(DirectAccessModel& model) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    DirectAccessDialog dialog(model, screen ? screen->geometry().width() : 1024, host_.dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

CMultimediaCtrl* CourseWindowFrame::mediaControl() { return media() ? &media()->control() : nullptr; }

} // namespace lumora
