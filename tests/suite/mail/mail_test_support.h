// What the mail tests share: a temporary folder of their own, messages parsed back with GMime,
// and percent-decoding as mail programs do it.
#pragma once

#include <gmime/gmime.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mail_test {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() : path_(fs::temp_directory_path() / ("zozed-mail-" + std::to_string(::getpid()) + "-" + std::to_string(++count_))) {
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_, ignored_); }
  const fs::path& path() const { return path_; }
  std::string write(const std::string& name, const std::string& data) const {
    std::ofstream(path_ / name, std::ios::binary) << data;
    return (path_ / name).string();
  }

 private:
  static inline int count_ = 0;
  fs::path path_;
  std::error_code ignored_;
};

inline std::string read_all(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A message parsed back, released with the test.
struct Parsed {
  explicit Parsed(const std::string& text) {
    static const bool ready = (g_mime_init(), true);
    (void)ready;
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
  GMimeObject* part(int index) const { return g_mime_multipart_get_part(GMIME_MULTIPART(g_mime_message_get_mime_part(message)), index); }
  GMimeMessage* message = nullptr;
};

inline std::string mime_type(GMimeObject* object) {
  char* type = g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object));
  std::string out = type;
  g_free(type);
  return out;
}

inline std::string decoded(GMimeObject* part) {
  GMimeStream* out = g_mime_stream_mem_new();
  g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(GMIME_PART(part)), out);
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
  std::string data(reinterpret_cast<const char*>(bytes->data), bytes->len);
  g_object_unref(out);
  return data;
}

// %XX decoded once, as decodeURIComponent and g_uri_unescape_string do; "(bad)" for a bad escape.
inline std::string percent_decoded(const std::string& text) {
  gchar* out = g_uri_unescape_string(text.c_str(), nullptr);
  std::string result = out ? out : "(bad escape in " + text + ")";
  g_free(out);
  return result;
}

// The path a file: URI names, decoded by GLib as the GTK mail programs decode it.
inline std::string path_of_uri(const std::string& uri) {
  gchar* path = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
  std::string out = path ? path : "(not a file URI: " + uri + ")";
  g_free(path);
  return out;
}

// `text` cut at each `separator`.
inline std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> out(1);
  for (const char c : text) {
    if (c == separator)
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

}  // namespace mail_test
