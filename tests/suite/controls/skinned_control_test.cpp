// The skinned controls: through automation and their windows as the module drives them, the
// folder chooser's browse dialog, and the control model alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <unistd.h>

#include "host/control_classes.h"
#include "platform/path_mapping.h"
#include "platform/support/control_host.h"
#include "suite/controls/control_model.h"
#include "suite/controls/control_window.h"
#include "suite/controls/folder_browse_dialog.h"
#include "suite/controls/skinned_control.h"
#include "suite/controls/text_metrics.h"
#include "tests/suite/controls/controls_test_support.h"

using namespace controls_test;
using platform::Variant;
using suite::controls::SkinnedControl;
using K = host::SkinnedControlKind;

namespace {

using suite::controls::ControlModel;

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
  platform::ComPtr<I> as() const {
    platform::ComPtr<I> out;
    EXPECT_EQ(host_.unknown()->QueryInterface(platform::iid_of<I>, out.put_void()), S_OK);
    return out;
  }
  platform::HostedControl& host() { return host_; }
  void destroy() {
    dispatch_.reset();
    host_.destroy();
  }
  std::string read(DISPID id) const { return text_of(controls_test::get(get(), id)); }
  std::u16string describe() const { return suite::controls::describe_control(window()).value_or(u"?"); }

 private:
  platform::HostedControl host_;
  platform::ComPtr<IDispatch> dispatch_;
};

class SkinnedControlTest : public ControlsTest {
 protected:
  std::unique_ptr<Placed> place(K kind) { return std::make_unique<Placed>(kind, parent_); }
  // Clicks `window` and delivers what the click posted.
  static bool click(HWND window) {
    const bool clicked = platform::ui::click(window);
    pump();
    return clicked;
  }
};

TEST_F(SkinnedControlTest, EveryClassIsCreatableByClassIdAndProgId) {
  for (const auto& entry : host::kSkinnedControlClasses) {
    SCOPED_TRACE(suite_host_test::narrow(entry.prog_id));
    platform::ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(*entry.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.put_void()), S_OK);
    ASSERT_TRUE(control);
    EXPECT_EQ(put(control.get(), host::kSkinEnabled, arg(false)), S_OK);
    const std::u16string bare(entry.prog_id.substr(0, entry.prog_id.rfind(u'.')));
    EXPECT_EQ(host::control_class_from_prog_id(bare), entry.clsid);
    EXPECT_EQ(control.detach()->Release(), 0u);
  }
  EXPECT_EQ(host::control_class_from_prog_id(u"tsgskin.itemtray"), &host::CLSID_ItemTray);
  EXPECT_EQ(host::control_class_from_prog_id(u"TSGSkin.Nothing"), nullptr);
}

