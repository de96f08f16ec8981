// The messages the mail service writes, parsed back with GMime: CRLF line ends, the From
// header, UTF-8 text, the attachments with their types and names for old and new mail programs.
// A file that cannot be read is the mail service's failed send.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "suite/mail/mime_composer.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;

std::string raw_header(GMimeObject* object, const char* name) {
  GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
  std::string value = header ? g_mime_header_get_raw_value(header) : "";
  for (auto& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return value;
}

bool has_bare_line_feed(const std::string& text) { return std::regex_search(text, std::regex("(^|[^\r])\n")); }

TEST(MimeComposer, AttachmentsMessageParsesBackWithEveryPart) {
  TempFolder folder;
  const struct {
    const char* name;
    std::string data;
    const char* type;
    bool encoded_name;
  } kRows[] = {
      {"Photo 1.JPG", std::string("\xFF\xD8\xFF\x00\x01", 5), "image/jpeg", false},
      {"notes.txt", "line one\nline two\n", "text/plain", false},
      {"Grüße aus Köln, „Tom's“ 2.jpg", "JPEG", "image/jpeg", true},
  };
  std::vector<std::string> files;
  for (const auto& row : kRows) files.push_back(folder.write(row.name, row.data));
  const std::string text =
      suite::mail::compose_message({"Pictures für dich", "Grüße\nthere", files, false, "Zoë <zoe@example.org>"});

  EXPECT_FALSE(has_bare_line_feed(text));
  EXPECT_NE(text.find("\r\nX-Unsent: 1\r\n"), std::string::npos);
  Parsed parsed(text);
  ASSERT_NE(parsed.message, nullptr);
  EXPECT_STREQ(g_mime_message_get_subject(parsed.message), "Pictures für dich");
  char* sender = internet_address_list_to_string(g_mime_message_get_from(parsed.message), nullptr, FALSE);
  EXPECT_STREQ(sender, "Zoë <zoe@example.org>");
  g_free(sender);
  ASSERT_EQ(mime_type(g_mime_message_get_mime_part(parsed.message)), "multipart/mixed");
  char* body = g_mime_text_part_get_text(GMIME_TEXT_PART(parsed.part(0)));
  EXPECT_STREQ(body, "Grüße\nthere") << "UTF-8 text under a UTF-8 label";
  g_free(body);
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const auto& row = kRows[i];
    SCOPED_TRACE(row.name);
    GMimeObject* part = parsed.part(static_cast<int>(i) + 1);
    EXPECT_EQ(mime_type(part), row.type);
    EXPECT_EQ(decoded(part), row.data) << "the bytes, line ends included, arrive unchanged";
    // The disposition's filename (RFC 2231) and the type's name (RFC 2047) both read back.
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(part)), row.name);
    EXPECT_STREQ(g_mime_object_get_content_type_parameter(part, "name"), row.name);
    if (!row.encoded_name) continue;
    const std::string disposition = raw_header(part, "Content-Disposition");  // long: filename*0*=, *1*=
    EXPECT_TRUE(disposition.find("filename*") != std::string::npos && disposition.find("=utf-8''") != std::string::npos)
        << disposition;
    EXPECT_NE(raw_header(part, "Content-Type").find("name=\"=?utf-8?"), std::string::npos);
  }
}

// The mail service's From rules end in no sender at all; text that is no address gives none either.
TEST(MimeComposer, TextThatIsNoAddressMakesNoFromHeader) {
  EXPECT_EQ(suite::mail::compose_message({"S", "B", {}, false, "not an address"}).find("From:"), std::string::npos);
}

TEST(MimeComposer, EmbedsPicturesInTheHtmlBodyAndAttachesTheRest) {
  TempFolder folder;
  const std::vector<std::string> files{folder.write("a.jpg", "AAAA"), folder.write("clip.avi", "CCCC"),
                                       folder.write("b.png", "BBBB")};
  const std::string text = suite::mail::compose_message({"S", "Look <here> & there", files, true});
  EXPECT_FALSE(has_bare_line_feed(text));
  Parsed parsed(text);
  ASSERT_EQ(mime_type(g_mime_message_get_mime_part(parsed.message)), "multipart/mixed");
  ASSERT_EQ(mime_type(parsed.part(0)), "multipart/related");
  EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(parsed.part(1))), "clip.avi");
  GMimeMultipart* related = GMIME_MULTIPART(parsed.part(0));
  ASSERT_EQ(g_mime_multipart_get_count(related), 3);
  GMimeObject* html_part = g_mime_multipart_get_part(GMIME_MULTIPART(g_mime_multipart_get_part(related, 0)), 1);
  ASSERT_EQ(mime_type(html_part), "text/html");
  char* html_text = g_mime_text_part_get_text(GMIME_TEXT_PART(html_part));
  const std::string html = html_text;
  g_free(html_text);
  EXPECT_NE(html.find("Look &lt;here&gt; &amp; there"), std::string::npos);
  for (int i = 1; i <= 2; ++i) {
    GMimeObject* picture = g_mime_multipart_get_part(related, i);
    EXPECT_NE(html.find("src=\"cid:" + std::string(g_mime_part_get_content_id(GMIME_PART(picture))) + "\""),
              std::string::npos);
    EXPECT_STREQ(g_mime_object_get_disposition(picture), "inline");
    EXPECT_EQ(decoded(picture), i == 1 ? "AAAA" : "BBBB");
  }
}

}  // namespace
