#pragma once
// The services the core asks of the platform. The program implements them with Qt (src/platform);
// the tests implement them with recording fakes. Paths handed to these services are local paths,
// already resolved by FileAccess.
#include <cstdint>
#include <functional>
#include <string>

namespace lumora {

// Wall clock in whole seconds, and calls at a given second (the pauses of a playback plan).
class Clock {
public:
    using CallId = std::uint64_t;

    virtual ~Clock() = default;
    virtual std::int64_t nowSeconds() const = 0;
    // Calls `due` once, from the event loop, at the first instant nowSeconds() reaches `second`
    // (soon when it already has; a fake may call it before returning). Nothing waits meanwhile:
    // the window keeps painting and input keeps flowing. Returns an id for cancelCall (never 0).
    virtual CallId callAtSecond(std::int64_t second, std::function<void()> due) = 0;
    // Drops a pending call; an id that already ran or is unknown is ignored.
    virtual void cancelCall(CallId id) = 0;
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

// Playing a WAVE file, one at a time: starting a sound stops the one playing. A missing file plays
// nothing (no default sound).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the file and returns. `ended` runs exactly once: when the sound has played to its end,
    // could not be played, was stopped or was replaced by another sound. For a missing file nothing
    // plays and `ended` runs before play() returns.
    virtual void play(const std::string& localPath, std::function<void()> ended) = 0;
    // Starts the file and returns; nothing reports its end.
    virtual void playAsync(const std::string& localPath) = 0;
    // Stops the sound playing, if any (its `ended` runs).
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
