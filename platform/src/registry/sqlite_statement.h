// Thin helpers over SQLite's C interface for the registry store: a connection that closes
// itself, and statements that are reset and unbound when a use of them ends.
#pragma once

#include <sqlite3.h>

#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/windef.h"

namespace platform::registry::sql {

struct Connection {
  sqlite3* db = nullptr;
  Connection() = default;
  explicit Connection(sqlite3* d) : db(d) {}
  Connection(Connection&& o) noexcept : db(std::exchange(o.db, nullptr)) {}
  Connection& operator=(Connection&&) = delete;
  Connection(const Connection&) = delete;
  ~Connection() {
    if (db) sqlite3_close_v2(db);
  }
};

// One use of a prepared statement; resets it when the use ends.
class Use {
 public:
  explicit Use(sqlite3_stmt* s) : s_(s) {}
  Use(const Use&) = delete;
  Use& operator=(const Use&) = delete;
  ~Use() {
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
  }

  Use& bind(int i, sqlite3_int64 v) {
    sqlite3_bind_int64(s_, i, v);
    return *this;
  }
  // A non-null pointer even for no bytes: a null one would bind NULL, not an empty blob.
  Use& bind(int i, std::span<const BYTE> bytes) {
    static const BYTE none = 0;
    sqlite3_bind_blob(s_, i, bytes.empty() ? &none : bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Use& bind(int i, std::u16string_view text) {
    return bind(i, std::span<const BYTE>(reinterpret_cast<const BYTE*>(text.data()), text.size() * sizeof(char16_t)));
  }

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step() { return sqlite3_step(s_); }

  sqlite3_int64 integer(int col) const { return sqlite3_column_int64(s_, col); }
  std::vector<BYTE> bytes(int col) const {
    const auto* p = static_cast<const BYTE*>(sqlite3_column_blob(s_, col));
    return p ? std::vector<BYTE>(p, p + sqlite3_column_bytes(s_, col)) : std::vector<BYTE>();
  }
  std::u16string text(int col) const {
    const auto* p = static_cast<const BYTE*>(sqlite3_column_blob(s_, col));
    std::u16string out(static_cast<std::size_t>(sqlite3_column_bytes(s_, col)) / 2, u'\0');
    if (p && !out.empty()) std::memcpy(out.data(), p, out.size() * 2);
    return out;
  }

 private:
  sqlite3_stmt* s_;
};

}  // namespace platform::registry::sql
