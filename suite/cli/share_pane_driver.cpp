#include "suite/cli/share_pane_driver.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/control_host_window.h"
#include "host/item_tray.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/oleauto.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/dispatch_driver.h"
#include "platform/support/variant.h"
#include "platform/ui_driver.h"
#include "platform/winnls.h"
#include "suite/cli/running_suite.h"
#include "suite/host/host_paths.h"
#include "suite/host/host_strings.h"
#include "suite/host/suite_items.h"
#include "suite/media/image_info.h"

namespace suite::cli {
namespace {

using platform::ComPtr;
using platform::Variant;

constexpr char16_t kShareByEmail[] = u"{126239D4-FA95-4566-A14E-2A111932D54A}";
constexpr LONG kShareTitle = 62228;
constexpr int kTray = 104;

ComPtr<IDispatch> control_dispatch(HWND parent, int id) {
  HWND window = GetDlgItem(parent, id);
  if (!window) return {};
  auto control = ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(window, host::kAxGetControl, 0, 0)));
  ComPtr<IDispatch> dispatch;
  if (control) (void)control->QueryInterface(IID_IDispatch, dispatch.put_void());
  return dispatch;
}

std::optional<Variant> read(IDispatch* control, DISPID id) {
  if (!control) return std::nullopt;
  try {
    return platform::get_property(control, id);
  } catch (const platform::ComError&) {
    return std::nullopt;
  }
}

[[noreturn]] void refuse(const std::string& why) {
  std::cerr << "zozed: " << why << "\n";
  throw CLI::RuntimeError(1);
}

// The files as media items, in the order given.
Variant items_of(const std::vector<std::string>& files) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UNKNOWN, 0, static_cast<ULONG>(files.size()));
  if (!array) refuse("out of memory");
  Variant list;
  VARIANT* raw = list.put();  // put() clears: take it once
  raw->vt = VT_ARRAY | VT_UNKNOWN;
  raw->parray = array;
  LONG index = 0;
  for (const std::string& file : files) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(file, error);
    if (error || !std::filesystem::is_regular_file(absolute, error)) refuse("no such file: " + file);
    ComPtr<IMediaItem> item;
    const HRESULT hr = create_file_item(with_file_protocol(platform::windows_path_of(absolute.string())), item.put());
    if (FAILED(hr)) fail("cannot make a media item of " + file, hr);
    if (FAILED(SafeArrayPutElement(array, &index, item.get()))) refuse("out of memory");
    ++index;
  }
  return list;
}

}  // namespace

std::string control_text(HWND parent, int id) {
  const auto text = read(control_dispatch(parent, id).get(), host::kSkinText);
  if (!text || !text->as_bstr()) return {};
  return platform::to_utf8(*text->as_bstr());
}

void SharePaneDriver::pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void SharePaneDriver::open(const std::vector<std::string>& files) {
  Variant items = items_of(files);
  SuiteState& state = session_.state();
  const Variant pane_class{std::u16string_view(kShareByEmail)};
  const Variant title{find_host_string(kShareTitle).value_or(u"")};
  try {
    (void)platform::invoke_method(state.pane_stack.get(), host::kPaneStackShowPane, {pane_class.get(), title.get()});
  } catch (const platform::ComError& error) {
    fail("cannot show the Share-by-e-mail pane", error.hr());
  }
  if (state.panes.empty() || FAILED(state.panes.back().activation) || !state.panes.back().hosted)
    refuse("the Share-by-e-mail pane did not open in the side panel; run `zozed register` first");
  pane_ = state.panes.back().hosted->window();
  pump();
  const Variant shown = platform::get_property(state.pane_stack.get(), host::kPaneStackCurrentPane);
  ComPtr<IActivityComponent> component;
  if (auto dispatch = shown.as_dispatch(); dispatch && *dispatch)
    (void)(*dispatch)->QueryInterface(IID_IActivityComponent, component.put_void());
  if (!component) refuse("the pane shown takes no pane messages");
  const auto send = [&](const char16_t* id, const VARIANT& value, const VARIANT& extra) {
    const platform::Bstr message{std::u16string_view(id)};
    LONG handled = 0;
    if (const HRESULT hr = component->ReceiveMessage(message.get(), value, extra, 0, &handled); FAILED(hr))
      fail("the pane refused a message", hr);
  };
  const Variant empty;
  send(host::kCameFromPane, *empty.get(), *empty.get());
  send(host::kItemsAndStep, *items.get(), *Variant(kStep).get());
  pump();
}

HWND clickable_window(HWND parent, int id) {
  HWND host = GetDlgItem(parent, id);
  if (!host) return nullptr;
  HWND own = GetWindow(host, GW_CHILD);
  return own ? own : host;
}

bool SharePaneDriver::click(int id) {
  HWND control = clickable_window(pane_, id);
  if (!control || !platform::ui::click(control)) return false;
  pump();
  return true;
}

LONG SharePaneDriver::state(int id) const {
  const auto value = read(control_dispatch(pane_, id).get(), host::kSkinState);
  if (!value) return 0;
  Variant number;
  if (FAILED(VariantChangeType(number.put(), value->get(), 0, VT_I4))) return 0;
  return number.as_long().value_or(0);
}

bool SharePaneDriver::enabled(int id) const {
  HWND control = GetDlgItem(pane_, id);
  return control && IsWindowEnabled(control) && IsWindowVisible(control) && state(id) != host::kButtonNotAvailable;
}

std::string SharePaneDriver::text(int id) const { return control_text(pane_, id); }

std::vector<TrayFile> SharePaneDriver::tray_files() const {
  std::vector<TrayFile> files;
  const auto items = read(control_dispatch(pane_, kTray).get(), host::kTrayItems);
  if (!items || !(items->get()->vt & VT_ARRAY) || !items->get()->parray) return files;
  SAFEARRAY* array = items->get()->parray;
  LONG low = 0, high = -1;
  SafeArrayGetLBound(array, 1, &low);
  SafeArrayGetUBound(array, 1, &high);
  const VARTYPE element = items->get()->vt & VT_TYPEMASK;
  for (LONG i = low; i <= high; ++i) {
    ComPtr<IUnknown> object;
    if (element == VT_UNKNOWN || element == VT_DISPATCH) {
      IUnknown* raw = nullptr;
      if (SUCCEEDED(SafeArrayGetElement(array, &i, &raw))) object = ComPtr<IUnknown>::attach(raw);
    } else if (element == VT_VARIANT) {
      Variant entry;
      if (SUCCEEDED(SafeArrayGetElement(array, &i, entry.put())) && entry.as_unknown()) object = *entry.as_unknown();
    }
    ComPtr<IMediaItem> item;
    if (!object || FAILED(object->QueryInterface(IID_IMediaItem, item.put_void()))) continue;
    platform::Bstr path;
    if (FAILED(item->GetPath(path.put()))) continue;
    TrayFile file;
    const auto posix = posix_of_host_path(path.view());
    file.path = posix ? *posix : platform::to_utf8(path.view());
    if (posix) {
      const auto info = media::read_image_info(*posix);
      file.bytes = info.file_size;
      if (!info.frames.empty()) {
        file.width = info.frames.front().width;
        file.height = info.frames.front().height;
      }
    }
    files.push_back(std::move(file));
  }
  return files;
}

}  // namespace suite::cli
