// The messages the mail service writes, parsed back with GMime: the parts a mail program needs,
// CRLF line ends, the From header, attachment names for old and new mail programs.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "suite/mail/mime_composer.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;
using suite::mail::MailContent;

std::string raw_header(GMimeObject* object, const char* name) {
  GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
  return header ? g_mime_header_get_raw_value(header) : "";
}

bool is_ascii(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string lower(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(MimeComposer, AttachesEachFileInOrderAfterThePlainBody) {
  TempFolder folder;
  const std::string jpeg("\xFF\xD8\xFF\xE0 not really a picture \x00\x01\x02", 28);
  const struct {
    const char* name;
    std::string data;
    const char* type;
  } kRows[] = {
      {"clip.wmv", "video", "video/x-ms-wmv"},
      {"Photo 1.JPG", jpeg, "image/jpeg"},
      {"notes.txt", "line one\nline two\n", "text/plain"},
      {"Grüße aus Köln, „Tom's“ 2.jpg", "JPEG", "image/jpeg"},
  };
  std::vector<std::string> files;
  for (const auto& row : kRows) files.push_back(folder.write(row.name, row.data));
  const std::string text = suite::mail::compose_message({"Pictures für dich", "Grüße\nthere", files, false});
  Parsed parsed(text);
  ASSERT_NE(parsed.message, nullptr);
  EXPECT_STREQ(g_mime_message_get_subject(parsed.message), "Pictures für dich");
  EXPECT_NE(text.find("X-Unsent: 1\r\n"), std::string::npos);
  GMimeObject* top = g_mime_message_get_mime_part(parsed.message);
  ASSERT_EQ(mime_type(top), "multipart/mixed");
  GMimeMultipart* mixed = GMIME_MULTIPART(top);
  ASSERT_EQ(g_mime_multipart_get_count(mixed), 1 + static_cast<int>(std::size(kRows)));
  GMimeObject* body = g_mime_multipart_get_part(mixed, 0);
  ASSERT_EQ(mime_type(body), "text/plain");
  char* body_text = g_mime_text_part_get_text(GMIME_TEXT_PART(body));
  EXPECT_EQ(std::string(body_text), "Grüße\nthere") << "UTF-8 text under a UTF-8 label";
  g_free(body_text);
  int index = 1;
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    GMimeObject* part = g_mime_multipart_get_part(mixed, index++);
    EXPECT_EQ(mime_type(part), row.type);
    // The disposition's filename (RFC 2231) and the type's name (RFC 2047) both read back.
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(part)), row.name);
    EXPECT_STREQ(g_mime_object_get_content_type_parameter(part, "name"), row.name);
    EXPECT_EQ(decoded(GMIME_PART(part)), row.data) << "the bytes, line ends included, arrive unchanged";
    if (is_ascii(row.name)) continue;
    const std::string disposition = lower(raw_header(part, "Content-Disposition"));
    const std::string type = lower(raw_header(part, "Content-Type"));
    EXPECT_NE(disposition.find("filename*"), std::string::npos) << disposition;
    EXPECT_NE(disposition.find("utf-8''"), std::string::npos) << disposition;
    EXPECT_NE(type.find("name=\"=?utf-8?"), std::string::npos) << type;
    EXPECT_EQ(type.find("name*"), std::string::npos) << type;
  }
}

TEST(MimeComposer, EveryLineEndsInCrlf) {
  TempFolder folder;
  const std::vector<std::string> files{folder.write("a.jpg", std::string(3000, '\x7F')),
                                       folder.write("read me.txt", "unix\nlines\n"),
                                       folder.write("clip.avi", "CCCC")};
  for (const bool embed : {false, true}) {
    SCOPED_TRACE(embed ? "pictures embedded" : "attachments");
    const std::string text = suite::mail::compose_message(
        {std::string(200, 's') + " ünïcödé", "first\nsecond\n\nfourth & <fifth>", files, embed, "Zoë <zoe@example.org>"});
    ASSERT_GT(text.size(), 3000u);
    std::size_t lines = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
      ++lines;
      ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "bare LF at byte " << at << ": "
                                                  << text.substr(at > 40 ? at - 40 : 0, 60);
    }
    EXPECT_GT(lines, 40u);
    EXPECT_EQ(text.find("\r\r"), std::string::npos);
    Parsed parsed(text);
    ASSERT_NE(parsed.message, nullptr);
  }
}

