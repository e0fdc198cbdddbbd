#pragma once
// "Tip of the Day": the tip text, "&Show Tips on StartUp", "&Next Tip" and "&Close" over TipOfTheDay.
#include <QDialog>

#include "shell/tip_of_the_day.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace lumora {

class TipDialog final : public QDialog {
    Q_OBJECT
public:
    TipDialog(TipOfTheDay& tip, QWidget* parent = nullptr);

    QLabel* tipText() const { return text_; }
    QCheckBox* showAtStartup() const { return show_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* closeButton() const { return close_; }

    void done(int result) override;

private:
    void showTip();

    TipOfTheDay& tip_;
    QLabel* text_ = nullptr;
    QCheckBox* show_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace lumora
