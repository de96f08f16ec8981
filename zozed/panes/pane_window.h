// PaneWindow: the window of an activity pane. Built from a host dialog template, skinned under
// "ActivityPaneControl", with its child controls laid out by the pane's layout table whenever
// the pane is resized, and the events of its skinned children delivered by control id.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/activity_host.h"
#include "platform/oaidl.h"
#include "platform/support/com_ptr.h"
#include "zozed/panes/layout_table.h"
#include "zozed/toolkit/control_event_sink.h"
#include "zozed/toolkit/skinned_window.h"

namespace zozed {

class PaneWindow : public toolkit::SkinnedWindow {
 public:
  static constexpr int kLayoutSlots = 8;
  static constexpr int kDefaultBottomGap = 10;
  // A coordinate that keeps the control's current x or y.
  static constexpr int kKeepCoordinate = -65535;

  explicit PaneWindow(std::u16string pane_key);
  ~PaneWindow() override;

  // Builds the window in `parent` from the host's dialog template `template_id` (init data
  // applied to the ActiveX children), under the host's busy cursor. With no environment class,
  // template 0 gives an empty window. Null when the environment fails or has no template.
  HWND Create(HWND parent, LONG template_id, const CLSID* environment);
  void Destroy() noexcept;

  // Layout groups, in the order they are processed.
  void add_group(const LayoutItem* items, int count, LONG flags);
  // Skinned children whose events reach OnChildEvent, by control id.
  void bind_child_events(std::span<const int> control_ids);

  // Sizes one control: a positive rule is the size, a negative one caps the current size, zero
  // keeps it; kKeepCoordinate keeps x or y. Answers the resulting height (width on request).
  LONG size_control(HWND control, int x, int y, int width_rule, int height_rule, bool answer_width = false);
  // The same for a skinned control that reports its ideal height at a width.
  LONG size_skinned_control(HWND control, int x, int y, int width_rule, int height_rule, bool answer_width = false);
  // Places control `id` by item flags at (x, y) within `client`; answers the placed size.
  SIZE place_item(int id, LONG item_flags, int x, int y, const RECT& client);

  int horizontal_layout(int k) const noexcept { return (k >= 1 && k <= kLayoutSlots) ? horizontal_[k - 1] : 0; }
  int vertical_layout(int k) const noexcept { return (k >= 1 && k <= kLayoutSlots) ? vertical_[k - 1] : 0; }
  int top() const noexcept { return top_; }
  int bottom_gap() const noexcept { return bottom_gap_; }
  IActivityHost* activity_host() const noexcept { return activity_host_.get(); }
  const std::u16string& pane_key() const noexcept { return pane_key_; }

  // Told when the window is gone (WM_NCDESTROY).
  std::function<void()> on_destroyed;

 protected:
  void OnSkinLoad() override;
  void OnLayout() override;
  // A pane may keep part of its client area out of the layout.
  virtual void ShrinkClientRect(RECT&) {}
  // An event of the skinned child `control_id` (a click is dispatch id 1).
  virtual void OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) {
    (void)control_id;
    (void)event;
    (void)args;
  }
  // The pane's own messages (WM_INITDIALOG once the base has set the window up); true when handled.
  virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) {
    (void)message;
    (void)wparam;
    (void)lparam;
    (void)result;
    return false;
  }

 private:
  static INT_PTR CALLBACK dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
  void initialise();
  void read_layout_values(std::u16string_view subkey, bool vertical);
  void run_layout(const RECT& client);
  void connect_child_events();
  void disconnect_child_events() noexcept;
  RECT template_rect(int id) const;
  int template_distance(int upper_id, int lower_id) const;

  std::u16string pane_key_;
  platform::ComPtr<IActivityHost> activity_host_;
  std::array<int, kLayoutSlots> horizontal_{};
  std::array<int, kLayoutSlots> vertical_{};
  int top_ = 0;
  int bottom_gap_ = kDefaultBottomGap;
  std::vector<LayoutGroup> groups_;
  std::vector<int> event_ids_;
  toolkit::ControlEventLinks links_;
  std::map<int, RECT> template_rects_;  // each child's rectangle as the template placed it
  std::vector<BYTE> init_data_;
  bool laying_out_ = false;
};

}  // namespace zozed
