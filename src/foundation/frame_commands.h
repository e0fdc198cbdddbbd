#pragma once
// Command ids of the main frame: the commands that open each activity, and the frame's own dialogs
// and switches. Every activity's menus name some of them (an exercise's "Back to current lesson" is
// 1410, the end of a lesson opens 1460), so they belong to no one subsystem.
namespace lumora::cmd::frame {
constexpr int LessonsList = 1400;
constexpr int Course = 1410;
constexpr int KeyboardLearning = 1420;
constexpr int VoiceStudio = 1430;
constexpr int Summary = 1440;
constexpr int Dictionary = 1450;
constexpr int Verify = 1460, VerifyGraph = 1465;
constexpr int PictureExercise = 1470, PictureGraph = 1475;
constexpr int TranslationExercise = 1480, TranslationGraph = 1485;
constexpr int ReadingCourse = 1490; // the stories list
constexpr int Preferences = 1500;
constexpr int RecordDirectory = 1510;
constexpr int TimeToZero = 7130;
} // namespace lumora::cmd::frame
