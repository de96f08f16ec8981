#include <gtest/gtest.h>

#include "host/control_classes.h"
#include "platform/support/control_host.h"
#include "suite/controls/control_model.h"
#include "suite/controls/control_window.h"
#include "suite/controls/skinned_control.h"
#include "tests/suite/controls/controls_test_support.h"

using namespace controls_test;
using suite::controls::SkinnedControl;
using K = host::SkinnedControlKind;

namespace {

const CLSID& clsid_of(K kind) {
  for (const auto& entry : host::kSkinnedControlClasses)
    if (entry.kind == kind) return *entry.clsid;
  throw std::logic_error("no class");
}

// A control activated in the test's parent window the way a control-host window does it.
class Placed {
 public:
  Placed(K kind, HWND parent) {
    EXPECT_EQ(host_.create(clsid_of(kind), parent, RECT{10, 10, 210, 40}), S_OK);
    if (host_) {
      EXPECT_EQ(host_.unknown()->QueryInterface(IID_IDispatch, dispatch_.put_void()), S_OK);
    }
  }
  ~Placed() { destroy(); }
  Placed(const Placed&) = delete;
  Placed& operator=(const Placed&) = delete;

  IDispatch* get() const { return dispatch_.get(); }
  IUnknown* identity() const { return host_.unknown(); }
  HWND window() const { return host_.window(); }
  template <class I>
  HRESULT QueryInterface(const IID& iid, platform::ComPtr<I>& out) const {
    return host_.unknown()->QueryInterface(iid, out.put_void());
  }
  platform::HostedControl& host() { return host_; }
  void destroy() {
    dispatch_.reset();
    host_.destroy();
  }

 private:
  platform::HostedControl host_;
  platform::ComPtr<IDispatch> dispatch_;
};

class SkinnedControlTest : public ControlsTest {
 protected:
  std::unique_ptr<Placed> place(K kind) { return std::make_unique<Placed>(kind, parent_); }
};

TEST_F(SkinnedControlTest, EveryClassIsCreatableByClassIdAndProgId) {
  for (const auto& entry : host::kSkinnedControlClasses) {
    const std::string name = suite_host_test::narrow(entry.prog_id);
    platform::ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(*entry.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.put_void()), S_OK)
        << name;
    ASSERT_TRUE(control) << name;
    EXPECT_EQ(put(control.get(), host::kSkinEnabled, suite_host_test::bool_arg(false)), S_OK) << name;
    const std::u16string bare(entry.prog_id.substr(0, entry.prog_id.rfind(u'.')));
    EXPECT_EQ(host::control_class_from_prog_id(bare), entry.clsid) << name;
    EXPECT_EQ(control.detach()->Release(), 0u) << name;
  }
  EXPECT_EQ(host::control_class_from_prog_id(u"tsgskin.itemtray"), &host::CLSID_ItemTray);
  EXPECT_EQ(host::control_class_from_prog_id(u"TSGSkin.Nothing"), nullptr);
}

struct PropertyRow {
  int line;
  K kind;
  DISPID id;
  VARIANT (*value)();
  const char* expected;  // read back as text
};

VARIANT text_hello() { return suite_host_test::text_arg(u"Hello"); }
VARIANT yes() { return suite_host_test::bool_arg(true); }
VARIANT no() { return suite_host_test::bool_arg(false); }
VARIANT two() { return long_arg(2); }
VARIANT three() { return long_arg(3); }
VARIANT zero() { return long_arg(0); }
VARIANT minus_one() { return long_arg(-1); }
VARIANT image() { return suite_host_test::text_arg(u"BulletButton3"); }
VARIANT number() { return double_arg(12.75); }
VARIANT number_text() { return suite_host_test::text_arg(u"640"); }

