// The error each file function reports for the usual ways a path can be wrong, and the
// text FormatMessage gives for those errors.
#include <gtest/gtest.h>

#include <functional>

#include "platform/errhandlingapi.h"
#include "platform/file_faults.h"
#include "platform/winbase.h"
#include "platform/winerror.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"

namespace {

using files_test::DriveTest;

class FileErrors : public DriveTest {
 protected:
  FileErrors() {
    make_folder("dir/sub");
    make_file("dir/file.txt", "contents");
  }
};

struct Call {
  const char* name;
  std::function<bool(const std::u16string&)> run;  // true when the call succeeded
};

const Call kCalls[] = {
    {"GetFileAttributesW", [](const std::u16string& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }},
    {"CreateFileW(OPEN_EXISTING)",
     [](const std::u16string& p) {
       HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
       if (h == INVALID_HANDLE_VALUE) return false;
       CloseHandle(h);
       return true;
     }},
    {"DeleteFileW", [](const std::u16string& p) { return DeleteFileW(p.c_str()) != FALSE; }},
    {"CreateDirectoryW", [](const std::u16string& p) { return CreateDirectoryW(p.c_str(), nullptr) != FALSE; }},
    {"RemoveDirectoryW", [](const std::u16string& p) { return RemoveDirectoryW(p.c_str()) != FALSE; }},
    {"CopyFileW(from)",
     [](const std::u16string& p) { return CopyFileW(p.c_str(), u"C:\\dir\\copy.bin", FALSE) != FALSE; }},
    {"MoveFileW(from)", [](const std::u16string& p) { return MoveFileW(p.c_str(), u"C:\\dir\\moved.bin") != FALSE; }},
    {"SetFileAttributesW",
     [](const std::u16string& p) { return SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE; }},
};

const Call& call(std::string_view name) {
  for (const auto& c : kCalls)
    if (name == c.name) return c;
  throw std::logic_error("no such call");
}

TEST_F(FileErrors, EachFunctionGivesTheWindowsErrorForEachKindOfBadPath) {
  const std::u16string too_long = u"C:\\dir\\" + std::u16string(260, u'n');
  struct Row {
    int line;
    const char* call;
    std::u16string path;
    DWORD error;  // 0: succeeds
  };
  const Row rows[] = {
      // A missing file, a missing folder on the way.
      {__LINE__, "GetFileAttributesW", u"C:\\dir\\missing.txt", ERROR_FILE_NOT_FOUND},
      {__LINE__, "GetFileAttributesW", u"C:\\nodir\\missing.txt", ERROR_PATH_NOT_FOUND},
      {__LINE__, "GetFileAttributesW", u"C:\\dir\\file.txt\\below", ERROR_PATH_NOT_FOUND},
      {__LINE__, "CreateFileW(OPEN_EXISTING)", u"C:\\nodir\\missing.txt", ERROR_PATH_NOT_FOUND},
      {__LINE__, "DeleteFileW", u"C:\\dir\\missing.txt", ERROR_FILE_NOT_FOUND},
      {__LINE__, "CopyFileW(from)", u"C:\\dir\\missing.txt", ERROR_FILE_NOT_FOUND},
      {__LINE__, "MoveFileW(from)", u"C:\\nodir\\missing.txt", ERROR_PATH_NOT_FOUND},
      {__LINE__, "RemoveDirectoryW", u"C:\\dir\\nosub", ERROR_FILE_NOT_FOUND},
      {__LINE__, "SetFileAttributesW", u"C:\\dir\\missing.txt", ERROR_FILE_NOT_FOUND},
      {__LINE__, "CreateDirectoryW", u"C:\\nodir\\new", ERROR_PATH_NOT_FOUND},
      // What exists already, or is of the other kind.
      {__LINE__, "CreateDirectoryW", u"C:\\dir\\sub", ERROR_ALREADY_EXISTS},
      {__LINE__, "CreateDirectoryW", u"C:\\DIR\\FILE.TXT", ERROR_ALREADY_EXISTS},
      {__LINE__, "DeleteFileW", u"C:\\dir\\sub", ERROR_ACCESS_DENIED},
      {__LINE__, "RemoveDirectoryW", u"C:\\dir\\file.txt", ERROR_DIRECTORY},
      {__LINE__, "RemoveDirectoryW", u"C:\\dir", ERROR_DIR_NOT_EMPTY},
      {__LINE__, "CreateFileW(OPEN_EXISTING)", u"C:\\dir\\sub", ERROR_ACCESS_DENIED},
      {__LINE__, "CopyFileW(from)", u"C:\\dir\\sub", ERROR_ACCESS_DENIED},
      // Names Windows cannot have, and paths that are too long.
      {__LINE__, "CreateDirectoryW", u"C:\\dir\\a*b", ERROR_INVALID_NAME},
      {__LINE__, "DeleteFileW", u"C:\\dir\\a\"b", ERROR_INVALID_NAME},
      {__LINE__, "GetFileAttributesW", too_long, ERROR_PATH_NOT_FOUND},
      {__LINE__, "CreateFileW(OPEN_EXISTING)", too_long, ERROR_PATH_NOT_FOUND},
      {__LINE__, "CreateDirectoryW", too_long, ERROR_FILENAME_EXCED_RANGE},
      // And the cases that work, whatever the case of the names.
      {__LINE__, "GetFileAttributesW", u"c:\\DIR\\File.Txt", 0},
      {__LINE__, "CreateDirectoryW", u"C:\\Dir\\New", 0},      {__LINE__, "RemoveDirectoryW", u"C:\\dir\\NEW\\", 0},
      {__LINE__, "DeleteFileW", u"C:\\DIR\\FILE.TXT", 0},
  };
  for (const auto& row : rows) {
    SetLastError(0xDEADBEEF);
    const bool ok = call(row.call).run(row.path);
    if (row.error == 0) {
      EXPECT_TRUE(ok) << "line " << row.line << " " << row.call << " error " << GetLastError();
    } else {
      EXPECT_FALSE(ok) << "line " << row.line << " " << row.call;
      EXPECT_EQ(GetLastError(), row.error) << "line " << row.line << " " << row.call;
    }
  }
}

TEST_F(FileErrors, CreateDirectoryTakesAtMost247Characters) {
  // "C:\dir\" is 7 characters.
  const std::u16string longest = u"C:\\dir\\" + std::u16string(240, u'd');
  EXPECT_TRUE(CreateDirectoryW(longest.c_str(), nullptr));
  EXPECT_FAILS_WITH(CreateDirectoryW((longest + u"x").c_str(), nullptr), FALSE, ERROR_FILENAME_EXCED_RANGE);
}

TEST_F(FileErrors, AReadOnlyFolderRefusesChangesWhoeverRunsTheProcess) {
  platform::set_read_only_folder(posix("dir"), true);
  struct Row { int line; const char* call; std::u16string path; };
  const Row rows[] = {
      {__LINE__, "CreateDirectoryW", u"C:\\dir\\new"},         {__LINE__, "DeleteFileW", u"C:\\dir\\file.txt"},
      {__LINE__, "RemoveDirectoryW", u"C:\\dir\\sub"},         {__LINE__, "MoveFileW(from)", u"C:\\dir\\file.txt"},
      {__LINE__, "SetFileAttributesW", u"C:\\dir\\file.txt"},
  };
  for (const auto& row : rows) {
    SetLastError(0);
    EXPECT_FALSE(call(row.call).run(row.path)) << "line " << row.line;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "line " << row.line;
  }
  EXPECT_FAILS_WITH(CopyFileW(u"C:\\dir\\file.txt", u"C:\\dir\\copy.txt", FALSE), FALSE, ERROR_ACCESS_DENIED);
  EXPECT_NE(GetFileAttributesW(u"C:\\dir\\file.txt"), INVALID_FILE_ATTRIBUTES) << "reading is still allowed";

  platform::set_read_only_folder(posix("dir"), false);
  EXPECT_TRUE(CreateDirectoryW(u"C:\\dir\\new", nullptr));
}

constexpr DWORD kSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

TEST(FormatMessage, GivesTheSystemsEnglishText) {
  struct Row { int line; DWORD code; std::u16string text; };
  // A Win32 code, the same code as an HRESULT, and an HRESULT of its own; the rest is the table.
  const Row rows[] = {
      {__LINE__, 32, u"The process cannot access the file because it is being used by another process.\r\n"},
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
