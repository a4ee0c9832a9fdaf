// The controls under the image table that say how a run resizes: the mode with its width and
// height, the output format and the destination folder. The fields always show the selected
// mode's own stored values, so leaving a mode and coming back gives the user's numbers back;
// the mode and format reach the engine's settings as soon as they are chosen.
#pragma once

#include "base/geometry.h"
#include "engine/geometry.h"
#include "engine/output_format.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_signal.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace scalora {

class DestinationField;
class SettingsStore;
class UIButton;
class UIComboBox;
class UILabel;
class UISpinBox;
struct BatchSettings;

class ResizeSettingsPanel : public UIElement {
public:
    // desktopSize: the primary monitor's full size, shown by the desktop modes.
    ResizeSettingsPanel(UIElement* parent, SettingsStore& settings, BatchSettings& snapshot,
                        std::function<Size()> desktopSize);

    // The stored destination, mode (with its values) and format.
    void applySettings();
    // export/mode, export/format and export/destinationFolder from the controls.
    void saveState();
    void retranslate();

    ResizeMode mode() const;
    void selectMode(ResizeMode mode);
    OutputFormat format() const;
    void selectFormat(OutputFormat format);
    // The fields' texts as typed, for the run to check.
    std::string widthText() const;
    std::string heightText() const;

    // "/" appended; an empty text unless it names an existing folder. Also the engine's.
    void setDestinationFolder(std::string_view path);
    // What the field holds, as typed.
    std::string destinationText() const;
    void setDestinationText(const std::string& text);
    void setAcceptDrops(bool on);

    // A left click on the folder button, or a double click on the empty field.
    UISignal<> chooseDestinationRequested;

    UIComboBox& modeList() const { return *modeList_; }
    UISpinBox& widthField() const { return *widthField_; }
    UISpinBox& heightField() const { return *heightField_; }
    UILabel& unitLabel() const { return *unitLabel_; }
    UIComboBox& formatList() const { return *formatList_; }
    DestinationField& destinationField() const { return *destinationField_; }
    UIButton& destinationButton() const { return *destinationButton_; }

private:
    void modeChanged(std::int32_t index);
    void showModeFields(ResizeMode mode);
    void openDestination();

    SettingsStore& settings_;
    BatchSettings& snapshot_;
    std::function<Size()> desktopSize_;
    UILabel* modeLabel_;
    UIComboBox* modeList_;
    UISpinBox* widthField_;
    UILabel* byLabel_;
    UISpinBox* heightField_;
    UILabel* unitLabel_;
    UILabel* formatLabel_;
    UIComboBox* formatList_;
    UILabel* destinationLabel_;
    DestinationField* destinationField_;
    UIButton* destinationButton_;
    // The mode whose values the fields show; none before the first is applied.
    std::optional<ResizeMode> previousMode_;
};

} // namespace scalora
