#include "suite/mail/mime_composer.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <sstream>

namespace suite::mail {
namespace {

struct Unref {
  void operator()(gpointer object) const noexcept { g_object_unref(object); }
};
template <class T>
using GPtr = std::unique_ptr<T, Unref>;

void init_gmime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

struct TypeByExtension {
  const char* extension;
  const char* type;
};
constexpr std::array<TypeByExtension, 16> kTypes{{
    {".jpg", "image/jpeg"}, {".jpeg", "image/jpeg"}, {".jpe", "image/jpeg"}, {".png", "image/png"},
    {".gif", "image/gif"},  {".bmp", "image/bmp"},   {".tif", "image/tiff"}, {".tiff", "image/tiff"},
    {".webp", "image/webp"}, {".wmv", "video/x-ms-wmv"}, {".asf", "video/x-ms-asf"}, {".avi", "video/x-msvideo"},
    {".mpg", "video/mpeg"}, {".mp4", "video/mp4"}, {".wav", "audio/wav"}, {".mp3", "audio/mpeg"},
}};

std::string lower_extension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

bool is_picture(const std::string& path) { return mime_type_of(path).rfind("image/", 0) == 0; }

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw MailError("cannot read the attachment \"" + path + "\"");
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw MailError("cannot read the attachment \"" + path + "\"");
  return data;
}

std::string html_escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "<br>\n"; break;
      default: out += c;
    }
  }
  return out;
}

GMimeObject* text_part(const char* subtype, const std::string& text) {
  GMimeTextPart* part = g_mime_text_part_new_with_subtype(subtype);
  g_mime_text_part_set_text(part, text.c_str());
  g_mime_text_part_set_charset(part, "utf-8");
  return GMIME_OBJECT(part);
}

// A file as a base64 part; `content_id` makes it an inline part an HTML body can show.
GMimeObject* file_part(const std::string& path, const std::string& content_id) {
  const std::string data = read_file(path);
  const std::string type = mime_type_of(path);
  const auto slash = type.find('/');
  GMimePart* part = g_mime_part_new_with_type(type.substr(0, slash).c_str(), type.substr(slash + 1).c_str());
  GPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(data.data(), data.size()));
  GPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
  g_mime_part_set_content(part, content.get());
  g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
  g_mime_part_set_filename(part, std::filesystem::path(path).filename().string().c_str());
  if (!content_id.empty()) {
    g_mime_object_set_disposition(GMIME_OBJECT(part), GMIME_DISPOSITION_INLINE);
    g_mime_part_set_content_id(part, content_id.c_str());
  }
  return GMIME_OBJECT(part);
}

void add(GMimeMultipart* parent, GMimeObject* child) {
  g_mime_multipart_add(parent, child);
  g_object_unref(child);
}

GMimeObject* attachments_form(const MailContent& content) {
  GMimeMultipart* mixed = g_mime_multipart_new_with_subtype("mixed");
  GPtr<GMimeMultipart> guard(mixed);
  add(mixed, text_part("plain", content.body));
  for (const auto& file : content.files) add(mixed, file_part(file, {}));
  return GMIME_OBJECT(guard.release());
}

// related{ alternative{ plain, html }, pictures... }, inside mixed{ ..., other files } when there are any.
GMimeObject* embedded_form(const MailContent& content) {
  GPtr<GMimeMultipart> related(g_mime_multipart_new_with_subtype("related"));
  g_mime_object_set_content_type_parameter(GMIME_OBJECT(related.get()), "type", "multipart/alternative");
  std::ostringstream html;
  html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n<p>" << html_escaped(content.body)
       << "</p>\n";
  std::vector<std::pair<std::string, std::string>> pictures;  // path, content id
  std::vector<std::string> others;
  for (const auto& file : content.files) {
    if (is_picture(file))
      pictures.emplace_back(file, "picture" + std::to_string(pictures.size() + 1) + "@zozed");
    else
      others.push_back(file);
  }
  for (const auto& [file, id] : pictures)
    html << "<p><img src=\"cid:" << id << "\" alt=\"" << html_escaped(std::filesystem::path(file).filename().string())
         << "\"></p>\n";
  html << "</body></html>\n";

  GMimeMultipart* alternative = g_mime_multipart_new_with_subtype("alternative");
  add(alternative, text_part("plain", content.body));
  add(alternative, text_part("html", html.str()));
  add(related.get(), GMIME_OBJECT(alternative));
  for (const auto& [file, id] : pictures) add(related.get(), file_part(file, id));
  if (others.empty()) return GMIME_OBJECT(related.release());

  GPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
  add(mixed.get(), GMIME_OBJECT(related.release()));
  for (const auto& file : others) add(mixed.get(), file_part(file, {}));
  return GMIME_OBJECT(mixed.release());
}

}  // namespace

std::string mime_type_of(const std::string& path) {
  const std::string ext = lower_extension(path);
  for (const auto& entry : kTypes)
    if (ext == entry.extension) return entry.type;
  return "application/octet-stream";
}

std::string compose_message(const MailContent& content) {
  init_gmime();
  GPtr<GMimeObject> body(content.embed_pictures ? embedded_form(content) : attachments_form(content));
  GPtr<GMimeMessage> message(g_mime_message_new(TRUE));
  g_mime_message_set_subject(message.get(), content.subject.c_str(), "utf-8");
  GDateTime* now = g_date_time_new_now_local();
  g_mime_message_set_date(message.get(), now);
  g_date_time_unref(now);
  char* id = g_mime_utils_generate_message_id("zozed.localhost");
  g_mime_message_set_message_id(message.get(), id);
  g_free(id);
  // Mail programs open a message carrying this header as a draft to send.
  g_mime_object_set_header(GMIME_OBJECT(message.get()), "X-Unsent", "1", nullptr);
  g_mime_message_set_mime_part(message.get(), body.get());

  GPtr<GMimeStream> out(g_mime_stream_mem_new());
  if (g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), nullptr, out.get()) < 0)
    throw MailError("cannot compose the message");
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
  return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

}  // namespace suite::mail
