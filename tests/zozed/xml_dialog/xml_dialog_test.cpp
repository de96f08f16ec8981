#include "zozed/toolkit/xml_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/module_state.h"
#include "platform/ui_driver.h"
#include "platform/winreg.h"
#include "tests/fakes/registered_class.h"
#include "tests/fakes/skin_stand_in.h"

namespace zozed::toolkit {
namespace {

using platform::ComPtr;

std::string guid_text(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return platform::to_utf8(text);
}

std::string dialog_layout() {
  const std::string control = guid_text(fakes::kSkinStandInClsid);
  return R"(<skin>
  <!-- a tab row, two pages in one place, and OK -->
  <layout name="TestDialog" orientation="Vertical" hAlignment="Spread">
    <geometry><size width="300" height="200"/></geometry>
    <items>
      <control name="Tabs" itemID="1000" progID=")" + control + R"(">
        <geometry><size width="Stretch" height="20"/></geometry>
        <properties><propertyArray name="Tabs">
          <property name="ID_General" parameterName="GeneralPP" value="stringRef:TabGeneral"/>
          <property name="ID_Photos" parameterName="PhotosPP" value="stringRef:TabPhotos"/>
        </propertyArray></properties>
      </control>
      <layout name="Pages" orientation="Static">
        <items>
          <layout name="GeneralPP" orientation="Vertical" visible="False">
            <geometry><size width="100%" height="100%"/></geometry>
            <items>
              <control itemID="21728" progID=")" + control + R"(">
                <geometry><size width="Stretch" height="20"/></geometry>
                <properties><property name="Text" value="stringRef:Warn"/></properties>
              </control>
            </items>
          </layout>
          <layout name="PhotosPP" orientation="Vertical" visible="False">
            <geometry><size width="100%" height="100%"/></geometry>
            <items>
              <control itemID="14096" progID=")" + control + R"("/>
              <windowsControl itemID="77" windowClassName="Static" windowName="stringRef:Plain" enabled="False"/>
            </items>
          </layout>
        </items>
      </layout>
      <control name="OK" itemID="1" progID=")" + control + R"(">
        <geometry><size width="80" height="20"/></geometry>
      </control>
    </items>
  </layout>
</skin>)";
}

constexpr const char* kStrings = R"(<strings>
  <string id="Title">Test</string>
  <string id="TabGeneral">General</string>
  <string id="TabPhotos">Photos</string>
  <string id="Warn">Warn about size</string>
  <string id="Plain">plain text</string>
</strings>)";

fakes::SkinStandIn* stand_in(const ComPtr<IUnknown>& control) {
  ComPtr<IDispatch> dispatch;
  if (!control || FAILED(control->QueryInterface(dispatch.put()))) return nullptr;
  return static_cast<fakes::SkinStandIn*>(dispatch.get());
}

class ProbeDialog final : public XmlDialog {
 public:
  using XmlDialog::XmlDialog;
  std::function<void(ProbeDialog&)> on_init;

 protected:
  void OnInitDialog() override {
    if (on_init) on_init(*this);
  }
};

// COM on this thread, a registry of its own, the stand-in control's class object, and a layout
// folder holding the test dialog.
class XmlDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    stand_in_.emplace(fakes::kSkinStandInClsid, fakes::maker_of<fakes::SkinStandIn>());
    // CTest runs the tests as parallel processes: each gets a folder of its own.
    folder_ = std::filesystem::path(testing::TempDir()) /
              ("xml_dialog_test-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    write("TestDialog.xml", dialog_layout());
    write("TestDialogStrings.xml", kStrings);
    root_ = platform::windows_path_of(folder_.string());
    ASSERT_FALSE(root_.empty());
    windows_before_ = platform::ui::live_window_count();
  }
  void TearDown() override {
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "every window destroyed";
    EXPECT_EQ(platform::this_module().objects(), objects_before_) << "every object released";
    stand_in_.reset();
    CoUninitialize();
    std::filesystem::remove_all(folder_);
  }
  void write(const char* name, const std::string& text) { std::ofstream(folder_ / name) << text; }

  platform::registry::ScopedStore store_;
  LONG objects_before_ = platform::this_module().objects();
  std::size_t windows_before_ = 0;
  std::optional<fakes::RegisteredClass> stand_in_;
  std::filesystem::path folder_;
  std::u16string root_;
};

