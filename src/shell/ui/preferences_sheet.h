#pragma once
// The preferences sheet: the Startup, Translation and End of lesson pages over PreferencesModel.
// The Translation page writes each selection at once; the two choices are the model's to write
// when the caller sees OK.
#include <QDialog>

#include "shell/preferences.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QListWidget;
class QTabWidget;
class QToolButton;

namespace lumora {

class PreferencesSheet final : public QDialog {
    Q_OBJECT
public:
    PreferencesSheet(PreferencesModel& model, QWidget* parent = nullptr);

    QTabWidget* pages() const { return pages_; }
    QListWidget* languageList() const { return languages_; }
    QListWidget* fontList() const { return fonts_; }
    QListWidget* sizeList() const { return sizes_; }
    QListWidget* colourList() const { return colours_; }
    QLabel* languageName() const { return name_; }
    QWidget* sampleArea() const { return sample_; }
    QButtonGroup* startupChoices() const { return startup_; }
    QButtonGroup* endOfLessonChoices() const { return endOfLesson_; }

private:
    QWidget* choicePage(const char* const labels[3], int choice, QButtonGroup*& group, void (PreferencesModel::*set)(int));
    QWidget* translationPage();
    void showLanguage();

    PreferencesModel& model_;
    QTabWidget* pages_ = nullptr;
    QButtonGroup* startup_ = nullptr;
    QButtonGroup* endOfLesson_ = nullptr;
    QListWidget* languages_ = nullptr;
    QListWidget* fonts_ = nullptr;
    QListWidget* sizes_ = nullptr;
    QListWidget* colours_ = nullptr;
    QToolButton* flag_ = nullptr;
    QLabel* name_ = nullptr;
    QWidget* sample_ = nullptr;
};

// The installed font families that scale (the font list) and whether "Arial" is one of them.
std::vector<std::string> scalableFontFamilies();
bool arialIsScalable();

} // namespace lumora
