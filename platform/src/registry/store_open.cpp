// Opening a registry store file: an existing file is checked before anything is written to
// it and is never replaced; a missing one is built under a temporary name and linked into
// place, so no process ever sees a half-made store.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/src/registry/sqlite_store.h"
#include "platform/src/registry/store_schema.h"

namespace platform::registry {
namespace {

constexpr int kBusyTimeoutMs = 30000;

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
  throw StoreError(path, "cannot use the registry store \"" + path + "\": " + reason);
}

std::string errno_text(int err) { return std::strerror(err); }

// Refuses, before SQLite sees it, a file that cannot be a database: SQLite would take an
// empty file for a new database and fill it.
void check_header(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail(path, errno_text(errno));
  char header[100];
  const ssize_t got = ::pread(fd, header, sizeof header, 0);
  const int err = errno;
  ::close(fd);
  if (got < 0) fail(path, errno_text(err));
  if (got == 0) fail(path, "the file is empty; it is left as it is");
  if (got < static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
    fail(path, "the file is not an SQLite database; it is left as it is");
}

void configure(sqlite3* db, const std::string& path, bool file) {
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db, 1);
  if (!file) return;
  // WAL: a crashed writer's transaction is simply absent from the log. FULL: the log is
  // synced at every commit, so a saved setting also survives a power cut, not only a crash.
  char* message = nullptr;
  if (sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL", nullptr, nullptr, &message) !=
      SQLITE_OK) {
    const std::string reason = message ? message : "cannot set the journal mode";
    sqlite3_free(message);
    fail(path, reason);
  }
}

std::shared_ptr<RegistryStore> open_existing(const std::string& path) {
  check_header(path);
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
  sql::Connection db(raw);
  if (rc != SQLITE_OK) fail(path, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
  if (sqlite3_db_readonly(db.db, "main") == 1) fail(path, "the file cannot be written");
  sqlite3_busy_timeout(db.db, kBusyTimeoutMs);
  std::string reason;
  if (!check_schema(db.db, reason)) fail(path, reason + "; it is left as it is");
  configure(db.db, path, true);
  return std::make_shared<SqliteStore>(std::move(db), path);
}

std::string folder_of(const std::string& path) {
  const std::size_t cut = path.rfind('/');
  return cut == std::string::npos ? "." : (cut == 0 ? "/" : path.substr(0, cut));
}

void sync_folder_of(const std::string& path) {
  const std::string folder = folder_of(path);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// Builds a new store beside `path` and links it in; loses quietly to another process that
// links its own first.
void create_new(const std::string& path) {
  const std::string folder = folder_of(path);
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    fail(path, "cannot create it: the folder \"" + folder + "\" does not exist");
  std::random_device random;
  const std::string temp = path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(random());
  {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(temp.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sql::Connection db(raw);
    if (rc != SQLITE_OK) fail(path, std::string("cannot create it: ") + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    std::string reason;
    const bool made = create_schema(db.db, reason) &&
                      sqlite3_exec(db.db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!made) {
      ::unlink(temp.c_str());
      fail(path, "cannot create it: " + reason);
    }
  }
  if (::link(temp.c_str(), path.c_str()) != 0 && errno != EEXIST) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail(path, "cannot create it: " + errno_text(err));
  }
  ::unlink(temp.c_str());
  sync_folder_of(path);
}

std::string home_folder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

void make_folders(const std::string& folder) {
  for (std::size_t cut = 1; cut != std::string::npos; cut = folder.find('/', cut + 1)) {
    const std::string part = folder.substr(0, cut);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
      throw StoreError(folder, "cannot create the folder \"" + part + "\" for the registry store: " + errno_text(errno));
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    throw StoreError(folder, "cannot create the folder \"" + folder + "\" for the registry store: " + errno_text(errno));
}

}  // namespace

std::shared_ptr<RegistryStore> open_store(const std::string& path) {
  if (path == ":memory:") {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sql::Connection db(raw);
    std::string reason;
    if (rc != SQLITE_OK || !create_schema(db.db, reason)) fail(path, reason.empty() ? sqlite3_errstr(rc) : reason);
    configure(db.db, path, false);
    return std::make_shared<SqliteStore>(std::move(db), path);
  }
  if (path.empty()) fail(path, "no file name given");
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) fail(path, errno_text(errno));
    create_new(path);
  } else if (S_ISDIR(info.st_mode)) {
    fail(path, "it is a folder");
  }
  return open_existing(path);
}

std::string default_store_path() {
  std::string data;
  // A relative XDG_DATA_HOME does not count: only absolute paths are valid there.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') data = xdg;
  else data = home_folder() + "/.local/share";
  return data + "/zozed/registry.db";
}

std::shared_ptr<RegistryStore> open_default_store() {
  if (const char* chosen = std::getenv("ZOZED_STORE"); chosen && *chosen) return open_store(chosen);
  const std::string path = default_store_path();
  make_folders(path.substr(0, path.rfind('/')));
  return open_store(path);
}

}  // namespace platform::registry
