#include "dictionary/ui/dictionary_activity.h"

#include "dictionary/ui/dictionary_frame.h"

#include <QTimer>

#include "dictionary/dictionary_commands.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"
#include "foundation/ui/app_context.h"
#include "resources/string_table.h"

namespace lumora {

ActivityType dictionaryActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::Dictionary;
    d.resourceId = 13007;
    d.documentKind = DocumentKind::Dictionary;
    d.nameStringId = cmd::frame::Dictionary;
    ActivityOpening o;
    o.command = cmd::frame::Dictionary;
    o.jobCode = 4;
    o.steps = {OpenStep::CloseActive, OpenStep::Remember, OpenStep::Open, OpenStep::Start};
    d.openings = {o};
    d.menus = {
        {"&File", {{cmd::dictionary::ExportAs, "Export as..."}, {cmd::app::Separator, ""}, {cmd::app::Exit, "E&xit"}}},
        {"I&deogram", {{cmd::app::Simplified, "&Simplify"}, {cmd::app::Traditional, "&Traditional"}}},
        menus::internet(),
        menus::help()};
    d.accelerators = menus::activityAccelerators(); // End: lessons list; F11, F12: the ideogram sets
    return {std::move(d), [](ActivityHost& host) { return std::make_unique<DictionaryActivity>(host); }};
}

DictionaryActivity::DictionaryActivity(ActivityHost& host)
    : host_(host), runner_(host.context().sound(), host.context().clock()),
      doc_(host.context().store, host.context().locator, host.context().prompts(), runner_) {
    commandTable().addWhen(
        cmd::dictionary::ExportAs,
        [this] {
            if (!frame_) return false;
            frame_->exportAs();
            return true;
        },
        [this]() -> std::optional<CommandState> {
            if (!frame_) return std::nullopt;
            return CommandState{frame_->resultFormActive(), false};
        });
}

DictionaryActivity::~DictionaryActivity() {
    closing();
    runner_.cancel();
}

bool DictionaryActivity::open(const std::string&) {
    doc_.loadParameters();
    return true;
}

QWidget* DictionaryActivity::widget() {
    if (frame_) return frame_.data();
    frame_ = new CDictionaryFrame(host_, doc_);
    QObject::connect(frame_, &CDictionaryFrame::activeStateChanged, frame_, [this] { notifyStateChanged(); });
    return frame_.data();
}

void DictionaryActivity::start() {
    if (started_ || !frame_) return;
    started_ = true;
    frame_->initialUpdate();
}

void DictionaryActivity::activated() {
    if (!started_ && frame_) {
        QTimer::singleShot(0, frame_, [this] {
            if (!started_ && !closed_) start();
        });
    }
}

void DictionaryActivity::closing() {
    if (closed_) return;
    closed_ = true;
    runner_.cancel();
    if (frame_ && frame_->mediaWidget()) frame_->mediaWidget()->setVisible(false);
    doc_.storeParameters();
}

QString DictionaryActivity::initialCaption() const {
    return QString::fromStdString(doc_.frameCaption());
}

} // namespace lumora
