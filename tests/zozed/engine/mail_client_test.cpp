// Which mail client the pane reports and whether it may embed pictures: the name rules, and the
// question asked of the host only when the name leaves it open.
#include <gtest/gtest.h>

#include <string>

#include "host/mail_service.h"
#include "platform/support/com_object.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/mail_client.h"

namespace {

class FakeMailService final : public platform::ComObject<FakeMailService, platform::Chain<IMailService, IDispatch>> {
 public:
  FakeMailService(std::u16string name, bool embeds) : name_(std::move(name)), embeds_(embeds) {}

  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP SendWithAttachments(LONG, BSTR, BSTR, VARIANT*) override { return unexpected(); }
  STDMETHODIMP SendEmbeddedInHtml(LONG, BSTR, BSTR, VARIANT*) override { return unexpected(); }
  STDMETHODIMP GetDefaultClientName(BSTR* name) override {
    *name = SysAllocStringLen(name_.data(), static_cast<UINT>(name_.size()));
    return S_OK;
  }
  STDMETHODIMP CanEmbedInClient(VARIANT_BOOL* can_embed) override {
    ++asked;
    *can_embed = embeds_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  int asked = 0;

 private:
  static HRESULT unexpected() {
    ADD_FAILURE() << "unexpected mail service call";
    return E_NOTIMPL;
  }
  std::u16string name_;
  bool embeds_;
};

class MailClientTest : public zozed_test::EngineTest {};

TEST_F(MailClientTest, TheNameDecidesAndTheHostIsAskedOnlyWhenItLeavesItOpen) {
  world_->strings[62308] = u"(no e-mail program)";
  const struct {
    int line;
    const char16_t* name;
    bool host_answer;
    bool can_embed;
    int asked;
  } kRows[] = {
      {__LINE__, u"Outlook Express", false, true, 0},
      {__LINE__, u"MICROSOFT OUTLOOK EXPRESS 6", false, true, 0},
      {__LINE__, u"expressive outlook", false, true, 0},
      {__LINE__, u"Microsoft Outlook", true, true, 1},
      {__LINE__, u"Microsoft Outlook", false, false, 1},
      {__LINE__, u"Thunderbird", true, false, 0},
      {__LINE__, u"Express Mail", true, false, 0},
      {__LINE__, u"Out look", true, false, 0},
  };
  platform::ComPtr<IClientEnvironment> environment;
  ASSERT_EQ(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                             environment.put_void()),
            S_OK);
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    platform::ComPtr<FakeMailService> mail;
    ASSERT_EQ(platform::make_com(mail, std::u16string(row.name), row.host_answer), S_OK);
    const auto state = zozed::email::DetectMailClient(*mail.get(), *environment.get());
    EXPECT_EQ(state.name, row.name);  // the name keeps its case
    EXPECT_FALSE(state.no_mail_client);
    EXPECT_EQ(state.can_embed, row.can_embed);
    EXPECT_EQ(mail->asked, row.asked);
  }

  platform::ComPtr<FakeMailService> none;
  ASSERT_EQ(platform::make_com(none, std::u16string(), true), S_OK);
  const auto state = zozed::email::DetectMailClient(*none.get(), *environment.get());
  EXPECT_TRUE(state.no_mail_client);
  EXPECT_FALSE(state.can_embed);
  EXPECT_EQ(state.name, u"(no e-mail program)");
  EXPECT_EQ(none->asked, 0);
}

}  // namespace
