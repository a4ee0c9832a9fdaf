// Who shows the file and folder dialogs. UIFileDialog and UIFolderDialog describe what they
// want in a DialogRequest; a provider shows the platform's own dialog for it (the desktop
// provider runs zenity or kdialog) or, in tests, answers from a script. When no dialog can be
// shown the user is told why through the dialog notice, never left without an answer.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace scalora {

class UIElement;
class UIWindow;

enum class DialogKind {
    OpenFile,
    SaveFile,
    Folder,
};

struct DialogFilter {
    std::string description;           // "Images"
    std::vector<std::string> patterns; // "*.jpg", "*.jpeg"
    std::string defaultExtension;      // added to a saved name that has none ("jpg")
};

struct DialogRequest {
    DialogKind kind = DialogKind::OpenFile;
    UIWindow* owner = nullptr;
    std::string title;  // empty: the dialog program's own title
    std::string folder; // start folder, ending with "/"; empty: the program's choice
    std::string fileName;
    std::vector<DialogFilter> filters; // the ones that fit, in order
    std::size_t selectedFilter = 0;    // index into filters: the one the dialog opens with
    bool multipleSelection = false;
};

enum class DialogOutcome {
    Chosen,
    Cancelled,
    Unavailable, // no dialog program is installed
    Failed,      // the program could not run or ended with an error
};

struct DialogAnswer {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    std::vector<std::string> paths; // as chosen, in the order returned
    std::string message;            // why, for Unavailable and Failed (translated)
};

class UIDialogProvider {
public:
    virtual ~UIDialogProvider() = default;
    // Shows the dialog and returns when the user has answered; the event loop keeps running
    // meanwhile, so the owner stays painted.
    virtual DialogAnswer run(const DialogRequest& request) = 0;
};

// The provider of the process: the desktop's dialogs unless replaced (tests script one).
UIDialogProvider& dialogProvider();
// Replaces it; null puts the desktop provider back.
void setDialogProvider(std::unique_ptr<UIDialogProvider> provider);

// Tells the user why no dialog came up (owner, translated text). Until the application
// installs its own (a message box), the notice goes to standard error with the failure beep.
using DialogNotice = std::function<void(UIWindow* owner, const std::string& text)>;
void setDialogNotice(DialogNotice notice);
void showDialogNotice(UIWindow* owner, const std::string& text);

// A provider's answer as the result of a dialog's run: true for a choice of at least one path;
// false otherwise, after telling the user why when no dialog could be shown.
[[nodiscard]] bool takeDialogAnswer(const DialogAnswer& answer, UIElement* owner);

} // namespace scalora
