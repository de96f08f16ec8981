#include "platform/src/registry/store_schema.h"

#include <string>

namespace platform::registry {
namespace {

// `fold` is the upper-cased name in big-endian UTF-16: SQLite compares blobs byte by byte, so
// ORDER BY fold is the registry's name order without a collation only this program knows;
// any SQLite tool can still check or read the file.
constexpr const char* kSchema = R"sql(
BEGIN;
CREATE TABLE keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER REFERENCES keys(id),
  name BLOB NOT NULL,
  fold BLOB NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE vals(
  id INTEGER PRIMARY KEY,
  key INTEGER NOT NULL REFERENCES keys(id),
  name BLOB NOT NULL,
  fold BLOB NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, fold));
INSERT INTO keys(id, parent, name, fold) VALUES
  (1, NULL, CAST('HKEY_CLASSES_ROOT' AS BLOB), x'01'),
  (2, NULL, CAST('HKEY_CURRENT_USER' AS BLOB), x'02'),
  (3, NULL, CAST('HKEY_LOCAL_MACHINE' AS BLOB), x'03'),
  (4, NULL, CAST('HKEY_USERS' AS BLOB), x'04');
PRAGMA application_id = 1515149906;
PRAGMA user_version = 1;
COMMIT;
)sql";

// Runs a query answering one integer.
bool query_int(sqlite3* db, const char* sql, sqlite3_int64& out, std::string& error) {
  sqlite3_stmt* s = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_step(s);
  const bool ok = rc == SQLITE_ROW;
  if (ok) out = sqlite3_column_int64(s, 0);
  else error = sqlite3_errmsg(db);
  sqlite3_finalize(s);
  return ok;
}

bool prepares(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  const bool ok = sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK;
  sqlite3_finalize(s);
  return ok;
}

}  // namespace

static_assert(kStoreApplicationId == 1515149906 && kStoreSchemaVersion == 1, "keep kSchema in step");

bool create_schema(sqlite3* db, std::string& error) {
  char* message = nullptr;
  if (sqlite3_exec(db, kSchema, nullptr, nullptr, &message) == SQLITE_OK) return true;
  error = message ? message : "cannot create the tables";
  sqlite3_free(message);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return false;
}

bool check_schema(sqlite3* db, std::string& error) {
  sqlite3_int64 value = 0;
  {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &s, nullptr);
    std::string verdict;
    if (rc == SQLITE_OK) rc = SQLITE_ROW;
    while (rc == SQLITE_ROW && (rc = sqlite3_step(s)) == SQLITE_ROW) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
      if (text && std::string(text) != "ok") verdict = verdict.empty() ? text : verdict;
    }
    if (rc != SQLITE_DONE) verdict = sqlite3_errmsg(db);
    sqlite3_finalize(s);
    if (!verdict.empty()) {
      error = "the database is damaged (" + verdict + ")";
      return false;
    }
  }
  if (!query_int(db, "PRAGMA application_id", value, error)) return false;
  if (value != kStoreApplicationId) {
    error = "it is an SQLite database, but not a registry store";
    return false;
  }
  if (!query_int(db, "PRAGMA user_version", value, error)) return false;
  if (value != kStoreSchemaVersion) {
    error = "its layout version is " + std::to_string(value) + "; this program reads version " +
            std::to_string(kStoreSchemaVersion);
    return false;
  }
  if (!prepares(db, "SELECT id, parent, name, fold FROM keys") ||
      !prepares(db, "SELECT id, key, name, fold, type, data FROM vals") ||
      !query_int(db, "SELECT count(*) FROM keys WHERE id BETWEEN 1 AND 4 AND parent IS NULL", value, error) ||
      value != 4) {
    error = "its tables are not those of a registry store";
    return false;
  }
  return true;
}

}  // namespace platform::registry
