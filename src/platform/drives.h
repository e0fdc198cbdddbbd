#pragma once
#include <string>

#include "foundation/file_access.h"

namespace lumora {

// What the drive letters of content names stand for when the "Drives" section holds nothing:
// "C" is the learner's data folder (XDG data home + "/Lumora"), "D" the installed sample course
// (program directory + "../share/lumora/course").
DriveTable defaultDrives(const std::string& programDir);

} // namespace lumora