// What is put reads back; a refused value leaves the control as it was.
TEST_F(SkinnedControlTest, PropertiesReadBackWhatWasPutOrRefuseAndChangeNothing) {
  struct Row { int line; K kind; DISPID id; Variant value; HRESULT hr; const char* read; };  // read: after S_OK
  const Row rows[] = {
      {__LINE__, K::bullet_button, host::kSkinText, Variant(u"Hello"), S_OK, "Hello"},
      {__LINE__, K::bullet_button, host::kSkinState, Variant(3), S_OK, "3"},
      {__LINE__, K::bullet_button, host::kSkinDefaultButton, Variant(true), S_OK, "-1"},
      {__LINE__, K::bullet_button, host::kSkinToolTip, Variant(u"Hello"), S_OK, "Hello"},
      {__LINE__, K::bullet_button, host::kSkinEnabled, Variant(false), S_OK, "0"},
      {__LINE__, K::check_box, host::kSkinVisible, Variant(false), S_OK, "0"},
      {__LINE__, K::choice, host::kSkinValue, Variant(-1), S_OK, "-1"},
      {__LINE__, K::two_state_choice, host::kSkinSecondText, Variant(u"Hello"), S_OK, "Hello"},
      {__LINE__, K::heading, host::kSkinImage, Variant(u"BulletButton3"), S_OK, "BulletButton3"},
      {__LINE__, K::number_box, host::kSkinValue, Variant(12.75), S_OK, "12.75"},
      {__LINE__, K::number_box, host::kSkinText, Variant(u"640"), S_OK, "640"},
      {__LINE__, K::progress_bar, host::kSkinValue, Variant(3), S_OK, "3"},
      {__LINE__, K::check_box, host::kSkinState, Variant(3), E_INVALIDARG, nullptr},
      {__LINE__, K::choice, host::kSkinValue, Variant(2), E_INVALIDARG, nullptr},
      {__LINE__, K::heading, host::kSkinState, Variant(2), DISP_E_MEMBERNOTFOUND, nullptr},
      {__LINE__, K::number_box, host::kSkinText, Variant(u"Hello"), DISP_E_TYPEMISMATCH, nullptr},
      {__LINE__, K::static_text, host::kSkinDefaultButton, Variant(true), DISP_E_MEMBERNOTFOUND, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    auto control = place(row.kind);
    const std::u16string before = control->describe();
    EXPECT_EQ(put(control->get(), row.id, copy_arg(row.value)), row.hr);
    if (row.read) {
      EXPECT_EQ(control->read(row.id), row.read);
    } else {
      EXPECT_EQ(control->describe(), before);
    }
  }
}

// A button in state 3 is not offered; the container's verbs do not show what its state hides.
TEST_F(SkinnedControlTest, WindowShowsTheStateAndContainerVerbsDoNotOverruleIt) {
  auto button = place(K::bullet_button);
  HWND window = button->window();
  ASSERT_EQ(put(button->get(), host::kSkinText, arg(u"Send")), S_OK);
  char16_t text[32]{};
  GetWindowTextW(window, text, 32);
  EXPECT_EQ(std::u16string(text), u"Send");
  EXPECT_TRUE(IsWindowVisible(window));
  ASSERT_EQ(put(button->get(), host::kSkinState, arg(host::kButtonNotAvailable)), S_OK);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_EQ(button->host().show(true), S_OK);
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_EQ(put(button->get(), host::kSkinState, arg(host::kButtonNormal)), S_OK);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(button->describe(), u"bullet button \"Send\" state 0");
  EXPECT_EQ(suite::controls::describe_control(parent_), std::nullopt);
  EXPECT_EQ(button->host().show(false), S_OK);
  ASSERT_EQ(put(button->get(), host::kSkinText, arg(u"Back")), S_OK);
  EXPECT_FALSE(IsWindowVisible(window)) << "hidden by the container until it shows it again";
}

TEST_F(SkinnedControlTest, NumberBoxRangeClampsPutAndTypedValues) {
  auto box = place(K::number_box);
  EXPECT_EQ(invoke(box->get(), host::kSkinSetRange, DISPATCH_METHOD, {arg(1), arg(999)}, nullptr), S_OK);
  const std::pair<double, const char*> values[] = {{0, "1"}, {1000, "999"}, {25.5, "25.5"}};
  for (const auto& [put_value, read] : values) {
    ASSERT_EQ(put(box->get(), host::kSkinValue, arg(put_value)), S_OK);
    EXPECT_EQ(box->read(host::kSkinValue), read) << put_value;
  }
  EXPECT_EQ(invoke(box->get(), host::kSkinSetRange, DISPATCH_METHOD, {arg(5), arg(4)}, nullptr), E_INVALIDARG);
  EXPECT_EQ(box->read(host::kSkinMaximum), "999");
  EXPECT_TRUE(suite::controls::type_into(box->window(), u"5000"));
  EXPECT_EQ(box->read(host::kSkinValue), "999") << "typed numbers are clamped too";
  EXPECT_FALSE(suite::controls::type_into(box->window(), u"lots"));
}

TEST_F(SkinnedControlTest, ClicksFireDispatchIdOneUnlessTheButtonIsDisabled) {
  auto button = place(K::bullet_button);
  Connection connection(button->identity(), host::DIID_SkinControlEvents);
  ASSERT_TRUE(click(button->window()));
  ASSERT_EQ(put(button->get(), host::kSkinEnabled, arg(false)), S_OK);  // state 3 disables the window the same way
  EXPECT_FALSE(click(button->window()));
  EXPECT_EQ(events_text(connection.sink()), "1()") << "dispatch id 1, no arguments";

  auto box = place(K::check_box);  // three states: mixed, then ticked, clear, ticked
  Connection box_events(box->identity(), host::DIID_SkinControlEvents);
  ASSERT_EQ(put(box->get(), host::kSkinState, arg(host::kCheckMixed)), S_OK);
  for (const LONG expected : {host::kCheckTicked, host::kCheckClear, host::kCheckTicked}) {
    ASSERT_TRUE(click(box->window()));
    EXPECT_EQ(box->read(host::kSkinState), std::to_string(expected));
  }
  EXPECT_EQ(events_text(box_events.sink()), "1() 1() 1()");
}

TEST_F(SkinnedControlTest, EventsPassWhatTheUserChoseOrTyped) {
  auto choice = place(K::two_state_choice);
  Connection choice_events(choice->identity(), host::DIID_SkinControlEvents);
  ASSERT_TRUE(click(choice->window()));
  EXPECT_EQ(events_text(choice_events.sink()), "1(1)");

  auto tabs = place(K::tab_control);
  Connection tab_events(tabs->identity(), host::DIID_SkinControlEvents);
  for (const auto* id : {u"ID_General", u"ID_Photos", u"ID_SlideShow"})
    ASSERT_EQ(invoke(tabs->get(), host::kSkinAddItem, DISPATCH_METHOD, {arg(u"page"), arg(id)}, nullptr), S_OK);
  EXPECT_TRUE(suite::controls::choose_entry(tabs->window(), 2));
  EXPECT_EQ(events_text(tab_events.sink()), "1(ID_SlideShow)");
  EXPECT_EQ(tabs->read(host::kSkinSelectedTab), "ID_SlideShow");

  auto box = place(K::text_box);
  Connection box_events(box->identity(), host::DIID_SkinControlEvents);
  EXPECT_TRUE(suite::controls::type_into(box->window(), u"holiday.jpg"));
  EXPECT_EQ(box->read(host::kSkinCaret), "11");
  SetFocus(box->window());
  ASSERT_TRUE(platform::ui::press_key(VK_RETURN));
  pump();
  EXPECT_EQ(events_text(box_events.sink()), "2() 1()") << "a change, then Enter as a click";
}

TEST_F(SkinnedControlTest, ListSelectionAndEntries) {
  auto list = place(K::list);
  ASSERT_EQ(invoke(list->get(), host::kSkinAddItem, DISPATCH_METHOD, {arg(u"JPEG"), arg(u"*.jpg;*.jpeg")}, nullptr),
            S_OK);
  ASSERT_EQ(invoke(list->get(), host::kSkinAddItem, DISPATCH_METHOD, {arg(u"PNG")}, nullptr), S_OK);
  EXPECT_EQ(list->read(host::kSkinItemCount), "2");
  EXPECT_EQ(text_of(get(list->get(), host::kSkinItemData, {arg(0)})), "*.jpg;*.jpeg");
  EXPECT_EQ(put(list->get(), host::kSkinSelectedIndex, arg(1)), S_OK);
  EXPECT_EQ(put(list->get(), host::kSkinSelectedIndex, arg(2)), S_FALSE);
  EXPECT_EQ(list->read(host::kSkinSelectedIndex), "-1") << "a selection outside the entries selects nothing";
  Variant missing;
  EXPECT_EQ(invoke(list->get(), host::kSkinItemText, DISPATCH_PROPERTYGET, {arg(5)}, missing.put()), DISP_E_BADINDEX);
}

TEST_F(SkinnedControlTest, AutoSizeInterfacesByKind) {
  struct Row { int line; K kind; bool text_auto_size; bool button_auto_size; };
  const Row rows[] = {
      {__LINE__, K::check_box, true, false}, {__LINE__, K::bullet_button, false, true},
      {__LINE__, K::combo_box, false, false},
  };
  for (const auto& row : rows) {
    platform::ComPtr<SkinnedControl> control;
    ASSERT_EQ(platform::make_com(control, row.kind), S_OK);
    const auto answers = [&](const IID& iid) {
      platform::ComPtr<IUnknown> out;
      return SUCCEEDED(control->QueryInterface(iid, out.put_void()));
    };
    EXPECT_EQ(answers(IID_ISkinAutoSize), row.text_auto_size) << "line " << row.line;
    EXPECT_EQ(answers(IID_ISkinButtonAutoSize), row.button_auto_size) << "line " << row.line;
    EXPECT_EQ(answers(IID_ISkinIdealSize), row.text_auto_size || row.button_auto_size) << "line " << row.line;
  }
}

TEST_F(SkinnedControlTest, IdealHeightByAutoSizeModeForHeadingsAndButtons) {
  auto heading = place(K::heading);
  ASSERT_EQ(put(heading->get(), host::kSkinText, arg(u"Choose how to send the selected photos")), S_OK);
  auto ideal = heading->as<ISkinIdealSize>();
  auto auto_size = heading->as<ISkinAutoSize>();
  const auto height_at = [](ISkinIdealSize* of, LONG width) {
    LONG height = -1;
    EXPECT_EQ(of->GetIdealHeight(width, &height), S_OK);
    return height;
  };
  EXPECT_EQ(height_at(ideal.get(), 400), 30) << "not sized by its text: the height the container gave it";
  EXPECT_EQ(auto_size->SetAutoSizeMode(7), E_INVALIDARG);
  ASSERT_EQ(auto_size->SetAutoSizeMode(host::kAutoSizeHeight), S_OK);
  LONG mode = -1;
  EXPECT_EQ(auto_size->GetAutoSizeMode(&mode), S_OK);
  EXPECT_EQ(mode, host::kAutoSizeHeight);
  EXPECT_EQ(height_at(ideal.get(), 400), 24) << "one line of 16 and padding 4 above and below";
  EXPECT_EQ(height_at(ideal.get(), 120), 4 * 16 + 8) << "\"Choose how to\", \"send the\", \"selected\", \"photos\"";
  // The step image takes 28 pixels: "Choose how", "to send", "the", "selected", "photos".
  ASSERT_EQ(put(heading->get(), host::kSkinImage, arg(u"BulletButton1")), S_OK);
  EXPECT_EQ(height_at(ideal.get(), 120), 5 * 16 + 8);
  ASSERT_EQ(auto_size->SetAutoSizeMode(host::kAutoSizeWidth), S_OK);
  EXPECT_EQ(height_at(ideal.get(), 120), 32) << "one line, at least the image's height";
  LONG height = -1;
  EXPECT_EQ(ideal->GetIdealHeight(0, &height), E_INVALIDARG);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(ideal->GetIdealHeight(100, nullptr), E_POINTER);

  auto button = place(K::bullet_button);  // through the button interface
  ASSERT_EQ(put(button->get(), host::kSkinText, arg(u"Send the message")), S_OK);  // 16 characters
  ASSERT_EQ(button->as<ISkinButtonAutoSize>()->SetAutoSizeMode(host::kAutoSizeHeight), S_OK);
  auto button_ideal = button->as<ISkinIdealSize>();
  EXPECT_EQ(height_at(button_ideal.get(), 24 + 8 + 16 * 8), 24);
  EXPECT_EQ(height_at(button_ideal.get(), 24 + 8 + 10 * 8), 2 * 16 + 8) << "\"Send the\", \"message\"";
}

TEST_F(SkinnedControlTest, FolderChooserTakesOnlyFoldersThatExist) {
  auto chooser = place(K::folder_chooser);
  Connection connection(chooser->identity(), host::DIID_SkinControlEvents);
  EXPECT_EQ(put(chooser->get(), host::kSkinFolder, arg(u"file::Z:\\tmp")), S_OK);
  EXPECT_EQ(put(chooser->get(), host::kSkinFolder, arg(u"Z:\\no\\such\\folder")),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(chooser->read(host::kSkinFolder), "file::Z:\\tmp");
  EXPECT_FALSE(suite::controls::choose_folder(chooser->window(), u"Z:\\no\\such\\folder"));
  EXPECT_TRUE(suite::controls::choose_folder(chooser->window(), u"Z:\\"));
  EXPECT_EQ(events_text(connection.sink()), "1()");
}

TEST_F(SkinnedControlTest, DrawsItsTextWhenTheContainerAsks) {
  auto text = place(K::static_text);
  ASSERT_EQ(put(text->get(), host::kSkinText, arg(u"Step two")), S_OK);
  platform::ui::RecordingDc dc;
  const RECTL bounds{0, 0, 100, 20};
  ASSERT_EQ(text->as<IViewObject>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.hdc(), &bounds, nullptr,
                                          nullptr, 0),
            S_OK);
  const auto ops = dc.operations();
  EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const auto& op) {
    return op.kind == platform::ui::DrawOperation::Kind::draw_text && op.text == u"Step two";
  }));
}

