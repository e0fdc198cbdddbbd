#pragma once
// The main frame's host on paper, shared by the core tests of the frame's commands and the tests of
// the real activity descriptors.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/main_frame_logic.h"
#include "core/test_support.h"

namespace lumora::test {

// A main window on paper: a stack of child windows (the last one is active), and a log of what the
// frame asked for.
class FakeHost final : public MainFrameHost {
public:
    struct Child {
        ActivityTemplateId tmpl;
        std::string file;
        int doc; // windows of one document share the number
    };
    std::vector<Child> children;
    std::vector<std::string> log;
    std::set<ActivityTemplateId> available{ActivityTemplateId::LessonsList, ActivityTemplateId::StoriesList,
                                           ActivityTemplateId::Course};
    std::set<int> dialogs;
    std::set<std::string> existing;
    bool openFails = false;
    bool toolbar = true, statusBar = true;
    int nextDoc = 1;
    // When set, every entry of the log notes the "Startup"/"Remember" of that moment: "open 2 [1]".
    const SettingsStore* watch = nullptr;

    void note(const std::string& what) {
        log.push_back(watch ? what + " [" + std::to_string(watch->readInt("Startup", "Remember", -1)) + "]" : what);
    }

    // The document class of each template (the platform tests take them from the real descriptors).
    std::map<ActivityTemplateId, DocumentKind> kinds{{ActivityTemplateId::LessonsList, DocumentKind::Choix},
                                                     {ActivityTemplateId::StoriesList, DocumentKind::Choix},
                                                     {ActivityTemplateId::Course, DocumentKind::Cours},
                                                     {ActivityTemplateId::Dictionary, DocumentKind::Dictionary},
                                                     {ActivityTemplateId::ScoreGraph, DocumentKind::Graph}};

    DocumentKind activeDocumentKind() const override {
        return children.empty() ? DocumentKind::None : kinds.at(children.back().tmpl);
    }
    void closeActiveDocument() override {
        const int doc = children.back().doc;
        note("close " + std::to_string(static_cast<int>(children.back().tmpl)));
        children.erase(std::remove_if(children.begin(), children.end(), [doc](const Child& c) { return c.doc == doc; }),
                       children.end());
    }
    bool activityAvailable(ActivityTemplateId id) const override { return available.count(id) != 0; }
    bool openActivity(ActivityTemplateId id, const std::string& fileName) override {
        note("open " + std::to_string(static_cast<int>(id)) + " " + fileName);
        if (openFails) return false;
        children.push_back({id, fileName, nextDoc++});
        return true;
    }
    void startActiveActivity(ActivityTemplateId id) override { note("start " + std::to_string(static_cast<int>(id))); }
    std::string courseLessonTitle() const override { return "Greetings"; }
    void setMainCaption(const std::string& c) override { note("main " + c); }
    void setActiveChildCaption(const std::string& c) override { note("child " + c); }
    void setWaitCursor(bool on) override { note(on ? "wait on" : "wait off"); }
    void showInternetHint() override { note("hint"); }
    void enterContextHelp() override { note("context help"); }
    void exitApplication() override { note("exit"); }
    bool toolbarVisible() const override { return toolbar; }
    void setToolbarVisible(bool on) override { toolbar = on; }
    bool statusBarVisible() const override { return statusBar; }
    void setStatusBarVisible(bool on) override { statusBar = on; }
    bool dialogAvailable(int c) const override { return dialogs.count(c) != 0; }
    void runDialog(int c) override { note("dialog " + std::to_string(c)); }
    std::string localPath(const std::string& n) const override { return "/local/" + n; }
    bool fileExists(const std::string& n) const override { return existing.count(n) != 0; }
};


struct Frame {
    MemorySettingsStore store;
    FakeHost host;
    FakePrompts prompts;
    RecordingHelp help;
    RecordingWeb web;
    MainFrameCommands commands{store, host, prompts, help, web};
};

} // namespace lumora::test
