#include "shell/ui/record_directory_dialog.h"

#include <QDir>
#include <QFileDialog>

#include "foundation/app_settings.h"
#include "foundation/ui/app_context.h"
#include "resources/string_table.h"
#include "shell/record_directory.h"

namespace lumora {

void runRecordDirectoryDialog(AppContext& context, QWidget* parent) {
    QString start = QString::fromStdString(dataFolderStart(context.store, context.files));
    if (start.isEmpty() || !QDir(start).exists()) start = QDir::homePath();
    const QString chosen = QFileDialog::getExistingDirectory(parent, QString::fromStdString(strings::text(12010)),
                                                             start, QFileDialog::ShowDirsOnly);
    applyRecordDirectoryChoice(context, chosen);
}

void applyRecordDirectoryChoice(AppContext& context, const QString& chosen) {
    const std::string folder = QDir::toNativeSeparators(chosen).toStdString();
    if (chooseDataFolder(context.store, context.files, folder) != DataFolderOutcome::NotWritable) return;
    context.prompts().messageBox("Your data cannot be saved into " + folder +
                                     ": this folder cannot be written.\nYour data stays in " +
                                     AppSettings(context.store).userDataFolder() + ".",
                                 strings::text(28674), MessageIcon::Exclamation, MessageButtons::Ok);
}

} // namespace lumora