TEST(MimeComposer, TheSenderMakesTheFromHeader) {
  const struct {
    const char* sender;
    const char* name;     // nullptr: no From header
    const char* address;
  } kRows[] = {
      {"Anna Müller <anna@example.org>", "Anna Müller", "anna@example.org"},
      {"bob@example.org", "", "bob@example.org"},
      {"", nullptr, nullptr},
      {"not an address", nullptr, nullptr},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.sender);
    const std::string text = suite::mail::compose_message({"S", "B", {}, false, row.sender});
    Parsed parsed(text);
    ASSERT_NE(parsed.message, nullptr);
    InternetAddressList* from = g_mime_message_get_from(parsed.message);
    if (!row.name) {
      EXPECT_EQ(internet_address_list_length(from), 0);
      EXPECT_EQ(text.find("\nFrom:"), std::string::npos);
      EXPECT_NE(text.rfind("From:", 0), 0u);
      continue;
    }
    ASSERT_EQ(internet_address_list_length(from), 1);
    InternetAddress* address = internet_address_list_get_address(from, 0);
    EXPECT_STREQ(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)), row.address);
    const char* name = internet_address_get_name(address);
    EXPECT_EQ(std::string(name ? name : ""), row.name);
  }
}

TEST(MimeComposer, EmbedsPicturesInTheHtmlBodyAndAttachesTheRest) {
  TempFolder folder;
  const auto a = folder.write("a.jpg", "AAAA");
  const auto clip = folder.write("clip.avi", "CCCC");
  const auto b = folder.write("b.png", "BBBB");
  Parsed parsed(suite::mail::compose_message({"S", "Look <here> & there", {a, clip, b}, true}));
  ASSERT_NE(parsed.message, nullptr);
  GMimeObject* top = g_mime_message_get_mime_part(parsed.message);
  ASSERT_EQ(mime_type(top), "multipart/mixed");
  GMimeMultipart* mixed = GMIME_MULTIPART(top);
  ASSERT_EQ(g_mime_multipart_get_count(mixed), 2);
  GMimeObject* related_object = g_mime_multipart_get_part(mixed, 0);
  ASSERT_EQ(mime_type(related_object), "multipart/related");
  EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(g_mime_multipart_get_part(mixed, 1))), "clip.avi");
  GMimeMultipart* related = GMIME_MULTIPART(related_object);
  ASSERT_EQ(g_mime_multipart_get_count(related), 3);
  GMimeMultipart* alternative = GMIME_MULTIPART(g_mime_multipart_get_part(related, 0));
  ASSERT_EQ(g_mime_multipart_get_count(alternative), 2);
  GMimeObject* html_part = g_mime_multipart_get_part(alternative, 1);
  ASSERT_EQ(mime_type(html_part), "text/html");
  char* html_text = g_mime_text_part_get_text(GMIME_TEXT_PART(html_part));
  const std::string html = html_text;
  g_free(html_text);
  EXPECT_NE(html.find("Look &lt;here&gt; &amp; there"), std::string::npos);
  for (int i = 1; i <= 2; ++i) {
    GMimePart* picture = GMIME_PART(g_mime_multipart_get_part(related, i));
    const std::string id = g_mime_part_get_content_id(picture);
    EXPECT_NE(html.find("src=\"cid:" + id + "\""), std::string::npos) << id;
    EXPECT_STREQ(g_mime_object_get_disposition(GMIME_OBJECT(picture)), "inline");
  }
  EXPECT_EQ(decoded(GMIME_PART(g_mime_multipart_get_part(related, 2))), "BBBB");
}

TEST(MimeComposer, AnUnreadableAttachmentIsNamedWithItsError) {
  TempFolder folder;
  fs::create_directory(folder.path() / "album.jpg");
  const struct {
    std::string path;
    int error_number;
  } kRows[] = {{(folder.path() / "gone.jpg").string(), ENOENT}, {(folder.path() / "album.jpg").string(), EISDIR}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.path);
    try {
      (void)suite::mail::compose_message({"S", "B", {row.path}, false});
      ADD_FAILURE() << "composed a message without its attachment";
    } catch (const suite::mail::MailError& e) {
      EXPECT_NE(std::string(e.what()).find(fs::path(row.path).filename().string()), std::string::npos) << e.what();
      EXPECT_EQ(e.error_number(), row.error_number);
    }
  }
}

TEST(MimeComposer, TypesFollowTheExtensionWhateverItsCase) {
  const struct {
    const char* path;
    const char* type;
  } kRows[] = {
      {"/a/notes.txt", "text/plain"},        {"/a/NOTES.TXT", "text/plain"},     {"/a/p.JPEG", "image/jpeg"},
      {"/a/scan.pdf", "application/pdf"},    {"/a/clip.mov", "video/quicktime"}, {"/a/page.html", "text/html"},
      {"/a/photos.zip", "application/zip"},  {"/a/pic.heic", "image/heic"},      {"/a/song.m4a", "audio/mp4"},
      {"/a/data.xyz", "application/octet-stream"}, {"/a/README", "application/octet-stream"},
      {"/a.jpg/README", "application/octet-stream"},
  };
  for (const auto& row : kRows) EXPECT_EQ(suite::mail::mime_type_of(row.path), row.type) << row.path;
}

}  // namespace
