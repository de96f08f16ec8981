// The suite's mail service: messages that parse back with the parts a mail program needs, the
// outbox they are written to, and the mail program it names.
#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/mail_service.h"
#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "platform/winreg.h"
#include "suite/host/suite_session.h"
#include "suite/mail/mail_client.h"
#include "suite/mail/mime_composer.h"

namespace {

namespace fs = std::filesystem;
using suite::mail::MailContent;

class TempFolder {
 public:
  TempFolder() : path_(fs::temp_directory_path() / ("zozed-mail-" + std::to_string(::getpid()) + "-" + std::to_string(next()))) {
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
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

// A parsed message, released with the test.
struct Parsed {
  explicit Parsed(const std::string& text) {
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

std::string mime_type(GMimeObject* object) {
  char* type = g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object));
  std::string out = type;
  g_free(type);
  return out;
}

std::string decoded(GMimePart* part) {
  GMimeStream* out = g_mime_stream_mem_new();
  g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(part), out);
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
  std::string data(reinterpret_cast<const char*>(bytes->data), bytes->len);
  g_object_unref(out);
  return data;
}

TEST(MimeComposer, AttachesEachFileInOrderAfterThePlainBody) {
  TempFolder folder;
  const std::string jpeg("\xFF\xD8\xFF\xE0 not really a picture \x00\x01\x02", 28);
  const auto photo = folder.write("Photo 1.JPG", jpeg);
  const auto clip = folder.write("clip.wmv", "video");
  const std::string text = suite::mail::compose_message({"Pictures für dich", "Hello\nthere", {clip, photo}, false});
  Parsed parsed(text);
  ASSERT_NE(parsed.message, nullptr);
  EXPECT_STREQ(g_mime_message_get_subject(parsed.message), "Pictures für dich");
  EXPECT_NE(text.find("X-Unsent: 1"), std::string::npos);
  GMimeObject* top = g_mime_message_get_mime_part(parsed.message);
  ASSERT_EQ(mime_type(top), "multipart/mixed");
  GMimeMultipart* mixed = GMIME_MULTIPART(top);
  ASSERT_EQ(g_mime_multipart_get_count(mixed), 3);
  EXPECT_EQ(mime_type(g_mime_multipart_get_part(mixed, 0)), "text/plain");
  const struct {
    int index;
    const char* type;
    const char* name;
    std::string data;
  } kRows[] = {{1, "video/x-ms-wmv", "clip.wmv", "video"}, {2, "image/jpeg", "Photo 1.JPG", jpeg}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    GMimeObject* part = g_mime_multipart_get_part(mixed, row.index);
    EXPECT_EQ(mime_type(part), row.type);
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(part)), row.name);
    EXPECT_EQ(decoded(GMIME_PART(part)), row.data);
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

TEST(MimeComposer, AnUnreadableAttachmentIsNamed) {
  TempFolder folder;
  const std::string missing = (folder.path() / "gone.jpg").string();
  try {
    (void)suite::mail::compose_message({"S", "B", {missing}, false});
    FAIL() << "composed a message without its attachment";
  } catch (const suite::mail::MailError& e) {
    EXPECT_NE(std::string(e.what()).find("gone.jpg"), std::string::npos);
  }
}

class MailServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override {
    session_.stop();
    CoUninitialize();
  }

  platform::ComPtr<IMailService> start(std::optional<std::u16string> client) {
    suite::SuiteSettings settings;
    settings.mail.client_name = std::move(client);
    settings.mail.outbox = (outbox_.path() / "out").string();
    EXPECT_EQ(session_.start(std::move(settings)), S_OK);
    platform::ComPtr<IMailService> mail;
    EXPECT_EQ(CoCreateInstance(host::CLSID_MailService, nullptr, CLSCTX_ALL, IID_IMailService, mail.put_void()), S_OK);
    return mail;
  }

  static platform::Variant paths(const std::vector<std::string>& files) {
    auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(files.size()));
    for (LONG i = 0; i < static_cast<LONG>(files.size()); ++i) {
      platform::Bstr path(platform::windows_path_of(files[static_cast<std::size_t>(i)]));
      EXPECT_EQ(SafeArrayPutElement(array.get(), &i, path.get()), S_OK);
    }
    return platform::Variant(std::move(array));
  }

