#include "ui/widgets/ui_item_selection.h"

#include "ui/core/ui_event.h"

#include <algorithm>

namespace scalora {

UINavigation navigationForKey(std::int32_t key, std::uint32_t modifiers) {
    switch (key) {
    case vk::kPrior:
    case vk::kNumpad0 + 9:
        return UINavigation::PageUp;
    case vk::kNext:
    case vk::kNumpad0 + 3:
        return UINavigation::PageDown;
    case vk::kEnd:
    case vk::kNumpad0 + 1:
        return UINavigation::End;
    case vk::kHome:
    case vk::kNumpad0 + 7:
        return UINavigation::Home;
    case vk::kLeft:
    case vk::kNumpad0 + 4:
        return UINavigation::Left;
    case vk::kUp:
    case vk::kNumpad0 + 8:
        return UINavigation::Up;
    case vk::kRight:
    case vk::kNumpad0 + 6:
        return UINavigation::Right;
    case vk::kDown:
    case vk::kNumpad0 + 2:
        return UINavigation::Down;
    case 'A':
        return (modifiers & kControlModifier) != 0 ? UINavigation::SelectAll : UINavigation::None;
    default:
        return UINavigation::None;
    }
}

void UIItemSelection::setMode(UISelectionMode mode) {
    mode_ = mode;
    if (mode_ == UISelectionMode::None) {
        clear();
    } else if (mode_ == UISelectionMode::Single && selectedCount_ > 1) {
        selectOnly(current_);
    }
}

void UIItemSelection::reset(std::int32_t count) {
    flags_.assign(static_cast<std::size_t>(std::max(count, 0)), 0);
    selectedCount_ = 0;
    current_ = -1;
    anchor_ = -1;
}

void UIItemSelection::insert(std::int32_t index, std::int32_t n) {
    if (n <= 0) {
        return;
    }
    index = std::clamp(index, 0, count());
    flags_.insert(flags_.begin() + index, static_cast<std::size_t>(n), 0);
    if (current_ >= index) {
        current_ += n;
    }
    if (anchor_ >= index) {
        anchor_ += n;
    }
}

void UIItemSelection::remove(std::int32_t index) {
    if (!valid(index)) {
        return;
    }
    selectedCount_ -= flags_[static_cast<std::size_t>(index)];
    flags_.erase(flags_.begin() + index);
    // The item after a removed current one takes its place (or the new last one).
    auto shift = [this, index](std::int32_t& i) {
        if (i > index || (i == index && i >= count())) {
            --i;
        }
    };
    shift(current_);
    shift(anchor_);
}

bool UIItemSelection::isSelected(std::int32_t index) const {
    return valid(index) && flags_[static_cast<std::size_t>(index)] != 0;
}

std::vector<std::int32_t> UIItemSelection::selectedIndexes() const {
    std::vector<std::int32_t> out;
    out.reserve(static_cast<std::size_t>(selectedCount_));
    for (std::int32_t i = 0; i < count() && static_cast<std::int32_t>(out.size()) < selectedCount_;
         ++i) {
        if (flags_[static_cast<std::size_t>(i)] != 0) {
            out.push_back(i);
        }
    }
    return out;
}

bool UIItemSelection::setFlag(std::int32_t index, bool on) {
    std::uint8_t& flag = flags_[static_cast<std::size_t>(index)];
    if ((flag != 0) == on) {
        return false;
    }
    flag = on ? 1 : 0;
    selectedCount_ += on ? 1 : -1;
    return true;
}

bool UIItemSelection::select(std::int32_t index) {
    if (!valid(index) || mode_ == UISelectionMode::None) {
        return false;
    }
    if (mode_ == UISelectionMode::Single) {
        return selectOnly(index);
    }
    return setFlag(index, true);
}

bool UIItemSelection::deselect(std::int32_t index) {
    return valid(index) && setFlag(index, false);
}

bool UIItemSelection::toggle(std::int32_t index) {
    return isSelected(index) ? deselect(index) : select(index);
}

bool UIItemSelection::selectAll() {
    if (mode_ != UISelectionMode::Multiple || selectedCount_ == count()) {
        return false;
    }
    std::fill(flags_.begin(), flags_.end(), std::uint8_t{1});
    selectedCount_ = count();
    return true;
}

bool UIItemSelection::clear() {
    if (selectedCount_ == 0) {
        return false;
    }
    std::fill(flags_.begin(), flags_.end(), std::uint8_t{0});
    selectedCount_ = 0;
    return true;
}

bool UIItemSelection::selectRange(std::int32_t a, std::int32_t b) {
    if (mode_ == UISelectionMode::None || !valid(a) || !valid(b)) {
        return false;
    }
    if (mode_ == UISelectionMode::Single) {
        return selectOnly(b);
    }
    const std::int32_t first = std::min(a, b);
    const std::int32_t last = std::max(a, b);
    const std::int32_t span = last - first + 1;
    bool same = selectedCount_ == span;
    for (std::int32_t i = first; same && i <= last; ++i) {
        same = flags_[static_cast<std::size_t>(i)] != 0;
    }
    if (same) {
        return false;
    }
    std::fill(flags_.begin(), flags_.end(), std::uint8_t{0});
    std::fill(flags_.begin() + first, flags_.begin() + last + 1, std::uint8_t{1});
    selectedCount_ = span;
    return true;
}

bool UIItemSelection::selectOnly(std::int32_t index) {
    if (!valid(index) || mode_ == UISelectionMode::None) {
        return clear();
    }
    if (selectedCount_ == 1 && isSelected(index)) {
        return false;
    }
    clear();
    return setFlag(index, true);
}

void UIItemSelection::setCurrent(std::int32_t index) {
    if (index == -1 || valid(index)) {
        current_ = index;
    }
}

void UIItemSelection::setAnchor(std::int32_t index) {
    if (index == -1 || valid(index)) {
        anchor_ = index;
    }
}

bool UIItemSelection::press(std::int32_t hit, std::uint32_t modifiers, std::uint32_t button,
                            bool clearOnEmpty) {
    const bool shift = (modifiers & kShiftModifier) != 0;
    const bool ctrl = (modifiers & kControlModifier) != 0;
    if (!valid(hit)) {
        return clearOnEmpty && clear();
    }
    if (!shift || !valid(anchor_)) {
        anchor_ = hit;
    }
    current_ = hit;
    switch (mode_) {
    case UISelectionMode::None:
        return false;
    case UISelectionMode::Single:
        return selectOnly(hit);
    case UISelectionMode::Multiple:
        break;
    }
    if (shift) {
        return selectRange(anchor_, hit);
    }
    if (ctrl) {
        return toggle(hit);
    }
    if (isSelected(hit) && (selectedCount_ == 1 || button == kRightButton)) {
        return false; // a context menu then applies to the whole selection
    }
    return selectOnly(hit);
}

bool UIItemSelection::moveTo(std::int32_t target, std::uint32_t modifiers) {
    if (!valid(target)) {
        return false;
    }
    current_ = target;
    if (mode_ == UISelectionMode::Multiple && (modifiers & kShiftModifier) != 0) {
        if (!valid(anchor_)) {
            anchor_ = target;
        }
        return selectRange(anchor_, target);
    }
    anchor_ = target;
    return selectOnly(target);
}

} // namespace scalora
