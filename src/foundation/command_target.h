#pragma once
// Commands are numeric ids (6060 "Next page", 1400 "Lessons list", ...). Menus, toolbars and
// accelerators of the program map to these ids; the shell routes an id to the active activity
// (its view, then its document) and then to the main frame, the first target that handles it wins.
// A command that no target handles is shown disabled.
#include <optional>

namespace lumora {

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Runs the command; false when this target does not handle `id`.
    virtual bool onCommand(int id) = 0;
    // The state of a handled command; nothing when this target does not handle `id`.
    virtual std::optional<CommandState> commandState(int id) const = 0;
};

} // namespace lumora
