// The loader finds libraries through the drive table like every other file.
#include <gtest/gtest.h>

#include "platform/libloaderapi.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/files/files_test_support.h"

namespace {

TEST(LibraryPaths, ALibraryOnAMappedDriveLoadsWhateverTheCaseAndIsNamedOnThatDrive) {
  const std::string server = COM_TEST_SERVER_PATH;
  const std::string folder = server.substr(0, server.rfind('/'));
  const std::string file = server.substr(server.rfind('/') + 1);
  platform::ScopedMachineProfile machine;
  platform::map_drive(u'L', folder);

  std::u16string upper = u"L:\\";
  for (char c : file) upper += static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  HMODULE module = LoadLibraryW(upper.c_str());
  ASSERT_NE(module, nullptr);
  WCHAR name[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, name, MAX_PATH);
  EXPECT_EQ(std::u16string(name, length), u"L:\\" + platform::from_utf8(file)) << "the drive with the longest folder";
  EXPECT_TRUE(FreeLibrary(module));

  EXPECT_FAILS_WITH(LoadLibraryW(u"K:\\com_test_server.so"), nullptr, ERROR_MOD_NOT_FOUND);  // an unmapped drive
}

}  // namespace
