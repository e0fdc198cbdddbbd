#include "shell/main_frame_logic.h"

#include <map>

#include "resources/string_table.h"

namespace lumora {

namespace {
constexpr int S = cmd::kSeparator;

MenuLayout fileMenuOfFrame() {
    return {"&File",
            {{cmd::kLessonsList, "&Lessons list"},
             {cmd::kReadingCourse, "&Reading Course"},
             {cmd::kKeyboardLearning, "&Keyboard learning"},
             {S, ""},
             {cmd::kAppExit, "E&xit"}}};
}
MenuLayout internetMenu() {
    return {"&Internet",
            {{cmd::kWebLessons, "Lesson homepage"},
             {cmd::kWebPatch, "Download the patch"},
             {cmd::kWebOrder, "Online order"},
             {S, ""},
             {cmd::kWebHome, "Home page"}}};
}
MenuLayout helpMenu() {
    return {"&Help", {{cmd::kHelpFinder, "Help ..."}, {S, ""}, {cmd::kAppAbout, "&About ..."}, {cmd::kTipOfTheDay, "Ti&p of the Day..."}}};
}
MenuLayout barsMenu() { return {"&View", {{cmd::kViewToolbar, "&Toolbar"}, {cmd::kViewStatusBar, "&Status Bar"}}}; }

std::vector<MenuLayout> courseMenus() {
    return {
        {"&File",
         {{cmd::kFilePrint, "&Print..."},
          {cmd::kFilePrintPreview, "Print Pre&view"},
          {cmd::kFilePrintSetup, "P&rint Setup..."},
          {S, ""},
          {cmd::kLessonsList, "&Lessons list"},
          {cmd::kReadingCourse, "&Reading Course"},
          {S, ""},
          {cmd::kAppExit, "E&xit"}}},
        {"&Edit", {{3000, "&Undo"}, {S, ""}, {3001, "Cu&t"}, {3002, "&Copy"}, {3003, "&Paste"}, {3004, "&Delete"}}},
        {"&View",
         {{cmd::kViewToolbar, "&Toolbar"},
          {cmd::kViewStatusBar, "&Status Bar"},
          {S, ""},
          {4001, "&50%"},
          {4002, "&75%"},
          {4003, "&90%"},
          {4004, "&100%"},
          {4005, "15&0%"},
          {4006, "&200%"},
          {4007, "&300%"},
          {S, ""},
          {32771, "&Fonts"},
          {S, ""},
          {cmd::kTimeToZero, "Reset the counter to zero at the next startup"}}},
        {"&Lesson", {{3013, "&Phonetic"}, {3015, "&Translation"}, {S, ""}, {6095, "&Direct access to page ..."}}},
        {"&Utility", {{cmd::kPreferences, "&Preference"}}},
        {"I&deogram", {{13100, "&Simplify"}, {13110, "&Traditional"}}},
        internetMenu(),
        helpMenu(),
    };
}

std::vector<MenuLayout> exerciseMenus() {
    return {
        {"&File", {{cmd::kAppExit, "E&xit"}}},
        {"&Lesson", {{cmd::kLessonsList, "Lesson's list"}, {cmd::kCourse, "Back to current lesson"}}},
        internetMenu(),
        helpMenu(),
    };
}
} // namespace

const std::vector<int>& mainToolbar() {
    static const std::vector<int> bar = {1400, S, 1410, S, 1430, S, 1440, S, S,    1460, 1465, S,    1470,
                                         1475, S, 1480, 1485, S, S, 1450, S, S, 1500, 1510, S, 57669};
    return bar;
}

const std::vector<int>& courseToolbar() {
    static const std::vector<int> bar = {6010, 6020, 6030, 6040, 6050, 6060, 6070, 6080, 6090, S,    6095, S,    3012, 3013,
                                         3014, 3015, S,    7010, 7011, 7012, 7013, 7014, S,    7090, 7100, S,    7110};
    return bar;
}

const std::vector<MenuLayout>& menuBar(int resourceId) {
    static const std::map<int, std::vector<MenuLayout>> bars = [] {
        std::map<int, std::vector<MenuLayout>> m;
        m[1600] = {fileMenuOfFrame(), barsMenu(), internetMenu(), helpMenu()};
        m[1540] = {fileMenuOfFrame(), internetMenu(), helpMenu()};
        m[10010] = courseMenus();
        m[10050] = courseMenus();
        m[10030] = {fileMenuOfFrame(), barsMenu(), internetMenu(), helpMenu()};
        m[13007] = {{"&File", {{28685, "Export as..."}, {S, ""}, {cmd::kAppExit, "E&xit"}}}, internetMenu(), helpMenu()};
        m[12002] = exerciseMenus();
        m[13011] = exerciseMenus();
        m[13012] = exerciseMenus();
        m[10060] = {{"&File", {{cmd::kAppExit, "E&xit"}}},
                    {"&Course", {{cmd::kLessonsList, "Course list"}}},
                    internetMenu(),
                    helpMenu()};
        return m;
    }();
    const auto it = bars.find(resourceId);
    return it == bars.end() ? bars.at(1600) : it->second;
}

const std::vector<Accelerator>& frameAccelerators() {
    static const std::vector<Accelerator> keys = {
        {"Ctrl+N", cmd::kFileNew},       {"Ctrl+O", cmd::kFileOpen},       {"Ctrl+S", cmd::kFileSave},
        {"Ctrl+P", cmd::kFilePrint},     {"Ctrl+Z", cmd::kEditUndo},       {"Alt+Backspace", cmd::kEditUndo},
        {"Ctrl+X", cmd::kEditCut},       {"Shift+Del", cmd::kEditCut},     {"Ctrl+C", cmd::kEditCopy},
        {"Ctrl+Ins", cmd::kEditCopy},    {"Ctrl+V", cmd::kEditPaste},      {"Shift+Ins", cmd::kEditPaste},
        {"F1", cmd::kHelpIndex},         {"Del", 3004},
    };
    return keys;
}

const std::vector<Accelerator>& templateAccelerators(int resourceId) {
    static const std::vector<Accelerator> none;
    static const std::vector<Accelerator> common = {{"End", 1400}, {"F11", 13100}, {"F12", 13110}};
    static const std::vector<Accelerator> course = {
        {"End", 1400},          {"F11", 13100},         {"F12", 13110},      {"PgUp", 6010},
        {"Ctrl+PgUp", 6010},    {"PgDown", 6090},       {"Ctrl+PgDown", 6090}, {"Left", 6040},
        {"Ctrl+Left", 6040},    {"Right", 6060},        {"Ctrl+Right", 6060}, {"Ctrl+End", 6050},
    };
    static const std::vector<Accelerator> keyboard = {
        {"End", 1400},       {"F11", 13100},          {"F12", 13110},      {"PgUp", 6010},
        {"Ctrl+PgUp", 6010}, {"PgDown", 6090},        {"Ctrl+PgDown", 6090}, {"Ctrl+Left", 6040},
        {"Ctrl+Right", 6060},
    };
    switch (resourceId) {
    case 10010: return course;
    case 10050: return keyboard;
    case 1540:
    case 10030:
    case 13007:
    case 12002:
    case 13011:
    case 13012:
    case 10060: return common;
    default: return none;
    }
}

std::vector<Accelerator> acceleratorsFor(int resourceId) {
    const auto& own = templateAccelerators(resourceId);
    std::vector<Accelerator> all;
    for (const Accelerator& a : frameAccelerators()) {
        bool overridden = false;
        for (const Accelerator& b : own) overridden = overridden || b.keys == a.keys;
        if (!overridden) all.push_back(a);
    }
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

std::optional<ActivityTemplateId> templateForCommand(int id) {
    switch (id) {
    case cmd::kLessonsList: return ActivityTemplateId::LessonsList;
    case cmd::kCourse: return ActivityTemplateId::Course;
    case cmd::kKeyboardLearning: return ActivityTemplateId::KeyboardLearning;
    case cmd::kVoiceStudio: return ActivityTemplateId::VoiceStudio;
    case cmd::kDictionary: return ActivityTemplateId::Dictionary;
    case cmd::kVerify: return ActivityTemplateId::Verify;
    case cmd::kVerifyGraph:
    case cmd::kPictureGraph:
    case cmd::kTranslationGraph: return ActivityTemplateId::ScoreGraph;
    case cmd::kPictureExercise: return ActivityTemplateId::PictureExercise;
    case cmd::kTranslationExercise: return ActivityTemplateId::TranslationExercise;
    case cmd::kReadingCourse: return ActivityTemplateId::StoriesList;
    default: return std::nullopt;
    }
}

std::optional<int> jobCodeForCommand(int id) {
    switch (id) {
    case cmd::kLessonsList: return 0;
    case cmd::kCourse: return 1;
    case cmd::kKeyboardLearning: return 2;
    case cmd::kVoiceStudio: return 3;
    case cmd::kDictionary: return 4;
    case cmd::kPictureExercise: return 5;
    case cmd::kTranslationExercise: return 6;
    case cmd::kReadingCourse: return 7;
    case cmd::kVerify: return 9;
    case cmd::kVerifyGraph: return 10;
    case cmd::kPictureGraph: return 11;
    case cmd::kTranslationGraph: return 12;
    default: return std::nullopt;
    }
}

int resourceIdOf(ActivityTemplateId id) {
    for (const ActivityTemplate& t : activityTemplates())
        if (t.id == id) return t.resourceId;
    return 1600;
}

std::string scoreGraphFile(int command, const SettingsStore& store) {
    const bool lessons = store.readString("Write", "Write", "NO") == "NO";
    const char* prefix = nullptr;
    switch (command) {
    case cmd::kVerifyGraph: prefix = lessons ? "\\EX2" : "\\EX3"; break;
    case cmd::kPictureGraph: prefix = lessons ? "\\EX4" : "\\EX5"; break;
    case cmd::kTranslationGraph: prefix = lessons ? "\\EX8" : "\\EX9"; break;
    default: return {};
    }
    return store.readString("User", "Drive", "C:\\") + prefix + "GB.TXT";
}

int toggleTimeToZero(SettingsStore& store) {
    const int next = store.readInt("Course", "TimeToZero", 0) == 1 ? 0 : 1;
    store.writeInt("Course", "TimeToZero", next);
    return next;
}

DocumentKind documentKindOf(ActivityTemplateId id) {
    switch (id) {
    case ActivityTemplateId::LessonsList:
    case ActivityTemplateId::StoriesList: return DocumentKind::Choix;
    case ActivityTemplateId::Course:
    case ActivityTemplateId::KeyboardLearning:
    case ActivityTemplateId::VoiceStudio: return DocumentKind::Cours;
    case ActivityTemplateId::Dictionary: return DocumentKind::Dictionary;
    case ActivityTemplateId::Verify:
    case ActivityTemplateId::PictureExercise:
    case ActivityTemplateId::TranslationExercise: return DocumentKind::ExTransl;
    case ActivityTemplateId::ScoreGraph: return DocumentKind::Graph;
    }
    return DocumentKind::None;
}

void CloseActivityWindows(ActivityWindows& windows) {
    for (DocumentKind kind : {DocumentKind::Choix, DocumentKind::Cours, DocumentKind::Dictionary,
                              DocumentKind::ExTransl, DocumentKind::Graph}) {
        if (windows.activeDocumentKind() == kind) windows.closeActiveDocument();
    }
}

CMainFrameCommands::CMainFrameCommands(SettingsStore& store, MainFrameHost& host, Prompts& prompts,
                                       HelpViewer& help, WebOpener& web)
    : store_(store), host_(host), prompts_(prompts), help_(help), web_(web) {}

std::string CMainFrameCommands::helpFile() const {
    return store_.readString("Course", "SysDir", "") + "HELP\\" + "WIN32" + "\\LESSONGB.HLP";
}

bool CMainFrameCommands::showHelp(HelpCommand command, int context) {
    const std::string name = helpFile();
    if (!host_.fileExists(name)) return false;
    help_.showHelp(host_.localPath(name), command, context);
    return true;
}

void CMainFrameCommands::openWebPage(int stringId) {
    if (!web_.openUrl(CCoursApp::webAddress(stringId))) host_.showInternetHint();
}

bool CMainFrameCommands::openActivityCommand(int id) {
    const auto tmpl = templateForCommand(id);
    const auto job = jobCodeForCommand(id);
    if (!tmpl || !job || !host_.activityAvailable(*tmpl)) return false;
    const std::string lumora = strings::text(28674);
    switch (id) {
    case cmd::kLessonsList:
    case cmd::kReadingCourse:
        CloseActivityWindows(host_);
        host_.openActivity(*tmpl, "");
        host_.setMainCaption(lumora);
        store_.writeInt("Startup", "Remember", *job);
        break;
    case cmd::kCourse:
        CloseActivityWindows(host_);
        if (host_.openActivity(*tmpl, lumora)) host_.startActiveActivity(*tmpl);
        store_.writeInt("Startup", "Remember", *job);
        break;
    case cmd::kKeyboardLearning:
        host_.setWaitCursor(true);
        CloseActivityWindows(host_);
        if (host_.openActivity(*tmpl, "zup.txt")) host_.startActiveActivity(*tmpl);
        store_.writeInt("Startup", "Remember", *job);
        host_.setWaitCursor(false);
        break;
    case cmd::kVoiceStudio:
        host_.setWaitCursor(true);
        CloseActivityWindows(host_);
        if (host_.openActivity(*tmpl, "zup.txt")) {
            host_.setMainCaption(strings::prompt(cmd::kVoiceStudio));
            host_.setActiveChildCaption(host_.courseLessonTitle());
            store_.writeInt("Startup", "Remember", *job);
            host_.setWaitCursor(false);
            host_.startActiveActivity(*tmpl);
        } else {
            store_.writeInt("Startup", "Remember", *job);
            host_.setWaitCursor(false);
        }
        break;
    case cmd::kDictionary:
    case cmd::kPictureExercise:
    case cmd::kTranslationExercise:
        CloseActivityWindows(host_);
        store_.writeInt("Startup", "Remember", *job);
        if (host_.openActivity(*tmpl, "")) host_.startActiveActivity(*tmpl);
        break;
    case cmd::kVerify:
        CloseActivityWindows(host_);
        store_.writeInt("Startup", "Remember", *job);
        host_.openActivity(*tmpl, "");
        break;
    case cmd::kVerifyGraph:
    case cmd::kPictureGraph:
    case cmd::kTranslationGraph:
        CloseActivityWindows(host_);
        store_.writeInt("Startup", "Remember", *job);
        host_.openActivity(*tmpl, scoreGraphFile(id, store_));
        host_.setMainCaption(lumora);
        break;
    default: return false;
    }
    return true;
}

bool CMainFrameCommands::onCommand(int id) {
    if (templateForCommand(id)) return openActivityCommand(id);
    switch (id) {
    case cmd::kSummary:
        prompts_.messageBox(strings::text(12009), strings::text(28674), MessageIcon::Information, MessageButtons::Ok);
        return true;
    case cmd::kTimeToZero: toggleTimeToZero(store_); return true;
    case cmd::kHelpIndex: showHelp(HelpCommand::Contents, 0); return true;
    case cmd::kHelpFinder: showHelp(HelpCommand::Finder, 0); return true;
    case cmd::kContextHelp: host_.enterContextHelp(); return true;
    case cmd::kWebLessons: openWebPage(28706); return true;
    case cmd::kWebHome: openWebPage(28705); return true;
    case cmd::kWebPatch: openWebPage(28707); return true;
    case cmd::kWebOrder: openWebPage(28708); return true;
    case cmd::kAppExit: host_.exitApplication(); return true;
    case cmd::kViewToolbar: host_.setToolbarVisible(!host_.toolbarVisible()); return true;
    case cmd::kViewStatusBar: host_.setStatusBarVisible(!host_.statusBarVisible()); return true;
    case cmd::kPreferences:
    case cmd::kRecordDirectory:
    case cmd::kAppAbout:
    case cmd::kTipOfTheDay:
        if (!host_.dialogAvailable(id)) return false;
        host_.runDialog(id);
        return true;
    default: return false;
    }
}

std::optional<CommandState> CMainFrameCommands::commandState(int id) const {
    if (const auto tmpl = templateForCommand(id)) {
        if (!host_.activityAvailable(*tmpl)) return std::nullopt;
        return CommandState{true, false};
    }
    switch (id) {
    case cmd::kTimeToZero: return CommandState{true, store_.readInt("Course", "TimeToZero", 0) == 1};
    case cmd::kViewToolbar: return CommandState{true, host_.toolbarVisible()};
    case cmd::kViewStatusBar: return CommandState{true, host_.statusBarVisible()};
    case cmd::kSummary:
    case cmd::kHelpIndex:
    case cmd::kHelpFinder:
    case cmd::kContextHelp:
    case cmd::kWebLessons:
    case cmd::kWebHome:
    case cmd::kWebPatch:
    case cmd::kWebOrder:
    case cmd::kAppExit: return CommandState{true, false};
    case cmd::kPreferences:
    case cmd::kRecordDirectory:
    case cmd::kAppAbout:
    case cmd::kTipOfTheDay:
        if (!host_.dialogAvailable(id)) return std::nullopt;
        return CommandState{true, false};
    default: return std::nullopt;
    }
}

} // namespace lumora
