#include "ui/widgets/desktop_dialog_provider.h"

#include "base/paths.h"
#include "base/strings.h"
#include "data/translate.h"
#include "platform/child_process.h"
#include "ui/core/ui_timers.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <chrono>
#include <thread>

namespace scalora {

namespace {

constexpr std::string_view kContext = "UserInterface/UIFileDialog";
// How often the event loop looks at the dialog program while it runs.
constexpr std::int64_t kPollIntervalMs = 25;

std::string startPath(const DialogRequest& r) {
    if (r.folder.empty()) {
        return r.fileName;
    }
    return r.fileName.empty() ? withTrailingSeparator(r.folder) : joinPath(r.folder, r.fileName);
}

// The filters with the selected one first.
std::vector<const DialogFilter*> filterOrder(const DialogRequest& r) {
    std::vector<const DialogFilter*> order;
    if (r.selectedFilter < r.filters.size()) {
        order.push_back(&r.filters[r.selectedFilter]);
    }
    for (std::size_t i = 0; i < r.filters.size(); ++i) {
        if (i != r.selectedFilter) {
            order.push_back(&r.filters[i]);
        }
    }
    return order;
}

std::vector<std::string> zenityCommand(const DialogRequest& r) {
    std::vector<std::string> argv{"zenity", "--file-selection"};
    if (r.kind == DialogKind::SaveFile) {
        argv.emplace_back("--save");
        argv.emplace_back("--confirm-overwrite");
    } else if (r.kind == DialogKind::Folder) {
        argv.emplace_back("--directory");
    }
    if (r.kind == DialogKind::OpenFile && r.multipleSelection) {
        argv.emplace_back("--multiple");
        argv.emplace_back("--separator=\n");
    }
    if (!r.title.empty()) {
        argv.push_back("--title=" + r.title);
    }
    if (const std::string start = startPath(r); !start.empty()) {
        argv.push_back("--filename=" + start);
    }
    if (r.kind != DialogKind::Folder) {
        for (const DialogFilter* f : filterOrder(r)) {
            // "|" separates the name from the patterns in zenity's syntax.
            argv.push_back("--file-filter=" + replaceAll(f->description, "|", "/") + " | " +
                           join(f->patterns, " "));
        }
    }
    return argv;
}

std::vector<std::string> kdialogCommand(const DialogRequest& r) {
    std::vector<std::string> argv{"kdialog"};
    if (!r.title.empty()) {
        argv.emplace_back("--title");
        argv.push_back(r.title);
    }
    std::string start = startPath(r);
    if (start.empty()) {
        start = ".";
    }
    if (r.kind == DialogKind::Folder) {
        argv.emplace_back("--getexistingdirectory");
        argv.push_back(start);
        return argv;
    }
    argv.emplace_back(r.kind == DialogKind::SaveFile ? "--getsavefilename" : "--getopenfilename");
    argv.push_back(start);
    std::vector<std::string> filters;
    for (const DialogFilter* f : filterOrder(r)) {
        filters.push_back(join(f->patterns, " ") + "|" + f->description);
    }
    argv.push_back(join(filters, "\n"));
    if (r.kind == DialogKind::OpenFile && r.multipleSelection) {
        argv.emplace_back("--multiple");
        argv.emplace_back("--separate-output");
    }
    return argv;
}

// While the dialog runs, input to every window of the program waits: the modal stack's top is
// a window that is never shown, so no other window accepts input.
class InputPause {
public:
    explicit InputPause(UIToolkit& toolkit) : toolkit_(toolkit), stand_(new UIWindow) {
        toolkit_.pushModal(stand_);
    }
    ~InputPause() {
        toolkit_.popModal(stand_);
        delete stand_;
    }
    InputPause(const InputPause&) = delete;
    InputPause& operator=(const InputPause&) = delete;

private:
    UIToolkit& toolkit_;
    UIWindow* stand_;
};

// Wakes the event loop regularly so that it notices the dialog program's end.
class PollTicker : public UITimerReceiver {
public:
    PollTicker() { UITimerRegistry::instance().start(kPollIntervalMs, this, 1); }
    ~PollTicker() override { UITimerRegistry::instance().stop(1, this); }
    PollTicker(const PollTicker&) = delete;
    PollTicker& operator=(const PollTicker&) = delete;
    void onTimer(std::int64_t) override {}
};

void waitKeepingThePainting(ChildProcess& child) {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr) {
        while (child.poll()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollIntervalMs));
        }
        return;
    }
    InputPause pause(*tk);
    PollTicker ticker;
    while (child.poll() && !tk->quitRequested()) {
        tk->iterate(true);
    }
    child.stop(); // the program is quitting under the dialog
}

std::string firstLine(std::string_view text) {
    return trim(text.substr(0, text.find('\n')));
}

} // namespace

std::vector<std::string> dialogCommand(DialogProgram program, const DialogRequest& request) {
    return program == DialogProgram::Zenity ? zenityCommand(request) : kdialogCommand(request);
}

std::vector<std::string> dialogOutputPaths(std::string_view output) {
    std::vector<std::string> paths;
    for (const std::string& line : split(output, "\n")) {
        if (isAbsolutePath(line)) {
            paths.push_back(line);
        }
    }
    return paths;
}

DialogAnswer DesktopDialogProvider::run(const DialogRequest& request) {
    DialogProgram program = DialogProgram::Zenity;
    if (findProgram("zenity").empty()) {
        if (findProgram("kdialog").empty()) {
            return {DialogOutcome::Unavailable,
                    {},
                    translate("Files and folders are chosen with the desktop's dialog program, "
                              "but neither zenity nor kdialog is installed. Install the package "
                              "“zenity” (or “kdialog” on KDE) and try again.",
                              kContext)};
        }
        program = DialogProgram::Kdialog;
    }
    const std::vector<std::string> argv = dialogCommand(program, request);
    ChildProcess child;
    if (!child.start(argv)) {
        return {DialogOutcome::Failed,
                {},
                replaceAll(translate("The dialog program %1 could not be started.", kContext), "%1",
                           argv.front())};
    }
    waitKeepingThePainting(child);
    const int status = child.exitStatus();
    // Both programs end with 0 for a choice and 1 for Cancel; zenity also ends with 1 when it
    // cannot open the display, which it says on its error output.
    const bool noDisplay = child.errorOutput().find("cannot open display") != std::string::npos;
    if (status == 0) {
        std::vector<std::string> paths = dialogOutputPaths(child.output());
        if (!paths.empty()) {
            return {DialogOutcome::Chosen, std::move(paths), {}};
        }
        return {};
    }
    if (status == 1 && !noDisplay) {
        return {};
    }
    std::string reason = firstLine(child.errorOutput());
    if (reason.empty()) {
        reason = "exit status " + std::to_string(status);
    }
    std::string text = translate("The dialog program %1 failed: %2", kContext);
    text = replaceAll(replaceAll(text, "%1", argv.front()), "%2", reason);
    return {DialogOutcome::Failed, {}, text};
}

} // namespace scalora
