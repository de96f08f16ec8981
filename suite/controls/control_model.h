// The state of one skinned control and the rules its kind follows (states, ranges, selection,
// what a user's click does), apart from any window or COM object, so they can be checked alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/skinned_controls.h"
#include "suite/controls/text_metrics.h"

namespace suite::controls {

using host::SkinnedControlKind;

struct ListEntry {
  std::u16string text;
  std::u16string data;  // a list's pattern list, a tab control's tab identifier
};

// What a user's click did: whether the click event fires, and with which argument.
struct ClickOutcome {
  bool fires = false;
  std::optional<LONG> state;          // a two-state choice's new state
  std::optional<std::u16string> tab;  // a tab control's tab identifier
};

// A number as a number box shows it (no trailing zeros), and the number a user's text gives.
std::u16string format_number(double value);
std::optional<double> parse_number(std::u16string_view text);

class ControlModel {
 public:
  explicit ControlModel(SkinnedControlKind kind);

  SkinnedControlKind kind() const noexcept { return kind_; }
  bool is_button() const noexcept;
  bool has_state() const noexcept;
  bool has_items() const noexcept;
  bool has_range() const noexcept;

  std::u16string text;
  std::u16string second_text;
  std::u16string tooltip;
  std::u16string image;
  std::u16string folder;
  bool enabled = true;
  bool visible = true;
  bool default_button = false;
  LONG auto_size_mode = host::kAutoSizeNone;

  LONG state() const noexcept { return state_; }
  // E_INVALIDARG for a state the kind does not have; the state stays.
  [[nodiscard]] HRESULT set_state(LONG state) noexcept;
  // A choice's value view of its state: 0 selected, -1 not.
  LONG choice_value() const noexcept;
  [[nodiscard]] HRESULT set_choice_value(LONG value) noexcept;

  // Number box and progress bar: the value always lies in [minimum, maximum].
  double value() const noexcept { return value_; }
  double minimum() const noexcept { return minimum_; }
  double maximum() const noexcept { return maximum_; }
  void set_value(double value) noexcept;
  // E_INVALIDARG when minimum > maximum; otherwise the value is clamped into the new range.
  [[nodiscard]] HRESULT set_range(double minimum, double maximum) noexcept;

  const std::vector<ListEntry>& items() const noexcept { return items_; }
  LONG add_item(std::u16string text, std::u16string data);
  void clear_items() noexcept;
  LONG selected_index() const noexcept { return selected_; }
  // An index outside the items selects nothing; answers whether it selected one.
  bool select(LONG index) noexcept;
  // A tab control's selected tab identifier (empty when none); false when no tab has it.
  std::u16string selected_tab() const;
  bool select_tab(std::u16string_view id) noexcept;

  LONG caret() const noexcept { return caret_; }
  void set_caret(LONG position) noexcept;  // clamped to the text

  // Whether a user can act on it now: visible, enabled and (buttons) not in state 3.
  bool available() const noexcept;
  bool shown() const noexcept;

  ClickOutcome click();

  // The text shown and the metrics of the control's face, for the ideal size.
  std::u16string display_text() const;
  TextBox text_box() const noexcept;
  LONG ideal_height(LONG width) const;

 private:
  SkinnedControlKind kind_;
  LONG state_ = 0;
  double value_ = 0;
  double minimum_ = 0;
  double maximum_ = 0;
  std::vector<ListEntry> items_;
  LONG selected_ = -1;
  LONG caret_ = 0;
};

}  // namespace suite::controls
