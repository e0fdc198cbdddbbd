#pragma once
// Naming rules of a lesson's media files. Every result is a content name (drive letter and
// backslashes, "D:\L01\MALE\P1.WAV") that FileAccess resolves; nothing here touches a local path.
//
// The media directory of a lesson is always on the CD-ROM drive: "CDROM"/"Drive" (default "D:"),
// a backslash, the lesson stem and a backslash. Inside it:
//   male voice        dir + "MALE\"   + sound stem + ".WAV"
//   female voice      dir + "FEMALE\" + sound stem + ".WAV"
//   ideogram picture  dir + "SIMPLIFY\" (set 0) or "TRADI\" (set 1) + sound stem + ".BMP"
//   video             dir + "AVI\" + media stem + ".AVI", else dir + media stem + ".AVI"
//   metafile picture  dir + media stem + ".WMF"
//
// A lesson stem that is empty or not a plain file-name part (isSafeStem) gives no media directory,
// and every name built on an empty directory or an empty stem is empty: such names never reach the
// file system, so content cannot make the program read outside its roots.
#include <string>

#include "foundation/file_access.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/settings_store.h"

namespace lumora {

// The lesson's stem when it is a safe file-name part, else "".
std::string safeLessonStem(const LessonCatalogue& catalogue, int lesson);

// The media directory of `lesson` without any side effect ("" for an unsafe or empty stem).
std::string lessonMediaDirectory(const SettingsStore& store, const LessonCatalogue& catalogue, int lesson);

// The media directory of `lesson`; also stores the lesson stem in "Course"/"CurrentDir" (an unsafe
// stem stores "").
std::string MediaDirectory(SettingsStore& store, const LessonCatalogue& catalogue, int lesson);

// Voice names in a media directory; "" when the directory or the sound stem is empty.
std::string MaleVoiceName(const std::string& mediaDirectory, const std::string& soundStem);
std::string FemaleVoiceName(const std::string& mediaDirectory, const std::string& soundStem);

// Ideogram picture name of a phrase for an ideogram set (0 simplified, anything else traditional).
// An empty sound stem still names the (normally missing) picture "...\SIMPLIFY\.BMP", as the page
// display stores phrase 1's picture name whatever its stem; "" only when the directory is empty.
std::string IdeogramPictureName(const std::string& mediaDirectory, const std::string& soundStem, int ideogramSet);

// The video of a phrase: the "AVI\" candidate when it exists, else the one in the media directory
// itself when it exists, else "". A page beyond the last reads page 0. Stores "CurrentDir".
std::string VideoPath(SettingsStore& store, const LessonCatalogue& catalogue, int lesson, int page, int phrase);

} // namespace lumora
