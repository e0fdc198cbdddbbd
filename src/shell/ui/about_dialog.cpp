#include "shell/ui/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace lumora {

AboutDialog::AboutDialog(const AboutLines& lines, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(lines.caption));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    version_ = new QLabel(QString::fromStdString(lines.version));
    QFont bold = version_->font();
    bold.setBold(true);
    version_->setFont(bold);
    text->addWidget(version_);
    // The figures are aligned in columns, as their widths intend.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    memory_ = new QLabel(QString::fromStdString(lines.memory));
    disk_ = new QLabel(QString::fromStdString(lines.disk));
    for (QLabel* l : {memory_, disk_}) {
        l->setFont(fixed);
        text->addWidget(l);
    }
    text->addSpacing(8);
    for (const std::string& c : lines.credits) {
        auto* l = new QLabel(QString::fromStdString(c));
        l->setWordWrap(true);
        l->setMaximumWidth(520);
        text->addWidget(l);
    }
    top->addLayout(text, 1);
    layout->addLayout(top);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace lumora
