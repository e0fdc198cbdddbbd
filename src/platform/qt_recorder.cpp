#include "platform/qt_recorder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace lumora {

namespace {
constexpr int kRate = 22050;
} // namespace

QtRecorder::QtRecorder() = default;

QtRecorder::~QtRecorder() {
    if (source_) source_->stop();
}

bool QtRecorder::available() const {
    return !QMediaDevices::audioInputs().isEmpty();
}

bool QtRecorder::start(std::function<void(int)> level) {
    if (source_) return true;
    error_.clear();
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull()) {
        error_ = "No microphone was found: recording is not possible, the rest of the studio works.";
        return false;
    }
    // The device's own rate (no resampling on the way), one channel of 16-bit samples.
    QAudioFormat format;
    const int preferred = input.preferredFormat().sampleRate();
    format.setSampleRate(preferred >= 8000 && preferred <= 48000 ? preferred : kRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    take_ = {};
    take_.rate = format.sampleRate();
    level_ = std::move(level);
    source_ = std::make_unique<QAudioSource>(input, format);
    source_->setBufferSize(format.bytesForDuration(100000)); // the level follows within 0.1 s
    device_ = source_->start();
    if (!device_ || source_->error() != QAudio::NoError) {
        source_.reset();
        device_ = nullptr;
        error_ = "The microphone could not be opened.";
        return false;
    }
    const QAudioFormat actual = source_->format();
    take_.rate = actual.sampleRate();
    if (qEnvironmentVariableIsSet("LUMORA_RECORDER_DEBUG"))
        qInfo("buffer %d; recording at %d Hz, %d channel(s), format %d", int(source_->bufferSize()),
              actual.sampleRate(), actual.channelCount(), int(actual.sampleFormat()));
    connect(device_, &QIODevice::readyRead, this, &QtRecorder::pull);
    return true;
}

void QtRecorder::pull() {
    if (!device_) return;
    const QByteArray bytes = device_->readAll();
    const qsizetype n = bytes.size() / 2;
    if (n <= 0) return;
    const std::size_t at = take_.samples.size();
    take_.samples.resize(at + static_cast<std::size_t>(n));
    std::memcpy(take_.samples.data() + at, bytes.constData(), static_cast<std::size_t>(n) * 2);
    if (level_) {
        int peak = 0;
        for (std::size_t i = at; i < take_.samples.size(); ++i)
            peak = std::max(peak, std::abs(int(take_.samples[i])));
        level_(peak * 100 / 32768);
    }
}

RecordedTake QtRecorder::stop() {
    if (!source_) return {};
    pull();
    source_->stop();
    device_ = nullptr;
    source_.reset();
    level_ = {};
    RecordedTake out = std::move(take_);
    take_ = {};
    return out;
}

} // namespace lumora