const PropertyRow kProperties[] = {
    {__LINE__, K::bullet_button, host::kSkinText, &text_hello, "Hello"},
    {__LINE__, K::bullet_button, host::kSkinState, &three, "3"},
    {__LINE__, K::bullet_button, host::kSkinDefaultButton, &yes, "-1"},
    {__LINE__, K::bullet_button, host::kSkinToolTip, &text_hello, "Hello"},
    {__LINE__, K::bullet_button, host::kSkinEnabled, &no, "0"},
    {__LINE__, K::check_box, host::kSkinState, &two, "2"},
    {__LINE__, K::check_box, host::kSkinVisible, &no, "0"},
    {__LINE__, K::choice, host::kSkinValue, &zero, "0"},
    {__LINE__, K::choice, host::kSkinValue, &minus_one, "-1"},
    {__LINE__, K::choice, host::kSkinState, &two, "2"},
    {__LINE__, K::two_state_choice, host::kSkinSecondText, &text_hello, "Hello"},
    {__LINE__, K::heading, host::kSkinImage, &image, "BulletButton3"},
    {__LINE__, K::heading, host::kSkinText, &text_hello, "Hello"},
    {__LINE__, K::static_text, host::kSkinText, &text_hello, "Hello"},
    {__LINE__, K::number_box, host::kSkinValue, &number, "12.75"},
    {__LINE__, K::number_box, host::kSkinText, &number_text, "640"},
    {__LINE__, K::text_box, host::kSkinText, &text_hello, "Hello"},
    {__LINE__, K::progress_bar, host::kSkinValue, &three, "3"},
};

TEST_F(SkinnedControlTest, PropertiesReadBackWhatWasPut) {
  for (const auto& row : kProperties) {
    auto control = place(row.kind);
    IDispatch* dispatch = control->get();
    EXPECT_EQ(put(dispatch, row.id, row.value()), S_OK) << "line " << row.line;
    EXPECT_EQ(text_of(get(dispatch, row.id)), row.expected) << "line " << row.line;
    control->destroy();
  }
}

TEST_F(SkinnedControlTest, WindowShowsTheState) {
  auto button = place(K::bullet_button);
  HWND window = button->window();
  ASSERT_EQ(put(button->get(), host::kSkinText, suite_host_test::text_arg(u"Send")), S_OK);
  char16_t text[32]{};
  GetWindowTextW(window, text, 32);
  EXPECT_EQ(std::u16string(text), u"Send");
  EXPECT_TRUE(IsWindowVisible(window));
  ASSERT_EQ(put(button->get(), host::kSkinState, long_arg(host::kButtonNotAvailable)), S_OK);
  EXPECT_FALSE(IsWindowVisible(window)) << "a button in state 3 is not offered";
  EXPECT_FALSE(IsWindowEnabled(window));
  ASSERT_EQ(put(button->get(), host::kSkinState, long_arg(host::kButtonNormal)), S_OK);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(suite::controls::describe_control(window), u"bullet button \"Send\" state 0");
  EXPECT_EQ(suite::controls::describe_control(parent_), std::nullopt);
}

TEST_F(SkinnedControlTest, RefusedValuesLeaveTheControlAsItWas) {
  const struct {
    int line;
    K kind;
    DISPID id;
    VARIANT (*value)();
    HRESULT expected;
  } rows[] = {
      {__LINE__, K::check_box, host::kSkinState, &three, E_INVALIDARG},
      {__LINE__, K::choice, host::kSkinValue, &two, E_INVALIDARG},
      {__LINE__, K::heading, host::kSkinState, &two, DISP_E_MEMBERNOTFOUND},
      {__LINE__, K::number_box, host::kSkinText, &text_hello, DISP_E_TYPEMISMATCH},
      {__LINE__, K::static_text, host::kSkinDefaultButton, &yes, DISP_E_MEMBERNOTFOUND},
  };
  for (const auto& row : rows) {
    auto control = place(row.kind);
    const std::u16string before = *suite::controls::describe_control(control->window());
    EXPECT_EQ(put(control->get(), row.id, row.value()), row.expected) << "line " << row.line;
    EXPECT_EQ(*suite::controls::describe_control(control->window()), before) << "line " << row.line;
    control->destroy();
  }
}

