// WMIsContentProtected reached through LoadLibraryA("wmvcore.dll"), on ASF headers built here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
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

void put_u64(Bytes& b, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put_u32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put_guid(Bytes& b, const char* text) {
  const GUID g = [&] {
    GUID out{};
    unsigned d[11];
    std::sscanf(text, "%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x", &d[0], &d[1], &d[2], &d[3], &d[4], &d[5], &d[6], &d[7],
                &d[8], &d[9], &d[10]);
    out.Data1 = d[0];
    out.Data2 = static_cast<WORD>(d[1]);
    out.Data3 = static_cast<WORD>(d[2]);
    for (int i = 0; i < 8; ++i) out.Data4[i] = static_cast<BYTE>(d[3 + i]);
    return out;
  }();
  put_u32(b, g.Data1);
  b.push_back(static_cast<std::uint8_t>(g.Data2));
  b.push_back(static_cast<std::uint8_t>(g.Data2 >> 8));
  b.push_back(static_cast<std::uint8_t>(g.Data3));
  b.push_back(static_cast<std::uint8_t>(g.Data3 >> 8));
  for (BYTE x : g.Data4) b.push_back(x);
}

constexpr const char* kHeader = "75B22630-668E-11CF-A6D9-00AA0062CE6C";
constexpr const char* kFileProperties = "8CABDCA1-A947-11CF-8EE4-00C00C205365";
constexpr const char* kContentEncryption = "2211B3FB-BD23-11D2-B4B7-00A0C955FC6E";
constexpr const char* kExtendedContentEncryption = "298AE614-2622-4C17-B935-DAE07EE9289C";
constexpr const char* kDigitalSignature = "2211B3FC-BD23-11D2-B4B7-00A0C955FC6E";

struct Object {
  const char* guid;
  std::size_t payload;
};

// A header object holding `objects`, followed by the start of a data object.
Bytes asf_file(const std::vector<Object>& objects) {
  Bytes body;
  for (const auto& o : objects) {
    put_guid(body, o.guid);
    put_u64(body, 24 + o.payload);
    body.insert(body.end(), o.payload, 0x5A);
  }
  Bytes file;
  put_guid(file, kHeader);
  put_u64(file, 30 + body.size());
  put_u32(file, static_cast<std::uint32_t>(objects.size()));
  file.push_back(1);
  file.push_back(2);
  file.insert(file.end(), body.begin(), body.end());
  put_guid(file, "75B22636-668E-11CF-A6D9-00AA0062CE6C");
  put_u64(file, 50);
  return file;
}

class ContentProtectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("wmvcore.dll");
    ASSERT_NE(module_, nullptr) << "wmvcore.so beside the test executable";
    check_ = reinterpret_cast<IsProtectedFn>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "WMIsContentProtected")));
    ASSERT_NE(check_, nullptr);
    folder_ = std::filesystem::temp_directory_path() /
              ("wmvcore_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    if (module_) FreeLibrary(module_);
  }

  std::u16string write(const std::string& name, const Bytes& bytes) {
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return platform::windows_path_of(path.string());
  }

  HMODULE module_ = nullptr;
  IsProtectedFn check_ = nullptr;
  std::filesystem::path folder_;
};

TEST_F(ContentProtectionTest, EncryptionObjectsMakeTheFileProtected) {
  struct Row {
    int line;
    std::vector<Object> objects;
    BOOL expected;
  };
  const Row rows[] = {
      {__LINE__, {{kFileProperties, 80}}, FALSE},
      {__LINE__, {}, FALSE},
      {__LINE__, {{kFileProperties, 80}, {kContentEncryption, 40}}, TRUE},
      {__LINE__, {{kExtendedContentEncryption, 12}, {kFileProperties, 80}}, TRUE},
      {__LINE__, {{kDigitalSignature, 20}}, FALSE},
  };
  for (const auto& row : rows) {
    const auto path = write("clip.wmv", asf_file(row.objects));
    BOOL is_protected = -7;
    EXPECT_EQ(check_(path.c_str(), &is_protected), S_OK) << "row at line " << row.line;
    EXPECT_EQ(is_protected, row.expected) << "row at line " << row.line;
  }
}

TEST_F(ContentProtectionTest, DamagedOrForeignFilesFailAndAreNotProtected) {
  Bytes overlong = asf_file({{kFileProperties, 10}, {kContentEncryption, 10}});
  overlong[30 + 16] = 0xFF;  // first object claims more than the header holds
  Bytes extra_count = asf_file({{kContentEncryption, 4}});
  extra_count[24] = 2;  // one more object counted than stored
  Bytes truncated = asf_file({{kContentEncryption, 40}});
  truncated.resize(60);
  Bytes undersized = asf_file({{kContentEncryption, 40}});
  undersized[30 + 16] = 3;  // smaller than an object's own preamble
  Bytes huge_claim = asf_file({});
  for (int i = 16; i < 24; ++i) huge_claim[i] = 0x7F;
  const Bytes text{'h', 'e', 'l', 'l', 'o'};
  struct Row {
    int line;
    const char* name;
    Bytes bytes;
  };
  const Row rows[] = {
      {__LINE__, "empty.wmv", {}},         {__LINE__, "text.wmv", text},
      {__LINE__, "overlong.wmv", overlong}, {__LINE__, "count.wmv", extra_count},
      {__LINE__, "cut.wmv", truncated},     {__LINE__, "undersized.wmv", undersized},
      {__LINE__, "huge.wmv", huge_claim},
  };
  for (const auto& row : rows) {
    const auto path = write(row.name, row.bytes);
    BOOL is_protected = TRUE;
    EXPECT_TRUE(FAILED(check_(path.c_str(), &is_protected))) << "row at line " << row.line;
    EXPECT_EQ(is_protected, FALSE) << "row at line " << row.line;
  }
}

TEST_F(ContentProtectionTest, MissingFileAndBadArguments) {
  BOOL is_protected = TRUE;
  const auto missing = platform::windows_path_of((folder_ / "absent.wmv").string());
  EXPECT_EQ(check_(missing.c_str(), &is_protected), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(is_protected, FALSE);
  EXPECT_EQ(check_(missing.c_str(), nullptr), E_POINTER);
  is_protected = TRUE;
  EXPECT_EQ(check_(nullptr, &is_protected), E_INVALIDARG);
  EXPECT_EQ(is_protected, FALSE);
}

}  // namespace
