#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/shlobj.h"
#include "tests/platform/files/files_test_support.h"

namespace {

using files_test::TempFolder;
using files_test::write_text;

// Sets an environment variable for the scope, and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A home of its own with an XDG configuration; drive C: is the home.
class ShellFolders : public files_test::DriveTest {
 protected:
  ShellFolders() : home_("HOME", root_.path()), config_("XDG_CONFIG_HOME", root_ / "config") {
    make_folder("config");
  }
  std::u16string folder(int csidl, HRESULT expected = S_OK) {
    WCHAR path[MAX_PATH];
    path[0] = u'?';
    EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), expected) << "CSIDL " << csidl;
    return path;
  }
  ScopedEnv home_;
  ScopedEnv config_;
};

TEST_F(ShellFolders, MyPicturesIsTheXdgPicturesFolderAsAWindowsPath) {
  write_text(posix("config/user-dirs.dirs"),
             "# written by xdg-user-dirs-update\n"
             "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
             "XDG_PICTURES_DIR=\"$HOME/Bilder und Fotos\"\n"
             "XDG_DOCUMENTS_DIR=\"" + root_.path() + "/Papers\"\n");
  make_folder("Bilder und Fotos");
  make_folder("Papers");
  EXPECT_EQ(folder(CSIDL_MYPICTURES), u"C:\\Bilder und Fotos");
  EXPECT_EQ(folder(CSIDL_PERSONAL), u"C:\\Papers");
  EXPECT_EQ(folder(CSIDL_APPDATA), u"C:\\config");
}

TEST_F(ShellFolders, FallsBackToPicturesInTheHomeAndCreatesItOnlyWhenAsked) {
  EXPECT_EQ(folder(CSIDL_MYPICTURES, E_FAIL), u"") << "missing, and the path is cleared";
  EXPECT_FALSE(files_test::exists(posix("Pictures")));
  EXPECT_EQ(folder(CSIDL_MYPICTURES | CSIDL_FLAG_DONT_VERIFY), u"C:\\Pictures");
  EXPECT_EQ(folder(CSIDL_MYPICTURES | CSIDL_FLAG_CREATE), u"C:\\Pictures");
  EXPECT_TRUE(files_test::exists(posix("Pictures")));
  EXPECT_EQ(folder(CSIDL_MYPICTURES), u"C:\\Pictures");
}

TEST_F(ShellFolders, TheMachineProfileNamesThePicturesFolder) {
  make_folder("Shared/Photos");
  platform::set_pictures_folder(posix("Shared/Photos"));
  EXPECT_EQ(folder(CSIDL_MYPICTURES), u"C:\\Shared\\Photos");
}

TEST_F(ShellFolders, RefusesUnknownFoldersAndFoldersOnNoDrive) {
  folder(0x7f, E_INVALIDARG);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 7, path), E_INVALIDARG);
  make_folder("Pictures");
  platform::unmap_drive(u'C');
  platform::unmap_drive(u'Z');
  folder(CSIDL_MYPICTURES, E_FAIL);
}

}  // namespace
