#include "zozed/toolkit/xml_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "host/skin_folders.h"
#include "host/skinned_controls.h"
#include "platform/dialog_template_builder.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/variant.h"
#include "platform/winnls.h"
#include "zozed/toolkit/ax_host_window.h"
#include "zozed/toolkit/host_template.h"
#include "zozed/toolkit/layout_reference.h"
#include "zozed/toolkit/control_event_sink.h"
#include "zozed/toolkit/xml_layout_engine.h"

namespace zozed::toolkit {

namespace {

using layout::Node;

// The plain window every layout container of the dialog is: pages are shown and hidden whole.
constexpr const char16_t* kContainerClass = u"TSGXmlLayout";

// Registered while a dialog runs: the procedure is the module's code.
class ContainerClass {
 public:
  ContainerClass() {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(nullptr, kContainerClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kContainerClass;
    owned_ = RegisterClassExW(&wc) != 0;
  }
  ~ContainerClass() {
    if (owned_) UnregisterClassW(kContainerClass, nullptr);
  }
  ContainerClass(const ContainerClass&) = delete;
  ContainerClass& operator=(const ContainerClass&) = delete;

 private:
  bool owned_ = false;
};

const Node* tab_list_of(const Node& item) {
  if (item.element != "control") return nullptr;
  const Node* properties = item.child("properties");
  if (!properties) return nullptr;
  for (const auto& c : properties->children)
    if (c.element == "propertyArray" && c.name() == "Tabs") return &c;
  return nullptr;
}

// "0x50000000" or "1342177280"; anything else adds no style.
DWORD style_of(const std::string& text) {
  if (text.empty()) return 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  return end && *end == '\0' ? static_cast<DWORD>(value) : 0;
}

HRESULT invoke(IDispatch* target, DISPID id, WORD flags, std::vector<VARIANT>& reversed_args, VARIANT* result) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed_args.data(), flags == DISPATCH_PROPERTYPUT ? &named : nullptr,
                    static_cast<UINT>(reversed_args.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  return target->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

void clear_args(std::vector<VARIANT>& args) {
  for (auto& v : args) VariantClear(&v);
}

VARIANT text_variant(std::u16string_view text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

}  // namespace

XmlDialog::XmlDialog(std::u16string layout_reference, std::u16string strings_file)
    : SkinnedWindow(u"DialogFrame"),
      reference_(std::move(layout_reference)),
      strings_name_(std::move(strings_file)),
      links_([this](int control_id, DISPID event, const DISPPARAMS& params) { OnControlEvent(control_id, event, params); }) {}

XmlDialog::~XmlDialog() { take_down(); }

INT_PTR XmlDialog::Run(HWND owner, const CLSID& environment) {
  platform::ComPtr<IClientEnvironment> host_environment;
  if (FAILED(CoCreateInstance(environment, nullptr, CLSCTX_ALL, IID_IClientEnvironment, host_environment.put_void()))) {
    last_error_ = "the host environment cannot be created";
    return -1;
  }
  platform::ComPtr<ISkinFolders> folders;
  platform::Bstr root;
  if (FAILED(host_environment->QueryInterface(folders.put())) || FAILED(folders->get_LayoutRoot(root.put()))) {
    last_error_ = "the host reports no layout folder";
    return -1;
  }
  return RunFromFolder(owner, root.view());
}

INT_PTR XmlDialog::RunFromFolder(HWND owner, std::u16string_view layout_root) {
  if (hwnd()) return -1;
  last_error_.clear();
  if (!load(layout_root)) return -1;
  register_ax_window_class();
  const ContainerClass container_class;
  const auto dialog = platform::DialogTemplateBuilder().title(Text("Title")).build();
  const INT_PTR result =
      DialogBoxIndirectParamW(nullptr, platform::as_template(dialog), owner, &XmlDialog::dialog_proc,
                              reinterpret_cast<LPARAM>(this));
  take_down();
  detach_window();
  if (result == -1 && last_error_.empty()) last_error_ = "the dialog window cannot be created";
  return result;
}

bool XmlDialog::load(std::u16string_view layout_root) {
  const auto reference = parse_layout_reference(reference_);
  if (!reference) {
    last_error_ = "not a layout reference: " + platform::to_utf8(reference_);
    return false;
  }
  const auto layout_path = layout_file_path(layout_root, reference->file);
  const auto strings_path = layout_file_path(layout_root, strings_name_);
  if (!layout_path || !strings_path) {
    last_error_ = "the layout folder cannot be reached: " + platform::to_utf8(layout_root);
    return false;
  }
  try {
    auto document = std::make_unique<layout::LayoutDocument>(layout::read_layout_file(*layout_path));
    strings_ = layout::read_strings_file(*strings_path);
    root_ = layout::find_named(document->root, reference->element);
    if (!root_ || root_->element != "layout") {
      last_error_ = *layout_path + ": no layout named " + reference->element;
      root_ = nullptr;
      return false;
    }
    document_ = std::move(document);
  } catch (const layout::LayoutError& e) {
    last_error_ = e.what();
    return false;
  }
  tabs_.clear();
  return true;
}

void XmlDialog::End(INT_PTR result) {
  if (hwnd()) EndDialog(hwnd(), result);
}

HWND XmlDialog::window_of(const Node* node) const {
  for (const auto& b : built_)
    if (b.node == node) return b.window;
  return nullptr;
}

HWND XmlDialog::Page(std::string_view name) const {
  if (!root_) return nullptr;
  if (const Node* node = layout::find_named(*root_, name)) return window_of(node);
  return nullptr;
}

HWND XmlDialog::ControlWindow(LONG id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

platform::ComPtr<IUnknown> XmlDialog::Control(LONG id) const {
  const HWND window = ControlWindow(id);
  return window ? ax_window_control(window) : platform::ComPtr<IUnknown>{};
}

std::u16string XmlDialog::Text(std::string_view id) const {
  const auto text = strings_.find(id);
  return text ? platform::from_utf8(*text) : std::u16string{};
}

bool XmlDialog::ShowTab(std::u16string_view tab_id) {
  const auto tab = std::find_if(tabs_.begin(), tabs_.end(), [&](const Tab& t) { return t.id == tab_id; });
  if (tab == tabs_.end()) return false;
  for (const auto& t : tabs_)
    if (HWND page = Page(t.page)) ShowWindow(page, SW_HIDE);
  if (HWND page = Page(tab->page)) ShowWindow(page, SW_SHOW);
  current_tab_ = tab->id;
  return true;
}

bool XmlDialog::Relayout(std::string_view name) {
  if (!root_) return false;
  const Node* node = layout::find_named(*root_, name);
  const HWND window = node ? window_of(node) : nullptr;
  if (!window || node->element != "layout") return false;
  place(*node, window);
  return true;
}

void XmlDialog::OnLayout() {
  if (root_ && hwnd()) place(*root_, hwnd());
}

void XmlDialog::OnControlEvent(int control_id, DISPID event, const DISPPARAMS&) {
  if (event != host::kEventClick) return;
  if (control_id == IDOK || control_id == IDCANCEL) {
    PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(control_id, BN_CLICKED), 0);
    return;
  }
  const Node* node = root_ ? layout::find_item(*root_, control_id) : nullptr;
  if (!node || !tab_list_of(*node)) return;
  platform::ComPtr<IDispatch> tabs;
  if (auto control = Control(control_id); !control || FAILED(control->QueryInterface(tabs.put()))) return;
  std::vector<VARIANT> none;
  platform::Variant selected;
  if (SUCCEEDED(invoke(tabs.get(), host::kSkinSelectedTab, DISPATCH_PROPERTYGET, none, selected.put())) &&
      selected.get()->vt == VT_BSTR && selected.get()->bstrVal)
    ShowTab(selected.get()->bstrVal);
}

bool XmlDialog::OnMessage(UINT message, WPARAM wparam, LPARAM, INT_PTR& result) {
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    End(LOWORD(wparam));
    result = TRUE;
    return true;
  }
  if (message == WM_CLOSE) {
    End(IDCANCEL);
    result = TRUE;
    return true;
  }
  return false;
}

void XmlDialog::build() {
  const SIZE size = preferred_size(*root_);
  RECT frame{0, 0, size.cx, size.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  build_items(*root_, hwnd());
}

void XmlDialog::build_items(const Node& container, HWND parent) {
  for (const Node* item : container.items()) {
    const HWND window = create_item(*item, parent, RECT{});
    if (!window) continue;
    built_.push_back({item, window});
    if (item->attribute("itemID")) controls_.emplace(item->integer("itemID", 0), window);
    if (const Node* tabs = tab_list_of(*item))
      for (const auto& entry : tabs->children) tabs_.push_back({platform::from_utf8(entry.text("name")), entry.text("parameterName")});
    if (item->element == "layout") build_items(*item, window);
  }
}

HWND XmlDialog::create_item(const Node& item, HWND parent, const RECT& rect) {
  DWORD style = WS_CHILD | (item.boolean("visible", true) ? WS_VISIBLE : 0);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HWND window = nullptr;
  if (item.element == "layout") {
    window = CreateWindowExW(0, kContainerClass, platform::from_utf8(item.name()).c_str(), style | WS_CLIPCHILDREN,
                             rect.left, rect.top, w, h, parent, nullptr, nullptr, nullptr);
  } else if (item.element == "control") {
    const auto id = static_cast<INT_PTR>(item.integer("itemID", 0));
    window = CreateWindowExW(0, kAxWindowClass, platform::from_utf8(item.text("progID")).c_str(), style | WS_TABSTOP,
                             rect.left, rect.top, w, h, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
    if (window) {
      if (const auto control = ax_window_control(window)) {
        apply_properties(item, control.get());
        (void)links_.link(static_cast<int>(id), window);
      }
    }
  } else if (item.element == "windowsControl") {
    const layout::Attribute* name = item.attribute("windowName");
    std::u16string text;
    if (name)
      text = name->value.reference == layout::Reference::String ? Text(name->value.reference_name)
                                                                : platform::from_utf8(name->value.text);
    const auto id = static_cast<INT_PTR>(item.integer("itemID", 0));
    window = CreateWindowExW(static_cast<DWORD>(style_of(item.text("windowExStyle"))),
                             platform::from_utf8(item.text("windowClassName")).c_str(), text.c_str(),
                             style | style_of(item.text("windowStyle")), rect.left, rect.top, w, h, parent,
                             reinterpret_cast<HMENU>(id), nullptr, nullptr);
  }
  if (window && !item.boolean("enabled", true)) EnableWindow(window, FALSE);
  return window;
}

// Properties set by name; lists (propertyArray) filled entry by entry, a tab row's entries
// with their tab identifiers.
void XmlDialog::apply_properties(const Node& item, IUnknown* control) {
  const Node* properties = item.child("properties");
  platform::ComPtr<IDispatch> target;
  if (!properties || FAILED(control->QueryInterface(target.put()))) return;
  const auto value_text = [this](const Node& property) {
    const layout::Attribute* value = property.attribute("value");
    if (!value) return std::u16string{};
    return value->value.reference == layout::Reference::String ? Text(value->value.reference_name)
                                                                : platform::from_utf8(value->value.text);
  };
  for (const auto& p : properties->children) {
    if (p.element == "property") {
      std::u16string name = platform::from_utf8(p.name());
      LPOLESTR names[] = {name.data()};
      DISPID id = 0;
      if (FAILED(target->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) continue;
      std::vector<VARIANT> args(1);
      const std::string raw = p.text("value");
      if (const auto flag = layout::parse_boolean(raw)) {
        VariantInit(&args[0]);
        args[0].vt = VT_BOOL;
        args[0].boolVal = *flag ? VARIANT_TRUE : VARIANT_FALSE;
      } else {
        args[0] = text_variant(value_text(p));
      }
      (void)invoke(target.get(), id, DISPATCH_PROPERTYPUT, args, nullptr);
      clear_args(args);
    } else if (p.element == "propertyArray") {
      const bool tabs = p.name() == "Tabs";
      for (const auto& entry : p.children) {
        std::vector<VARIANT> args;
        if (tabs) args.push_back(text_variant(platform::from_utf8(entry.text("name"))));
        args.push_back(text_variant(value_text(entry)));
        platform::Variant index;
        (void)invoke(target.get(), host::kSkinAddItem, DISPATCH_METHOD, args, index.put());
        clear_args(args);
      }
    }
  }
}

void XmlDialog::place(const Node& container, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  for (const auto& placed : place_items(container, client.right, client.bottom)) {
    const HWND item = window_of(placed.node);
    if (!item) continue;
    MoveWindow(item, placed.rect.left, placed.rect.top, placed.rect.right - placed.rect.left,
               placed.rect.bottom - placed.rect.top, TRUE);
    if (placed.node->element == "layout") place(*placed.node, item);
  }
}

void XmlDialog::take_down() noexcept {
  links_.unlink_all();
  built_.clear();
  controls_.clear();
  tabs_.clear();
  current_tab_.clear();
}

INT_PTR CALLBACK XmlDialog::dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    auto* dialog = reinterpret_cast<XmlDialog*>(lparam);
    dialog->attach_window(hwnd);
    dialog->build();
    dialog->OnSkinLoad();
    dialog->OnLayout();
    dialog->OnInitDialog();
    return TRUE;
  }
  auto* dialog = reinterpret_cast<XmlDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!dialog) return FALSE;
  if (message == WM_DESTROY) {
    // The controls go with their windows; no event may reach the dialog while they do.
    dialog->links_.unlink_all();
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    return FALSE;
  }
  INT_PTR result = 0;
  if (dialog->OnMessage(message, wparam, lparam, result)) return result;
  if (dialog->handle_skin_message(message, wparam, lparam, result)) return message == WM_SIZE ? FALSE : result;
  return FALSE;
}

}  // namespace zozed::toolkit
