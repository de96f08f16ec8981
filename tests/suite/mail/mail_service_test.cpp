// The suite's mail service in this process, with a mail program named in the settings (the
// desktop's own is the hand-off tests' business): the outbox, its file names, the From of each
// message and the ways a send fails without leaving half a message behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "host/mail_service.h"
#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "platform/support/reg_key.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "platform/winerror.h"
#include "platform/winreg.h"
#include "suite/host/suite_session.h"
#include "suite/mail/mail_client.h"
#include "suite/mail/outbox.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;

std::vector<std::string> folder_entries(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool valid_utf8(const std::string& text) { return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr); }

class MailServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override {
    mail_.reset();
    session_.stop();
    CoUninitialize();
  }

  // The service with a mail program named in the settings, writing into `outbox`.
  IMailService* start(std::optional<std::u16string> client = u"Test Mail", std::string outbox = {},
                      std::string sender = {}) {
    suite::SuiteSettings settings;
    settings.mail.client_name = std::move(client);
    settings.mail.outbox = outbox.empty() ? outbox_path().string() : outbox;
    settings.mail.sender = std::move(sender);
    EXPECT_EQ(session_.start(std::move(settings)), S_OK);
    EXPECT_EQ(CoCreateInstance(host::CLSID_MailService, nullptr, CLSCTX_ALL, IID_IMailService, mail_.put_void()), S_OK);
    return mail_.get();
  }

  fs::path outbox_path() const { return folder_.path() / "out"; }

  static platform::Variant paths(const std::vector<std::string>& files) {
    auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(files.size()));
    for (LONG i = 0; i < static_cast<LONG>(files.size()); ++i) {
      platform::Bstr path(platform::windows_path_of(files[static_cast<std::size_t>(i)]));
      EXPECT_EQ(SafeArrayPutElement(array.get(), &i, path.get()), S_OK);
    }
    return platform::Variant(std::move(array));
  }

  HRESULT send(const std::u16string& subject, const std::vector<std::string>& files, bool embedded = false) {
    platform::Variant list = paths(files);
    platform::Bstr text(subject);
    platform::Bstr body(u"Body");
    return embedded ? mail_->SendEmbeddedInHtml(0, text.get(), body.get(), list.get())
                    : mail_->SendWithAttachments(0, text.get(), body.get(), list.get());
  }

  platform::registry::ScopedStore store_{platform::registry::make_memory_store()};
  TempFolder folder_;
  suite::Session session_;
  platform::ComPtr<IMailService> mail_;
};

TEST_F(MailServiceTest, WritesEachMessageIntoTheOutbox) {
  IMailService* mail = start();
  ASSERT_TRUE(mail);
  platform::Bstr name;
  ASSERT_EQ(mail->GetDefaultClientName(name.put()), S_OK);
  EXPECT_EQ(name.view(), u"Test Mail");
  VARIANT_BOOL embed = VARIANT_FALSE;
  ASSERT_EQ(mail->CanEmbedInClient(&embed), S_OK);
  EXPECT_EQ(embed, VARIANT_TRUE);

  const auto photo = folder_.write("p.jpg", "JPEG");
  ASSERT_EQ(send(u"Subject", {photo}), S_OK);
  ASSERT_EQ(send(u"Subject", {photo}, true), S_OK);
  const auto& sent = session_.state().sent_mail;
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_NE(sent[0].message_file, sent[1].message_file);  // same second, same subject: numbered
  for (const auto& message : sent) {
    SCOPED_TRACE(message.message_file);
    EXPECT_EQ(fs::path(message.message_file).parent_path(), outbox_path());
    Parsed parsed(read_all(message.message_file));
    ASSERT_NE(parsed.message, nullptr);
    EXPECT_EQ(mime_type(g_mime_message_get_mime_part(parsed.message)),
              message.embedded ? "multipart/related" : "multipart/mixed");
    // A mail program named in the settings has no desktop program behind it.
    EXPECT_TRUE(message.handed_to.empty());
    EXPECT_TRUE(message.command.empty());
    EXPECT_TRUE(message.attachment_copies.empty());
    EXPECT_NE(message.not_handed_off.find("settings"), std::string::npos) << message.not_handed_off;
  }
  // Only the two messages: no temporary file and no folder of copies.
  EXPECT_EQ(folder_entries(outbox_path()).size(), 2u);
}

