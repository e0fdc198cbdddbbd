#pragma once
// The about box: the program icon, the version line, the memory and disk lines, credits, OK.
#include <QDialog>

#include "shell/about_box.h"

class QLabel;

namespace lumora {

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const AboutLines& lines, QWidget* parent = nullptr);
    QLabel* versionLine() const { return version_; }
    QLabel* memoryLine() const { return memory_; }
    QLabel* diskLine() const { return disk_; }

private:
    QLabel* version_ = nullptr;
    QLabel* memory_ = nullptr;
    QLabel* disk_ = nullptr;
};

} // namespace lumora
