#pragma once
// Command ids of the three exercises and their score graphs.
namespace lumora::cmd::exercises {
constexpr int Verify = 1460, VerifyGraph = 1465;
constexpr int PictureExercise = 1470, PictureGraph = 1475;
constexpr int TranslationExercise = 1480, TranslationGraph = 1485;
} // namespace lumora::cmd::exercises
