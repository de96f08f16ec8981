#include "suite/controls/control_model.h"

#include <algorithm>
#include <cmath>
#include <charconv>

#include "platform/winerror.h"

namespace suite::controls {

ControlModel::ControlModel(SkinnedControlKind kind) : kind_(kind) {
  switch (kind_) {
    case SkinnedControlKind::number_box:
      minimum_ = -2147483648.0;
      maximum_ = 2147483647.0;
      break;
    case SkinnedControlKind::progress_bar:
      maximum_ = 100;
      break;
    default:
      break;
  }
}

bool ControlModel::is_button() const noexcept {
  return kind_ == SkinnedControlKind::bullet_button || kind_ == SkinnedControlKind::push_button;
}

bool ControlModel::has_state() const noexcept {
  return is_button() || kind_ == SkinnedControlKind::check_box || kind_ == SkinnedControlKind::choice ||
         kind_ == SkinnedControlKind::two_state_choice;
}

bool ControlModel::has_items() const noexcept {
  return kind_ == SkinnedControlKind::list || kind_ == SkinnedControlKind::combo_box ||
         kind_ == SkinnedControlKind::tab_control;
}

bool ControlModel::has_range() const noexcept {
  return kind_ == SkinnedControlKind::number_box || kind_ == SkinnedControlKind::progress_bar;
}

HRESULT ControlModel::set_state(LONG state) noexcept {
  bool valid = false;
  switch (kind_) {
    case SkinnedControlKind::bullet_button:
    case SkinnedControlKind::push_button:
      valid = state >= 0 && state <= host::kButtonNotAvailable;
      break;
    case SkinnedControlKind::check_box:
      valid = state >= host::kCheckClear && state <= host::kCheckTicked;
      break;
    case SkinnedControlKind::choice:
      valid = state == 0 || state == host::kChoiceSelected;
      break;
    case SkinnedControlKind::two_state_choice:
      valid = state == 0 || state == 1;
      break;
    default:
      break;
  }
  if (!valid) return E_INVALIDARG;
  state_ = state;
  return S_OK;
}

LONG ControlModel::choice_value() const noexcept {
  return state_ == host::kChoiceSelected ? host::kChoiceValueSelected : host::kChoiceValueClear;
}

HRESULT ControlModel::set_choice_value(LONG value) noexcept {
  if (value == host::kChoiceValueSelected) return set_state(host::kChoiceSelected);
  if (value == host::kChoiceValueClear) return set_state(0);
  return E_INVALIDARG;
}

void ControlModel::set_value(double value) noexcept {
  if (kind_ == SkinnedControlKind::progress_bar) value = static_cast<double>(static_cast<LONG>(value));
  value_ = std::clamp(value, minimum_, maximum_);
}

HRESULT ControlModel::set_range(double minimum, double maximum) noexcept {
  if (!(minimum <= maximum)) return E_INVALIDARG;  // also refuses NaN
  minimum_ = minimum;
  maximum_ = maximum;
  value_ = std::clamp(value_, minimum_, maximum_);
  return S_OK;
}

LONG ControlModel::add_item(std::u16string text, std::u16string data) {
  items_.push_back({std::move(text), std::move(data)});
  if (kind_ == SkinnedControlKind::tab_control && selected_ < 0) selected_ = 0;
  return static_cast<LONG>(items_.size() - 1);
}

void ControlModel::clear_items() noexcept {
  items_.clear();
  selected_ = -1;
}

bool ControlModel::select(LONG index) noexcept {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
    selected_ = -1;
    return false;
  }
  selected_ = index;
  return true;
}

std::u16string ControlModel::selected_tab() const {
  return selected_ >= 0 ? items_[static_cast<std::size_t>(selected_)].data : std::u16string();
}

bool ControlModel::select_tab(std::u16string_view id) noexcept {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].data == id) {
      selected_ = static_cast<LONG>(i);
      return true;
    }
  }
  return false;
}

void ControlModel::set_caret(LONG position) noexcept {
  caret_ = std::clamp<LONG>(position, 0, static_cast<LONG>(text.size()));
}

bool ControlModel::shown() const noexcept { return visible && !(is_button() && state_ == host::kButtonNotAvailable); }

bool ControlModel::available() const noexcept { return shown() && enabled; }

ClickOutcome ControlModel::click() {
  ClickOutcome outcome;
  if (!available()) return outcome;
  switch (kind_) {
    case SkinnedControlKind::bullet_button:
    case SkinnedControlKind::push_button:
    case SkinnedControlKind::list:
    case SkinnedControlKind::combo_box:
    case SkinnedControlKind::folder_chooser:
      outcome.fires = true;
      break;
    case SkinnedControlKind::check_box:
      state_ = state_ == host::kCheckTicked ? host::kCheckClear : host::kCheckTicked;
      outcome.fires = true;
      break;
    case SkinnedControlKind::choice:
      state_ = host::kChoiceSelected;
      outcome.fires = true;
      break;
    case SkinnedControlKind::two_state_choice:
      state_ = state_ == 0 ? 1 : 0;
      outcome.fires = true;
      outcome.state = state_;
      break;
    case SkinnedControlKind::tab_control:
      if (items_.empty()) break;
      selected_ = (selected_ + 1) % static_cast<LONG>(items_.size());
      outcome.fires = true;
      outcome.tab = selected_tab();
      break;
    case SkinnedControlKind::heading:
    case SkinnedControlKind::static_text:
    case SkinnedControlKind::number_box:
    case SkinnedControlKind::text_box:
    case SkinnedControlKind::progress_bar:
      break;
  }
  return outcome;
}

std::u16string ControlModel::display_text() const {
  if (kind_ == SkinnedControlKind::two_state_choice) return text + u"\n" + second_text;
  if (kind_ == SkinnedControlKind::number_box) return format_number(value_);
  return text;
}

std::u16string format_number(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return u"0";
  return std::u16string(buffer, end);
}

std::optional<double> parse_number(std::u16string_view text) {
  std::string narrow;
  for (const char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    narrow += static_cast<char>(c);
  }
  const auto first = narrow.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const auto last = narrow.find_last_not_of(' ');
  narrow = narrow.substr(first, last - first + 1);
  if (!narrow.empty() && narrow.front() == '+') narrow.erase(0, 1);
  double value = 0;
  const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (error != std::errc() || end != narrow.data() + narrow.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

TextBox ControlModel::text_box() const noexcept {
  switch (kind_) {
    case SkinnedControlKind::bullet_button:
      return {.left_inset = 24, .padding = 4, .minimum_height = 24};  // the bullet
    case SkinnedControlKind::push_button:
      return {.left_inset = 8, .padding = 4, .minimum_height = 24};
    case SkinnedControlKind::check_box:
    case SkinnedControlKind::choice:
    case SkinnedControlKind::two_state_choice:
      return {.left_inset = 20, .padding = 2, .minimum_height = 20};  // the box or the dot
    case SkinnedControlKind::heading:
      // The step image sits left of the text when one is set.
      return {.left_inset = image.empty() ? 0 : 28, .padding = 4, .minimum_height = image.empty() ? 0 : 32};
    default:
      return {.left_inset = 0, .padding = 2, .minimum_height = 0};
  }
}

LONG ControlModel::ideal_height(LONG width) const {
  return suite::controls::ideal_height(display_text(), width, text_box());
}

}  // namespace suite::controls
