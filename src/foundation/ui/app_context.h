#pragma once
// What every window of the program shares: the settings store, the content files and catalogues,
// and the platform services. The program builds one over its settings store and drive table; the
// widget tests build one over a temporary store and may swap a service for a quiet one.
#include <memory>

#include "foundation/content_locator.h"
#include "foundation/file_access.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/platform.h"
#include "foundation/settings_store.h"

namespace lumora {

class AppContext {
public:
    AppContext(SettingsStore& store, DriveTable drives);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    SettingsStore& store;
    FileAccess files;
    ContentLocator locator;
    LessonCatalogue catalogue;

    Clock& clock() { return *clock_; }
    Prompts& prompts() { return *prompts_; }
    SoundPlayer& sound() { return *sound_; }
    HelpViewer& help() { return *help_; }
    WebOpener& web() { return *web_; }

    // Replacements (tests): the context keeps them.
    void setClock(std::unique_ptr<Clock> c) { clock_ = std::move(c); }
    void setPrompts(std::unique_ptr<Prompts> p) { prompts_ = std::move(p); }
    void setSound(std::unique_ptr<SoundPlayer> s) { sound_ = std::move(s); }
    void setHelp(std::unique_ptr<HelpViewer> h) { help_ = std::move(h); }
    void setWeb(std::unique_ptr<WebOpener> w) { web_ = std::move(w); }

private:
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<WebOpener> web_;
};

} // namespace lumora
