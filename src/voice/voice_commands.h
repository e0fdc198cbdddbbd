#pragma once
// Command ids of the voice studio.
namespace lumora::cmd::voice {
constexpr int VoiceStudio = 1430;
} // namespace lumora::cmd::voice
