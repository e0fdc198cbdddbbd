#include "shell/ui/shell_dialogs.h"

#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "platform/qt_system_info.h"
#include "shell/about_box.h"
#include "shell/preferences.h"
#include "shell/tip_of_the_day.h"
#include "shell/ui/about_dialog.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/preferences_sheet.h"
#include "shell/ui/record_directory_dialog.h"
#include "shell/ui/tip_dialog.h"

#ifndef LUMORA_VERSION
#define LUMORA_VERSION "4.0"
#endif

namespace lumora {

void runPreferencesSheet(CMainFrame& frame) {
    PreferencesModel model(frame.context().store, scalableFontFamilies(), arialIsScalable());
    PreferencesSheet sheet(model, &frame);
    if (sheet.exec() != QDialog::Accepted) return;
    model.accept();
    if (Activity* activity = frame.currentActivity()) activity->updateAllViews();
}

void registerShellDialogs(CMainFrame& frame) {
    frame.registerDialog(cmd::frame::Preferences, [&frame] { runPreferencesSheet(frame); });
    frame.registerDialog(cmd::frame::RecordDirectory,
                         [&frame] { runRecordDirectoryDialog(frame.context(), &frame); });
    frame.registerDialog(cmd::app::About, [&frame] {
        const QtSystemInfo system;
        AboutDialog about(aboutLines(frame.context().store, system, LUMORA_VERSION), &frame);
        about.exec();
    });
    frame.registerDialog(cmd::app::TipOfTheDay, [&frame] {
        TipOfTheDay tip(frame.context().store, frame.context().files);
        TipDialog dialog(tip, &frame);
        dialog.exec();
    });
}

} // namespace lumora