// Shown as far as the window itself goes (the dialog is shown only after initialisation).
bool visible(HWND window) { return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST_F(XmlDialogTest, PagesByNameControlsByNumberTabsSwitchPagesAndRelayout) {
  ProbeDialog dialog(u"root:TestDialog.TestDialog", u"TestDialogStrings.xml");
  bool initialised = false;
  dialog.on_init = [&](ProbeDialog& d) {
    initialised = true;
    const HWND general = d.Page("GeneralPP");
    const HWND photos = d.Page("PhotosPP");
    ASSERT_NE(general, nullptr);
    ASSERT_NE(photos, nullptr);
    EXPECT_EQ(d.Page("NoSuchPage"), nullptr);
    EXPECT_TRUE(IsChild(general, d.ControlWindow(21728)));
    EXPECT_TRUE(IsChild(photos, d.ControlWindow(14096)));
    EXPECT_EQ(d.ControlWindow(4711), nullptr);
    EXPECT_EQ(GetDlgCtrlID(d.ControlWindow(21728)), 21728);

    // Texts of the strings file reach the controls and plain windows.
    EXPECT_EQ(stand_in(d.Control(21728))->text, u"Warn about size");
    EXPECT_EQ(d.Text("TabPhotos"), u"Photos");
    WCHAR text[32] = {};
    GetWindowTextW(d.ControlWindow(77), text, 32);
    EXPECT_EQ(std::u16string(text), u"plain text");
    EXPECT_FALSE(IsWindowEnabled(d.ControlWindow(77)));
    const auto& tabs = stand_in(d.Control(1000))->entries;
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[1], (std::vector<std::u16string>{u"Photos", u"ID_Photos"}));

    // Laid out: the pages fill the space between the tab row and OK; a page moved out of place
    // is placed again.
    RECT page{};
    GetClientRect(general, &page);
    EXPECT_EQ(page.right, 300);
    EXPECT_EQ(page.bottom, 160);
    MoveWindow(d.ControlWindow(21728), 5, 5, 10, 10, FALSE);
    EXPECT_TRUE(d.Relayout("GeneralPP"));
    EXPECT_FALSE(d.Relayout("NoSuchLayout"));
    RECT r{};
    GetWindowRect(d.ControlWindow(21728), &r);
    MapWindowPoints(nullptr, general, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((std::vector<LONG>{r.left, r.right, r.bottom - r.top}), (std::vector<LONG>{0, 300, 20}));

    EXPECT_FALSE(visible(general));
    EXPECT_TRUE(d.ShowTab(u"ID_General"));
    EXPECT_TRUE(visible(general));
    EXPECT_FALSE(visible(photos));
    EXPECT_FALSE(d.ShowTab(u"id_photos"));
    EXPECT_TRUE(visible(general));
    EXPECT_EQ(d.CurrentTab(), u"ID_General");
  };
  int step = 0;
  platform::ui::ScopedDriver driver([&](HWND) {
    switch (step++) {
      case 0:
        // A click on the tab row shows the page of the tab clicked.
        stand_in(dialog.Control(1000))->click_tab(u"ID_Photos");
        EXPECT_TRUE(visible(dialog.Page("PhotosPP")));
        EXPECT_FALSE(visible(dialog.Page("GeneralPP")));
        EXPECT_EQ(dialog.CurrentTab(), u"ID_Photos");
        break;
      case 1: stand_in(dialog.Control(IDOK))->click(); break;
      default: dialog.End(-2); break;
    }
  });
  EXPECT_EQ(dialog.RunFromFolder(nullptr, root_), IDOK) << dialog.last_error();
  EXPECT_TRUE(initialised);
  EXPECT_EQ(dialog.Page("GeneralPP"), nullptr) << "nothing found once the dialog is gone";
}

TEST_F(XmlDialogTest, UnreadableLayoutsFailWithAReason) {
  write("Broken.xml", "<skin>\n<layout name=\"Broken\">\n</skin>");
  struct Row {
    int line;
    const char16_t* reference;
    const char16_t* strings;
    const char* reason;
  };
  const Row rows[] = {
      {__LINE__, u"TestDialog.TestDialog", u"TestDialogStrings.xml", "not a layout reference"},
      {__LINE__, u"root:TestDialog", u"TestDialogStrings.xml", "not a layout reference"},
      {__LINE__, u"root:Missing.TestDialog", u"TestDialogStrings.xml", "cannot open"},
      {__LINE__, u"root:TestDialog.Other", u"TestDialogStrings.xml", "no layout named Other"},
      {__LINE__, u"root:TestDialog.TestDialog", u"Missing.xml", "cannot open"},
      {__LINE__, u"root:Broken.Broken", u"TestDialogStrings.xml", "Broken.xml:3:"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    ProbeDialog dialog(row.reference, row.strings);
    EXPECT_EQ(dialog.RunFromFolder(nullptr, root_), -1);
    EXPECT_NE(dialog.last_error().find(row.reason), std::string::npos) << dialog.last_error();
  }
}

// The suite's own e-mail options dialog runs, a nested page laid out again (its pages and
// numbers are checked on the file itself; the skinned controls are the suite's, not registered
// here, so their windows stay empty).
TEST_F(XmlDialogTest, SuiteEmailOptionsDialogRuns) {
  ProbeDialog dialog(u"root:EmailOptionsDialog.EmailOptionsDialog", u"EmailOptionsDialogStrings.xml");
  dialog.on_init = [](ProbeDialog& d) {
    EXPECT_TRUE(d.ShowTab(u"ID_SlideShow"));
    EXPECT_TRUE(visible(d.Page("SlideShowPP")));
    EXPECT_TRUE(d.Relayout("LayoutSlideShowPP"));
    d.End(IDCANCEL);
  };
  EXPECT_EQ(dialog.RunFromFolder(nullptr, platform::windows_path_of(ZOZED_SUITE_LAYOUTS)), IDCANCEL)
      << dialog.last_error();
}

}  // namespace
}  // namespace zozed::toolkit
