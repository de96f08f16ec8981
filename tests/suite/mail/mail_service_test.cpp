// The suite's mail service in this process, with a mail program named in the settings (the
// desktop's own is the hand-off tests' business): the outbox and its file names, the From of
// each message, and sends that fail without leaving half a message behind.
#include <gtest/gtest.h>

#include <cstdlib>
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
#include "platform/winreg.h"
#include "suite/host/suite_session.h"
#include "suite/mail/outbox.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;

std::vector<std::string> entries(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) names.push_back(entry.path().filename().string());
  return names;
}

class MailServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override {
    stop();
    CoUninitialize();
  }

  void start(std::optional<std::u16string> client = u"Test Mail", std::string outbox = {}, std::string sender = {}) {
    suite::SuiteSettings settings;
    settings.mail.client_name = std::move(client);
    settings.mail.outbox = outbox.empty() ? outbox_.string() : outbox;
    settings.mail.sender = std::move(sender);
    ASSERT_EQ(session_.start(std::move(settings)), S_OK);
    ASSERT_EQ(CoCreateInstance(host::CLSID_MailService, nullptr, CLSCTX_ALL, IID_IMailService, mail_.put_void()), S_OK);
  }
  void stop() {
    mail_.reset();
    session_.stop();
  }

  HRESULT send(const std::u16string& subject, const std::vector<std::string>& files) {
    auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i)
      EXPECT_EQ(array.put_element(static_cast<LONG>(i), std::u16string_view(platform::windows_path_of(files[i]))), S_OK);
    platform::Variant list(std::move(array));
    return mail_->SendWithAttachments(0, platform::Bstr(subject).get(), platform::Bstr(u"Body").get(), list.get());
  }
  const suite::SentMail& last() { return session_.state().sent_mail.back(); }

  platform::registry::ScopedStore store_{platform::registry::make_memory_store()};
  TempFolder folder_;
  fs::path outbox_ = folder_.path() / "out";
  suite::Session session_;
  platform::ComPtr<IMailService> mail_;
};

TEST_F(MailServiceTest, EachMessageGoesIntoTheOutboxUnderItsSubject) {
  start();
  platform::Bstr name;
  ASSERT_EQ(mail_->GetDefaultClientName(name.put()), S_OK);
  EXPECT_EQ(name.view(), u"Test Mail");
  const auto photo = folder_.write("p.jpg", "JPEG");
  // The file name after the date and time; a name taken within the same second gets " (2)".
  const std::pair<std::u16string, std::string> kRows[] = {{u"Grüße aus Köln", " Grüße aus Köln.eml"},
                                                          {u"Grüße aus Köln", " Grüße aus Köln.eml"},
                                                          {u"../Ferien: *Bilder*?\t", " .._Ferien_ _Bilder___.eml"},
                                                          {u"", ".eml"}};
  for (const auto& [subject, expected] : kRows) {
    ASSERT_EQ(send(subject, {photo}), S_OK);
    const fs::path file = last().message_file;
    EXPECT_EQ(file.parent_path(), outbox_);
    std::string title = file.filename().string().substr(17);
    if (const auto number = title.find(" (2)"); number != std::string::npos) title.erase(number, 4);
    EXPECT_EQ(title, expected) << file;
    // A mail program named in the settings has no desktop program behind it.
    EXPECT_TRUE(last().handed_to.empty() && last().attachment_copies.empty());
    EXPECT_NE(last().not_handed_off.find("settings"), std::string::npos) << last().not_handed_off;
  }
  // The messages alone, each of its own: no temporary file, no copies.
  EXPECT_EQ(entries(outbox_).size(), std::size(kRows));

  std::u16string long_subject;
  for (int i = 0; i < 200; ++i) long_subject += u"日本";
  ASSERT_EQ(send(long_subject, {}), S_OK);
  const std::string name_of_long = fs::path(last().message_file).filename().string();
  EXPECT_TRUE(g_utf8_validate(name_of_long.data(), static_cast<gssize>(name_of_long.size()), nullptr) &&
              name_of_long.size() <= 150 && name_of_long.find("日本日本") != std::string::npos)
      << name_of_long;
}

TEST(OutboxNames, FileNamePartsAreValidUtf8AndBounded) {
  const struct {
    std::string text;
    std::size_t max_bytes;
    std::string expected;
  } kRows[] = {
      {"Grüße", 3, "Gr"},  {"a\xff\xfe" "b", 40, "a__b"}, {"\xed\xa0\x80", 40, "___"},  // not UTF-8, a surrogate
      {"x\xc2\x85y", 40, "x_y"}, {"a<b>c|d\"e", 40, "a_b_c_d_e"}, {"end. . ", 40, "end"}, {"日本語", 7, "日本"},
  };
  for (const auto& row : kRows) EXPECT_EQ(suite::mail::file_name_part(row.text, row.max_bytes), row.expected) << row.text;
}

// $EMAIL is left unset.
TEST_F(MailServiceTest, TheFromComesFromTheSettingsTheRegistryOrEmail) {
  const struct {
    const char* settings;
    const char16_t* registry;  // nullptr: no value
    const char* email;         // nullptr: unset
    const char* from;
  } kRows[] = {
      {"Set <set@example.org>", u"reg@example.org", "env@example.org", "Set <set@example.org>"},
      {"", u"Reg <reg@example.org>", "env@example.org", "Reg <reg@example.org>"},
      {"", u"", "env@example.org", "env@example.org"},
      {"", nullptr, nullptr, ""},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.from);
    platform::registry::ScopedStore store(platform::registry::make_memory_store());
    platform::RegKey key;
    if (row.registry) {
      ASSERT_EQ(key.create(HKEY_CURRENT_USER, suite::SuiteSettings{}.settings_path + u"\\Mail"), ERROR_SUCCESS);
      ASSERT_EQ(key.set_string(u"From", row.registry), ERROR_SUCCESS);
    }
    row.email ? setenv("EMAIL", row.email, 1) : unsetenv("EMAIL");
    start(u"Test Mail", {}, row.settings);
    ASSERT_EQ(send(u"S", {}), S_OK);
    Parsed parsed(read_all(last().message_file));
    char* from = internet_address_list_to_string(g_mime_message_get_from(parsed.message), nullptr, FALSE);
    EXPECT_EQ(std::string(from ? from : ""), row.from);
    g_free(from);
    stop();
  }
}

TEST_F(MailServiceTest, AFailedSendLeavesNothingBehind) {
  const auto photo = folder_.write("p.jpg", "JPEG");
  const auto blocker = folder_.write("not-a-folder", "x");
  fs::create_directories(folder_.path() / "album.jpg");
  const struct {
    const char* name;
    std::optional<std::u16string> client;
    std::string outbox;
    std::vector<std::string> files;
    HRESULT expected;
  } kRows[] = {
      {"a missing attachment", u"M", {}, {photo, folder_.path() / "gone.jpg"}, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
      {"a folder as attachment", u"M", {}, {folder_.path() / "album.jpg"}, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
      {"an outbox below a file", u"M", blocker + "/outbox", {photo}, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
      {"no mail program", u"", {}, {photo}, HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED)},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    start(row.client, row.outbox);
    EXPECT_EQ(send(u"S", row.files), row.expected);
    EXPECT_TRUE(session_.state().sent_mail.empty());
    EXPECT_TRUE(entries(outbox_).empty());
    stop();
  }
  start();
  platform::Variant not_an_array(LONG{3});
  platform::Bstr text(u"x");
  EXPECT_EQ(mail_->SendWithAttachments(0, text.get(), text.get(), not_an_array.get()), E_INVALIDARG);
}

}  // namespace
