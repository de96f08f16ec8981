// WMIsContentProtected reached through LoadLibraryA("wmvcore.dll"), on ASF headers built here.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/guiddef.h"
#include "platform/libloaderapi.h"
#include "platform/path_mapping.h"
#include "platform/winerror.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using IsProtectedFn = HRESULT(WINAPI*)(const WCHAR*, BOOL*);

// Little-endian, as ASF stores numbers and GUIDs.
template <class T>
void put(Bytes& b, const T& value) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  b.insert(b.end(), p, p + sizeof value);
}

constexpr GUID kFileProperties = platform::make_guid("8CABDCA1-A947-11CF-8EE4-00C00C205365");
constexpr GUID kContentEncryption = platform::make_guid("2211B3FB-BD23-11D2-B4B7-00A0C955FC6E");
constexpr GUID kExtendedContentEncryption = platform::make_guid("298AE614-2622-4C17-B935-DAE07EE9289C");
constexpr GUID kDigitalSignature = platform::make_guid("2211B3FC-BD23-11D2-B4B7-00A0C955FC6E");

// A header object holding objects of the given types and payload sizes, then a data object's start.
Bytes asf_file(const std::vector<std::pair<GUID, std::uint64_t>>& objects) {
  Bytes body;
  for (const auto& [guid, payload] : objects) {
    put(body, guid);
    put(body, std::uint64_t{24 + payload});
    body.insert(body.end(), payload, 0x5A);
  }
  Bytes file;
  put(file, platform::make_guid("75B22630-668E-11CF-A6D9-00AA0062CE6C"));
  put(file, std::uint64_t{30 + body.size()});
  put(file, static_cast<std::uint32_t>(objects.size()));
  file.insert(file.end(), {1, 2});
  file.insert(file.end(), body.begin(), body.end());
  put(file, platform::make_guid("75B22636-668E-11CF-A6D9-00AA0062CE6C"));
  put(file, std::uint64_t{50});
  return file;
}

TEST(ContentProtection, EncryptionObjectsMakeAFileProtectedAndDamagedFilesFail) {
  HMODULE module = LoadLibraryA("wmvcore.dll");
  ASSERT_NE(module, nullptr) << "wmvcore.so beside the test executable";
  const auto check =
      reinterpret_cast<IsProtectedFn>(reinterpret_cast<void (*)()>(GetProcAddress(module, "WMIsContentProtected")));
  ASSERT_NE(check, nullptr);
  const auto folder = std::filesystem::temp_directory_path() /
                      ("wmvcore_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  const auto write = [&](const std::string& name, const Bytes& bytes) {
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return platform::windows_path_of((folder / name).string());
  };

  Bytes overlong = asf_file({{kFileProperties, 10}, {kContentEncryption, 10}});
  overlong[30 + 16] = 0xFF;  // the first object claims more than the header holds
  Bytes extra_count = asf_file({{kContentEncryption, 4}});
  extra_count[24] = 2;  // one more object counted than stored
  Bytes truncated = asf_file({{kContentEncryption, 40}});
  truncated.resize(60);
  Bytes undersized = asf_file({{kContentEncryption, 40}});
  undersized[30 + 16] = 3;  // smaller than an object's own preamble
  Bytes huge_claim = asf_file({});
  std::fill(huge_claim.begin() + 16, huge_claim.begin() + 24, 0x7F);
  struct Row { int line; Bytes bytes; HRESULT hr; BOOL is_protected; };  // E_FAIL stands for any failure
  const Row rows[] = {
      {__LINE__, asf_file({{kFileProperties, 80}}), S_OK, FALSE},
      {__LINE__, asf_file({}), S_OK, FALSE},
      {__LINE__, asf_file({{kFileProperties, 80}, {kContentEncryption, 40}}), S_OK, TRUE},
      {__LINE__, asf_file({{kExtendedContentEncryption, 12}, {kFileProperties, 80}}), S_OK, TRUE},
      {__LINE__, asf_file({{kDigitalSignature, 20}}), S_OK, FALSE},
      {__LINE__, {}, E_FAIL, FALSE},
      {__LINE__, {'h', 'e', 'l', 'l', 'o'}, E_FAIL, FALSE},
      {__LINE__, overlong, E_FAIL, FALSE},
      {__LINE__, extra_count, E_FAIL, FALSE},
      {__LINE__, truncated, E_FAIL, FALSE},
      {__LINE__, undersized, E_FAIL, FALSE},
      {__LINE__, huge_claim, E_FAIL, FALSE},
  };
  for (const auto& row : rows) {
    const auto path = write("clip" + std::to_string(row.line) + ".wmv", row.bytes);
    BOOL is_protected = -7;
    const HRESULT hr = check(path.c_str(), &is_protected);
    EXPECT_EQ(FAILED(hr) ? E_FAIL : hr, row.hr) << "row at line " << row.line;
    EXPECT_EQ(is_protected, row.is_protected) << "row at line " << row.line;
  }

  BOOL is_protected = TRUE;
  const auto missing = platform::windows_path_of((folder / "absent.wmv").string());
  EXPECT_EQ(check(missing.c_str(), &is_protected), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(is_protected, FALSE);
  EXPECT_EQ(check(missing.c_str(), nullptr), E_POINTER);
  is_protected = TRUE;
  EXPECT_EQ(check(nullptr, &is_protected), E_INVALIDARG);
  EXPECT_EQ(is_protected, FALSE);
  std::filesystem::remove_all(folder);
  FreeLibrary(module);
}

}  // namespace
