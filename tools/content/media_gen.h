#pragma once
// Generators of the media files of a content tree: the two recorded voices of a phrase, its
// ideogram pictures, its video and the still metafile pictures.
//
// Every generator writes through a temporary file in the target's folder that is renamed into
// place at the end, so an interrupted build never leaves a half-written file; the folder is created
// when needed. Outside programs (espeak-ng, sox, ffmpeg) are started with an argument vector, never
// through a shell, and are stopped when they overrun their time limit. On failure the generators
// return false and put a one-line reason into `*error` (when `error` is not null).
//
// renderIdeogram and makeVideo draw with Qt's fonts: a QGuiApplication must exist (the tool runs
// with the offscreen platform); without one they fail with a message.
#include <filesystem>
#include <string>
#include <vector>

namespace lumora::content {

enum class Voice { Male, Female };

// Speaks tone-numbered pinyin as typed ("ni3 hao3"; "u:" and "v" both stand for ü) with espeak-ng's
// pinyin voice: the male voice at a low pitch, the female variant at a clearly higher one. The
// result is a mono 16-bit 22050 Hz PCM WAVE file with long leading and trailing silence cut.
// Blank text is an error (there is nothing to say).
bool synthesizeVoice(const std::string& typedPinyin, Voice voice, const std::filesystem::path& outWav,
                     std::string* error);

// Which character shapes an ideogram picture is drawn with.
enum class IdeogramSet { Simplified, Traditional };

// Draws the characters, dark ink on white with grey anti-aliasing, about 90 pixels high, into an
// 8-bit bitmap file with a grey-ramp colour table, sized to the text plus a small margin. Empty
// text gives a small blank picture. The first form uses the simplified glyph shapes.
bool renderIdeogram(const std::string& hanziUtf8, const std::filesystem::path& outBmp, std::string* error);
bool renderIdeogram(const std::string& hanziUtf8, IdeogramSet set, const std::filesystem::path& outBmp,
                    std::string* error);

// A 320 x 240 motion-JPEG AVI of 3.3 to 3.9 seconds at 10 frames a second (a few hundred
// kilobytes at most) in which the characters are written one after the other, each revealed by a
// diagonal brush sweep over a practice grid, then held. Text without any character is an error.
bool makeVideo(const std::string& hanziUtf8, const std::filesystem::path& outAvi, std::string* error);

// A placeable Windows metafile of the named scene (one of sceneNames()): a flat drawing of
// 84 x 63 mm with a one-word label. Coordinates are hundredths of a millimetre with y upward:
// the file sets the window origin to the top-left corner (0, 6300) and the window extent to
// (8400, -6300), so it stands upright both when played in the metric mapping and when scaled to
// its placeable frame. An unknown scene name is an error.
bool writeSceneMetafile(const std::string& scene, const std::filesystem::path& outWmf, std::string* error);

// sun house cup clock arrow coin train family
std::vector<std::string> sceneNames();

} // namespace lumora::content
