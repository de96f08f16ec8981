// What the mail tests share: a temporary folder of their own, messages parsed back with GMime,
// and percent-decoding as mail programs do it.
#pragma once

#include <gmime/gmime.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <string>

namespace mail_test {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() : path_(fs::temp_directory_path() / ("zozed-mail-" + std::to_string(::getpid()) + "-" + std::to_string(next()))) {
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const fs::path& path() const { return path_; }
  std::string write(const std::string& name, const std::string& data) const {
    std::ofstream(path_ / name, std::ios::binary) << data;
    return (path_ / name).string();
  }

 private:
  static int next() {
    static int n = 0;
    return ++n;
  }
  fs::path path_;
};

inline std::string read_all(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A parsed message, released with the test.
struct Parsed {
  explicit Parsed(const std::string& text) {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(text.data(), text.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    message = g_mime_parser_construct_message(parser, nullptr);
    g_object_unref(parser);
    g_object_unref(stream);
  }
  ~Parsed() {
    if (message) g_object_unref(message);
  }
  Parsed(const Parsed&) = delete;
  Parsed& operator=(const Parsed&) = delete;
  GMimeMessage* message = nullptr;
};

inline std::string mime_type(GMimeObject* object) {
  char* type = g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object));
  std::string out = type;
  g_free(type);
  return out;
}

inline std::string decoded(GMimePart* part) {
  GMimeStream* out = g_mime_stream_mem_new();
  g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(part), out);
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
  std::string data(reinterpret_cast<const char*>(bytes->data), bytes->len);
  g_object_unref(out);
  return data;
}

// %XX decoded strictly, as decodeURIComponent and g_uri_unescape_string take it.
inline std::string percent_decoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
      throw std::invalid_argument("malformed escape in " + text);
    out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  return out;
}

// The path a file: URI names, decoded by GLib as the GTK mail programs decode it.
inline std::string path_of_uri(const std::string& uri) {
  gchar* path = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
  std::string out = path ? path : "(not a file URI: " + uri + ")";
  g_free(path);
  return out;
}

}  // namespace mail_test
