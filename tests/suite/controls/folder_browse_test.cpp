#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

#include "suite/controls/folder_browse_dialog.h"
#include "tests/suite/controls/controls_test_support.h"

using namespace controls_test;

namespace {

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
  const std::string wanted = "Z:" + made.string();
  std::u16string typed(wanted.begin(), wanted.end());
  for (auto& c : typed)
    if (c == u'/') c = u'\\';
  auto folder_chooser = chooser();
  std::u16string chosen;
  EXPECT_EQ(browse(folder_chooser.get(), u"", host::kFolderChooserNewFolder, {{typed}}, chosen), S_OK);
  EXPECT_EQ(chosen, typed);
  EXPECT_TRUE(std::filesystem::is_directory(made));
  std::filesystem::remove_all(made);
}

}  // namespace
