#include <gtest/gtest.h>

#include "tests/platform/platform_test_support.h"

#include "platform/errhandlingapi.h"
#include "platform/winbase.h"
#include "platform/winerror.h"

namespace {

constexpr DWORD kSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

TEST(FormatMessage, GivesTheSystemsEnglishTextForEachCodeThePlatformReports) {
  struct Row { int line; DWORD code; std::u16string text; };
  const Row rows[] = {
      {__LINE__, 2, u"The system cannot find the file specified.\r\n"},
      {__LINE__, 3, u"The system cannot find the path specified.\r\n"},
      {__LINE__, 5, u"Access is denied.\r\n"},
      {__LINE__, 32, u"The process cannot access the file because it is being used by another process.\r\n"},
      {__LINE__, 80, u"The file exists.\r\n"},
      {__LINE__, 112, u"There is not enough space on the disk.\r\n"},
      {__LINE__, 123, u"The filename, directory name, or volume label syntax is incorrect.\r\n"},
      {__LINE__, 183, u"Cannot create a file when that file already exists.\r\n"},
      {__LINE__, 206, u"The filename or extension is too long.\r\n"},
      {__LINE__, static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)), u"Access is denied.\r\n"},
      {__LINE__, static_cast<DWORD>(E_FAIL), u"Unspecified error\r\n"},
  };
  for (const auto& row : rows) {
    WCHAR buffer[1040];
    const DWORD length = FormatMessageW(kSystem, nullptr, row.code, 0, buffer, 1040, nullptr);
    EXPECT_EQ(std::u16string(buffer, length), row.text) << "line " << row.line;
    EXPECT_EQ(buffer[length], 0) << "line " << row.line;
  }
}

TEST(FormatMessage, AllocatesTheBufferForTheCallerToFreeWithLocalFree) {
  LPWSTR text = nullptr;
  const DWORD length = FormatMessageW(kSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, ERROR_FILE_NOT_FOUND,
                                      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0,
                                      nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text, length), u"The system cannot find the file specified.\r\n");
  EXPECT_EQ(LocalFree(text), nullptr);
}

TEST(FormatMessage, FailsForSmallBuffersUnknownCodesAndOtherLanguages) {
  WCHAR small[10];
  EXPECT_FAILS_WITH(FormatMessageW(kSystem, nullptr, ERROR_ACCESS_DENIED, 0, small, 10, nullptr), 0u,
                    ERROR_INSUFFICIENT_BUFFER);
  WCHAR exact[20];  // "Access is denied.\r\n" and its terminator
  EXPECT_EQ(FormatMessageW(kSystem, nullptr, ERROR_ACCESS_DENIED, 0, exact, 19, nullptr), 0u);
  EXPECT_EQ(FormatMessageW(kSystem, nullptr, ERROR_ACCESS_DENIED, 0, exact, 20, nullptr), 19u);

  WCHAR buffer[100];
  EXPECT_FAILS_WITH(FormatMessageW(kSystem, nullptr, 0x2BAD, 0, buffer, 100, nullptr), 0u, ERROR_MR_MID_NOT_FOUND);
  EXPECT_EQ(FormatMessageW(kSystem, nullptr, ERROR_ACCESS_DENIED, MAKELANGID(0x07, SUBLANG_DEFAULT), buffer, 100,
                           nullptr),
            0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
  EXPECT_EQ(FormatMessageW(kSystem, nullptr, ERROR_ACCESS_DENIED, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), buffer,
                           100, nullptr),
            19u);
}

}  // namespace
