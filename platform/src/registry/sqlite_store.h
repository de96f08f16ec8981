// A registry store kept in an SQLite database: every write is one transaction, taken with the
// write lock up front, so several processes can share the file and a crash at any moment
// leaves each value as it was before or after the write.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "platform/src/registry/registry_store.h"
#include "platform/src/registry/sqlite_statement.h"

namespace platform::registry {

class SqliteStore final : public RegistryStore {
 public:
  // Takes a connection whose schema has been checked.
  SqliteStore(sql::Connection connection, std::string path);
  ~SqliteStore() override;
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

  LONG key_exists(Root root, std::u16string_view path) override;
  LONG create_key(Root root, std::u16string_view path, bool& created) override;
  LONG delete_key(Root root, std::u16string_view path) override;
  LONG enum_subkey(Root root, std::u16string_view path, DWORD index, std::u16string& name) override;
  LONG query_value(Root root, std::u16string_view path, std::u16string_view name, Value& out) override;
  LONG enum_value(Root root, std::u16string_view path, DWORD index, Value& out) override;
  LONG set_value(Root root, std::u16string_view path, std::u16string_view name, DWORD type,
                 std::span<const BYTE> data) override;
  LONG delete_value(Root root, std::u16string_view path, std::u16string_view name) override;
  LONG key_info(Root root, std::u16string_view path, KeyInfo& out) override;
  LONG transact(const std::function<LONG()>& body) override;

  const std::string& path() const noexcept { return path_; }

 private:
  sql::Use use(const char* sql);
  LONG run(bool write, const std::function<LONG()>& body);
  LONG exec(const char* sql);
  LONG find(Root root, std::u16string_view path, sqlite3_int64& id);

  std::recursive_mutex mutex_;
  sql::Connection connection_;
  std::string path_;
  std::map<const char*, sqlite3_stmt*> statements_;
  int depth_ = 0;
};

// Win32 code for an SQLite result code.
LONG win32_error_of(int sqlite_rc) noexcept;

}  // namespace platform::registry
