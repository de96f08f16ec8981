#include "suite/mail/mime_composer.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
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
constexpr std::array<TypeByExtension, 39> kTypes{{
    {".jpg", "image/jpeg"},     {".jpeg", "image/jpeg"},     {".jpe", "image/jpeg"},       {".png", "image/png"},
    {".gif", "image/gif"},      {".bmp", "image/bmp"},       {".tif", "image/tiff"},       {".tiff", "image/tiff"},
    {".webp", "image/webp"},    {".heic", "image/heic"},     {".heif", "image/heif"},      {".avif", "image/avif"},
    {".svg", "image/svg+xml"},  {".wmv", "video/x-ms-wmv"},  {".asf", "video/x-ms-asf"},   {".avi", "video/x-msvideo"},
    {".mpg", "video/mpeg"},     {".mpeg", "video/mpeg"},     {".mp4", "video/mp4"},        {".m4v", "video/mp4"},
    {".mov", "video/quicktime"}, {".mkv", "video/x-matroska"}, {".webm", "video/webm"},    {".3gp", "video/3gpp"},
    {".wav", "audio/wav"},      {".mp3", "audio/mpeg"},      {".m4a", "audio/mp4"},        {".ogg", "audio/ogg"},
    {".flac", "audio/flac"},    {".wma", "audio/x-ms-wma"},  {".txt", "text/plain"},       {".htm", "text/html"},
    {".html", "text/html"},     {".csv", "text/csv"},        {".pdf", "application/pdf"},  {".rtf", "application/rtf"},
    {".zip", "application/zip"}, {".xml", "application/xml"}, {".json", "application/json"},
}};

std::string lower_extension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

bool is_picture(const std::string& path) { return mime_type_of(path).rfind("image/", 0) == 0; }

[[noreturn]] void cannot_read(const std::string& path, int error_number) {
  throw MailError("cannot read the attachment \"" + path + "\": " + std::strerror(error_number), error_number);
}

std::string read_file(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!in) cannot_read(path, errno);
  std::string data;
  char buffer[64 * 1024];
  std::size_t got = 0;
  errno = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) data.append(buffer, got);
  // A folder opens but does not read.
  if (std::ferror(in.get())) cannot_read(path, errno ? errno : EIO);
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

// UTF-8 text as it is: g_mime_text_part_set_text would convert it to a "best" charset of its
// own choosing, which a later charset parameter would then misname.
GMimeObject* text_part(const char* subtype, const std::string& text) {
  GMimeTextPart* part = g_mime_text_part_new_with_subtype(subtype);
  GPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(text.data(), text.size()));
  GPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
  g_mime_part_set_content(GMIME_PART(part), content.get());
  g_mime_text_part_set_charset(part, "utf-8");
  g_mime_part_set_content_encoding(
      GMIME_PART(part), g_mime_part_get_best_content_encoding(GMIME_PART(part), GMIME_ENCODING_CONSTRAINT_7BIT));
  return GMIME_OBJECT(part);
}

void set_encoding(GMimeParamList* params, const char* name, GMimeParamEncodingMethod method) {
  for (int i = 0; i < g_mime_param_list_length(params); ++i) {
    GMimeParam* param = g_mime_param_list_get_parameter_at(params, i);
    if (g_ascii_strcasecmp(g_mime_param_get_name(param), name) != 0) continue;
    g_mime_param_set_encoding_method(param, method);
    // GMime would pick the smallest charset that fits (ISO-8859-13 for "Grüße „x“"); UTF-8 is
    // the one every mail program reads.
    g_mime_param_set_charset(param, "UTF-8");
  }
}

// A name outside ASCII goes both ways: RFC 2231 in the disposition's filename, which current
// mail programs read, and RFC 2047 in the type's name, which older ones read instead.
void set_file_name(GMimePart* part, const std::string& name) {
  g_mime_part_set_filename(part, name.c_str());
  set_encoding(g_mime_content_disposition_get_parameters(g_mime_object_get_content_disposition(GMIME_OBJECT(part))),
               "filename", GMIME_PARAM_ENCODING_METHOD_RFC2231);
  set_encoding(g_mime_content_type_get_parameters(g_mime_object_get_content_type(GMIME_OBJECT(part))), "name",
               GMIME_PARAM_ENCODING_METHOD_RFC2047);
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
  set_file_name(part, std::filesystem::path(path).filename().string());
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

// Only real mailboxes make a From header: text that names no address leaves it out.
void add_sender(GMimeMessage* message, const std::string& sender) {
  if (sender.empty()) return;
  GPtr<InternetAddressList> parsed(internet_address_list_parse(nullptr, sender.c_str()));
  if (!parsed) return;
  InternetAddressList* from = g_mime_message_get_from(message);
  for (int i = 0; i < internet_address_list_length(parsed.get()); ++i) {
    InternetAddress* address = internet_address_list_get_address(parsed.get(), i);
    if (!INTERNET_ADDRESS_IS_MAILBOX(address)) continue;
    const char* mailbox = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address));
    if (mailbox && std::strchr(mailbox, '@')) internet_address_list_add(from, address);
  }
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
  add_sender(message.get(), content.sender);
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

  // Internet mail is CRLF throughout; mail programs that import the file as it is expect it.
  std::unique_ptr<GMimeFormatOptions, void (*)(GMimeFormatOptions*)> options(g_mime_format_options_new(),
                                                                               &g_mime_format_options_free);
  g_mime_format_options_set_newline_format(options.get(), GMIME_NEWLINE_FORMAT_DOS);
  GPtr<GMimeStream> out(g_mime_stream_mem_new());
  if (g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), options.get(), out.get()) < 0)
    throw MailError("cannot compose the message", EIO);
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
  return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

}  // namespace suite::mail
