#include "suite/mail/outbox.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "platform/winerror.h"

namespace suite::mail {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what, int error_number) {
  throw OutboxError(what + ": " + std::strerror(error_number), win32_error_of(error_number));
}

struct Character {
  std::size_t bytes;  // how much of the text it spans
  bool usable;        // false: not a character (bad UTF-8) or a control character
};

// The UTF-8 character that starts at `at`.
Character character_at(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {1, true};
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return {1, false};
  }
  if (at + length > text.size()) return {1, false};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {1, false};
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points past Unicode are not characters.
  if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
      (code >= 0xD800 && code <= 0xDFFF))
    return {1, false};
  // C1 control characters.
  return {length, code > 0x9F};
}

bool refused_in_names(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

// A unique temporary file in `folder`, removed unless it was renamed away.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& folder) : path_((folder / ".zozed-message-XXXXXX").string()) {
    fd_ = mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) fail("cannot write into the outbox \"" + folder.string() + "\"", errno);
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void write_all(const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t wrote = ::write(fd_, data.data() + done, data.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote < 0) fail("cannot write the message", errno);
      done += static_cast<std::size_t>(wrote);
    }
    if (::fsync(fd_) != 0) fail("cannot write the message", errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) fail("cannot write the message", errno);
  }

  // Gives the file the name `target` unless that name is taken; false when it is.
  bool rename_to(const fs::path& target) {
    if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
      path_.clear();
      return true;
    }
    if (errno == EEXIST) return false;
    // File systems without RENAME_NOREPLACE: a hard link fails just as well on a taken name.
    if (errno != EINVAL && errno != ENOSYS) fail("cannot write the message", errno);
    if (::link(path_.c_str(), target.c_str()) != 0) {
      if (errno == EEXIST) return false;
      fail("cannot write the message", errno);
    }
    return true;  // the destructor removes the temporary name
  }

 private:
  std::string path_;
  int fd_ = -1;
};

bool name_taken(const fs::path& path) {
  std::error_code ignored;
  return fs::symlink_status(path, ignored).type() != fs::file_type::not_found;
}

}  // namespace

DWORD win32_error_of(int error_number) {
  switch (error_number) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES: case EPERM: case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOSPC: case EDQUOT: case EFBIG: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE: case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_WRITE_FAULT;
  }
}

fs::path default_outbox() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const fs::path base = data_home && data_home[0] == '/' ? fs::path(data_home)
                        : home && *home                  ? fs::path(home) / ".local/share"
                                                         : fs::temp_directory_path();
  return base / "zozed" / "outbox";
}

std::string file_name_part(std::string_view text, std::size_t max_bytes) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const Character c = character_at(text, at);
    const bool usable = c.usable && !(c.bytes == 1 && refused_in_names(static_cast<unsigned char>(text[at])));
    const std::size_t bytes = usable ? c.bytes : 1;
    if (out.size() + bytes > max_bytes) break;
    if (usable)
      out.append(text.substr(at, c.bytes));
    else
      out += '_';
    at += c.bytes;
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
  return out;
}

std::string message_stem(std::string_view subject, const std::tm& when) {
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H%M%S", &when);
  // Room for the stamp, " (NNN)" and ".eml" in a 255-byte name.
  const std::string title = file_name_part(subject, 120);
  return title.empty() ? std::string(stamp) : std::string(stamp) + " " + title;
}

fs::path write_message(const fs::path& folder, std::string_view stem, const std::string& message) {
  std::error_code made;
  fs::create_directories(folder, made);
  if (made) fail("cannot make the outbox \"" + folder.string() + "\"", made.value());
  TemporaryFile file(folder);
  file.write_all(message);
  for (int n = 1;; ++n) {
    const std::string name = n == 1 ? std::string(stem) : std::string(stem) + " (" + std::to_string(n) + ")";
    // The folder of the same name is where the message's attachments may go.
    if (name_taken(folder / name)) continue;
    const fs::path target = folder / (name + ".eml");
    if (file.rename_to(target)) return target;
  }
}

std::vector<std::string> copy_attachments(const fs::path& into, const std::vector<std::string>& files) {
  std::error_code error;
  if (!fs::create_directory(into, error)) {
    if (!error) error = std::make_error_code(std::errc::file_exists);
    fail("cannot make the folder \"" + into.string() + "\"", error.value());
  }
  std::vector<std::string> copies;
  std::set<std::string> names;
  try {
    for (const auto& file : files) {
      const fs::path source(file);
      std::string name = source.filename().string();
      for (int n = 2; !names.insert(name).second; ++n)
        name = source.stem().string() + " (" + std::to_string(n) + ")" + source.extension().string();
      const fs::path copy = into / name;
      if (!fs::copy_file(source, copy, fs::copy_options::none, error))
        fail("cannot copy \"" + file + "\" beside the message", error ? error.value() : EIO);
      copies.push_back(copy.string());
    }
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(into, ignored);
    throw;
  }
  return copies;
}

}  // namespace suite::mail
