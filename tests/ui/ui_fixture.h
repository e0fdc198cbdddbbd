#pragma once
// A small content tree written byte by byte (catalogues, lesson data files, one ideogram picture, a
// help file) and the program's main window over it, with quiet platform services that record what
// they were asked and a clock that only moves when the test says so.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/test_support.h"
#include "fixtures/content_builders.h"
#include "foundation/app_commands.h"
#include "foundation/cours_app.h"
#include "foundation/frame_commands.h"
#include "foundation/text_util.h"
#include "platform/qt_settings_store.h"
#include "foundation/help_file.h"
#include "shell/ui/activities.h"
#include "foundation/ui/app_context.h"
#include "shell/ui/main_frame.h"

namespace lumora::uitest {

using lumora::test::RecordingHelp;
using lumora::test::RecordingWeb;

// The core tests' fake clock for a program with an event loop: time moves only by advance() (the
// calls it reaches run before it returns), and a call at a second already reached runs soon from
// the event loop, as the program's clock runs it.
class LoopClock final : public test::FakeClock {
public:
    CallId callAtSecond(std::int64_t second, std::function<void()> due) override {
        const CallId id = FakeClock::callAtSecond(second, std::move(due));
        if (second <= now) QTimer::singleShot(0, &loop_, [this] { advance(0); });
        return id;
    }

private:
    QObject loop_; // the soon calls die with the clock
};

// Plays nothing and remembers what it was asked to play. A sound ends at once, with `hold` when
// release() says so, or with `durationMs` that long after it started (from the event loop).
class SilentPlayer final : public SoundPlayer {
public:
    std::vector<std::string> played;
    std::function<void()> onPlay;
    bool hold = false;
    int durationMs = 0;
    int stops = 0;
    void play(const std::string& p, std::function<void()> ended) override {
        release(); // the sound playing gives way
        played.push_back(p);
        if (onPlay) onPlay();
        if (hold || durationMs > 0) {
            ended_ = std::move(ended);
            if (durationMs > 0) {
                const int sound = ++sounds_;
                QTimer::singleShot(durationMs, qApp, [this, sound] {
                    if (sound == sounds_) release();
                });
            }
        } else if (ended) {
            ended();
        }
    }
    void playAsync(const std::string& p) override {
        release();
        played.push_back(p);
    }
    void stop() override {
        ++stops;
        release();
    }
    // The held sound has played to its end.
    void release() {
        auto ended = std::move(ended_);
        ended_ = {};
        if (ended) ended();
    }
    bool playing() const { return static_cast<bool>(ended_); }

private:
    std::function<void()> ended_;
    int sounds_ = 0;
};

class AnsweringPrompts final : public Prompts {
public:
    std::vector<std::string> texts;
    MessageResult answer = MessageResult::Yes;
    MessageResult messageBox(const std::string& text, const std::string&, MessageIcon, MessageButtons buttons) override {
        texts.push_back(text);
        if (buttons == MessageButtons::Ok) return MessageResult::Ok;
        return answer;
    }
};

// Runs what the event loop holds queued (posted commands, calls due now) and what those queue in
// turn, without waiting for any timer.
inline void runQueued() {
    for (int round = 0; round < 4; ++round) QCoreApplication::processEvents();
}

inline void writeBytes(const QString& path, const Bytes& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
}

struct LessonFixture {
    std::string stem;
    std::string title;
    int pages;
    int phrasesPerPage;
};

// Catalogue entry and pages of one lesson: phrase k of page p has the text "p<p>k<k>", the pinyin
// "pin <p>.<k>", the English "Phrase <k> of page <p+1>" and the sound stem "P<pp><k>".
inline Bytes catalogueEntry(const LessonFixture& l) {
    return test::catalogueEntry({.stem = l.stem, .english = l.title, .french = l.title + " (fr)"});
}

inline Bytes lessonData(const LessonFixture& l) {
    Bytes out;
    for (int p = 0; p < l.pages; ++p) {
        std::vector<test::PhraseData> phrases;
        for (int k = 1; k <= l.phrasesPerPage; ++k) {
            test::PhraseData ph;
            ph.text = "p" + std::to_string(p) + "k" + std::to_string(k);
            ph.phonetic = "pin " + std::to_string(p) + "." + std::to_string(k);
            ph.english = "Phrase " + std::to_string(k) + " of page " + std::to_string(p + 1);
            ph.french = "Phrase fr " + std::to_string(k);
            ph.sound = format("P%02d%d", p + 1, k);
            phrases.push_back(ph);
        }
        test::append(out, test::pageRecord(phrases));
    }
    return out;
}

class Program {
public:
    // Lessons L01 (3 pages), L02 (2 pages), L03 (1 page); stories S01, S02.
    Program() {
        root = dir.path() + QStringLiteral("/cd");
        lessons = {{"L01", "Greetings", 3, 4}, {"L02", "Numbers", 2, 2}, {"L03", "Family", 1, 3}};
        stories = {{"S01", "At the market", 2, 2}, {"S02", "A letter", 1, 1}};
        Bytes liste, write;
        for (const auto& l : lessons) {
            test::append(liste, catalogueEntry(l));
            writeBytes(root + "/DATA/WIN32/" + QString::fromStdString(l.stem) + ".DAT", lessonData(l));
        }
        for (const auto& s : stories) {
            test::append(write, catalogueEntry(s));
            writeBytes(root + "/DATA/WIN32/" + QString::fromStdString(s.stem) + ".DAT", lessonData(s));
        }
        writeBytes(root + "/DATA/WIN32/LISTE.DAT", liste);
        writeBytes(root + "/DATA/WIN32/WRITE.DAT", write);
        // One ideogram picture: lesson L01, page 1, phrase 1, simplified.
        QImage pic(120, 60, QImage::Format_RGB888);
        pic.fill(Qt::white);
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 110; x += 3) pic.setPixel(x, y, qRgb(0, 0, 0));
        QDir().mkpath(root + "/L01/SIMPLIFY");
        pic.save(root + "/L01/SIMPLIFY/P011.BMP", "BMP");
        // The help file under the program directory.
        program = dir.path() + QStringLiteral("/bin");
        HelpTopic contents{0, "Contents", {"Welcome."}};
        HelpTopic lesson1{10200, "Lesson 2: Numbers", {"Counting."}};
        const std::string helpText = formatHelpFile({contents, lesson1});
        writeBytes(program + "/HELP/WIN32/LESSONGB.HLP", Bytes(helpText.begin(), helpText.end()));