  platform::registry::ScopedStore store_{platform::registry::make_memory_store()};
  TempFolder outbox_;
  suite::Session session_;
};

TEST_F(MailServiceTest, WritesEachMessageIntoTheOutbox) {
  auto mail = start(u"Test Mail");
  ASSERT_TRUE(mail);
  BSTR name = nullptr;
  ASSERT_EQ(mail->GetDefaultClientName(&name), S_OK);
  EXPECT_EQ(platform::Bstr::attach(name).view(), u"Test Mail");
  VARIANT_BOOL embed = VARIANT_FALSE;
  ASSERT_EQ(mail->CanEmbedInClient(&embed), S_OK);
  EXPECT_EQ(embed, VARIANT_TRUE);

  const auto photo = outbox_.write("p.jpg", "JPEG");
  platform::Variant files = paths({photo});
  platform::Bstr subject(u"Subject");
  platform::Bstr body(u"Body");
  ASSERT_EQ(mail->SendWithAttachments(0, subject.get(), body.get(), files.get()), S_OK);
  ASSERT_EQ(mail->SendEmbeddedInHtml(0, subject.get(), body.get(), files.get()), S_OK);
  const auto& sent = session_.state().sent_mail;
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_NE(sent[0].message_file, sent[1].message_file);  // same second, same subject: numbered
  for (const auto& message : sent) {
    SCOPED_TRACE(message.message_file);
    EXPECT_EQ(fs::path(message.message_file).parent_path(), outbox_.path() / "out");
    std::ifstream in(message.message_file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Parsed parsed(text);
    ASSERT_NE(parsed.message, nullptr);
    EXPECT_EQ(mime_type(g_mime_message_get_mime_part(parsed.message)),
              message.embedded ? "multipart/related" : "multipart/mixed");
    EXPECT_TRUE(message.handed_to.empty());  // a configured name has no desktop program behind it
  }

  platform::Variant missing = paths({(outbox_.path() / "gone.jpg").string()});
  EXPECT_EQ(mail->SendWithAttachments(0, subject.get(), body.get(), missing.get()), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  platform::Variant wrong(LONG{3});
  EXPECT_EQ(mail->SendWithAttachments(0, subject.get(), body.get(), wrong.get()), E_INVALIDARG);
  EXPECT_EQ(sent.size(), 2u);
}

TEST_F(MailServiceTest, AnEmptyClientNameMeansNoMailProgram) {
  auto mail = start(u"");
  ASSERT_TRUE(mail);
  BSTR name = nullptr;
  ASSERT_EQ(mail->GetDefaultClientName(&name), S_OK);
  EXPECT_TRUE(platform::Bstr::attach(name).view().empty());
  VARIANT_BOOL embed = VARIANT_TRUE;
  ASSERT_EQ(mail->CanEmbedInClient(&embed), S_OK);
  EXPECT_EQ(embed, VARIANT_FALSE);
  platform::Bstr text(u"x");
  platform::Variant none;
  EXPECT_TRUE(FAILED(mail->SendWithAttachments(0, text.get(), text.get(), none.get())));
}

TEST(MailClient, DesktopEntryNamesComeFromTheMainGroup) {
  TempFolder data;
  fs::create_directories(data.path() / "applications");
  std::ofstream(data.path() / "applications" / "mailer.desktop")
      << "[Desktop Action Compose]\nName=Compose\n[Desktop Entry]\nType=Application\nName=Mailer Deluxe\n";
  const char* before = std::getenv("XDG_DATA_HOME");
  const std::string saved = before ? before : "";
  setenv("XDG_DATA_HOME", data.path().c_str(), 1);
  EXPECT_EQ(suite::mail::desktop_entry_name("mailer.desktop"), "Mailer Deluxe");
  EXPECT_EQ(suite::mail::desktop_entry_name("missing.desktop"), "");
  EXPECT_EQ(suite::mail::desktop_entry_name("../mailer.desktop"), "");
  if (before)
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}

}  // namespace
