// XmlDialog: a skinned modal dialog built from a layout description and a strings file. Its
// pages are found by layout name, its controls by number, and a tab identifier shows the page
// that the tab row names for it. ActiveX controls live in `TSGAxWin` control-host windows.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/environment.h"
#include "platform/support/com_ptr.h"
#include "zozed/toolkit/control_event_sink.h"
#include "zozed/toolkit/layout/layout_reader.h"
#include "zozed/toolkit/layout/strings_file.h"
#include "zozed/toolkit/skinned_window.h"

namespace zozed::toolkit {

class XmlDialog : public SkinnedWindow {
 public:
  // `layout_reference`: "root:File.Element"; `strings_file`: a file name in the same folder.
  XmlDialog(std::u16string layout_reference, std::u16string strings_file);
  ~XmlDialog() override;

  // Runs the dialog modally over `owner`, with the layout folder that the environment reports.
  // -1 when the environment, the layout or the strings cannot be had or the dialog not built.
  INT_PTR Run(HWND owner, const CLSID& environment = host::CLSID_ClientEnvironment);
  // The same with the layout folder given (a Windows path).
  INT_PTR RunFromFolder(HWND owner, std::u16string_view layout_root);
  // Ends the running dialog with `result`.
  void End(INT_PTR result);
  // Why the last Run answered -1.
  const std::string& last_error() const noexcept { return last_error_; }

  // While the dialog runs: windows of named layout elements (pages) and of numbered controls.
  HWND Page(std::string_view name) const;
  HWND ControlWindow(LONG id) const;
  // The ActiveX control of a numbered control, or null.
  platform::ComPtr<IUnknown> Control(LONG id) const;
  // Hides every page of the tab row and shows the one of `tab_id` (compared exactly); false,
  // changing nothing, when no tab has that identifier.
  bool ShowTab(std::u16string_view tab_id);
  const std::u16string& CurrentTab() const noexcept { return current_tab_; }
  // Places the items of the layout element `name` again inside its window.
  bool Relayout(std::string_view name);
  // A text of the strings file, empty when it has none.
  std::u16string Text(std::string_view id) const;

 protected:
  // After the windows exist and the skin is read.
  virtual void OnInitDialog() {}
  // An event of the skinned control numbered `control_id`.
  virtual void OnControlEvent(int control_id, DISPID event, const DISPPARAMS& params);
  // The dialog's own messages; true when handled. Unhandled IDOK and IDCANCEL end the dialog.
  virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);
  void OnLayout() override;

 private:
  struct Tab {
    std::u16string id;
    std::string page;
  };
  struct Built {
    const layout::Node* node;
    HWND window;
  };

  bool load(std::u16string_view layout_root);
  void build();
  void build_items(const layout::Node& container, HWND parent);
  HWND create_item(const layout::Node& item, HWND parent, const RECT& rect);
  void apply_properties(const layout::Node& item, IUnknown* control);
  void place(const layout::Node& container, HWND window);
  void take_down() noexcept;
  HWND window_of(const layout::Node* node) const;
  static INT_PTR CALLBACK dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  std::u16string reference_;
  std::u16string strings_name_;
  std::unique_ptr<layout::LayoutDocument> document_;
  layout::StringsFile strings_;
  const layout::Node* root_ = nullptr;
  std::vector<Built> built_;
  std::map<LONG, HWND> controls_;
  std::vector<Tab> tabs_;
  std::u16string current_tab_;
  ControlEventLinks links_;
  std::string last_error_;
};

}  // namespace zozed::toolkit
