#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>
#include <unistd.h>

#include "platform/errhandlingapi.h"
#include "platform/libloaderapi.h"
#include "platform/winerror.h"
#include "tests/platform/com/com_test_support.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"

namespace {

const std::string kServer = COM_TEST_SERVER_PATH;
const auto windows_form = platform::windows_path_of;

std::string folder_of(const std::string& path) { return path.substr(0, path.rfind('/')); }

std::u16string file_name_of(HMODULE module) {
  WCHAR buffer[1024];
  const DWORD length = GetModuleFileNameW(module, buffer, 1024);
  return std::u16string(buffer, length);
}

TEST(LibraryLoader, LoadsByDllNameBesideTheExecutableAndFindsExports) {
  // The tests run from the folder the test server is built into.
  HMODULE module = LoadLibraryW(u"COM_TEST_SERVER.DLL");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(LoadLibraryW(u"com_test_server"), module) << "a name without extension is a .dll";
  EXPECT_TRUE(com_test::is_loaded(kServer.c_str()));
  EXPECT_NE(GetProcAddress(module, "DllGetClassObject"), nullptr);

  EXPECT_FAILS_WITH(GetProcAddress(module, "NoSuchExport"), nullptr, ERROR_PROC_NOT_FOUND);

  EXPECT_EQ(file_name_of(module), windows_form(kServer));
  const auto export_address = reinterpret_cast<const void*>(GetProcAddress(module, "DllCanUnloadNow"));
  EXPECT_EQ(platform::module_path_of(export_address), windows_form(kServer));
  EXPECT_EQ(file_name_of(reinterpret_cast<HMODULE>(const_cast<void*>(export_address))), windows_form(kServer))
      << "any address inside the module names it";
  EXPECT_EQ(GetModuleHandleW(u"com_test_server.dll"), module);
  EXPECT_EQ(GetModuleHandleA("COM_TEST_SERVER.dll"), module);
  EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleW(nullptr));

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(com_test::is_loaded(kServer.c_str())) << "two loads, two frees";
  EXPECT_FAILS_WITH(GetModuleHandleW(u"com_test_server.dll"), nullptr, ERROR_MOD_NOT_FOUND);
}

TEST(LibraryLoader, SearchesTheConfiguredPath) {
  files_test::TempFolder folder;
  ASSERT_EQ(symlink(kServer.c_str(), (folder / "quarnhelper.so").c_str()), 0);
  EXPECT_FAILS_WITH(LoadLibraryW(u"QuarnHelper.dll"), nullptr, ERROR_MOD_NOT_FOUND);
  platform::loader::set_search_path({"/nonexistent", folder.path()});
  HMODULE module = LoadLibraryA("QuarnHelper.dll");
  EXPECT_NE(module, nullptr);
  if (module) {
    EXPECT_TRUE(FreeLibrary(module));
  }
  platform::loader::set_search_path({});
}

TEST(LibraryLoader, AbsolutePathsInBothForms) {
  HMODULE posix = LoadLibraryA(kServer.c_str());
  ASSERT_NE(posix, nullptr);
  HMODULE windows = LoadLibraryW(windows_form(kServer).c_str());
  EXPECT_EQ(windows, posix);
  EXPECT_TRUE(FreeLibrary(posix));
  EXPECT_TRUE(FreeLibrary(windows));
  EXPECT_EQ(LoadLibraryW(u"Z:\\nonexistent\\x.so"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\x.dll"), nullptr) << "only drive Z: is mapped";
}

TEST(LibraryLoader, ModuleFileNameOfTheExecutableAndShortBuffers) {
  char exe[1024];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(n, 0);
  const std::u16string expected = windows_form(std::string(exe, static_cast<std::size_t>(n)));
  EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(file_name_of(nullptr), expected);
  EXPECT_EQ(file_name_of(GetModuleHandleW(nullptr)), expected);

  WCHAR small[5];
  EXPECT_FAILS_WITH(GetModuleFileNameW(nullptr, small, 5), 5u, ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(small), expected.substr(0, 4)) << "truncated and terminated";
  EXPECT_EQ(folder_of(std::string(exe, static_cast<std::size_t>(n))), folder_of(kServer));
}

// The loader finds libraries through the drive table like every other file.
TEST(LibraryLoader, ALibraryOnAMappedDriveLoadsWhateverTheCaseAndIsNamedOnThatDrive) {
  const std::string file = kServer.substr(kServer.rfind('/') + 1);
  platform::ScopedMachineProfile machine;
  platform::map_drive(u'L', folder_of(kServer));
  std::u16string upper = u"L:\\";
  for (char c : file) upper += static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  HMODULE module = LoadLibraryW(upper.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(file_name_of(module), u"L:\\" + platform::from_utf8(file)) << "the drive with the longest folder";
  EXPECT_TRUE(FreeLibrary(module));

  EXPECT_FAILS_WITH(LoadLibraryW(u"K:\\com_test_server.so"), nullptr, ERROR_MOD_NOT_FOUND);  // an unmapped drive
}

}  // namespace
