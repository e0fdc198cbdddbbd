#include "course/cours_view.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "course/cours_doc.h"
#include "course/course_commands.h"
#include "course/course_settings.h"
#include "course/media_paths.h"
#include "foundation/app_settings.h"

namespace lumora {

namespace {

constexpr int kPhoneticIcon = 701;
constexpr int kMaleIcon = 703;
constexpr int kFemaleIcon = 704;

// a * b / c rounded to the nearest integer (halves away from zero), without overflow.
int mulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return 0;
    return static_cast<int>(std::llround(static_cast<double>(a * b) / static_cast<double>(c)));
}

// A height stored as decimal text; text that is not a positive number keeps the default.
int parseSize(const std::string& text, int def) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || v <= 0 || v > 1000) return def;
    return static_cast<int>(v);
}

DrawItem textItem(int x, int depth, std::string text, const DrawFont& font, ColourRef colour) {
    DrawItem it;
    it.kind = DrawItem::Kind::Text;
    it.x = x;
    it.y = -depth;
    it.text = std::move(text);
    it.font = font;
    it.colour = colour;
    return it;
}

DrawItem iconItem(int x, int depth, int id) {
    DrawItem it;
    it.kind = DrawItem::Kind::Icon;
    it.x = x;
    it.y = -depth;
    it.iconId = id;
    return it;
}

} // namespace

int band(int screenHeight, int a, int b, int c) {
    if (screenHeight >= 480 && screenHeight < 600) return a;
    if (screenHeight >= 600 && screenHeight < 768) return b;
    return mulDivRound(screenHeight, c, 600);
}

std::vector<DrawItem> layoutCoursePage(SettingsStore& store, const LessonCatalogue& catalogue,
                                       const CoursePageInput& input) {
    std::vector<DrawItem> items;
    const int H = input.screenHeight;
    const int dpi = input.logicalDpiY > 0 ? input.logicalDpiY : 96;

    // Fonts.
    const DrawFont numberFont{"Arial", 30, 400, FontEncoding::Windows1252};
    const DrawFont boldNumberFont{"Arial", 25, 700, FontEncoding::Windows1252};
    const std::string section = languageSection(store, true);
    DrawFont translationFont;
    translationFont.face = section.empty() ? std::string("Arial") : CourseSettings::kTranslationFace.read(store, section);
    const int size = section.empty() ? 35 : parseSize(CourseSettings::kTranslationSize.read(store, section), 35);
    translationFont.height = mulDivRound(size, 144, dpi);
    translationFont.encoding =
        textEncoding(translationFont.face, AppSettings::kTranslationLanguage.read(store));
    const DrawFont phoneticFont{"Pinying", mulDivRound(50, 144, dpi), 400, FontEncoding::Pinying};

    // Position.
    const std::string pos = catalogue.positionSection();
    const int lesson = AppSettings::kLesson.read(store, pos);
    const int page = AppSettings::kPage.read(store, pos); // the accessors read page 0 beyond the last
    CourseSettings::kTraceHeight.write(store, H);

    const std::string dir = lessonMediaDirectory(store, catalogue, lesson);
    std::string stems[5];
    for (int k = 1; k <= 4; ++k) stems[k] = catalogue.SoundStem(lesson, page, k);

    // Ideogram pictures.
    for (int k = 1; k <= 4; ++k) {
        if (k > 1 && stems[k].empty()) continue;
        const std::string path = IdeogramPictureName(dir, stems[k], input.ideogramSet);
        if (k == 1) CourseSettings::kFirstPicture.write(store, path);
        if (path.empty()) continue;
        DrawItem it;
        it.kind = DrawItem::Kind::Picture;
        it.x = 10;
        it.y = -(10 + 190 * (k - 1));
        it.path = path;
        items.push_back(std::move(it));
    }

    // Phrase presence.
    std::string phrases[5];
    for (int k = 1; k <= 4; ++k) phrases[k] = catalogue.PhraseText(lesson, page, k);
    const bool has3 = !phrases[3].empty();
    const bool has4 = !phrases[4].empty();

    ColourRef colour = 0; // the drawing surface starts in black

    // Phonetic block.
    int P = band(H, 390, 420, 430);
    if (has3 && !has4) P = band(H, 530, 550, 550);
    if (has3 && has4) P = band(H, 720, 740, 740);
    if (CourseSettings::kShowPhonetic.read(store) == 1) {
        colour = textColour(store, false);
        for (int k = 1; k <= 4; ++k) {
            if (phrases[k].empty()) continue;
            const int yk = P + 50 * k;
            items.push_back(textItem(0, yk - 15, " " + std::to_string(k), numberFont, colour));
            items.push_back(iconItem(40, yk + 5, kPhoneticIcon));
            items.push_back(textItem(100, yk - 15, " " + catalogue.PhoneticText(lesson, page, k), phoneticFont, colour));
        }
    }

    // Translation block.
    int T = band(H, 550, 600, 600);
    if (has3 && !has4) T = band(H, 710, 760, 760);
    if (has4) T = band(H, 900, 950, 950);
    if (CourseSettings::kShowTranslation.read(store) == 1) {
        colour = textColour(store, true);
        const int language = AppSettings::kTranslationLanguage.read(store);
        for (int k = 1; k <= 4; ++k) {
            const std::string translation = catalogue.TranslationText(lesson, page, k, language);
            if (translation.empty()) continue;
            const int tk = T + 70 * k;
            DrawItem flag;
            flag.kind = DrawItem::Kind::Flag;
            flag.x = 130;
            flag.y = -(tk - 20);
            flag.iconId = LanguageTable::listFlag(language);
            flag.languageId = language;
            items.push_back(std::move(flag));
            items.push_back(textItem(180, tk - 30, " " + translation, translationFont, colour));
        }
    }

    // Voice marks.
    const FileAccess& files = catalogue.locator().files();
    for (int k = 1; k <= 4; ++k) {
        if (stems[k].empty()) continue;
        const int vk = T - 20 + 70 * k;
        const std::string male = MaleVoiceName(dir, stems[k]);
        const std::string female = FemaleVoiceName(dir, stems[k]);
        if (!male.empty() && files.exists(male)) items.push_back(iconItem(30, vk + 5, kMaleIcon));
        if (!female.empty() && files.exists(female)) items.push_back(iconItem(80, vk + 5, kFemaleIcon));
        items.push_back(textItem(0, vk, " " + std::to_string(k), boldNumberFont, colour));
    }
    return items;
}

