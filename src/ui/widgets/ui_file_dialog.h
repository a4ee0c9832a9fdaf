// The platform's file dialog for opening or saving: title, start folder and file name,
// filters, multiple selection. A run hands back the chosen full paths and the folder they are
// in (ending with "/"); symbolic links come back as chosen unless asked to be resolved. When
// no dialog can be shown the user is told why (showDialogNotice) and the run returns false.
#pragma once

#include "ui/widgets/ui_dialog_provider.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scalora {

class UIElement;

enum class UIFileDialogKind : std::int32_t {
    Open = 0,
    Save = 1,
};

struct UIFileDialogFilter {
    std::string description;      // "Images"
    std::string patterns;         // masks separated by "|": "*.jpg|*.jpeg"
    std::string defaultExtension; // "jpg"
};

// The filters a dialog offers: entries with a description and patterns, in order, as long as
// the filter text ("description", 0, "patterns;joined", 0 per entry, counted in UTF-16 units)
// stays within 252 characters; the entry that would reach past it and all after it are left
// out. With no usable entry the one filter is "All files".
std::vector<DialogFilter> fittingFilters(const std::vector<UIFileDialogFilter>& filters);

class UIFileDialog {
public:
    // Option bit: return the targets of symbolic links instead of the links.
    static constexpr std::uint32_t kResolveLinks = 0x10;

    explicit UIFileDialog(UIElement* owner = nullptr,
                          UIFileDialogKind kind = UIFileDialogKind::Open)
        : owner_(owner), kind_(kind) {}

    UIFileDialogKind kind() const { return kind_; }
    void setKind(UIFileDialogKind kind) { kind_ = kind; }
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    // The start folder, and after a run the folder of the chosen files, ending with "/".
    const std::string& folder() const { return folder_; }
    void setFolder(std::string folder);
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }

    const std::vector<UIFileDialogFilter>& filters() const { return filters_; }
    void addFilter(std::string description, std::string patterns,
                   std::string defaultExtension = {});
    void clearFilters() { filters_.clear(); }
    // Index into filters(); the dialog opens with it. The desktop dialogs do not report the
    // one the user ends with, so a run leaves it as it was.
    std::size_t selectedFilter() const { return selectedFilter_; }
    void setSelectedFilter(std::size_t index) { selectedFilter_ = index; }

    bool multipleSelection() const { return multipleSelection_; }
    void setMultipleSelection(bool on) { multipleSelection_ = on; }
    std::uint32_t options() const { return options_; }
    void setOptions(std::uint32_t options) { options_ = options; }

    // Shows the dialog over the owner's window; true when the user chose, false when cancelled
    // or when it could not be shown (the user has been told why). Nothing changes on false.
    [[nodiscard]] bool run();
    // The chosen full paths, in the order the dialog returned them.
    const std::vector<std::string>& result() const { return result_; }

private:
    UIElement* owner_;
    UIFileDialogKind kind_;
    std::string title_;
    std::string folder_;
    std::string fileName_;
    std::vector<UIFileDialogFilter> filters_;
    std::size_t selectedFilter_ = 0;
    bool multipleSelection_ = false;
    std::uint32_t options_ = 0;
    std::vector<std::string> result_;
};

} // namespace scalora
