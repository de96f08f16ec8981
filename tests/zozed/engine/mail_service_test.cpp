// The mail service as the engine meets it: which client the pane reports and whether it may embed
// pictures (the name rules, and the host asked only when the name leaves it open), and the hand-off
// itself (which of the two operations, with what, a refusal raised as an error of the service).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/support/com_error.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/mail_client.h"
#include "zozed/email/engine/send_message.h"

namespace zozed_test {
namespace {

using fakes::FakeMailService;

using MailServiceTest = EngineTest;

platform::ComPtr<FakeMailService> mail_service(std::u16string name, bool embeds, HRESULT answer = S_OK) {
  platform::ComPtr<FakeMailService> mail;
  EXPECT_EQ(platform::make_com(mail, std::move(name), embeds, answer), S_OK);
  return mail;
}

TEST_F(MailServiceTest, TheNameDecidesAndTheHostIsAskedOnlyWhenItLeavesItOpen) {
  world_->strings[62308] = u"(no e-mail program)";
  const struct {
    int line;
    const char16_t* name;
    bool host_answer, can_embed;
    int asked;
  } kRows[] = {
      {__LINE__, u"MICROSOFT OUTLOOK EXPRESS 6", false, true, 0},
      {__LINE__, u"Microsoft Outlook", true, true, 1},
      {__LINE__, u"Microsoft Outlook", false, false, 1},
      {__LINE__, u"Express Mail", true, false, 0},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    const auto mail = mail_service(row.name, row.host_answer);
    const auto state = zozed::email::DetectMailClient(*mail.get(), environment());
    EXPECT_EQ(state.name, row.name);  // the name keeps its case
    EXPECT_FALSE(state.no_mail_client);
    EXPECT_EQ(state.can_embed, row.can_embed);
    EXPECT_EQ(mail->asked, row.asked);
  }

  const auto none = mail_service(u"", true);
  const auto state = zozed::email::DetectMailClient(*none.get(), environment());
  EXPECT_TRUE(state.no_mail_client);
  EXPECT_FALSE(state.can_embed);
  EXPECT_EQ(state.name, u"(no e-mail program)");
  EXPECT_EQ(none->asked, 0);
}

TEST_F(MailServiceTest, TheEmbedFlagChoosesTheOperationAndARefusalIsAnErrorOfTheMailService) {
  world_->strings[62570] = u"My pictures";
  world_->strings[62571] = u"Here they are.";
  auto array = platform::SafeArray::create_vector(VT_BSTR, 0, 2);
  ASSERT_EQ(array.put_element(0, u"C:\\m\\a.jpg"), S_OK);
  ASSERT_EQ(array.put_element(1, u"C:\\m\\clip.wmv"), S_OK);
  platform::Variant paths(std::move(array));
  struct Row {
    int line;
    bool embed;
    HRESULT answer;
    const char* operation;
  };
  const Row rows[] = {
      {__LINE__, true, S_OK, "embedded"},
      {__LINE__, false, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), "attachments"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const auto mail = mail_service(u"", false, row.answer);
    HRESULT raised = S_OK;
    try {
      zozed::email::SendMessage(*mail.get(), environment(), 0x5150, *paths.get(), row.embed);
    } catch (const platform::ComError& error) {
      raised = error.hr();
      EXPECT_TRUE(IsEqualGUID(error.iid(), IID_IMailService));
    }
    EXPECT_EQ(raised, row.answer);
    ASSERT_EQ(mail->sent.size(), 1u);
    const auto& sent = mail->sent[0];
    EXPECT_EQ(sent.operation, row.operation);
    EXPECT_EQ(sent.handle, 0x5150);
    EXPECT_EQ(sent.subject, u"My pictures");
    EXPECT_EQ(sent.body, u"Here they are.");
    EXPECT_EQ(sent.paths, (std::vector<std::u16string>{u"C:\\m\\a.jpg", u"C:\\m\\clip.wmv"}));
  }
}

}  // namespace
}  // namespace zozed_test
