#pragma once
// "Direct access to page ...": a lessons drop-down, the pages of the chosen lesson (each shown by the
// translation of its first phrase in the dialog language), the 21 language flags, the dialog
// language's name and flag, and the voice choice. The dialog shows the model and forwards every
// choice to it; the document accepts or cancels the model once the dialog has ended.
#include <QDialog>

#include "course/direct_access.h"

class QComboBox;
class QListWidget;
class QLabel;
class QToolButton;
class QRadioButton;

namespace lumora {

class DirectAccessDialog final : public QDialog {
    Q_OBJECT
public:
    DirectAccessDialog(DirectAccessModel& model, int screenWidth, QWidget* parent = nullptr);

    int layoutId() const { return layout_; }
    QComboBox* lessons() const { return lessons_; }
    QListWidget* pages() const { return pages_; }
    QListWidget* languages() const { return languages_; }
    QRadioButton* voiceButton(int i) const { return voices_[i]; }

private:
    void fillPages();
    void showLanguage();

    DirectAccessModel& model_;
    int layout_;
    QComboBox* lessons_ = nullptr;
    QListWidget* pages_ = nullptr;
    QListWidget* languages_ = nullptr;
    QLabel* languageName_ = nullptr;
    QToolButton* flagButton_ = nullptr;
    QRadioButton* voices_[4] = {};
};

} // namespace lumora
