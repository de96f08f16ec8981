#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

#include "platform/src/registry/registry_store.h"
#include "platform/support/reg_key.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/registry/registry_test_support.h"

using namespace registry_test;
namespace fs = std::filesystem;
using platform::registry::Root;

namespace {

using files_test::TempFolder;
using files_test::write_text;

std::string read_bytes(const std::string& path) { return files_test::read_text(path).value_or("<no file>"); }

// A store file with one value in it, closed again.
std::string make_store_file(const TempFolder& folder, const std::string& name) {
  const std::string path = folder / name;
  platform::registry::ScopedStore scoped(platform::registry::open_store(path));
  platform::RegKey key;
  EXPECT_EQ(key.create(HKEY_CURRENT_USER, u"Software\\Kept"), ERROR_SUCCESS);
  EXPECT_EQ(key.set_string(u"Text", std::u16string(3000, u'x')), ERROR_SUCCESS);  // spans pages
  return path;
}

TEST(SqliteStore, ValuesPersistAcrossOpens) {
  TempFolder folder;
  const std::string path = make_store_file(folder, "registry.db");
  platform::registry::ScopedStore scoped(platform::registry::open_store(path));
  platform::RegKey key;
  ASSERT_EQ(key.open(HKEY_CURRENT_USER, u"SOFTWARE\\kept"), ERROR_SUCCESS);
  std::u16string text;
  ASSERT_EQ(key.get_string(u"text", text), ERROR_SUCCESS);
  EXPECT_EQ(text, std::u16string(3000, u'x'));
  for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
    EXPECT_EQ(entry.path().filename().string().find(".new-"), std::string::npos) << "no temporary file is left";
}

// Whatever is wrong with an existing file, opening it names the file, says why, and leaves
// every byte where it was.
TEST(SqliteStore, UnusableFilesAreRefusedAndLeftAlone) {
  TempFolder folder;
  const std::string good = read_bytes(make_store_file(folder, "good.db"));
  ASSERT_GT(good.size(), 8192u);
  // The bytes of `start` after another program ran one SQL statement on them.
  const auto changed_by_sql = [&](const std::string& start, const std::string& statement) {
    const std::string path = folder / "other.db";
    write_text(path, start);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return read_bytes(path);
  };
  struct Row { int line; std::string bytes; std::string reason; };
  const Row rows[] = {
      {__LINE__, "", "empty"},
      {__LINE__, std::string(5000, '\x5a'), "not an SQLite database"},
      {__LINE__, good.substr(0, good.size() - 4096), "damaged"},  // the last page gone
      {__LINE__, changed_by_sql("", "CREATE TABLE photos(id INTEGER PRIMARY KEY)"), "not a registry store"},
      {__LINE__, changed_by_sql(good, "PRAGMA user_version = 2"), "layout version is 2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    const std::string path = folder / ("bad-" + std::to_string(row.line) + ".db");
    write_text(path, row.bytes);
    try {
      (void)platform::registry::open_store(path);
      ADD_FAILURE() << "opened";
    } catch (const platform::registry::StoreError& e) {
      EXPECT_EQ(e.path(), path);
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(row.reason), std::string::npos) << e.what();
    }
    EXPECT_TRUE(read_bytes(path) == row.bytes) << "the file was changed";
  }
  EXPECT_THROW((void)platform::registry::open_store(folder / ""), platform::registry::StoreError) << "a folder";
  EXPECT_THROW((void)platform::registry::open_store(folder / "absent/registry.db"), platform::registry::StoreError);
}

// Separate connections writing one file at once are the reliability program's "contend" figure
// (registry_reliability_quick), with real processes.

class StoreTransactions : public ::testing::TestWithParam<StoreKind> {
 protected:
  std::shared_ptr<platform::registry::RegistryStore> store_ = make_store(GetParam());

  LONG set(const char16_t* name) {
    const BYTE one = 1;
    return store_->set_value(Root::CurrentUser, u"", name, REG_BINARY, {&one, 1});
  }
  bool has(const char16_t* name) {
    platform::registry::Value v;
    return store_->query_value(Root::CurrentUser, u"", name, v) == ERROR_SUCCESS;
  }
};

TEST_P(StoreTransactions, AFailingBodyUndoesItsWritesOnly) {
  ASSERT_EQ(set(u"Before"), ERROR_SUCCESS);
  // A body that writes `name` and answers `answer`.
  const auto writing = [this](const char16_t* name, LONG answer) {
    return [this, name, answer] {
      EXPECT_EQ(set(name), ERROR_SUCCESS);
      return answer;
    };
  };
  EXPECT_EQ(store_->transact([&] {
    bool created;
    EXPECT_EQ(store_->create_key(Root::CurrentUser, u"Made", created), ERROR_SUCCESS);
    return writing(u"Outer", ERROR_INVALID_DATA)();
  }),
            ERROR_INVALID_DATA);
  EXPECT_TRUE(has(u"Before"));
  EXPECT_FALSE(has(u"Outer"));
  EXPECT_EQ(store_->key_exists(Root::CurrentUser, u"Made"), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(store_->transact([&] {
    EXPECT_EQ(store_->transact(writing(u"Inner", ERROR_ACCESS_DENIED)), ERROR_ACCESS_DENIED);
    return writing(u"Kept", ERROR_SUCCESS)();
  }),
            ERROR_SUCCESS);
  EXPECT_TRUE(has(u"Kept"));
  EXPECT_FALSE(has(u"Inner")) << "the inner failure undid the inner write";

  const auto throwing = [&]() -> LONG {
    writing(u"Thrown", ERROR_SUCCESS)();
    throw std::runtime_error("body failed");
  };
  EXPECT_THROW(store_->transact(throwing), std::runtime_error);
  EXPECT_FALSE(has(u"Thrown"));
  EXPECT_EQ(set(u"After"), ERROR_SUCCESS) << "the store is usable after a thrown body";
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreTransactions, ::testing::ValuesIn(kAllStores), store_kind_name);

TEST(StoreLocation, TheDataFolderOrTheEnvironmentChoosesTheStore) {
  TempFolder folder;
  platform_test::ScopedEnv home("HOME", "/home/quarn");
  platform_test::ScopedEnv data("XDG_DATA_HOME", "/data/here");
  platform_test::ScopedEnv chosen("ZOZED_STORE", folder / "chosen.db");
  EXPECT_EQ(platform::registry::default_store_path(), "/data/here/zozed/registry.db");
  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  EXPECT_EQ(platform::registry::default_store_path(), "/home/quarn/.local/share/zozed/registry.db");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(platform::registry::default_store_path(), "/home/quarn/.local/share/zozed/registry.db");

  EXPECT_NE(platform::registry::open_default_store(), nullptr);
  EXPECT_TRUE(fs::exists(folder / "chosen.db"));
  unsetenv("ZOZED_STORE");
  setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
  EXPECT_NE(platform::registry::open_default_store(), nullptr);
  EXPECT_TRUE(fs::exists(folder / "data/zozed/registry.db")) << "the default folder is made";
}

}  // namespace
