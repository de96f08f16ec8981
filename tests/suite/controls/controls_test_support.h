// What the host control tests share: a running suite whose classes create the controls, a
// parent window to put them in, a message pump, and an event sink that records what it got.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "host/item_tray.h"
#include "host/skinned_controls.h"
#include "platform/ocidl.h"
#include "platform/support/dispatch_object.h"
#include "platform/ui_driver.h"
#include "platform/winuser.h"
#include "tests/suite/host/suite_host_test_support.h"

namespace controls_test {

using suite_host_test::invoke;

struct ReceivedEvent {
  DISPID id = 0;
  std::vector<std::u16string> args;  // each argument as text (objects as "object")
};

// Records every event of `Iid`; answers event 29 (a byref VT_BOOL) with `answer`.
class RecordingSink final : public platform::DispatchObject<RecordingSink, IDispatch> {
 public:
  explicit RecordingSink(const IID& iid) : iid_(iid) {}

  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    ReceivedEvent event{id, {}};
    for (UINT i = params ? params->cArgs : 0; i-- > 0;) {
      VARIANT& arg = params->rgvarg[i];
      if (arg.vt == (VT_BYREF | VT_BOOL)) {
        *arg.pboolVal = answer ? VARIANT_TRUE : VARIANT_FALSE;
        event.args.push_back(u"answer");
      } else if (arg.vt == VT_UNKNOWN || arg.vt == VT_DISPATCH) {
        event.args.push_back(u"object");
      } else {
        platform::Variant text;
        event.args.push_back(SUCCEEDED(VariantChangeType(text.get(), &arg, 0, VT_BSTR))
                                 ? std::u16string(*text.as_bstr())
                                 : u"?");
      }
    }
    events.push_back(std::move(event));
    return S_OK;
  }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv && IsEqualGUID(riid, iid_)) {
      AddRef();
      *ppv = static_cast<IDispatch*>(this);
      return S_OK;
    }
    return DispatchObject::QueryInterface(riid, ppv);
  }

  static std::span<const platform::DispatchMember<RecordingSink>> dispatch_members() { return {}; }

  std::vector<ReceivedEvent> events;
  bool answer = false;

 private:
  IID iid_;
};

// The events a sink received, each as "id(arg,arg)", separated by spaces.
inline std::string events_text(const RecordingSink& sink) {
  std::string out;
  for (const auto& event : sink.events) {
    out += (out.empty() ? "" : " ") + std::to_string(event.id) + "(";
    for (std::size_t i = 0; i < event.args.size(); ++i) out += (i ? "," : "") + suite_host_test::narrow(event.args[i]);
    out += ")";
  }
  return out;
}

// Connects a sink to `source`'s connection point for `iid` for the life of the scope.
class Connection {
 public:
  Connection(IUnknown* source, const IID& iid) {
    EXPECT_EQ(platform::make_com(sink_, iid), S_OK);
    platform::ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(source->QueryInterface(IID_IConnectionPointContainer, container.put_void()), S_OK);
    if (!container) return;
    EXPECT_EQ(container->FindConnectionPoint(iid, point_.put()), S_OK);
    if (point_) {
      EXPECT_EQ(point_->Advise(sink_->identity(), &cookie_), S_OK);
    }
  }
  ~Connection() {
    if (point_) {
      EXPECT_EQ(point_->Unadvise(cookie_), S_OK);
    }
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  RecordingSink& sink() { return *sink_.get(); }

 private:
  platform::ComPtr<RecordingSink> sink_;
  platform::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

// Dispatches every message waiting on this thread.
inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class ControlsTest : public suite_host_test::SuiteTest {
 protected:
  void SetUp() override {
    SuiteTest::SetUp();
    start();
    windows_before_ = platform::ui::live_window_count();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = u"ControlsTestParent";
    (void)RegisterClassExW(&wc);
    parent_ = CreateWindowExW(0, u"ControlsTestParent", u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
    pump();
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "windows left alive";
    SuiteTest::TearDown();
  }

  HWND parent_ = nullptr;
  std::size_t windows_before_ = 0;
};

// Property get / put through IDispatch.
inline platform::Variant get(IDispatch* target, DISPID id, std::vector<VARIANT> args = {}) {
  platform::Variant result;
  EXPECT_EQ(invoke(target, id, DISPATCH_PROPERTYGET, std::move(args), result.put()), S_OK) << "get " << id;
  return result;
}

inline HRESULT put(IDispatch* target, DISPID id, VARIANT value) {
  return invoke(target, id, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

// An argument for invoke(): a number, a flag or a text, by the type of `value`.
template <class T>
VARIANT arg(T value) {
  return platform::Variant(value).detach();
}

// A copy of `value` for invoke(), which clears its arguments.
inline VARIANT copy_arg(const platform::Variant& value) {
  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(VariantCopy(&v, value.get()), S_OK);
  return v;
}

inline std::string text_of(const platform::Variant& v) {
  platform::Variant text;
  if (FAILED(VariantChangeType(text.get(), v.get(), 0, VT_BSTR))) return "?";
  return suite_host_test::narrow(*text.as_bstr());
}

}  // namespace controls_test