// Releasing the control takes its window down; the parent's end leaves the control usable.
TEST_F(SkinnedControlTest, WindowAndControlLifetimes) {
  auto box = place(K::check_box);
  const HWND window = box->window();
  ASSERT_TRUE(IsWindow(window));
  platform::ComPtr<IUnknown> kept = platform::ComPtr<IUnknown>::borrow(box->identity());
  box->destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(kept.detach()->Release(), 0u);

  auto text = place(K::static_text);
  DestroyWindow(parent_);
  parent_ = nullptr;
  EXPECT_EQ(text->window(), nullptr);
  EXPECT_EQ(put(text->get(), host::kSkinText, arg(u"still here")), S_OK);
  EXPECT_EQ(text->read(host::kSkinText), "still here");
}

// What the user does in the browse dialog each time it waits: type a folder and press OK, or Cancel.
struct Step {
  std::u16string typed;  // empty: Cancel
};

class FolderBrowseTest : public ControlsTest {
 protected:
  // Runs Browse on a folder chooser with the user following `steps`.
  HRESULT browse(IDispatch* chooser, std::u16string start, LONG flags, std::vector<Step> steps,
                 std::u16string& chosen) {
    std::size_t next = 0;
    platform::ui::ScopedDriver driver([&](HWND waiting) {
      if (!waiting || next >= steps.size()) return;
      const Step& step = steps[next++];
      if (step.typed.empty()) {
        EXPECT_TRUE(platform::ui::click(GetDlgItem(waiting, IDCANCEL)));
        return;
      }
      SetDlgItemTextW(waiting, suite::controls::kBrowseFolderEdit, step.typed.c_str());
      EXPECT_TRUE(platform::ui::click(GetDlgItem(waiting, IDOK)));
    });
    platform::Variant result;
    const auto parent = static_cast<LONG>(reinterpret_cast<LONG_PTR>(parent_));
    const HRESULT hr =
        invoke(chooser, host::kSkinBrowse, DISPATCH_METHOD, {arg(start.c_str()), arg(parent), arg(flags)}, result.put());
    chosen = std::u16string(result.as_bstr().value_or(u"?"));
    EXPECT_EQ(next, steps.size()) << "the dialog closed before the user was done";
    return hr;
  }

