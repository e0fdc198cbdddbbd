#pragma once
// Commands are numeric ids (6060 "Next page", 1400 "Lessons list", ...; named in one header per
// subsystem, e.g. course/course_commands.h). Menus, toolbars and accelerators of the program map to
// these ids; the shell routes an id to the active activity (its view, then its document) and then to
// the main frame, the first target that handles it wins. A command that no target handles is shown
// disabled.
//
// Each target declares its commands once, in its CommandTable: the id, what it runs, its state
// (enabled, checked) and whether it carries a check mark. A target tells its listeners when the
// state of its commands may have changed, so that the menus and buttons follow without polling.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lumora {

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// One declared command.
struct CommandEntry {
    int id = 0;
    // Runs the command; false when the target does not take it at this moment (the next target gets it).
    std::function<bool()> run;
    // Its state; nothing when the target does not take it at this moment.
    std::function<std::optional<CommandState>()> state;
    bool checkable = false;
};

class CommandTable {
public:
    // A command that is always enabled and carries no check mark.
    CommandTable& add(int id, std::function<void()> run);
    // A command with a check mark.
    CommandTable& addChecked(int id, std::function<void()> run, std::function<bool()> checked);
    // A command that the target takes only at some moments (its dialog or activity may be missing).
    CommandTable& addWhen(int id, std::function<bool()> run, std::function<std::optional<CommandState>()> state,
                          bool checkable = false);

    const CommandEntry* find(int id) const;
    const std::vector<CommandEntry>& entries() const { return entries_; }

private:
    CommandTable& put(CommandEntry entry);
    std::vector<CommandEntry> entries_;
};

namespace detail {
struct StateListeners;
}

// Keeps a state listener registered; removing it (or destroying this) unregisters it. It is safe to
// outlive the target.
class StateSubscription {
public:
    StateSubscription() = default;
    StateSubscription(StateSubscription&& other) noexcept;
    StateSubscription& operator=(StateSubscription&& other) noexcept;
    StateSubscription(const StateSubscription&) = delete;
    StateSubscription& operator=(const StateSubscription&) = delete;
    ~StateSubscription() { reset(); }
    void reset();

private:
    friend class CommandTarget;
    std::weak_ptr<detail::StateListeners> listeners_;
    int token_ = 0;
};

class CommandTarget {
public:
    CommandTarget();
    virtual ~CommandTarget();
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    // Runs the command; false when this target does not handle `id`.
    bool onCommand(int id);
    // The state of a handled command; nothing when this target does not handle `id`.
    std::optional<CommandState> commandState(int id) const;
    // Whether this target declares `id`, and whether that command carries a check mark.
    bool declares(int id) const { return table_.find(id) != nullptr; }
    bool isCheckable(int id) const;
    const CommandTable& commands() const { return table_; }

    // `listener` runs whenever the target reports that the state of its commands may have changed.
    [[nodiscard]] StateSubscription addStateListener(std::function<void()> listener);
    // Tells the listeners; the target calls it where its state changes, and so may whoever changes
    // what a state is computed from (a dialog, a registration).
    void notifyStateChanged();

protected:
    CommandTable& commandTable() { return table_; }

private:
    CommandTable table_;
    std::shared_ptr<detail::StateListeners> listeners_;
};

} // namespace lumora
