// The activity pane window and control: what it needs to open, the children whose events reach
// it, activation by a container with the template's init data, drawing, late-bound calls, and
// where a pane component keeps its settings.
#include <gtest/gtest.h>

#include <cstring>

#include "host/dialog_init_data.h"
#include "platform/support/control_host.h"
#include "platform/support/dispatch_driver.h"
#include "tests/zozed/panes/pane_test_support.h"
#include "zozed/module/class_ids.h"
#include "zozed/panes/activity_pane_control.h"
#include "zozed/panes/pane_component.h"
#include "zozed/toolkit/ax_host_window.h"

namespace {

using namespace pane_test;
using zozed::PaneWindow;

constexpr LONG kClickTemplate = 77;
using ResourceCalls = std::vector<std::pair<LONG, LONG>>;

std::vector<BYTE> click_template() {
  platform::DialogTemplateBuilder b;
  b.style(WS_CHILD | DS_CONTROL).rect(0, 0, 100, 60);
  b.item(skinned(11111, 5, 5, 40, 10)).item(skinned(11112, 5, 20, 40, 10));
  return template_bytes(b);
}

void append_record(std::vector<BYTE>& out, WORD id, WORD message, std::u16string_view text) {
  const DWORD size = static_cast<DWORD>(text.size() * sizeof(char16_t));
  const std::size_t at = out.size();
  out.resize(at + 8 + size);
  std::memcpy(out.data() + at, &id, 2);
  std::memcpy(out.data() + at + 2, &message, 2);
  std::memcpy(out.data() + at + 4, &size, 4);
  std::memcpy(out.data() + at + 8, text.data(), size);
}

class ClickPane final : public PaneWindow {
 public:
  ClickPane() : PaneWindow(u"ClickPane") {
    static constexpr int kIds[] = {11111};
    bind_child_events(kIds);
  }
  std::vector<std::pair<int, DISPID>> events;

 protected:
  void OnChildEvent(int control_id, DISPID event, const DISPPARAMS&) override { events.emplace_back(control_id, event); }
};

class ClickPaneControl final : public zozed::ActivityPaneControl<ClickPaneControl> {
 public:
  ClickPaneControl() : ActivityPaneControl(std::make_unique<ClickPane>(), kClickTemplate) {}
  STDMETHODIMP ReceiveMessage(BSTR, VARIANT, VARIANT, LONG, LONG* handled) override {
    if (!handled) return E_POINTER;
    *handled = 1;
    return S_OK;
  }
  ClickPane& pane() { return static_cast<ClickPane&>(pane_window()); }
};

// The stand-in's own window, inside its TSGAxWin host.
HWND skinned_window_of(HWND ax_window) {
  HWND child = GetWindow(ax_window, GW_CHILD);
  EXPECT_NE(child, nullptr);
  return child;
}

SkinStandIn* stand_in(HWND ax_window) {
  auto control = zozed::toolkit::ax_window_control(ax_window);
  return control ? static_cast<SkinStandIn*>(control.As<ISkinIdealSize>().get()) : nullptr;
}

using PaneControl = PaneTest;

TEST_F(PaneControl, WithoutEnvironmentOrTemplateThereIsNoWindowAndTheCursorComesBack) {
  ClickPane pane;
  EXPECT_EQ(pane.Create(parent_, kClickTemplate, &host::CLSID_ClientEnvironment), nullptr) << "no environment class";
  EXPECT_EQ(pane.hwnd(), nullptr);
  // Without an environment class only template 0 gives a window, empty.
  ClickPane empty;
  HWND window = empty.Create(parent_, 0, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetWindow(window, GW_CHILD), nullptr);
  empty.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ClickPane().Create(parent_, 175, nullptr), nullptr);

  register_environment();
  HCURSOR before = LoadCursorW(nullptr, IDC_ARROW);
  SetCursor(before);
  platform::ui::clear_cursor_history();
  EXPECT_EQ(ClickPane().Create(parent_, 999, &host::CLSID_ClientEnvironment), nullptr);
  EXPECT_EQ(platform::ui::cursor_history(), (std::vector<HCURSOR>{world_->busy, before}));
  EXPECT_EQ(world_->resource_calls, (ResourceCalls{{999, 5}})) << "no init data is asked for without a template";

  platform::HostedControl hosted;
  auto done = platform::make_com_or_throw<zozed::PaneComponent<zozed::CLSID_STGEmailDonePane>>();
  EXPECT_EQ(hosted.attach(done->identity(), parent_, RECT{0, 0, 100, 100}), E_FAIL);
  EXPECT_FALSE(hosted);
  EXPECT_EQ(world_->resource_calls, (ResourceCalls{{999, 5}, {257, 5}}));
}

