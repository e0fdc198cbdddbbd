#pragma once
// The settings of the foundation and the shell, each entry's section, name, kind and default
// written once (setting.h): start-up and shutdown, content locations, the catalogue in use, the
// languages and fonts of the display.
#include <string>

#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

class AppSettings {
public:
    static constexpr StringSetting kSysDir{"Course", "SysDir", ""};
    static constexpr StringSetting kCdromDrive{"CDROM", "Drive", "D:"};
    static constexpr StringSetting kUserDrive{"User", "Drive", "C:\\"};
    static constexpr StringSetting kCurrentDir{"Course", "CurrentDir", ""}; // the current lesson's stem
    static constexpr StringSetting kCatalogue{"Write", "Write", "NO"}; // "NO" lessons, "YES" stories
    static constexpr IntSetting kStartupChoice{"Startup", "UserChoice", 0}; // 0 list, 1 last, 2 ask
    static constexpr IntSetting kBack{"Startup", "Back", 0};
    static constexpr IntSetting kRemember{"Startup", "Remember", 0}; // the JobCode of the last activity
    static constexpr IntSetting kTipAtStartup{"Tip", "StartUp", 0};    // 0 shows the tip
    static constexpr IntSetting kTimeToZero{"Course", "TimeToZero", 0};
    static constexpr IntSetting kUsageDays{"Time", "Day", 0};
    static constexpr IntSetting kUsageHours{"Time", "Hour", 0};
    static constexpr IntSetting kUsageMinutes{"Time", "Minute", 0};
    static constexpr IntSetting kUsageSeconds{"Time", "Seconde", 0};
    static constexpr StringSetting kFontFace{"Course", "Font", "Arial"};
    static constexpr IntSetting kFontSize{"Course", "Font Size", 40};
    static constexpr IntSetting kTranslationLanguage{"Course", "Translate Language", 1};
    static constexpr IntSetting kPhoneticLanguage{"Course", "Phonetic Language", 1};
    // The ideogram set of the pictures, shared by the course and the dictionary: 0 simplified,
    // 1 traditional.
    static constexpr IntSetting kIdeogramSet{"Course", "Ideogram", 0};
    // The place reached: "Lesson" and "Page" in the section of the catalogue ("Course" for the
    // lessons, "Write" for the stories).
    static constexpr const char* kLessonsSection = "Course";
    static constexpr const char* kStoriesSection = "Write";
    static constexpr IntEntry kLesson{"Lesson", 0};
    static constexpr IntEntry kPage{"Page", 0};
    // In a language's own section: the palette index of its text colours.
    static constexpr IntEntry kTranslationColour{"ColorTranslate", 0};
    static constexpr IntEntry kPhoneticColour{"ColorPhonetic", 0};
    static constexpr const char* kDrivesSection = "Drives";
    // The learner's font record (60 bytes) and text colour (4 bytes, 0x00BBGGRR), seeded at the first
    // start, both under the entry "User".
    static constexpr const char* kFontRecordSection = "Font";
    static constexpr const char* kColourRecordSection = "Color";
    static constexpr const char* kUserRecordEntry = "User";

    explicit AppSettings(SettingsStore& store) : store_(store) {}

    std::string programDirectory() const { return kSysDir.read(store_); }
    void setProgramDirectory(const std::string& dir) { kSysDir.write(store_, dir); }
    // The help file: program directory + "HELP\WIN32\LESSONGB.HLP".
    std::string helpFile() const { return programDirectory() + "HELP\\" + "WIN32" + "\\LESSONGB.HLP"; }

    std::string cdromDrive() const { return kCdromDrive.read(store_); }
    bool hasCdromDrive() const { return kCdromDrive.isSet(store_); }
    void setCdromDrive(const std::string& drive) { kCdromDrive.write(store_, drive); }
    std::string userDataFolder() const { return kUserDrive.read(store_); }
    // The directory a drive letter stands for ("Drives"/letter), `def` when none is stored.
    std::string drive(char letter, const std::string& def) const {
        return store_.readString(kDrivesSection, std::string(1, letter), def);
    }
    void setDrive(char letter, const std::string& dir) { store_.writeString(kDrivesSection, std::string(1, letter), dir); }

    bool storiesCurrent() const { return kCatalogue.read(store_) != "NO"; }
    void setStoriesCurrent(bool stories) { kCatalogue.write(store_, stories ? "YES" : "NO"); }
    // "Course" while the lessons catalogue is current, "Write" while the stories catalogue is.
    std::string positionSection() const { return storiesCurrent() ? kStoriesSection : kLessonsSection; }
    int lesson(const std::string& section) const { return kLesson.read(store_, section); }
    int page(const std::string& section) const { return kPage.read(store_, section); }
    void setLesson(const std::string& section, int lesson) { kLesson.write(store_, section, lesson); }
    void setPage(const std::string& section, int page) { kPage.write(store_, section, page); }

    int startupChoice() const { return kStartupChoice.read(store_); }
    int back() const { return kBack.read(store_); }
    void setBack(int back) { kBack.write(store_, back); }
    int remember() const { return kRemember.read(store_); }
    void setRemember(int jobCode) { kRemember.write(store_, jobCode); }
    bool tipAtStartup() const { return kTipAtStartup.read(store_) == 0; }
    bool timeToZero() const { return kTimeToZero.read(store_) == 1; }
    void setTimeToZero(bool on) { kTimeToZero.write(store_, on ? 1 : 0); }
    int toggleTimeToZero() { return kTimeToZero.toggle(store_); }

    std::string fontFace() const { return kFontFace.read(store_); }
    int fontSize() const { return kFontSize.read(store_); }
    int translationLanguage() const { return kTranslationLanguage.read(store_); }
    int phoneticLanguage() const { return kPhoneticLanguage.read(store_); }

    SettingsStore& store() const { return store_; }

private:
    SettingsStore& store_;
};

} // namespace lumora
