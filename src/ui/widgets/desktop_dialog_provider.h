// The desktop's own file and folder dialogs: zenity, or kdialog where zenity is missing, run
// as a child process while the event loop goes on, so the program's windows keep painting;
// their input waits until the dialog is answered. The command lines and the reading of the
// answers are free functions, checked without a display.
#pragma once

#include "ui/widgets/ui_dialog_provider.h"

#include <string>
#include <string_view>
#include <vector>

namespace scalora {

enum class DialogProgram { Zenity, Kdialog };

// The program's command line for a request (argv, program name first). The selected filter
// comes first: neither program can be told which filter to open with otherwise.
std::vector<std::string> dialogCommand(DialogProgram program, const DialogRequest& request);
// The chosen paths in a program's output: one per line, in order; anything that is not an
// absolute path (a stray message) is left out.
std::vector<std::string> dialogOutputPaths(std::string_view output);

class DesktopDialogProvider : public UIDialogProvider {
public:
    DialogAnswer run(const DialogRequest& request) override;
};

} // namespace scalora
