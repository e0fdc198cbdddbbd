#pragma once
// Command ids of the course, story reading and keyboard learning.
namespace lumora::cmd::course {
// Edit menu of the course (no handler in this build).
constexpr int EditUndo = 3000, EditCut = 3001, EditCopy = 3002, EditPaste = 3003, EditDelete = 3004;
constexpr int KeymapGuide = 3012, Phonetic = 3013, TextOff = 3014, Translation = 3015;
constexpr int Zoom50 = 4001, Zoom75 = 4002, Zoom90 = 4003, Zoom100 = 4004, Zoom150 = 4005, Zoom200 = 4006,
              Zoom300 = 4007, ZoomIgnored = 4008, FitPage = 4010;
constexpr int PreviousStory = 6010, FastReversed = 6020, SlowReversed = 6030, PreviousPage = 6040, Stop = 6050,
              NextPage = 6060, SlowForward = 6070, FastForward = 6080, NextStory = 6090, DirectAccess = 6095;
constexpr int ListenPhrase1 = 7010, ListenPhrase4 = 7013, ListenAll = 7014;
constexpr int PhoneticLanguage = 7090, TranslationLanguage = 7100, LessonExplanation = 7110;
constexpr int Fonts = 32771;
} // namespace lumora::cmd::course
