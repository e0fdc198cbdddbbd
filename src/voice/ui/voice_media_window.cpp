#include "voice/ui/voice_media_window.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace lumora {

VoiceMediaWindow::VoiceMediaWindow(const QString& name, bool recording, QWidget* parent) : QWidget(parent) {
    setAccessibleName(name);
    setObjectName(name);
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    const auto button = [this, row](QStyle::StandardPixmap icon, const QString& text) {
        auto* b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(text);
        b->setAccessibleName(accessibleName() + QLatin1Char(' ') + text);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::TabFocus);
        row->addWidget(b);
        return b;
    };
    play_ = button(QStyle::SP_MediaPlay, tr("play"));
    stop_ = button(QStyle::SP_MediaStop, tr("stop"));
    if (recording) {
        record_ = button(QStyle::SP_DialogYesButton, tr("record"));
        record_->setIcon(QIcon());
        record_->setText(QStringLiteral("\u25CF"));
        record_->setStyleSheet(QStringLiteral("QToolButton { color: #c0262d; font-weight: bold; }"));
        record_->setCheckable(true);
        connect(record_, &QToolButton::clicked, this, [this] {
            record_->setChecked(!record_->isChecked()); // the studio sets the state it reached
            emit recordClicked();
        });
    }
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setAccessibleName(name + tr(" position"));
    slider_->setEnabled(false);
    row->addWidget(slider_, 1);
    column->addLayout(row);
    if (recording) {
        level_ = new QProgressBar(this);
        level_->setRange(0, 100);
        level_->setTextVisible(false);
        level_->setMaximumHeight(6);
        level_->setAccessibleName(tr("Input level"));
        level_->setVisible(false);
        column->addWidget(level_);
        message_ = new QLabel(this);
        message_->setWordWrap(true);
        message_->setStyleSheet(QStringLiteral("color: #a02020;"));
        message_->setVisible(false);
        column->addWidget(message_);
    }

    connect(play_, &QToolButton::clicked, this, &VoiceMediaWindow::play);
    connect(stop_, &QToolButton::clicked, this, &VoiceMediaWindow::stop);
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 d) {
        slider_->setRange(0, static_cast<int>(d));
        slider_->setEnabled(d > 0);
    });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 p) {
        if (!seeking_) slider_->setValue(static_cast<int>(p));
    });
    connect(slider_, &QSlider::sliderPressed, this, [this] { seeking_ = true; });
    connect(slider_, &QSlider::sliderReleased, this, [this] {
        seeking_ = false;
        player_->setPosition(slider_->value());
    });
    closeFile();
}

VoiceMediaWindow::~VoiceMediaWindow() {
    player_->stop();
}

void VoiceMediaWindow::openFile(const QString& localPath) {
    player_->stop();
    player_->setSource(QUrl());
    file_ = localPath;
    const bool there = !localPath.isEmpty() && QFileInfo(localPath).isFile();
    if (there) player_->setSource(QUrl::fromLocalFile(localPath));
    play_->setEnabled(there);
    stop_->setEnabled(there);
    slider_->setValue(0);
}

void VoiceMediaWindow::closeFile() {
    player_->stop();
    player_->setSource(QUrl());
    file_.clear();
    play_->setEnabled(false);
    stop_->setEnabled(false);
    slider_->setEnabled(false);
    slider_->setValue(0);
}

void VoiceMediaWindow::stop() {
    player_->stop();
    slider_->setValue(0);
}

void VoiceMediaWindow::play() {
    if (file_.isEmpty() || !play_->isEnabled()) return;
    emit playStarted();
    player_->setPosition(0);
    player_->play();
}

bool VoiceMediaWindow::playing() const {
    return player_->playbackState() == QMediaPlayer::PlayingState;
}

void VoiceMediaWindow::setRecording(bool on) {
    if (!record_) return;
    record_->setChecked(on);
    record_->setText(on ? QStringLiteral("\u25A0") : QStringLiteral("\u25CF"));
    record_->setToolTip(on ? tr("stop recording") : tr("record"));
    level_->setVisible(on);
    level_->setValue(0);
    play_->setEnabled(!on && !file_.isEmpty());
}

void VoiceMediaWindow::setLevel(int level) {
    if (level_) level_->setValue(level);
}

void VoiceMediaWindow::setMessage(const QString& text) {
    if (!message_) return;
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
}

void VoiceMediaWindow::setRecordEnabled(bool on) {
    if (record_) record_->setEnabled(on);
}

} // namespace lumora
