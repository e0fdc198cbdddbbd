#pragma once
// The dialogs of the shell, registered with the main frame: the preferences sheet (1500), the data
// folder (1510), the about box (57664) and the tip of the day (2000).
namespace lumora {

class CMainFrame;

void registerShellDialogs(CMainFrame& frame);

// The preferences sheet as 1500, 7100 and start-up run it: modal; on OK the two choices are written
// and the active activity's views are updated.
void runPreferencesSheet(CMainFrame& frame);

} // namespace lumora
