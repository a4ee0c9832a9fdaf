// A dialog provider for tests: every request is kept, and the answers come from a script in
// the order they were queued (Cancel once the script is used up).
#pragma once

#include "ui/widgets/ui_dialog_provider.h"

#include <deque>
#include <vector>

namespace scalora {

class ScriptedDialogProvider : public UIDialogProvider {
public:
    void queue(DialogAnswer answer) { script_.push_back(std::move(answer)); }
    void queueChoice(std::vector<std::string> paths) {
        queue({DialogOutcome::Chosen, std::move(paths), {}});
    }
    void queueCancel() { queue({}); }

    const std::vector<DialogRequest>& requests() const { return requests_; }

    DialogAnswer run(const DialogRequest& request) override {
        requests_.push_back(request);
        if (script_.empty()) {
            return {};
        }
        DialogAnswer answer = std::move(script_.front());
        script_.pop_front();
        return answer;
    }

private:
    std::deque<DialogAnswer> script_;
    std::vector<DialogRequest> requests_;
};

} // namespace scalora
