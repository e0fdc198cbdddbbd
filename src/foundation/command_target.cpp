#include "foundation/command_target.h"

#include <algorithm>
#include <utility>

namespace lumora {

namespace detail {
struct StateListeners {
    std::vector<std::pair<int, std::function<void()>>> entries;
    int nextToken = 1;
};
} // namespace detail

CommandTable& CommandTable::put(CommandEntry entry) {
    // A later declaration of the same id replaces the earlier one.
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const CommandEntry& e) { return e.id == entry.id; });
    if (it != entries_.end())
        *it = std::move(entry);
    else
        entries_.push_back(std::move(entry));
    return *this;
}

CommandTable& CommandTable::add(int id, std::function<void()> run) {
    return put({id, [run = std::move(run)] { run(); return true; },
                [] { return std::optional<CommandState>(CommandState{}); }, false});
}

CommandTable& CommandTable::addChecked(int id, std::function<void()> run, std::function<bool()> checked) {
    return put({id, [run = std::move(run)] { run(); return true; },
                [checked = std::move(checked)] { return std::optional<CommandState>(CommandState{true, checked()}); },
                true});
}

CommandTable& CommandTable::addWhen(int id, std::function<bool()> run,
                                    std::function<std::optional<CommandState>()> state, bool checkable) {
    return put({id, std::move(run), std::move(state), checkable});
}

const CommandEntry* CommandTable::find(int id) const {
    for (const CommandEntry& e : entries_)
        if (e.id == id) return &e;
    return nullptr;
}

StateSubscription::StateSubscription(StateSubscription&& other) noexcept
    : listeners_(std::move(other.listeners_)), token_(std::exchange(other.token_, 0)) {}

StateSubscription& StateSubscription::operator=(StateSubscription&& other) noexcept {
    if (this != &other) {
        reset();
        listeners_ = std::move(other.listeners_);
        token_ = std::exchange(other.token_, 0);
    }
    return *this;
}

void StateSubscription::reset() {
    if (auto list = listeners_.lock()) {
        auto& e = list->entries;
        e.erase(std::remove_if(e.begin(), e.end(), [this](const auto& p) { return p.first == token_; }), e.end());
    }
    listeners_.reset();
    token_ = 0;
}

CommandTarget::CommandTarget() : listeners_(std::make_shared<detail::StateListeners>()) {}

CommandTarget::~CommandTarget() = default;

bool CommandTarget::onCommand(int id) {
    const CommandEntry* e = table_.find(id);
    return e && e->run && e->run();
}

std::optional<CommandState> CommandTarget::commandState(int id) const {
    const CommandEntry* e = table_.find(id);
    if (!e || !e->state) return std::nullopt;
    return e->state();
}

bool CommandTarget::isCheckable(int id) const {
    const CommandEntry* e = table_.find(id);
    return e && e->checkable;
}

StateSubscription CommandTarget::addStateListener(std::function<void()> listener) {
    StateSubscription s;
    const int token = listeners_->nextToken++;
    listeners_->entries.emplace_back(token, std::move(listener));
    s.listeners_ = listeners_;
    s.token_ = token;
    return s;
}

void CommandTarget::notifyStateChanged() {
    // A listener may add or remove listeners, or close the window that owns this target: work on a
    // copy, and keep the list alive while it runs.
    const std::shared_ptr<detail::StateListeners> keep = listeners_;
    const auto copy = keep->entries;
    for (const auto& [token, fn] : copy) {
        const bool still = std::any_of(keep->entries.begin(), keep->entries.end(),
                                       [token = token](const auto& p) { return p.first == token; });
        if (still && fn) fn();
    }
}

} // namespace lumora