TEST_F(SkinnedControlTest, NumberBoxRangeClampsValues) {
  auto box = place(K::number_box);
  EXPECT_EQ(invoke(box->get(), host::kSkinSetRange, DISPATCH_METHOD, {long_arg(1), long_arg(999)}, nullptr), S_OK);
  const struct {
    int line;
    double put;
    const char* read;
  } rows[] = {{__LINE__, 0, "1"}, {__LINE__, 1000, "999"}, {__LINE__, 25.5, "25.5"}, {__LINE__, -40, "1"}};
  for (const auto& row : rows) {
    ASSERT_EQ(put(box->get(), host::kSkinValue, double_arg(row.put)), S_OK) << "line " << row.line;
    EXPECT_EQ(text_of(get(box->get(), host::kSkinValue)), row.read) << "line " << row.line;
  }
  EXPECT_EQ(invoke(box->get(), host::kSkinSetRange, DISPATCH_METHOD, {long_arg(5), long_arg(4)}, nullptr),
            E_INVALIDARG);
  EXPECT_EQ(text_of(get(box->get(), host::kSkinMaximum)), "999");
  EXPECT_TRUE(suite::controls::type_into(box->window(), u"5000"));
  EXPECT_EQ(text_of(get(box->get(), host::kSkinValue)), "999") << "typed numbers are clamped too";
  EXPECT_FALSE(suite::controls::type_into(box->window(), u"lots"));
}

TEST_F(SkinnedControlTest, ClickFiresDispatchIdOneToConnectedSinks) {
  auto button = place(K::bullet_button);
  Connection connection(button->identity(), host::DIID_SkinControlEvents);
  ASSERT_TRUE(platform::ui::click(button->window()));
  pump();
  ASSERT_EQ(connection.sink().events.size(), 1u);
  EXPECT_EQ(connection.sink().events[0].id, host::kEventClick);
  EXPECT_TRUE(connection.sink().events[0].args.empty());

  ASSERT_EQ(put(button->get(), host::kSkinState, long_arg(host::kButtonNotAvailable)), S_OK);
  EXPECT_FALSE(platform::ui::click(button->window())) << "a button in state 3 cannot be clicked";
  ASSERT_EQ(put(button->get(), host::kSkinState, long_arg(host::kButtonNormal)), S_OK);
  ASSERT_EQ(put(button->get(), host::kSkinEnabled, suite_host_test::bool_arg(false)), S_OK);
  EXPECT_FALSE(platform::ui::click(button->window()));
  pump();
  EXPECT_EQ(connection.sink().events.size(), 1u);
}

TEST_F(SkinnedControlTest, ThreeStateCheckBoxClicks) {
  auto box = place(K::check_box);
  Connection connection(box->identity(), host::DIID_SkinControlEvents);
  ASSERT_EQ(put(box->get(), host::kSkinState, long_arg(host::kCheckMixed)), S_OK);
  const LONG expected[] = {host::kCheckTicked, host::kCheckClear, host::kCheckTicked};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    ASSERT_TRUE(platform::ui::click(box->window()));
    pump();
    EXPECT_EQ(text_of(get(box->get(), host::kSkinState)), std::to_string(expected[i])) << "click " << i;
  }
  EXPECT_EQ(connection.sink().events.size(), 3u);
}