        store = openSettingsFile(dir.path() + QStringLiteral("/settings.ini"));
        store->writeString("Drives", "D", root.toStdString());
        store->writeString("CDROM", "Drive", "D:");
        store->writeInt("Tip", "StartUp", 1);
        context = std::make_unique<AppContext>(*store, DriveTable{{'C', (dir.path() + "/data").toStdString()},
                                                                   {'D', root.toStdString()}});
        auto c = std::make_unique<LoopClock>();
        clock = c.get();
        context->setClock(std::move(c));
        auto p = std::make_unique<SilentPlayer>();
        player = p.get();
        context->setSound(std::move(p));
        auto pr = std::make_unique<AnsweringPrompts>();
        prompts = pr.get();
        context->setPrompts(std::move(pr));
        auto h = std::make_unique<RecordingHelp>();
        help = h.get();
        context->setHelp(std::move(h));
        auto w = std::make_unique<RecordingWeb>();
        web = w.get();
        context->setWeb(std::move(w));
        frame = std::make_unique<CMainFrame>(*context);
        registerActivities(*frame);
        app = std::make_unique<CCoursApp>(*store, context->clock(), context->prompts());
        frame->setApplication(app.get());
    }
    ~Program() {
        frame.reset();
        app.reset();
    }

    bool start() { return app->startUp((program + "/lumora").toStdString(), *frame); }

    QTemporaryDir dir;
    QString root, program;
    std::vector<LessonFixture> lessons, stories;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<AppContext> context;
    LoopClock* clock = nullptr;
    SilentPlayer* player = nullptr;
    AnsweringPrompts* prompts = nullptr;
    RecordingHelp* help = nullptr;
    RecordingWeb* web = nullptr;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<CCoursApp> app;
};

} // namespace lumora::uitest
