#pragma once
// Recording from the default audio input with QAudioSource in pull mode: the source hands out a
// QIODevice whose readyRead delivers 16-bit mono PCM, collected in memory until stop(). The WAVE file
// is written by the core from the samples (voice_files.h).
#include <functional>
#include <memory>

#include <QObject>

#include "foundation/recorder.h"

class QAudioSource;
class QIODevice;

namespace lumora {

class QtRecorder final : public QObject, public Recorder {
    Q_OBJECT
public:
    QtRecorder();
    ~QtRecorder() override;

    bool available() const override;
    bool start(std::function<void(int level)> level) override;
    RecordedTake stop() override;
    bool recording() const override { return source_ != nullptr; }
    std::string error() const override { return error_; }

private:
    void pull();
    std::unique_ptr<QAudioSource> source_;
    QIODevice* device_ = nullptr;
    std::function<void(int)> level_;
    RecordedTake take_;
    std::string error_;
};

} // namespace lumora