CCoursView::CCoursView(SettingsStore& store, CCoursDoc& doc, ViewTimer& timer, ViewWindow& window)
    : store_(store), doc_(doc), timer_(timer), window_(window), picture_(store, CourseSettings::kZoom, kSurfaceHeight) {
    declareCommands();
    doc_.playback().addListener(*this);
}

CCoursView::~CCoursView() { doc_.playback().removeListener(*this); }

void CCoursView::initialUpdate(const DeviceMetrics& screen) {
    picture_.initialUpdate(screen);
    const ScrollSize s = picture_.scrollSize();
    window_.setScrollSize(s.width, s.height);
}

void CCoursView::onUpdate() { window_.invalidate(); }

std::vector<DrawItem> CCoursView::layout(int screenHeight, int logicalDpiY) const {
    return layoutCoursePage(store_, doc_.catalogue(), {screenHeight, logicalDpiY, doc_.ideogramSet()});
}

bool CCoursView::playOnArrival() {
    const int mode = doc_.scrollingMode();
    if (doc_.voicesPlayed() || mode == CCoursDoc::kFastReversed || mode == CCoursDoc::kFastForward) return false;
    doc_.setVoicesPlayed(true);
    doc_.PlayAllPhrases();
    return true;
}

void CCoursView::playbackEnded(PlaybackOutcome outcome) {
    if (outcome != PlaybackOutcome::Completed || !pendingTick_) return;
    onTimer();
}

void CCoursView::onTimer() {
    if (doc_.isPlaying()) {
        pendingTick_ = true; // ticks that fall due meanwhile count once, afterwards
        return;
    }
    pendingTick_ = false;
    switch (doc_.scrollingMode()) {
    case CCoursDoc::kFastReversed:
    case CCoursDoc::kSlowReversed:
        doc_.PreviousPage();
        break;
    case CCoursDoc::kFastForward:
    case CCoursDoc::kSlowForward:
        doc_.NextPage();
        break;
    default:
        break;
    }
}

void CCoursView::onClose() {
    timer_.stop();
    doc_.setScrollingMode(CCoursDoc::kNotScrolling);
    pendingTick_ = false;
    doc_.StopPlayback(); // the page's phrases stop with the window
}

void CCoursView::startScrolling(int mode, int intervalMs) {
    if (doc_.scrollingMode() != CCoursDoc::kNotScrolling) {
        stopScrolling();
        return;
    }
    timer_.start(intervalMs);
    doc_.setScrollingMode(mode);
}

void CCoursView::stopScrolling() {
    timer_.stop();
    doc_.setScrollingMode(CCoursDoc::kNotScrolling);
    pendingTick_ = false;
}

void CCoursView::toggle(const IntSetting& setting) {
    setting.toggle(store_);
    window_.invalidate();
    notifyStateChanged();
}

void CCoursView::declareCommands() {
    namespace c = cmd::course;
    const auto slowInterval = [this] {
        const int ms = CourseSettings(store_).slowScrollMs();
        return ms > 0 ? ms : 5000; // a timer of 0 or less would turn pages without pause
    };
    CommandTable& t = commandTable();
    t.add(c::FastReversed, [this] { startScrolling(CCoursDoc::kFastReversed, kFastIntervalMs); });
    t.add(c::SlowReversed, [this, slowInterval] { startScrolling(CCoursDoc::kSlowReversed, slowInterval()); });
    t.add(c::SlowForward, [this, slowInterval] { startScrolling(CCoursDoc::kSlowForward, slowInterval()); });
    t.add(c::FastForward, [this] { startScrolling(CCoursDoc::kFastForward, kFastIntervalMs); });
    t.add(c::Stop, [this] {
        if (doc_.scrollingMode() != CCoursDoc::kNotScrolling) stopScrolling();
    });
    t.addChecked(c::Phonetic, [this] { toggle(CourseSettings::kShowPhonetic); },
                 [this] { return CourseSettings(store_).showPhonetic(); });
    t.addChecked(c::Translation, [this] { toggle(CourseSettings::kShowTranslation); },
                 [this] { return CourseSettings(store_).showTranslation(); });
    // The zoom commands are the picture view's; the view applies their scroll size.
    for (const CommandEntry& e : picture_.commands().entries()) {
        const int id = e.id;
        t.addWhen(
            id, [this, id] { zoomCommand(id); return true; }, [this, id] { return picture_.commandState(id); },
            e.checkable);
    }
}

void CCoursView::zoomCommand(int id) {
    picture_.onCommand(id);
    if (id != PictureView::kIgnoredCommand) {
        const ScrollSize s = picture_.scrollSize();
        window_.setScrollSize(s.width, s.height);
        window_.invalidate();
    }
    notifyStateChanged();
}

} // namespace lumora