TEST_F(MailServiceTest, TheSubjectNamesTheFileSafely) {
  IMailService* mail = start();
  ASSERT_TRUE(mail);
  const struct {
    std::u16string subject;
    std::string title;  // what follows the date and time in the file name
  } kRows[] = {
      {u"Grüße aus Köln", " Grüße aus Köln"},
      {u"Ferien/Urlaub: *Bilder*?", " Ferien_Urlaub_ _Bilder__"},
      {u"tab\there\u0085", " tab_here_"},
      {u"../../etc/passwd", " .._.._etc_passwd"},
      {u"", ""},
      {u"...", ""},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.title);
    ASSERT_EQ(send(row.subject, {}), S_OK);
    const fs::path file = session_.state().sent_mail.back().message_file;
    EXPECT_EQ(file.parent_path(), outbox_path());
    const std::string name = file.filename().string();
    ASSERT_GE(name.size(), 21u) << name;
    // Messages of one second with one title are numbered.
    std::string title = file.stem().string().substr(17);
    if (const auto number = title.rfind(" ("); number != std::string::npos && title.back() == ')')
      title.erase(number);
    EXPECT_EQ(title, row.title) << name;
    std::tm stamp{};
    EXPECT_NE(strptime(name.substr(0, 17).c_str(), "%Y-%m-%d %H%M%S", &stamp), nullptr) << name;
  }

  // A long subject of multi-byte characters is cut between characters.
  std::u16string long_subject;
  for (int i = 0; i < 200; ++i) long_subject += u"日本";
  ASSERT_EQ(send(long_subject, {}), S_OK);
  const std::string name = fs::path(session_.state().sent_mail.back().message_file).filename().string();
  EXPECT_TRUE(valid_utf8(name)) << name;
  EXPECT_LE(name.size(), 150u) << name;
  EXPECT_NE(name.find("日本日本"), std::string::npos) << name;
}

TEST(OutboxNames, FileNamePartsAreValidAndBounded) {
  const struct {
    std::string text;
    std::size_t max_bytes;
    std::string expected;
  } kRows[] = {
      {"Grüße", 40, "Grüße"},
      {"Grüße", 3, "Gr"},                      // 'ü' does not fit whole
      {"a\xff\xfe" "b", 40, "a__b"},           // bytes that are not UTF-8
      {"\xc3", 40, "_"},                       // a cut sequence
      {"\xed\xa0\x80", 40, "___"},             // a surrogate
      {"x\xc2\x85y", 40, "x_y"},               // a C1 control character
      {"a<b>c|d\"e", 40, "a_b_c_d_e"},
      {"trailing. . ", 40, "trailing"},
      {"日本語", 7, "日本"},
  };
  for (const auto& row : kRows) {
    const std::string part = suite::mail::file_name_part(row.text, row.max_bytes);
    EXPECT_EQ(part, row.expected) << row.text;
    EXPECT_TRUE(valid_utf8(part)) << row.text;
  }
}

TEST_F(MailServiceTest, TheFromComesFromTheSettingsTheRegistryOrEmail) {
  const struct {
    const char* name;
    const char* settings;
    const char16_t* registry;  // nullptr: no value
    const char* email;         // nullptr: unset
    const char* expected;      // nullptr: no From header
  } kRows[] = {
      {"settings first", "Set <set@example.org>", u"Reg <reg@example.org>", "env@example.org", "set@example.org"},
      {"then the registry", "", u"Reg <reg@example.org>", "env@example.org", "reg@example.org"},
      {"then EMAIL", "", nullptr, "env@example.org", "env@example.org"},
      {"an empty registry value", "", u"", "env@example.org", "env@example.org"},
      {"nothing known", "", nullptr, nullptr, nullptr},
  };
  const char* saved = std::getenv("EMAIL");
  const std::optional<std::string> email_before = saved ? std::optional<std::string>(saved) : std::nullopt;
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    platform::registry::ScopedStore store(platform::registry::make_memory_store());
    if (row.registry) {
      platform::RegKey key;
      ASSERT_EQ(key.create(HKEY_CURRENT_USER, suite::SuiteSettings{}.settings_path + u"\\Mail"), ERROR_SUCCESS);
      ASSERT_EQ(key.set_string(u"From", row.registry), ERROR_SUCCESS);
    }
    if (row.email)
      setenv("EMAIL", row.email, 1);
    else
      unsetenv("EMAIL");
    ASSERT_TRUE(start(u"Test Mail", {}, row.settings));
    ASSERT_EQ(send(u"S", {}), S_OK);
    Parsed parsed(read_all(session_.state().sent_mail.back().message_file));
    ASSERT_NE(parsed.message, nullptr);
    InternetAddressList* from = g_mime_message_get_from(parsed.message);
    if (!row.expected) {
      EXPECT_EQ(internet_address_list_length(from), 0);
    } else {
      ASSERT_EQ(internet_address_list_length(from), 1);
      EXPECT_STREQ(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(internet_address_list_get_address(from, 0))),
                   row.expected);
    }
    mail_.reset();
    session_.stop();
  }
  if (email_before)
    setenv("EMAIL", email_before->c_str(), 1);
  else
    unsetenv("EMAIL");
}

