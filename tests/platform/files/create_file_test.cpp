#include <gtest/gtest.h>

#include <cstring>

#include "platform/file_faults.h"
#include "platform/winbase.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"

namespace {

using files_test::DriveTest;
using files_test::read_text;

// Closes at the end of scope.
struct File {
  HANDLE handle;
  ~File() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

HANDLE open(const char16_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  return CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

TEST_F(DriveTest, DispositionsCreateOpenAndTruncateAsOnWindows) {
  make_file("old.txt", "old contents");
  struct Row {
    int line;
    const char16_t* path;
    DWORD disposition;
    bool opens;
    DWORD error;  // last error after the call, success or not
    const char* contents_after;  // of the file, null: no file
  };
  const Row rows[] = {
      {__LINE__, u"C:\\new1.txt", CREATE_NEW, true, ERROR_SUCCESS, ""},
      {__LINE__, u"C:\\OLD.TXT", CREATE_NEW, false, ERROR_FILE_EXISTS, nullptr},
      {__LINE__, u"C:\\new2.txt", CREATE_ALWAYS, true, ERROR_SUCCESS, ""},
      {__LINE__, u"C:\\Old.txt", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
      {__LINE__, u"C:\\new3.txt", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {__LINE__, u"C:\\new4.txt", OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
      {__LINE__, u"C:\\new4.txt", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
      {__LINE__, u"C:\\new5.txt", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {__LINE__, u"C:\\new1.txt", 0, false, ERROR_INVALID_PARAMETER, ""},
      {__LINE__, u"C:\\new1.txt", 6, false, ERROR_INVALID_PARAMETER, ""},
  };
  for (const auto& row : rows) {
    SetLastError(0xDEADBEEF);
    File file{open(row.path, GENERIC_READ | GENERIC_WRITE, 0, row.disposition)};
    EXPECT_EQ(file.handle != INVALID_HANDLE_VALUE, row.opens) << "line " << row.line;
    EXPECT_EQ(GetLastError(), row.error) << "line " << row.line;
    if (row.contents_after) {
      const auto posix = platform::posix_path_of(row.path);
      ASSERT_TRUE(posix) << "line " << row.line;
      EXPECT_EQ(read_text(*posix), row.contents_after) << "line " << row.line;
    }
  }
  make_file("keep.txt", "keep");
  File truncated{open(u"C:\\KEEP.txt", GENERIC_WRITE, 0, TRUNCATE_EXISTING)};
  EXPECT_NE(truncated.handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(read_text(posix("keep.txt")), "") << "the existing file's name is kept";
  EXPECT_EQ(open(u"C:\\keep.txt", GENERIC_READ, 0, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE)
      << "truncating needs write access";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(DriveTest, ReadsWritesSeeksAndSizesAFile) {
  File file{open(u"C:\\data.bin", GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW)};
  ASSERT_NE(file.handle, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.handle, "hello, world", 12, &written, nullptr));
  EXPECT_EQ(written, 12u);
  LARGE_INTEGER size{};
  ASSERT_TRUE(GetFileSizeEx(file.handle, &size));
  EXPECT_EQ(size.QuadPart, 12);
  DWORD high = 99;
  EXPECT_EQ(GetFileSize(file.handle, &high), 12u);
  EXPECT_EQ(high, 0u);

  LARGE_INTEGER to{}, at{};
  to.QuadPart = -5;
  ASSERT_TRUE(SetFilePointerEx(file.handle, to, &at, FILE_END));
  EXPECT_EQ(at.QuadPart, 7);
  char buffer[16] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(file.handle, buffer, sizeof(buffer), &read, nullptr));
  EXPECT_EQ(read, 5u);
  EXPECT_EQ(std::string(buffer, read), "world");
  ASSERT_TRUE(ReadFile(file.handle, buffer, sizeof(buffer), &read, nullptr)) << "the end is no failure";
  EXPECT_EQ(read, 0u);

  to.QuadPart = -1;
  EXPECT_FAILS_WITH(SetFilePointerEx(file.handle, to, nullptr, FILE_BEGIN), FALSE, ERROR_NEGATIVE_SEEK);
}

TEST_F(DriveTest, AccessRightsAreEnforcedOnTheHandle) {
  make_file("a.txt", "abc");
  File reader{open(u"C:\\a.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING)};
  ASSERT_NE(reader.handle, INVALID_HANDLE_VALUE);
  DWORD n = 7;
  EXPECT_FAILS_WITH(WriteFile(reader.handle, "x", 1, &n, nullptr), FALSE, ERROR_ACCESS_DENIED);
  EXPECT_EQ(n, 0u);

  File writer{open(u"C:\\a.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING)};
  ASSERT_NE(writer.handle, INVALID_HANDLE_VALUE);
  char c;
  EXPECT_FAILS_WITH(ReadFile(writer.handle, &c, 1, &n, nullptr), FALSE, ERROR_ACCESS_DENIED);

  files_test::make_read_only(posix("a.txt"));
  EXPECT_EQ(open(u"C:\\a.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE)
      << "a read-only file opens for reading only";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(DriveTest, ShareModesOfOpenHandlesConflictAsOnWindows) {
  make_file("shared.txt", "s");
  const char16_t* path = u"C:\\shared.txt";
  struct Row { int line; DWORD first_access, first_share, second_access, second_share; bool second_opens; };
  const Row rows[] = {
      {__LINE__, GENERIC_READ, 0, GENERIC_READ, FILE_SHARE_READ, false},  // the module's exclusive read
      {__LINE__, GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
      {__LINE__, GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
      {__LINE__, GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, false},  // must share writing
      {__LINE__, GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {__LINE__, FILE_READ_ATTRIBUTES, 0, GENERIC_READ, FILE_SHARE_READ, true},  // no data access, no conflict
  };
  for (const auto& row : rows) {
    File first{open(path, row.first_access, row.first_share, OPEN_EXISTING)};
    ASSERT_NE(first.handle, INVALID_HANDLE_VALUE) << "line " << row.line;
    SetLastError(0);
    File second{open(path, row.second_access, row.second_share, OPEN_EXISTING)};
    EXPECT_EQ(second.handle != INVALID_HANDLE_VALUE, row.second_opens) << "line " << row.line;
    if (!row.second_opens) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << "line " << row.line;
    }
  }

  File open_file{open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)};
  EXPECT_FAILS_WITH(DeleteFileW(path), FALSE, ERROR_SHARING_VIOLATION);
  CloseHandle(open_file.handle);
  open_file.handle = INVALID_HANDLE_VALUE;
  EXPECT_TRUE(DeleteFileW(path)) << "closing ends the conflict";
}

TEST_F(DriveTest, HandlesCloseOnceAndCreateFileATakesAnsiNames) {
  ASSERT_TRUE(platform::set_ansi_code_page(1252));
  make_file("caf\xc3\xa9.txt", "1252");  // "café.txt" on disk in UTF-8
  HANDLE file = CreateFileA("C:\\CAF\xc9.TXT", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "\\xC9 is \"É\" in code page 1252 and matches \"é\" ignoring case";
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FAILS_WITH(CloseHandle(file), FALSE, ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseHandle(nullptr));
}

TEST_F(DriveTest, AFullDiskRefusesWrites) {
  File file{open(u"C:\\full.bin", GENERIC_WRITE, 0, CREATE_ALWAYS)};
  ASSERT_NE(file.handle, INVALID_HANDLE_VALUE);
  platform::set_disk_full(u"C:", true);
  DWORD written = 5;
  EXPECT_FAILS_WITH(WriteFile(file.handle, "abc", 3, &written, nullptr), FALSE, ERROR_DISK_FULL);
  EXPECT_EQ(written, 0u);

  make_file("source.bin", "some bytes");
  EXPECT_FAILS_WITH(CopyFileW(u"C:\\source.bin", u"C:\\copy.bin", FALSE), FALSE, ERROR_DISK_FULL);
  EXPECT_FALSE(files_test::exists(posix("copy.bin"))) << "a failed copy leaves no target";

  platform::set_disk_full(u"c:", false);
  EXPECT_TRUE(WriteFile(file.handle, "abc", 3, &written, nullptr));
}

}  // namespace
