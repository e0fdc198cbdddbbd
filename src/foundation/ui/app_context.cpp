#include "foundation/ui/app_context.h"

#include "platform/qt_clock.h"
#include "platform/qt_help_viewer.h"
#include "platform/qt_prompts.h"
#include "platform/qt_sound_player.h"
#include "platform/qt_web_opener.h"

namespace lumora {

AppContext::AppContext(SettingsStore& s, DriveTable drives)
    : store(s), files(s, std::move(drives)), locator(s, files), catalogue(locator),
      clock_(std::make_unique<QtClock>()), prompts_(std::make_unique<QtPrompts>()),
      sound_(std::make_unique<QtSoundPlayer>()), help_(std::make_unique<QtHelpViewer>()),
      web_(std::make_unique<QtWebOpener>()) {}

AppContext::~AppContext() = default;

} // namespace lumora