TEST_F(MailServiceTest, AFailedSendLeavesNothingInTheOutbox) {
  const auto photo = folder_.write("p.jpg", "JPEG");
  const auto blocker = folder_.write("not-a-folder", "x");
  fs::create_directories(outbox_path());
  fs::create_directories(folder_.path() / "album.jpg");
  const struct {
    const char* name;
    std::string outbox;
    std::vector<std::string> files;
    HRESULT expected;
  } kRows[] = {
      {"a missing attachment", outbox_path().string(), {photo, (folder_.path() / "gone.jpg").string()},
       HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
      {"a folder as attachment", outbox_path().string(), {(folder_.path() / "album.jpg").string()},
       HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
      {"an outbox below a file", blocker + "/outbox", {photo}, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(start(u"Test Mail", row.outbox));
    EXPECT_EQ(send(u"S", row.files), row.expected);
    EXPECT_TRUE(session_.state().sent_mail.empty());
    EXPECT_EQ(folder_entries(outbox_path()), std::vector<std::string>{});
    mail_.reset();
    session_.stop();
  }
}

TEST_F(MailServiceTest, AnOutboxThatCannotBeWrittenIsAccessDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  fs::create_directories(outbox_path());
  fs::permissions(outbox_path(), fs::perms::owner_read | fs::perms::owner_exec);
  ASSERT_TRUE(start());
  EXPECT_EQ(send(u"S", {}), E_ACCESSDENIED);
  EXPECT_TRUE(session_.state().sent_mail.empty());
  fs::permissions(outbox_path(), fs::perms::owner_all);
  EXPECT_TRUE(folder_entries(outbox_path()).empty());
}

TEST(OutboxErrors, PosixErrorsBecomeMeaningfulWin32Errors) {
  const struct {
    int error_number;
    DWORD expected;
  } kRows[] = {
      {EACCES, ERROR_ACCESS_DENIED}, {EPERM, ERROR_ACCESS_DENIED}, {EROFS, ERROR_WRITE_PROTECT},
      {ENOSPC, ERROR_DISK_FULL},     {EDQUOT, ERROR_DISK_FULL},    {ENOTDIR, ERROR_PATH_NOT_FOUND},
      {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE}, {EIO, ERROR_WRITE_FAULT},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(suite::mail::win32_error_of(row.error_number), row.expected) << std::strerror(row.error_number);
}

TEST_F(MailServiceTest, WithoutAMailProgramNothingIsSent) {
  IMailService* mail = start(u"");
  ASSERT_TRUE(mail);
  platform::Bstr name;
  ASSERT_EQ(mail->GetDefaultClientName(name.put()), S_OK);
  EXPECT_TRUE(name.view().empty());
  VARIANT_BOOL embed = VARIANT_TRUE;
  ASSERT_EQ(mail->CanEmbedInClient(&embed), S_OK);
  EXPECT_EQ(embed, VARIANT_FALSE);
  EXPECT_EQ(send(u"x", {}), HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED));
  platform::Bstr text(u"x");
  platform::Variant wrong(LONG{3});
  EXPECT_EQ(mail->SendWithAttachments(0, text.get(), text.get(), wrong.get()), HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED));
  EXPECT_TRUE(session_.state().sent_mail.empty());
}

TEST_F(MailServiceTest, PathsMustBeAnArrayOfStrings) {
  IMailService* mail = start();
  ASSERT_TRUE(mail);
  platform::Bstr text(u"x");
  platform::Variant wrong(LONG{3});
  EXPECT_EQ(mail->SendWithAttachments(0, text.get(), text.get(), wrong.get()), E_INVALIDARG);
  EXPECT_TRUE(session_.state().sent_mail.empty());
}

}  // namespace
