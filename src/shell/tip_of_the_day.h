#pragma once
// The tip of the day without a window: which tip file it shows, the first 1000 bytes of it as text,
// "Next Tip", and what closing stores.
//
// Tips are 8-bit (Windows-1252) text files "<CD-ROM drive>\DATA\TIPS\US\<n>.txt". A number whose
// file is missing falls back to tip 1, so "Next Tip" past the last file starts again at 1.
#include <cstddef>
#include <string>

#include "foundation/file_access.h"
#include "foundation/settings_store.h"

namespace lumora {

constexpr std::size_t kTipMaxBytes = 1000;

// The content name of tip `number` under the CD-ROM drive `cdrom` ("D:" + "\DATA\TIPS\US\" + "%d.txt").
std::string tipFileName(const std::string& cdrom, int number);
// The display text (UTF-8) of a tip file's first bytes: Windows-1252 decoded, line ends kept, cut at
// the first NUL, other control bytes shown as spaces (so a binary file shows as harmless text).
std::string tipText(const std::string& bytes);

class TipOfTheDay {
public:
    TipOfTheDay(SettingsStore& store, const FileAccess& files);

    // Opening: reads "Tip"/"Number" (a number below 1 reads as 1) and shows that tip.
    void open();
    // "&Next Tip": the next number, then the tip shown again.
    void next();
    // Closing: "Tip"/"StartUp" = 0 when the box is checked, 1 when not; "Tip"/"Number" = number + 1.
    void close(bool showAtStartup);

    int number() const { return number_; }
    const std::string& text() const { return text_; } // UTF-8; empty when no tip file exists
    // Whether the check box starts checked (tips are shown at start-up).
    bool showAtStartup() const;

private:
    void show();

    SettingsStore& store_;
    const FileAccess& files_;
    int number_ = 1;
    std::string text_;
};

} // namespace lumora