  platform::ComPtr<IDispatch> chooser() { return create<IDispatch>(host::CLSID_FolderChooser); }
};

TEST_F(FolderBrowseTest, ChosenFolderIsAnsweredAndKeptAndAMissingOneRefusedUntilCancel) {
  auto folder_chooser = chooser();
  std::u16string chosen;
  EXPECT_EQ(browse(folder_chooser.get(), u"file::Z:\\", 0, {{u"Z:\\tmp"}}, chosen), S_OK);
  EXPECT_EQ(chosen, u"Z:\\tmp");
  EXPECT_EQ(text_of(get(folder_chooser.get(), host::kSkinFolder)), "Z:\\tmp");
  platform::ui::clear_beeps();
  auto other = chooser();
  EXPECT_EQ(browse(other.get(), u"Z:\\tmp", 0, {{u"Z:\\no\\such\\folder"}, {}}, chosen), S_FALSE);
  EXPECT_EQ(chosen, u"");
  EXPECT_EQ(platform::ui::beeps().size(), 1u);
  EXPECT_EQ(text_of(get(other.get(), host::kSkinFolder)), "") << "a cancelled browse keeps the folder";
}

TEST_F(FolderBrowseTest, NewFolderFlagMakesTheFolder) {
  const std::string name = "zozed_browse_" + std::to_string(getpid());
  const std::filesystem::path made = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(made);
  const std::u16string typed = platform::windows_path_of(made.string());
  auto folder_chooser = chooser();
  std::u16string chosen;
  EXPECT_EQ(browse(folder_chooser.get(), u"", host::kFolderChooserNewFolder, {{typed}}, chosen), S_OK);
  EXPECT_EQ(chosen, typed);
  EXPECT_TRUE(std::filesystem::is_directory(made));
  std::filesystem::remove_all(made);
}

