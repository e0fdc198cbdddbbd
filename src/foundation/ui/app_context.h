#pragma once
// What every window of the program shares: the settings store, the content files and catalogues,
// and the platform services. The program builds one over its settings store and drive table; the
// widget tests build one over a temporary store and may swap a service for a quiet one.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QPicture>
#include <QSizeF>

#include "foundation/content_locator.h"
#include "foundation/file_access.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/platform.h"
#include "foundation/settings_store.h"

namespace lumora {

// A still picture of the media window (a lesson's metafile) recorded once, to be replayed at any
// scale: `frame` is the media window's drawing area the picture was laid out in.
struct RecordedPicture {
    QPicture picture;
    QSizeF frame;
};
// Records the metafile at a local path; nothing when it cannot be read. The course's metafile
// player provides it; the program installs it once (activities below the course use it through
// the context).
using MetafileRecorder = std::function<std::optional<RecordedPicture>(const std::string& localPath)>;

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

    void setMetafileRecorder(MetafileRecorder r) { metafiles_ = std::move(r); }
    std::optional<RecordedPicture> recordMetafile(const std::string& localPath) const {
        if (!metafiles_) return std::nullopt;
        return metafiles_(localPath);
    }

private:
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<WebOpener> web_;
    MetafileRecorder metafiles_;
};

} // namespace lumora
