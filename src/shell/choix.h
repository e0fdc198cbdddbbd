#pragma once
// The lessons list and the stories list without a window: the form template chosen by the screen
// width, the buttons' labels, pictures and tooltips, and what a click does.
#include <string>

#include "foundation/cours_app.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/settings_store.h"

namespace lumora {

constexpr int kChoixButtonCount = 34;   // buttons 1000..1033
constexpr int kChoixFirstButton = 1000;
constexpr int kChoixPictureButtons = 24; // the lessons list shows pictures on buttons 1000..1023
constexpr int kChoixPictureWidth = 160, kChoixPictureHeight = 120;

struct ChoixTemplate {
    int id;          // 1550, 1560 or 1570
    int perRow;      // buttons per row
    int buttonWidth; // dialog units
    int buttonHeight;
};
// At most 640 pixels: 1550 (3 a row, 115 wide); 641 to 800: 1560 (4 a row, 115); above: 1570 (5, 95).
ChoixTemplate choixTemplateForWidth(int screenWidth);

// What a story click needs of the main frame.
class ChoixHost {
public:
    virtual ~ChoixHost() = default;
    virtual void postCommand(int id) = 0; // handled after the click returns
    virtual void setWaitCursor(bool on) = 0;
    virtual void closeActivityWindows() = 0;
    virtual bool openActivity(ActivityTemplateId id, const std::string& fileName) = 0;
    virtual void startActiveActivity(ActivityTemplateId id) = 0;
};

// CChoixView (lessons, role LessonsListView) and CChoixWriteView (stories, StoriesListView).
class ChoixLogic {
public:
    ChoixLogic(SettingsStore& store, const LessonCatalogue& catalogue, CatalogueKind kind, ChoixHost& host);

    CatalogueKind kind() const { return kind_; }
    // Makes the view's catalogue current ("Write"/"Write" = "NO" for lessons, "YES" for stories).
    void initialUpdate();
    // The tooltip of button `buttonId`, UTF-8. The lessons list first makes its catalogue current.
    std::string tooltip(int buttonId);
    void click(int buttonId);

    // Number of entries of the view's catalogue (read while that catalogue is current).
    int entryCount() const;
    // The English title of entry `index` as UTF-8; empty beyond the catalogue.
    std::string title(int index) const;
    // Content name of the ideogram picture of the first phrase of the lesson's first page, in the
    // ideogram set of "Course"/"Ideogram"; empty when the lesson or its stems are missing or unsafe.
    std::string lessonPictureName(int index) const;

private:
    void makeCurrent();
    SettingsStore& store_;
    const LessonCatalogue& catalogue_;
    CatalogueKind kind_;
    ChoixHost& host_;
};

} // namespace lumora