TEST(ControlModel, StatesEachKindHas) {
  struct Row { int line; K kind; LONG state; bool accepted; };
  const Row rows[] = {
      {__LINE__, K::bullet_button, 3, true},    {__LINE__, K::bullet_button, 4, false},
      {__LINE__, K::bullet_button, -1, false},  {__LINE__, K::check_box, 2, true},
      {__LINE__, K::check_box, 3, false},       {__LINE__, K::choice, 2, true},
      {__LINE__, K::choice, 1, false},          {__LINE__, K::two_state_choice, 1, true},
      {__LINE__, K::two_state_choice, 2, false}, {__LINE__, K::heading, 0, false},
  };
  for (const auto& row : rows) {
    ControlModel model(row.kind);
    const LONG before = model.state();
    EXPECT_EQ(SUCCEEDED(model.set_state(row.state)), row.accepted) << "line " << row.line;
    EXPECT_EQ(model.state(), row.accepted ? row.state : before) << "line " << row.line;
  }
}

TEST(ControlModel, ClicksOnChoicesAndTabs) {
  ControlModel choice(K::choice);  // its value mirrors its state
  EXPECT_EQ(choice.choice_value(), host::kChoiceValueClear);
  EXPECT_TRUE(choice.click().fires);
  EXPECT_EQ(choice.state(), host::kChoiceSelected);
  EXPECT_EQ(choice.choice_value(), host::kChoiceValueSelected);
  EXPECT_EQ(choice.set_choice_value(-1), S_OK);
  EXPECT_EQ(choice.state(), 0);
  EXPECT_EQ(choice.set_choice_value(5), E_INVALIDARG);

  ControlModel two_state(K::two_state_choice);  // reports its new state
  EXPECT_EQ(two_state.click().state, std::optional<LONG>(1));
  EXPECT_EQ(two_state.click().state, std::optional<LONG>(0));

  ControlModel tabs(K::tab_control);  // cycles, and selects by exact identifier
  tabs.add_item(u"General", u"ID_General");
  tabs.add_item(u"Photos", u"ID_Photos");
  EXPECT_EQ(tabs.selected_tab(), u"ID_General");
  EXPECT_EQ(*tabs.click().tab, u"ID_Photos");
  EXPECT_EQ(*tabs.click().tab, u"ID_General");
  EXPECT_TRUE(tabs.select_tab(u"ID_Photos"));
  EXPECT_FALSE(tabs.select_tab(u"id_photos"));
}

