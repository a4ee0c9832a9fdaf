// A small state runner: an ordered list of numbered states, each of which does its work and
// names the state to run next. The XML parser is built on it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace scalora {

class CommandMachine {
public:
    // A step returns false on failure; to continue it sets nextId to the id of the next state.
    // Leaving nextId negative ends the run successfully.
    using Step = std::function<bool(int& nextId)>;

    void addState(int id, Step step);
    void clear() { states_.clear(); }
    std::size_t stateCount() const { return states_.size(); }

    // Runs from the first state added. Refuses to start while already running, without states,
    // or with a state whose id is negative or that has no step.
    bool run();
    bool isRunning() const { return running_; }
    // Why the last run failed ("command error, id: 4"), kept for diagnostics only.
    const std::string& errorText() const { return errorText_; }

private:
    struct State {
        int id = 0;
        int nextId = -1;
        Step step;
    };
    State* findState(int id);

    std::vector<State> states_;
    bool running_ = false;
    std::string errorText_;
};

} // namespace scalora
