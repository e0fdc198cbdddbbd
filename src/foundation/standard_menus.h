#pragma once
// Menus that several menu bars share: the frame's File menu, Internet, Help and the bars' View menu.
#include "foundation/activity_descriptor.h"

namespace lumora::menus {

MenuLayout frameFile();  // Lessons list, Reading Course, Keyboard learning, Exit
MenuLayout internet();   // the four web pages
MenuLayout help();       // Help, About, Tip of the Day
MenuLayout bars();       // View: toolbar and status bar
// The keys every activity adds: End the lessons list, F11 simplified, F12 traditional ideograms.
std::vector<Accelerator> activityAccelerators();
// The menus of the exercises: File/Exit, Lesson (lessons list, back to the course), Internet, Help.
std::vector<MenuLayout> exercise();

} // namespace lumora::menus
