// The platform's folder chooser: a run hands back the chosen folder, ending with "/", as the
// one entry of the result and as the dialog's folder; a symbolic link to a folder comes back
// as chosen. When no dialog can be shown the user is told why and the run returns false.
#pragma once

#include "base/geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scalora {

class UIElement;

class UIFolderDialog {
public:
    // Option bit: offer a button for making a new folder. The desktop dialogs always offer
    // one; the bit is kept for callers that ask.
    static constexpr std::uint32_t kNewFolderButton = 0x8;

    explicit UIFolderDialog(UIElement* owner = nullptr) : owner_(owner) {}

    // The window caption; when empty the prompt takes its place, since the desktop dialogs
    // have no room for a text above the folders.
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& prompt() const { return prompt_; }
    void setPrompt(std::string prompt) { prompt_ = std::move(prompt); }
    // The start folder, and after a run the chosen one, ending with "/".
    const std::string& folder() const { return folder_; }
    void setFolder(std::string folder);
    std::uint32_t options() const { return options_; }
    void setOptions(std::uint32_t options) { options_ = options; }
    // Where the dialog should appear; the desktop's window manager places it in the end.
    const std::optional<Point>& position() const { return position_; }
    void setPosition(std::optional<Point> position) { position_ = position; }

    [[nodiscard]] bool run();
    const std::vector<std::string>& result() const { return result_; }

private:
    UIElement* owner_;
    std::string title_;
    std::string prompt_;
    std::string folder_;
    std::uint32_t options_ = 0;
    std::optional<Point> position_;
    std::vector<std::string> result_;
};

} // namespace scalora