TEST_F(SkinnedControlTest, TwoStateChoiceAndTabsPassWhatTheClickChose) {
  auto choice = place(K::two_state_choice);
  Connection choice_events(choice->identity(), host::DIID_SkinControlEvents);
  ASSERT_TRUE(platform::ui::click(choice->window()));
  pump();
  ASSERT_EQ(choice_events.sink().events.size(), 1u);
  EXPECT_EQ(choice_events.sink().events[0].args, std::vector<std::u16string>{u"1"});

  auto tabs = place(K::tab_control);
  Connection tab_events(tabs->identity(), host::DIID_SkinControlEvents);
  for (const auto* id : {u"ID_General", u"ID_Photos", u"ID_SlideShow"})
    ASSERT_EQ(invoke(tabs->get(), host::kSkinAddItem, DISPATCH_METHOD,
                     {suite_host_test::text_arg(u"page"), suite_host_test::text_arg(id)}, nullptr),
              S_OK);
  EXPECT_TRUE(suite::controls::choose_entry(tabs->window(), 2));
  ASSERT_EQ(tab_events.sink().events.size(), 1u);
  EXPECT_EQ(tab_events.sink().events[0].args, std::vector<std::u16string>{u"ID_SlideShow"});
  EXPECT_EQ(text_of(get(tabs->get(), host::kSkinSelectedTab)), "ID_SlideShow");
}

TEST_F(SkinnedControlTest, TextBoxReportsTypingAndEnter) {
  auto box = place(K::text_box);
  Connection connection(box->identity(), host::DIID_SkinControlEvents);
  EXPECT_TRUE(suite::controls::type_into(box->window(), u"holiday.jpg"));
  EXPECT_EQ(text_of(get(box->get(), host::kSkinCaret)), "11");
  SetFocus(box->window());
  ASSERT_TRUE(platform::ui::press_key(VK_RETURN));
  pump();
  ASSERT_EQ(connection.sink().events.size(), 2u);
  EXPECT_EQ(connection.sink().events[0].id, host::kEventChange);
  EXPECT_EQ(connection.sink().events[1].id, host::kEventClick);
}

TEST_F(SkinnedControlTest, ListSelectionAndEntries) {
  auto list = place(K::list);
  ASSERT_EQ(invoke(list->get(), host::kSkinAddItem, DISPATCH_METHOD,
                   {suite_host_test::text_arg(u"JPEG"), suite_host_test::text_arg(u"*.jpg;*.jpeg")}, nullptr),
            S_OK);
  ASSERT_EQ(invoke(list->get(), host::kSkinAddItem, DISPATCH_METHOD, {suite_host_test::text_arg(u"PNG")}, nullptr),
            S_OK);
  EXPECT_EQ(text_of(get(list->get(), host::kSkinItemCount)), "2");
  EXPECT_EQ(text_of(get(list->get(), host::kSkinItemData, {long_arg(0)})), "*.jpg;*.jpeg");
  EXPECT_EQ(put(list->get(), host::kSkinSelectedIndex, long_arg(1)), S_OK);
  EXPECT_EQ(put(list->get(), host::kSkinSelectedIndex, long_arg(2)), S_FALSE);
  EXPECT_EQ(text_of(get(list->get(), host::kSkinSelectedIndex)), "-1");
  platform::Variant missing;
  EXPECT_EQ(invoke(list->get(), host::kSkinItemText, DISPATCH_PROPERTYGET, {long_arg(5)}, missing.put()),
            DISP_E_BADINDEX);
}

TEST_F(SkinnedControlTest, AutoSizeInterfacesByKind) {
  const struct {
    int line;
    K kind;
    bool text_auto_size;
    bool button_auto_size;
  } rows[] = {
      {__LINE__, K::heading, true, false},       {__LINE__, K::check_box, true, false},
      {__LINE__, K::choice, true, false},        {__LINE__, K::static_text, true, false},
      {__LINE__, K::bullet_button, false, true}, {__LINE__, K::combo_box, false, false},
      {__LINE__, K::number_box, false, false},
  };
  for (const auto& row : rows) {
    platform::ComPtr<SkinnedControl> control;
    ASSERT_EQ(platform::make_com(control, row.kind), S_OK);
    platform::ComPtr<ISkinAutoSize> text;
    platform::ComPtr<ISkinButtonAutoSize> button;
    platform::ComPtr<ISkinIdealSize> ideal;
    EXPECT_EQ(SUCCEEDED(control->QueryInterface(IID_ISkinAutoSize, text.put_void())), row.text_auto_size)
        << "line " << row.line;
    EXPECT_EQ(SUCCEEDED(control->QueryInterface(IID_ISkinButtonAutoSize, button.put_void())), row.button_auto_size)
        << "line " << row.line;
    EXPECT_EQ(SUCCEEDED(control->QueryInterface(IID_ISkinIdealSize, ideal.put_void())),
              row.text_auto_size || row.button_auto_size)
        << "line " << row.line;
  }
}

