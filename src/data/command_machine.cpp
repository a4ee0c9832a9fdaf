#include "data/command_machine.h"

namespace scalora {

void CommandMachine::addState(int id, Step step) {
    states_.push_back({id, -1, std::move(step)});
}

CommandMachine::State* CommandMachine::findState(int id) {
    for (State& state : states_) {
        if (state.id == id) {
            return &state;
        }
    }
    return nullptr;
}

bool CommandMachine::run() {
    bool usable = !running_ && !states_.empty();
    for (const State& state : states_) {
        usable = usable && state.id >= 0 && static_cast<bool>(state.step);
    }
    if (!usable) {
        errorText_ = "unknown error";
        return false;
    }
    errorText_.clear();
    running_ = true;
    State* state = &states_.front();
    bool ok = true;
    for (;;) {
        state->nextId = -1;
        if (!state->step(state->nextId)) {
            errorText_ = "command error, id: " + std::to_string(state->id);
            ok = false;
            break;
        }
        if (state->nextId < 0) {
            break;
        }
        State* next = findState(state->nextId);
        if (next == nullptr) {
            errorText_ = "command not found";
            ok = false;
            break;
        }
        state = next;
    }
    running_ = false;
    return ok;
}

} // namespace scalora
