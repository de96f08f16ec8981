// The layout of a registry store database, and the check that a database has it.
#pragma once

#include <sqlite3.h>

#include <string>

namespace platform::registry {

// 'ZOZR': marks the file as a registry store for anyone who opens it.
inline constexpr int kStoreApplicationId = 0x5A4F5A52;
inline constexpr int kStoreSchemaVersion = 1;

// Creates the tables and the four roots in an empty database; false with `error` set.
bool create_schema(sqlite3* db, std::string& error);

// Reads only: checks the file's integrity and that it holds this schema. False with the
// reason in `error`.
bool check_schema(sqlite3* db, std::string& error);

}  // namespace platform::registry