TEST_F(SkinnedControlTest, IdealHeightByAutoSizeMode) {
  auto heading = place(K::heading);
  ASSERT_EQ(put(heading->get(), host::kSkinText, suite_host_test::text_arg(u"Choose how to send the selected photos")),
            S_OK);
  platform::ComPtr<ISkinIdealSize> ideal;
  ASSERT_EQ(heading->QueryInterface(IID_ISkinIdealSize, ideal), S_OK);
  platform::ComPtr<ISkinAutoSize> auto_size;
  ASSERT_EQ(heading->QueryInterface(IID_ISkinAutoSize, auto_size), S_OK);
  LONG height = -1;
  // Not sized by its text: the height the container gave it.
  EXPECT_EQ(ideal->GetIdealHeight(400, &height), S_OK);
  EXPECT_EQ(height, 30);

  EXPECT_EQ(auto_size->SetAutoSizeMode(7), E_INVALIDARG);
  ASSERT_EQ(auto_size->SetAutoSizeMode(host::kAutoSizeHeight), S_OK);
  LONG mode = -1;
  EXPECT_EQ(auto_size->GetAutoSizeMode(&mode), S_OK);
  EXPECT_EQ(mode, host::kAutoSizeHeight);
  const struct {
    int line;
    LONG width;
    LONG height;
  } rows[] = {
      {__LINE__, 400, 24},          // one line of 16 and padding 4 above and below
      {__LINE__, 120, 4 * 16 + 8},  // 14 characters a line: "Choose how to", "send the", "selected", "photos"
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ideal->GetIdealHeight(row.width, &height), S_OK) << "line " << row.line;
    EXPECT_EQ(height, row.height) << "line " << row.line;
  }
  // The step image takes 28 pixels: 10 characters a line -> "Choose how", "to send", "the", "selected", "photos".
  ASSERT_EQ(put(heading->get(), host::kSkinImage, suite_host_test::text_arg(u"BulletButton1")), S_OK);
  EXPECT_EQ(ideal->GetIdealHeight(120, &height), S_OK);
  EXPECT_EQ(height, 5 * 16 + 8);

  ASSERT_EQ(auto_size->SetAutoSizeMode(host::kAutoSizeWidth), S_OK);
  EXPECT_EQ(ideal->GetIdealHeight(120, &height), S_OK);
  EXPECT_EQ(height, 32) << "one line, at least the image's height";

  EXPECT_EQ(ideal->GetIdealHeight(0, &height), E_INVALIDARG);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(ideal->GetIdealHeight(100, nullptr), E_POINTER);
}

TEST_F(SkinnedControlTest, ButtonsReportTheirIdealHeightThroughTheButtonInterface) {
  auto button = place(K::bullet_button);
  ASSERT_EQ(put(button->get(), host::kSkinText, suite_host_test::text_arg(u"Send the message")), S_OK);  // 16
  platform::ComPtr<ISkinButtonAutoSize> auto_size;
  ASSERT_EQ(button->QueryInterface(IID_ISkinButtonAutoSize, auto_size), S_OK);
  ASSERT_EQ(auto_size->SetAutoSizeMode(host::kAutoSizeHeight), S_OK);
  platform::ComPtr<ISkinIdealSize> ideal;
  ASSERT_EQ(button->QueryInterface(IID_ISkinIdealSize, ideal), S_OK);
  LONG height = 0;
  EXPECT_EQ(ideal->GetIdealHeight(24 + 8 + 16 * 8, &height), S_OK);
  EXPECT_EQ(height, 24);
  EXPECT_EQ(ideal->GetIdealHeight(24 + 8 + 10 * 8, &height), S_OK);
  EXPECT_EQ(height, 2 * 16 + 8);  // ten characters a line: "Send the", "message"
}