TEST_F(PaneControl, ActivatedByAContainerWithInitDataAndBoundChildEventsThenTornDownCompletely) {
  register_environment();
  world_->templates[kClickTemplate] = click_template();
  std::vector<BYTE> init;
  append_record(init, 11112, host::kInitDataProperties, u"Text=second\r\nNoSuchProperty=1");
  append_record(init, 11111, 0x0376, u"Text=ignored");
  init.resize(init.size() + 2);  // the terminating control id 0
  world_->init_data[kClickTemplate] = init;

  auto control = platform::make_com_or_throw<ClickPaneControl>();
  platform::HostedControl hosted;
  ASSERT_EQ(hosted.attach(control->identity(), parent_, RECT{0, 0, 240, 300}), S_OK);
  HWND window = hosted.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetParent(window), parent_);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 240);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(world_->resource_calls, (ResourceCalls{{kClickTemplate, 5}, {kClickTemplate, 240}}));
  EXPECT_EQ(stand_in(GetDlgItem(window, 11112))->text, u"second");
  EXPECT_EQ(stand_in(GetDlgItem(window, 11111))->text, u"") << "unknown message skipped";

  // A click on a bound child reaches the pane, one on another child does not.
  ASSERT_TRUE(platform::ui::click(skinned_window_of(GetDlgItem(window, 11111))));
  ASSERT_TRUE(platform::ui::click(skinned_window_of(GetDlgItem(window, 11112))));
  pump();
  EXPECT_EQ(control->pane().events, (std::vector<std::pair<int, DISPID>>{{11111, host::kEventClick}}));

  ASSERT_EQ(hosted.move(RECT{0, 0, 200, 100}), S_OK);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 200);

  hosted.destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(control->control_window(), nullptr);
  EXPECT_EQ(control.detach()->Release(), 0u);
}

TEST_F(PaneControl, DrawsItsNameCentredOnATransparentBackground) {
  auto control = platform::make_com_or_throw<ClickPaneControl>();
  platform::ui::RecordingDc dc;
  const RECTL bounds{0, 0, 400, 40};
  ASSERT_EQ(control.As<IViewObject>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.hdc(), &bounds, nullptr,
                                            nullptr, 0),
            S_OK);
  const auto ops = dc.operations();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].text, u"ATL-QUARN Composite Control");
  EXPECT_EQ(ops[0].color, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ops[0].background_mode, TRANSPARENT);
  EXPECT_TRUE(ops[0].format & DT_CENTER);
  EXPECT_EQ(ops[0].rect.right, 400);
}

TEST_F(PaneControl, ReceiveMessageLateBound) {
  auto control = platform::make_com_or_throw<ClickPaneControl>();
  auto dispatch = control.As<IDispatch>();
  LPOLESTR name = const_cast<LPOLESTR>(u"ReceiveMessage");
  DISPID id = 0;
  ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
  const platform::Variant message(u"{00000000-0000-0000-0000-000000000001}"), none, flags(LONG{0});
  EXPECT_EQ(platform::invoke_method(dispatch.get(), id, {message.get(), none.get(), none.get(), flags.get()}).as_long(), 1);
}

using ComponentSettings = PaneTest;

TEST_F(ComponentSettings, TheLocatorNamesTheCatalogueEntrysOptionsKeyWhenThereIsAnEnvironment) {
  zozed::ComponentSettingsLocator alone(zozed::CLSID_STGArchivePane, zozed::kArchiveCatalogueSuffix);
  EXPECT_EQ(alone.environment(), nullptr);
  EXPECT_FALSE(alone.settings_key().has_value());
  EXPECT_EQ(alone.component_folder(), u"");
  EXPECT_EQ(alone.set_component_folder(u"Z:\\x"), E_FAIL);

  register_environment();
  auto save_as = platform::make_com_or_throw<zozed::PaneComponent<zozed::CLSID_STGSharedSaveAs>>();
  auto archive = platform::make_com_or_throw<zozed::PaneComponent<zozed::CLSID_STGArchivePane>>();
  auto done = platform::make_com_or_throw<zozed::PaneComponent<zozed::CLSID_STGEmailDonePane>>();
  EXPECT_FALSE(done->settings().has_value()) << "the done pane keeps no component settings";
  const struct {
    int line;
    const std::optional<zozed::ComponentSettingsLocator>* locator;
    const char16_t* key;
  } kRows[] = {
      {__LINE__, &save_as->settings(), u"Software\\PaneTests\\Options\\TSGShare\\{F382D781-2B33-44A1-A674-5A40BAEEBE56}"},
      {__LINE__, &archive->settings(), u"Software\\PaneTests\\Options\\Archive\\{3DF39197-6128-4667-B6A5-DC42D42BEF7A}"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    ASSERT_TRUE(row.locator->has_value());
    const auto& locator = **row.locator;
    EXPECT_EQ(locator.settings_key(), std::optional<std::u16string>(row.key));
    EXPECT_EQ(locator.component_folder(), u"");
    ASSERT_EQ(locator.set_component_folder(u"Z:\\tmp\\kept"), S_OK);
    platform::RegKey key;
    std::u16string stored;
    ASSERT_EQ(key.open(HKEY_CURRENT_USER, row.key), ERROR_SUCCESS);
    ASSERT_EQ(key.get_string(u"CmpntDir", stored), ERROR_SUCCESS);
    EXPECT_EQ(stored, u"Z:\\tmp\\kept");
    EXPECT_EQ(locator.component_folder(), u"Z:\\tmp\\kept");
  }
}

}  // namespace
