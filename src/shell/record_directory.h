#pragma once
// The choice of the learner's data folder ("User"/"Drive") without a window: the folder as it is
// stored (no trailing separator; the root of a drive as the bare drive "E:"), and the check that
// the folder can be written before it is stored, so that a folder the learner cannot write into is
// refused at once instead of losing the next score or recording.
#include <string>

#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

// The stored form of a chosen folder: trailing separators dropped ("C:\Work\Voice\" ->
// "C:\Work\Voice"), a drive root as the bare drive ("E:\" -> "E:"), the root of a Unix file system
// kept as "/". Empty for an empty choice.
std::string dataFolderForChoice(const std::string& chosenFolder);
// The spelling of the save dialog's answer: the folder followed by a separator and a file name
// ("C:\Work\Voice\Junk"); the folder is what lies before the last separator, stored as above.
std::string dataFolderFromSaveName(const std::string& fullName);

// Whether a file can be created in a local folder (a probe file is created and removed).
bool canWriteInto(const std::string& localFolder);

enum class DataFolderOutcome { Stored, Unchanged, NotWritable };

// Stores a choice: Cancel (an empty choice) writes nothing; a folder that cannot be written is not
// stored and says so; otherwise "User"/"Drive" gets the stored form.
DataFolderOutcome chooseDataFolder(SettingsStore& store, const FileAccess& files, const std::string& chosenFolder);

// The folder the chooser starts in: the local path of the data folder stored (its default "C:\"
// when none is).
std::string dataFolderStart(const SettingsStore& store, const FileAccess& files);

} // namespace lumora
