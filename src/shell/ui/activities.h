#pragma once
// The activity types this build of the program offers, registered on the main frame.
namespace lumora {

class CMainFrame;

// Lessons list, stories list and the course.
void registerActivities(CMainFrame& frame);

} // namespace lumora
