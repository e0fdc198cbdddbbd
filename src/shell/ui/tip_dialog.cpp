#include "shell/ui/tip_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/ui/icons.h"

namespace lumora {

TipDialog::TipDialog(TipOfTheDay& tip, QWidget* parent) : QDialog(parent), tip_(tip) {
    setWindowTitle(tr("Tip of the Day"));
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Base);
    auto* inside = new QHBoxLayout(frame);
    auto* picture = new QPushButton;
    picture->setFlat(true);
    picture->setFocusPolicy(Qt::NoFocus);
    // Bitmap 103 where the resources have it, else the program's icon.
    const QPixmap bulb = icons::bitmapPixmap(103, devicePixelRatioF());
    picture->setIcon(bulb.isNull() ? QApplication::windowIcon() : QIcon(bulb));
    picture->setIconSize(bulb.isNull() ? QSize(40, 40) : icons::bitmapSize(103));
    inside->addWidget(picture, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    auto* heading = new QLabel(tr("Did you know..."));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    right->addWidget(heading);
    text_ = new QLabel;
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setMinimumSize(380, 150);
    right->addWidget(text_, 1);
    inside->addLayout(right, 1);
    layout->addWidget(frame, 1);

    auto* bottom = new QHBoxLayout;
    show_ = new QCheckBox(tr("&Show Tips on StartUp"));
    show_->setChecked(tip_.showAtStartup());
    bottom->addWidget(show_);
    bottom->addStretch();
    next_ = new QPushButton(tr("&Next Tip"));
    close_ = new QPushButton(tr("&Close"));
    close_->setDefault(true);
    bottom->addWidget(next_);
    bottom->addWidget(close_);
    layout->addLayout(bottom);
    connect(next_, &QPushButton::clicked, this, [this] {
        tip_.next();
        showTip();
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    tip_.open();
    showTip();
    close_->setFocus();
}

void TipDialog::showTip() { text_->setText(QString::fromStdString(tip_.text())); }

void TipDialog::done(int result) {
    // Closed in any way (Close, Escape, the title bar): the switch and the next number are stored.
    tip_.close(show_->isChecked());
    QDialog::done(result);
}

} // namespace lumora
