#include "shell/main_frame_logic.h"

#include "foundation/app_settings.h"
#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"
#include "resources/string_table.h"

namespace lumora {

namespace app = cmd::app;

const std::vector<int>& mainToolbar() {
    constexpr int S = app::Separator;
    static const std::vector<int> bar = {1400, S, 1410, S, 1430, S, 1440, S, S,    1460, 1465, S,    1470,
                                         1475, S, 1480, 1485, S, S, 1450, S, S, 1500, 1510, S, 57669};
    return bar;
}

const std::vector<MenuLayout>& frameMenuBar() {
    static const std::vector<MenuLayout> bar = {menus::frameFile(), menus::bars(), menus::internet(), menus::help()};
    return bar;
}

const std::vector<Accelerator>& frameAccelerators() {
    static const std::vector<Accelerator> keys = {
        {"Ctrl+N", app::FileNew},     {"Ctrl+O", app::FileOpen},    {"Ctrl+S", app::FileSave},
        {"Ctrl+P", app::FilePrint},   {"Ctrl+Z", app::EditUndo},    {"Alt+Backspace", app::EditUndo},
        {"Ctrl+X", app::EditCut},     {"Shift+Del", app::EditCut},  {"Ctrl+C", app::EditCopy},
        {"Ctrl+Ins", app::EditCopy},  {"Ctrl+V", app::EditPaste},   {"Shift+Ins", app::EditPaste},
        {"F1", app::HelpIndex},       {"Del", 3004}, // the course's Delete
    };
    return keys;
}

const std::vector<std::vector<int>>& exclusiveCommandGroups() {
    static const std::vector<std::vector<int>> groups = {
        {app::Simplified, app::Traditional},
        {4001, 4002, 4003, 4004, 4005, 4006, 4007, 4010},
    };
    return groups;
}

std::vector<Accelerator> acceleratorsFor(const std::vector<Accelerator>& own) {
    std::vector<Accelerator> all;
    for (const Accelerator& a : frameAccelerators()) {
        bool overridden = false;
        for (const Accelerator& b : own) overridden = overridden || b.keys == a.keys;
        if (!overridden) all.push_back(a);
    }
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

int toggleTimeToZero(SettingsStore& store) {
    return AppSettings(store).toggleTimeToZero();
}

void CloseActivityWindows(ActivityWindows& windows) {
    for (DocumentKind kind : {DocumentKind::Choix, DocumentKind::Cours, DocumentKind::Dictionary,
                              DocumentKind::ExTransl, DocumentKind::Graph}) {
        if (windows.activeDocumentKind() == kind) windows.closeActiveDocument();
    }
}

MainFrameCommands::MainFrameCommands(SettingsStore& store, MainFrameHost& host, Prompts& prompts, HelpViewer& help,
                                     WebOpener& web)
    : store_(store), host_(host), prompts_(prompts), help_(help), web_(web) {
    CommandTable& t = commandTable();
    t.add(cmd::frame::Summary, [this] {
        prompts_.messageBox(strings::text(12009), strings::text(28674), MessageIcon::Information, MessageButtons::Ok);
    });
    t.addChecked(cmd::frame::TimeToZero, [this] { toggleTimeToZero(store_); },
                 [this] { return AppSettings(store_).timeToZero(); });
    t.add(app::HelpIndex, [this] { showHelp(HelpCommand::Contents, 0); });
    t.add(app::HelpFinder, [this] { showHelp(HelpCommand::Finder, 0); });
    t.add(app::ContextHelp, [this] { host_.enterContextHelp(); });
    t.add(app::WebLessons, [this] { openWebPage(28706); });
    t.add(app::WebHome, [this] { openWebPage(28705); });
    t.add(app::WebPatch, [this] { openWebPage(28707); });
    t.add(app::WebOrder, [this] { openWebPage(28708); });
    t.add(app::Exit, [this] { host_.exitApplication(); });
    t.addChecked(app::ViewToolbar, [this] { host_.setToolbarVisible(!host_.toolbarVisible()); },
                 [this] { return host_.toolbarVisible(); });
    t.addChecked(app::ViewStatusBar, [this] { host_.setStatusBarVisible(!host_.statusBarVisible()); },
                 [this] { return host_.statusBarVisible(); });
    for (int id : {cmd::frame::Preferences, cmd::frame::RecordDirectory, app::About, app::TipOfTheDay})
        addDialogCommand(id);
}

void MainFrameCommands::addDialogCommand(int id) {
    commandTable().addWhen(
        id,
        [this, id] {
            if (!host_.dialogAvailable(id)) return false;
            host_.runDialog(id);
            return true;
        },
        [this, id] {
            return host_.dialogAvailable(id) ? std::optional<CommandState>(CommandState{}) : std::nullopt;
        });
}

void MainFrameCommands::registerActivity(ActivityDescriptor descriptor) {
    const ActivityTemplateId tmpl = descriptor.templateId;
    std::vector<int> commands;
    for (const ActivityOpening& o : descriptor.openings)
        if (o.command != 0) commands.push_back(o.command);
    registry_.add(std::move(descriptor));
    // An activity that this build cannot open leaves its commands to the next target: disabled.
    for (int id : commands) {
        commandTable().addWhen(
            id,
            [this, tmpl, id] {
                if (!host_.activityAvailable(tmpl)) return false;
                const auto [activity, opening] = registry_.byCommand(id);
                if (!activity) return false;
                openActivity(*activity, *opening);
                return true;
            },
            [this, tmpl] {
                return host_.activityAvailable(tmpl) ? std::optional<CommandState>(CommandState{}) : std::nullopt;
            });
    }
}

std::string MainFrameCommands::captionText(Caption caption, const ActivityOpening& opening) const {
    switch (caption) {
    case Caption::None: return {};
    case Caption::ProgramName: return strings::text(28674);
    case Caption::CommandPrompt: return strings::prompt(opening.command);
    case Caption::CourseLessonTitle: return host_.courseLessonTitle();
    }
    return {};
}

void MainFrameCommands::openActivity(const ActivityDescriptor& activity, const ActivityOpening& opening) {
    // Copies: closing the active activity or opening the new one must not pull the data away.
    const ActivityTemplateId tmpl = activity.templateId;
    const ActivityOpening o = opening;
    bool opened = false;
    for (OpenStep step : o.steps) {
        switch (step) {
        case OpenStep::WaitCursorOn: host_.setWaitCursor(true); break;
        case OpenStep::WaitCursorOff: host_.setWaitCursor(false); break;
        case OpenStep::CloseActive: CloseActivityWindows(host_); break;
        case OpenStep::Remember: AppSettings(store_).setRemember(o.jobCode); break;
        case OpenStep::Open: opened = host_.openActivity(tmpl, openingFileName(o, store_)); break;
        case OpenStep::MainCaption:
            if (opened && o.mainCaption != Caption::None) host_.setMainCaption(captionText(o.mainCaption, o));
            break;
        case OpenStep::ChildCaption:
            if (opened && o.childCaption != Caption::None) host_.setActiveChildCaption(captionText(o.childCaption, o));
            break;
        case OpenStep::Start:
            if (opened) host_.startActiveActivity(tmpl);
            break;
        }
    }
}

std::string MainFrameCommands::helpFile() const {
    return AppSettings(store_).helpFile();
}

bool MainFrameCommands::showHelp(HelpCommand command, int context) {
    const std::string name = helpFile();
    if (!host_.fileExists(name)) return false;
    help_.showHelp(host_.localPath(name), command, context);
    return true;
}

void MainFrameCommands::openWebPage(int stringId) {
    if (!web_.openUrl(CCoursApp::webAddress(stringId))) host_.showInternetHint();
}

} // namespace lumora
