// Handing the message to the mail service: which of the two operations, with what, and a refusal
// raised as an error of the mail service.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/mail_service.h"
#include "platform/support/com_error.h"
#include "platform/support/com_object.h"
#include "platform/support/safe_array.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/send_message.h"

namespace zozed_test {
namespace {

struct Sent {
  std::string operation;
  LONG handle = 0;
  std::u16string subject;
  std::u16string body;
  std::vector<std::u16string> paths;
};

class RecordingMail final : public platform::ComObject<RecordingMail, platform::Chain<IMailService, IDispatch>> {
 public:
  explicit RecordingMail(HRESULT answer) : answer_(answer) {}

  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP SendWithAttachments(LONG handle, BSTR subject, BSTR body, VARIANT* paths) override {
    return record("attachments", handle, subject, body, paths);
  }
  STDMETHODIMP SendEmbeddedInHtml(LONG handle, BSTR subject, BSTR body, VARIANT* paths) override {
    return record("embedded", handle, subject, body, paths);
  }
  STDMETHODIMP GetDefaultClientName(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP CanEmbedInClient(VARIANT_BOOL*) override { return E_NOTIMPL; }

  std::vector<Sent> sent;

 private:
  HRESULT record(const char* operation, LONG handle, BSTR subject, BSTR body, VARIANT* paths) {
    Sent call{operation, handle, fakes::text_of(subject), fakes::text_of(body), {}};
    if (paths && paths->vt == (VT_ARRAY | VT_BSTR)) {
      auto array = platform::SafeArray::attach(paths->parray);
      for (LONG i = 0; i < static_cast<LONG>(array.size()); ++i) {
        platform::Bstr path;
        if (SUCCEEDED(array.get_element(i, path))) call.paths.emplace_back(path.view());
      }
      (void)array.detach();
    }
    sent.push_back(std::move(call));
    return answer_;
  }
  HRESULT answer_;
};

class SendMessageTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    world_->strings[62570] = u"My pictures";
    world_->strings[62571] = u"Here they are.";
    ASSERT_EQ(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                               environment_.put_void()),
              S_OK);
    auto array = platform::SafeArray::create_vector(VT_BSTR, 0, 2);
    ASSERT_TRUE(array);
    ASSERT_EQ(array.put_element(0, u"C:\\m\\a.jpg"), S_OK);
    ASSERT_EQ(array.put_element(1, u"C:\\m\\clip.wmv"), S_OK);
    paths_ = platform::Variant(std::move(array));
  }
  void TearDown() override {
    environment_ = nullptr;
    EngineTest::TearDown();
  }

  platform::ComPtr<IClientEnvironment> environment_;
  platform::Variant paths_;
};

TEST_F(SendMessageTest, TheEmbedFlagChoosesTheOperationAndARefusalIsAnErrorOfTheMailService) {
  struct Row {
    int line;
    bool embed;
    HRESULT answer;
    const char* operation;
  };
  const Row rows[] = {
      {__LINE__, true, S_OK, "embedded"},
      {__LINE__, false, S_OK, "attachments"},
      {__LINE__, true, E_FAIL, "embedded"},
      {__LINE__, false, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), "attachments"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    platform::ComPtr<RecordingMail> mail;
    ASSERT_EQ(platform::make_com(mail, row.answer), S_OK);
    if (SUCCEEDED(row.answer)) {
      zozed::email::SendMessage(*mail.get(), *environment_.get(), 0x5150, *paths_.get(), row.embed);
    } else {
      try {
        zozed::email::SendMessage(*mail.get(), *environment_.get(), 0x5150, *paths_.get(), row.embed);
        ADD_FAILURE() << "a refused hand-off must raise";
      } catch (const platform::ComError& error) {
        EXPECT_EQ(error.hr(), row.answer);
        EXPECT_TRUE(IsEqualGUID(error.iid(), IID_IMailService));
      }
    }
    ASSERT_EQ(mail->sent.size(), 1u);
    const Sent& sent = mail->sent[0];
    EXPECT_EQ(sent.operation, row.operation);
    EXPECT_EQ(sent.handle, 0x5150);
    EXPECT_EQ(sent.subject, u"My pictures");
    EXPECT_EQ(sent.body, u"Here they are.");
    EXPECT_EQ(sent.paths, (std::vector<std::u16string>{u"C:\\m\\a.jpg", u"C:\\m\\clip.wmv"}));
  }
}

TEST_F(SendMessageTest, WithoutTheHostsTextsNothingIsSent) {
  world_->strings.erase(62571);
  platform::ComPtr<RecordingMail> mail;
  ASSERT_EQ(platform::make_com(mail, S_OK), S_OK);
  EXPECT_THROW(zozed::email::SendMessage(*mail.get(), *environment_.get(), 1, *paths_.get(), false),
               platform::ComError);
  EXPECT_TRUE(mail->sent.empty());
}

}  // namespace
}  // namespace zozed_test
