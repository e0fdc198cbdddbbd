#pragma once
// Small helpers shared by the core tests: a temporary folder that is removed afterwards, file
// writing, and recording fakes of the platform services. Free of any test framework: the widget
// tests (QTest programs) use them too.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "foundation/platform.h"
#include "foundation/settings_store.h"

namespace lumora::test {

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("lumora-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& p, const Bytes& data) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
    writeFile(p, Bytes(text.begin(), text.end()));
}

// A clock that only moves when told to; its calls come when it reaches their second.
class FakeClock : public Clock {
public:
    std::int64_t now = 1000;
    std::int64_t nowSeconds() const override { return now; }
    CallId callAtSecond(std::int64_t second, std::function<void()> due) override {
        calls_.push_back({++last_, second, std::move(due)});
        return last_;
    }
    void cancelCall(CallId id) override {
        std::erase_if(calls_, [id](const Call& c) { return c.id == id; });
    }
    void advance(std::int64_t seconds) {
        now += seconds;
        for (auto it = calls_.begin(); it != calls_.end();) {
            if (it->second > now) {
                ++it;
                continue;
            }
            auto due = std::move(it->due);
            it = calls_.erase(it);
            due();
            it = calls_.begin();
        }
    }

private:
    struct Call {
        CallId id;
        std::int64_t second;
        std::function<void()> due;
    };
    std::vector<Call> calls_;
    CallId last_ = 0;
};

// Answers message boxes from a queue (default: the first button) and remembers them.
class FakePrompts : public Prompts {
public:
    struct Asked {
        std::string text, caption;
        MessageIcon icon;
        MessageButtons buttons;
    };
    std::vector<Asked> asked;
    std::vector<MessageResult> answers;
    MessageResult messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override {
        asked.push_back({text, caption, icon, buttons});
        if (!answers.empty()) {
            const MessageResult r = answers.front();
            answers.erase(answers.begin());
            return r;
        }
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageResult::Yes
                                                                                           : MessageResult::Ok;
    }
};

// Remembers every help request.
class RecordingHelp final : public HelpViewer {
public:
    struct Call {
        std::string file;
        HelpCommand command;
        int context;
    };
    std::vector<Call> calls;
    void showHelp(const std::string& f, HelpCommand c, int ctx) override { calls.push_back({f, c, ctx}); }
};

// Remembers every address; answers with `succeed`.
class RecordingWeb final : public WebOpener {
public:
    bool succeed = true;
    std::vector<std::string> urls;
    bool openUrl(const std::string& u) override {
        urls.push_back(u);
        return succeed;
    }
};

} // namespace lumora::test
