#pragma once
// The commands of the exercise windows.
namespace lumora::cmd::exercise {

constexpr int Simplified = 13100;  // F11: simplified ideograms
constexpr int Traditional = 13110; // F12: traditional ideograms
constexpr int SetTitle = 1028;     // the window title follows the languages
constexpr int ShowMedia = 1026;
constexpr int PlayVoices = 1027;
constexpr int QuestionButton = 15020;
constexpr int FirstAnswer = 13017; // 13017 + slot, slots 0..4

} // namespace lumora::cmd::exercise