// Clamping by put and by typing is pinned through automation; what is left is the model's own.
TEST(ControlModel, NumberBoxRangeMovesTheValueAndNumbersReadWithoutNoise) {
  ControlModel box(K::number_box);
  box.set_value(500);
  EXPECT_EQ(box.set_range(1, 99), S_OK);
  EXPECT_EQ(box.value(), 99) << "a narrower range moves the value into it";
  ASSERT_EQ(box.set_range(3, 3), S_OK);
  EXPECT_EQ(box.value(), 3);
  EXPECT_EQ(suite::controls::format_number(250), u"250");  // numbers read and show without noise
  EXPECT_EQ(suite::controls::format_number(1.5), u"1.5");
  EXPECT_EQ(suite::controls::parse_number(u" 42 "), 42.0);
  EXPECT_EQ(suite::controls::parse_number(u"-3.25"), -3.25);
  EXPECT_FALSE(suite::controls::parse_number(u"12kb"));
  EXPECT_FALSE(suite::controls::parse_number(u""));
}

TEST(TextMetrics, WrapsAtWordsSplitsLongWordsAndLeavesRoomForACheckBox) {
  const suite::controls::TextBox box{.left_inset = 0, .padding = 0, .minimum_height = 0};
  // 80 pixels hold ten characters.
  EXPECT_EQ(suite::controls::wrap_text(u"Send the photos now\nabcdefghijklmnop", 80, box),
            (std::vector<std::u16string>{u"Send the", u"photos now", u"abcdefghij", u"klmnop"}));
  ControlModel check_box(K::check_box);
  check_box.text = u"Embed photos";  // 12 characters
  EXPECT_EQ(check_box.ideal_height(20 + 4 + 12 * 8), 20);
  EXPECT_EQ(check_box.ideal_height(20 + 4 + 11 * 8), 2 * 16 + 4);
}

}  // namespace
