#pragma once
// Command ids of the main frame and of the lists.
namespace lumora::cmd::shell {
constexpr int LessonsList = 1400;
constexpr int Summary = 1440;
constexpr int ReadingCourse = 1490; // the stories list
constexpr int Preferences = 1500;
constexpr int RecordDirectory = 1510;
constexpr int TimeToZero = 7130;
constexpr int FirstListButton = 1000; // the 34 list buttons 1000..1033
} // namespace lumora::cmd::shell
