#pragma once
// The voice studio's own commands. The zooms 4001..4007 are shared with the picture views.
namespace lumora::cmd::voice {

constexpr int Tones = 15030;       // the graph's tone view on or off (checked while on)
constexpr int Record = 15031;      // start or stop recording the learner's voice
constexpr int PlayLearner = 15032; // play the learner's recording
constexpr int PlayMale = 15033;    // play the male model voice
constexpr int PlayFemale = 15034;  // play the female model voice
constexpr int SaveVoice = 15035;   // "Save my voice and update the spectrum"

} // namespace lumora::cmd::voice
