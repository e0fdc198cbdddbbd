#pragma once
// Command ids of the framework and of the application object: files, printing, editing, bars,
// help, the tip of the day and the four web pages.
namespace lumora::cmd::app {
constexpr int Separator = 0; // in toolbars and menus
constexpr int FileNew = 57600, FileOpen = 57601, FileSave = 57603;
constexpr int FilePrintSetup = 57606, FilePrint = 57607, FilePrintPreview = 57609;
constexpr int EditCopy = 57634, EditCut = 57635, EditPaste = 57637, EditUndo = 57643;
constexpr int About = 57664, Exit = 57665, HelpIndex = 57666, HelpFinder = 57667, ContextHelp = 57669;
constexpr int ViewToolbar = 59392, ViewStatusBar = 59393;
constexpr int TipOfTheDay = 2000;
// The ideogram set, offered by every activity that shows ideograms (F11, F12).
constexpr int Simplified = 13100, Traditional = 13110;
constexpr int WebLessons = 20010, WebHome = 20020, WebPatch = 20030, WebOrder = 20040;
} // namespace lumora::cmd::app
