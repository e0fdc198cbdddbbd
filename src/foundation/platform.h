#pragma once
// The services the core asks of the platform. The program implements them with Qt (src/platform);
// the tests implement them with recording fakes. Paths handed to these services are local paths,
// already resolved by FileAccess.
#include <cstdint>
#include <string>

namespace lumora {

// Wall clock in whole seconds, and the fixed pauses of the course (two seconds between voices).
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowSeconds() const = 0;
    // Returns once the clock, read in whole seconds, has advanced by `n` seconds. The program waits
    // without busy-looping and without handling user input meanwhile.
    virtual void waitSeconds(int n) = 0;
};

enum class MessageIcon { None, Stop, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// Message boxes. Texts are UTF-8.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual MessageResult messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                     MessageButtons buttons) = 0;
};

// Playing a WAVE file. Synchronous playback returns when the sound has ended; a missing file plays
// nothing (no default sound).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void playSync(const std::string& localPath) = 0;
    virtual void playAsync(const std::string& localPath) = 0;
    virtual void stop() = 0;
};

enum class HelpCommand { Contents, Finder, Context };

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Opens the help file (a local path) with a command; `context` is used with HelpCommand::Context.
    virtual void showHelp(const std::string& helpFile, HelpCommand command, int context) = 0;
};

class WebOpener {
public:
    virtual ~WebOpener() = default;
    // Asks the desktop to open the address; false when it could not.
    virtual bool openUrl(const std::string& url) = 0;
};

} // namespace lumora
