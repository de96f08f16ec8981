#include "platform/src/registry/sqlite_store.h"

#include <stdexcept>

#include "platform/src/registry/name_fold.h"

namespace platform::registry {
namespace {

sqlite3_int64 root_id(Root root) { return static_cast<sqlite3_int64>(root) + 1; }

template <class F>
LONG for_each_name(std::u16string_view path, F&& f) {
  while (!path.empty()) {
    const std::size_t cut = path.find(u'\\');
    if (const LONG rc = f(path.substr(0, cut)); rc != ERROR_SUCCESS) return rc;
    if (cut == std::u16string_view::npos) break;
    path.remove_prefix(cut + 1);
  }
  return ERROR_SUCCESS;
}

LONG done_or_error(int rc) { return rc == SQLITE_DONE ? ERROR_SUCCESS : win32_error_of(rc); }

Value value_of(const sql::Use& row) {
  Value v;
  v.name = row.text(0);
  v.type = static_cast<DWORD>(row.integer(1));
  v.data = row.bytes(2);
  return v;
}

}  // namespace

LONG win32_error_of(int sqlite_rc) noexcept {
  switch (sqlite_rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return ERROR_SUCCESS;
    case SQLITE_NOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_FULL:
      return ERROR_DISK_FULL;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return ERROR_REGISTRY_CORRUPT;
    default:  // busy past the timeout, I/O errors
      return ERROR_REGISTRY_IO_FAILED;
  }
}

SqliteStore::SqliteStore(sql::Connection connection, std::string path)
    : connection_(std::move(connection)), path_(std::move(path)) {}

SqliteStore::~SqliteStore() {
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
}

sql::Use SqliteStore::use(const char* sql) {
  sqlite3_stmt*& statement = statements_[sql];
  if (!statement &&
      sqlite3_prepare_v3(connection_.db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
    statements_.erase(sql);
    throw std::runtime_error(std::string("registry store ") + path_ + ": " + sqlite3_errmsg(connection_.db));
  }
  return sql::Use(statement);
}

LONG SqliteStore::exec(const char* sql) { return win32_error_of(sqlite3_exec(connection_.db, sql, nullptr, nullptr, nullptr)); }

// Writes take the write lock at the start (BEGIN IMMEDIATE): a transaction that began as a
// reader could not wait for the lock later and would fail instead. Nested calls are savepoints.
LONG SqliteStore::run(bool write, const std::function<LONG()>& body) {
  std::lock_guard lock(mutex_);
  const bool outer = depth_ == 0;
  if (!outer && !write) return body();
  LONG rc = exec(outer ? (write ? "BEGIN IMMEDIATE" : "BEGIN") : "SAVEPOINT nested");
  if (rc != ERROR_SUCCESS) return rc;
  const auto undo = [&] {
    if (outer) (void)exec("ROLLBACK");
    else (void)exec("ROLLBACK TO nested; RELEASE nested");
  };
  ++depth_;
  try {
    rc = body();
  } catch (...) {
    --depth_;
    undo();
    throw;
  }
  --depth_;
  if (rc != ERROR_SUCCESS) {
    undo();
    return rc;
  }
  if ((rc = exec(outer ? "COMMIT" : "RELEASE nested")) != ERROR_SUCCESS) undo();
  return rc;
}

LONG SqliteStore::find(Root root, std::u16string_view path, sqlite3_int64& id) {
  id = root_id(root);
  return for_each_name(path, [&](std::u16string_view name) -> LONG {
    auto q = use("SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    q.bind(1, id).bind(2, fold_name(name));
    const int rc = q.step();
    if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (rc != SQLITE_ROW) return win32_error_of(rc);
    id = q.integer(0);
    return ERROR_SUCCESS;
  });
}

LONG SqliteStore::key_exists(Root root, std::u16string_view path) {
  return run(false, [&] {
    sqlite3_int64 id;
    return find(root, path, id);
  });
}

LONG SqliteStore::create_key(Root root, std::u16string_view path, bool& created) {
  created = false;
  return run(true, [&] {
    sqlite3_int64 id = root_id(root);
    return for_each_name(path, [&](std::u16string_view name) -> LONG {
      const std::vector<BYTE> fold = fold_name(name);
      {
        auto q = use("SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
        q.bind(1, id).bind(2, fold);
        const int rc = q.step();
        if (rc == SQLITE_ROW) {
          id = q.integer(0);
          created = false;
          return ERROR_SUCCESS;
        }
        if (rc != SQLITE_DONE) return win32_error_of(rc);
      }
      auto insert = use("INSERT INTO keys(parent, name, fold) VALUES (?1, ?2, ?3)");
      insert.bind(1, id).bind(2, name).bind(3, fold);
      if (const LONG rc = done_or_error(insert.step()); rc != ERROR_SUCCESS) return rc;
      id = sqlite3_last_insert_rowid(connection_.db);
      created = true;
      return ERROR_SUCCESS;
    });
  });
}

LONG SqliteStore::delete_key(Root root, std::u16string_view path) {
  if (path.empty()) return ERROR_ACCESS_DENIED;
  return run(true, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    {
      auto q = use("SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
      q.bind(1, id);
      const int rc = q.step();
      if (rc == SQLITE_ROW) return ERROR_ACCESS_DENIED;
      if (rc != SQLITE_DONE) return win32_error_of(rc);
    }
    auto values = use("DELETE FROM vals WHERE key = ?1");
    values.bind(1, id);
    if (const LONG rc = done_or_error(values.step()); rc != ERROR_SUCCESS) return rc;
    auto key = use("DELETE FROM keys WHERE id = ?1");
    key.bind(1, id);
    return done_or_error(key.step());
  });
}

LONG SqliteStore::enum_subkey(Root root, std::u16string_view path, DWORD index, std::u16string& name) {
  return run(false, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    auto q = use("SELECT name FROM keys WHERE parent = ?1 ORDER BY fold LIMIT 1 OFFSET ?2");
    q.bind(1, id).bind(2, static_cast<sqlite3_int64>(index));
    const int rc = q.step();
    if (rc == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (rc != SQLITE_ROW) return win32_error_of(rc);
    name = q.text(0);
    return ERROR_SUCCESS;
  });
}

LONG SqliteStore::query_value(Root root, std::u16string_view path, std::u16string_view name, Value& out) {
  return run(false, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    auto q = use("SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2");
    q.bind(1, id).bind(2, fold_name(name));
    const int rc = q.step();
    if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (rc != SQLITE_ROW) return win32_error_of(rc);
    out = value_of(q);
    return ERROR_SUCCESS;
  });
}

LONG SqliteStore::enum_value(Root root, std::u16string_view path, DWORD index, Value& out) {
  return run(false, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    // Row ids grow with each new value and an update keeps its row: the order of first setting.
    auto q = use("SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id LIMIT 1 OFFSET ?2");
    q.bind(1, id).bind(2, static_cast<sqlite3_int64>(index));
    const int rc = q.step();
    if (rc == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (rc != SQLITE_ROW) return win32_error_of(rc);
    out = value_of(q);
    return ERROR_SUCCESS;
  });
}

LONG SqliteStore::set_value(Root root, std::u16string_view path, std::u16string_view name, DWORD type,
                            std::span<const BYTE> data) {
  return run(true, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    // An existing value keeps the case of its name, as Windows keeps it.
    auto q = use(
        "INSERT INTO vals(key, name, fold, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
        "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    q.bind(1, id).bind(2, name).bind(3, fold_name(name)).bind(4, static_cast<sqlite3_int64>(type)).bind(5, data);
    return done_or_error(q.step());
  });
}

LONG SqliteStore::delete_value(Root root, std::u16string_view path, std::u16string_view name) {
  return run(true, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    auto q = use("DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    q.bind(1, id).bind(2, fold_name(name));
    if (const LONG rc = done_or_error(q.step()); rc != ERROR_SUCCESS) return rc;
    return sqlite3_changes(connection_.db) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG SqliteStore::key_info(Root root, std::u16string_view path, KeyInfo& out) {
  return run(false, [&]() -> LONG {
    sqlite3_int64 id;
    if (const LONG rc = find(root, path, id); rc != ERROR_SUCCESS) return rc;
    KeyInfo info;
    {
      auto q = use("SELECT count(*), coalesce(max(length(name)), 0) / 2 FROM keys WHERE parent = ?1");
      q.bind(1, id);
      if (const int rc = q.step(); rc != SQLITE_ROW) return win32_error_of(rc);
      info.subkeys = static_cast<DWORD>(q.integer(0));
      info.max_subkey_length = static_cast<DWORD>(q.integer(1));
    }
    auto q = use(
        "SELECT count(*), coalesce(max(length(name)), 0) / 2, coalesce(max(length(data)), 0) FROM vals "
        "WHERE key = ?1");
    q.bind(1, id);
    if (const int rc = q.step(); rc != SQLITE_ROW) return win32_error_of(rc);
    info.values = static_cast<DWORD>(q.integer(0));
    info.max_value_name_length = static_cast<DWORD>(q.integer(1));
    info.max_value_size = static_cast<DWORD>(q.integer(2));
    out = info;
    return ERROR_SUCCESS;
  });
}

LONG SqliteStore::transact(const std::function<LONG()>& body) { return run(true, body); }

}  // namespace platform::registry