TEST_F(SkinnedControlTest, FolderChooserTakesOnlyFoldersThatExist) {
  auto chooser = place(K::folder_chooser);
  Connection connection(chooser->identity(), host::DIID_SkinControlEvents);
  EXPECT_EQ(put(chooser->get(), host::kSkinFolder, suite_host_test::text_arg(u"file::Z:\\tmp")), S_OK);
  EXPECT_EQ(text_of(get(chooser->get(), host::kSkinFolder)), "file::Z:\\tmp");
  EXPECT_EQ(put(chooser->get(), host::kSkinFolder, suite_host_test::text_arg(u"Z:\\no\\such\\folder")),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(text_of(get(chooser->get(), host::kSkinFolder)), "file::Z:\\tmp");
  EXPECT_FALSE(suite::controls::choose_folder(chooser->window(), u"Z:\\no\\such\\folder"));
  EXPECT_TRUE(suite::controls::choose_folder(chooser->window(), u"Z:\\"));
  ASSERT_EQ(connection.sink().events.size(), 1u);
  EXPECT_EQ(connection.sink().events[0].id, host::kEventClick);
}

TEST_F(SkinnedControlTest, ReleasingTheControlDestroysItsWindow) {
  auto box = place(K::check_box);
  const HWND window = box->window();
  ASSERT_TRUE(IsWindow(window));
  platform::ComPtr<IUnknown> kept = platform::ComPtr<IUnknown>::borrow(box->identity());
  box->destroy();
  EXPECT_FALSE(IsWindow(window)) << "deactivation takes the window down";
  EXPECT_EQ(kept.detach()->Release(), 0u);
}

TEST_F(SkinnedControlTest, ContainerVerbsDoNotShowAControlItsStateHides) {
  auto button = place(K::bullet_button);
  ASSERT_EQ(put(button->get(), host::kSkinState, long_arg(host::kButtonNotAvailable)), S_OK);
  EXPECT_EQ(button->host().show(true), S_OK);
  EXPECT_FALSE(IsWindowVisible(button->window()));
  ASSERT_EQ(put(button->get(), host::kSkinState, long_arg(host::kButtonNormal)), S_OK);
  EXPECT_TRUE(IsWindowVisible(button->window()));
  EXPECT_EQ(button->host().show(false), S_OK);
  ASSERT_EQ(put(button->get(), host::kSkinText, suite_host_test::text_arg(u"Back")), S_OK);
  EXPECT_FALSE(IsWindowVisible(button->window())) << "hidden by the container until it shows it again";
}

TEST_F(SkinnedControlTest, DrawsItsTextWhenTheContainerAsks) {
  auto text = place(K::static_text);
  ASSERT_EQ(put(text->get(), host::kSkinText, suite_host_test::text_arg(u"Step two")), S_OK);
  platform::ComPtr<IViewObject> view;
  ASSERT_EQ(text->QueryInterface(IID_IViewObject, view), S_OK);
  platform::ui::RecordingDc dc;
  const RECTL bounds{0, 0, 100, 20};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.hdc(), &bounds, nullptr, nullptr, 0), S_OK);
  bool drawn = false;
  for (const auto& op : dc.operations())
    drawn = drawn || (op.kind == platform::ui::DrawOperation::Kind::draw_text && op.text == u"Step two");
  EXPECT_TRUE(drawn);
}

TEST_F(SkinnedControlTest, ParentDestructionLeavesTheControlUsable) {
  auto text = place(K::static_text);
  DestroyWindow(parent_);
  parent_ = nullptr;
  EXPECT_EQ(text->window(), nullptr);
  EXPECT_EQ(put(text->get(), host::kSkinText, suite_host_test::text_arg(u"still here")), S_OK);
  EXPECT_EQ(text_of(get(text->get(), host::kSkinText)), "still here");
}

}  // namespace
