#pragma once
// One media window of the voice studio: play, stop and a position slider over one open WAVE file;
// the learner's window also records (record/stop) and shows the input level while recording and a
// message line (no microphone, a save that failed).
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QProgressBar;
class QSlider;
class QToolButton;

namespace lumora {

class VoiceMediaWindow final : public QWidget {
    Q_OBJECT
public:
    VoiceMediaWindow(const QString& name, bool recording, QWidget* parent = nullptr);
    ~VoiceMediaWindow() override;

    void openFile(const QString& localPath); // reloads the file even when it is the one open
    void closeFile();
    void stop();
    void play();
    QString file() const { return file_; }
    bool playing() const;

    // The learner's window: the record button's state and the level meter.
    void setRecording(bool on);
    void setLevel(int level);
    void setMessage(const QString& text);
    void setRecordEnabled(bool on);

    QToolButton* playButton() const { return play_; }
    QToolButton* stopButton() const { return stop_; }
    QToolButton* recordButton() const { return record_; }
    QProgressBar* levelMeter() const { return level_; }
    QLabel* messageLabel() const { return message_; }
    QSlider* slider() const { return slider_; }

signals:
    void recordClicked();
    void playStarted();

private:
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QToolButton* play_ = nullptr;
    QToolButton* stop_ = nullptr;
    QToolButton* record_ = nullptr;
    QSlider* slider_ = nullptr;
    QProgressBar* level_ = nullptr;
    QLabel* message_ = nullptr;
    QString file_;
    bool seeking_ = false;
};

} // namespace lumora
