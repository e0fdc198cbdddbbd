#include "foundation/cours_app.h"

#include <cstring>

#include "foundation/app_settings.h"
#include "foundation/text_util.h"
#include "resources/string_table.h"

namespace lumora {

const JobCodeRow* jobCodeRow(int code) {
    static const JobCodeRow rows[13] = {
        {0, ActivityTemplateId::LessonsList, "", 0},
        {1, ActivityTemplateId::Course, "zup.txt", 1410},
        {2, ActivityTemplateId::KeyboardLearning, "zup.txt", 1420},
        {3, ActivityTemplateId::VoiceStudio, "zup.txt", 1430},
        {4, ActivityTemplateId::Dictionary, "", 1450},
        {5, ActivityTemplateId::PictureExercise, "", 1470},
        {6, ActivityTemplateId::TranslationExercise, "", 1480},
        {7, ActivityTemplateId::StoriesList, "", 1490},
        {8, ActivityTemplateId::Course, "zup.txt", 1490},
        {9, ActivityTemplateId::Verify, "", 1460},
        {10, ActivityTemplateId::ScoreGraph, "", 1465},
        {11, ActivityTemplateId::ScoreGraph, "", 1475},
        {12, ActivityTemplateId::ScoreGraph, "", 1485},
    };
    if (code < 0 || code > 12) return nullptr;
    return &rows[code];
}

UsageSplit splitUsage(std::int64_t s) {
    UsageSplit u{};
    u.days = s / 86400;
    u.hours = s / 3600 - u.days * 24;
    u.minutes = s / 60 - (s / 3600) * 60;
    u.seconds = s % 60;
    return u;
}

std::int64_t joinUsage(std::int64_t days, std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
    return days * 86400 + hours * 3600 + minutes * 60 + seconds;
}

std::string runPaneText(std::int64_t runSeconds) {
    // The run pane has no day field, so its hours are the run's whole hours: a run of 25 hours
    // shows "25h", not "1h".
    const UsageSplit u = splitUsage(runSeconds);
    return format("%lldh %lldmn %llds", static_cast<long long>(runSeconds / 3600),
                  static_cast<long long>(u.minutes), static_cast<long long>(u.seconds));
}

std::string totalPaneText(std::int64_t total) {
    const UsageSplit u = splitUsage(total);
    const auto h = static_cast<long long>(u.hours), m = static_cast<long long>(u.minutes),
               s = static_cast<long long>(u.seconds), d = static_cast<long long>(u.days);
    if (u.days == 0 && u.hours == 0) return format("%lldmn %llds", m, s);
    if (u.days == 0) return format("%lldh %lldmn %llds", h, m, s);
    if (u.days == 1) return format("%lld day %lldh %lldmn %llds", d, h, m, s);
    return format("%lld days %lldh %lldmn %llds", d, h, m, s);
}

std::string programDirectoryOf(const std::string& programPath) {
    if (programPath.empty()) return {};
    const auto cut = programPath.find_last_of("\\/");
    if (cut == std::string::npos) return std::string(1, '\\');
    return programPath.substr(0, cut + 1);
}

Bytes makeUserFontRecord(const std::string& face, int height) {
    Bytes rec(60, 0);
    putLe32(rec.data() + 0, static_cast<std::uint32_t>(height));
    putLe32(rec.data() + 16, 400);
    rec[27] = 2;
    // The face name is NUL-terminated within its 32 bytes.
    for (std::size_t i = 0; i < face.size() && i < 31; ++i) rec[28 + i] = static_cast<std::uint8_t>(face[i]);
    return rec;
}

CCoursApp::CCoursApp(SettingsStore& store, Clock& clock, Prompts& prompts)
    : store_(store), clock_(clock), prompts_(prompts) {
    // The clock panes may be shown before start-up: the run starts now, with the stored total.
    startTime_ = clock_.nowSeconds();
    total_ = storedUsage();
}

std::int64_t CCoursApp::storedUsage() const {
    return joinUsage(AppSettings::kUsageDays.read(store_), AppSettings::kUsageHours.read(store_),
                     AppSettings::kUsageMinutes.read(store_), AppSettings::kUsageSeconds.read(store_));
}

std::int64_t CCoursApp::runSeconds() const { return clock_.nowSeconds() - startTime_; }

namespace {
// The learner's font record (60 bytes) and text colour (4 bytes) in "Font"/"User" and "Color"/"User".
constexpr const char* kFontRecordSection = AppSettings::kFontRecordSection;
constexpr const char* kColourRecordSection = AppSettings::kColourRecordSection;
constexpr const char* kUserEntry = AppSettings::kUserRecordEntry;
} // namespace

void CCoursApp::seedFontRecord() {
    const AppSettings settings(store_);
    const std::string face = settings.fontFace();
    const int size = settings.fontSize();
    std::uint8_t probe[60];
    if (store_.readBinary(kFontRecordSection, kUserEntry, probe, sizeof probe) != 0) return;
    const Bytes rec = makeUserFontRecord(face, size);
    store_.writeBinary(kFontRecordSection, kUserEntry, rec.data(), rec.size());
    std::uint8_t colour[4];
    putLe32(colour, 0x00FF0000u);
    store_.writeBinary(kColourRecordSection, kUserEntry, colour, sizeof colour);
}

bool CCoursApp::startUp(const std::string& programPath, AppShell& shell) {
    AppSettings settings(store_);
    settings.setProgramDirectory(programDirectoryOf(programPath));
    startTime_ = clock_.nowSeconds();
    total_ = storedUsage();
    seedFontRecord();
    if (!shell.createMainFrame()) return false;
    if (!settings.hasCdromDrive()) shell.runPreferences();

    const int userChoice = settings.startupChoice();
    const int back = settings.back();
    const int remember = settings.remember();
    if (userChoice == 1 || (userChoice == 2 && back == 1)) {
        if (const JobCodeRow* row = jobCodeRow(remember)) shell.openActivity(row->opens, row->fileName);
    } else {
        settings.setRemember(0);
        shell.openActivity(ActivityTemplateId::LessonsList, "");
        shell.setMainCaption(strings::text(28674));
        shell.setActiveChildCaption(strings::prompt(1400));
    }
    if (settings.tipAtStartup()) shell.showTipOfTheDay();
    return true;
}

void CCoursApp::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    total_ += runSeconds();
    AppSettings settings(store_);
    if (settings.timeToZero()) {
        settings.setTimeToZero(false);
        for (const IntSetting& s : {AppSettings::kUsageDays, AppSettings::kUsageHours, AppSettings::kUsageMinutes,
                                    AppSettings::kUsageSeconds})
            s.write(store_, 0);
    } else {
        const UsageSplit u = splitUsage(total_);
        AppSettings::kUsageDays.write(store_, static_cast<int>(u.days));
        AppSettings::kUsageHours.write(store_, static_cast<int>(u.hours));
        AppSettings::kUsageMinutes.write(store_, static_cast<int>(u.minutes));
        AppSettings::kUsageSeconds.write(store_, static_cast<int>(u.seconds));
    }
    const int userChoice = settings.startupChoice();
    const int remember = settings.remember();
    if (userChoice == 2 && remember > 0) {
        const JobCodeRow* row = jobCodeRow(remember);
        const std::string question = strings::text(28690) + (row ? strings::prompt(row->nameStringId) : std::string());
        const MessageResult r =
            prompts_.messageBox(question, strings::text(28674), MessageIcon::Stop, MessageButtons::YesNo);
        settings.setBack(r == MessageResult::Yes ? 1 : 0);
    }
}

std::string CCoursApp::resolveHelpFile() const {
    return AppSettings(store_).helpFile();
}

std::string CCoursApp::webAddress(int stringId) { return strings::text(stringId); }

} // namespace lumora
