#include <gtest/gtest.h>

#include <span>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/pane_messages.h"
#include "platform/support/class_factory.h"
#include "platform/support/dispatch_object.h"
#include "tests/suite/host/suite_host_test_support.h"

using namespace suite_host_test;
using platform::ComPtr;

namespace {

PLATFORM_DEFINE_GUID(CLSID_TestPane, "{5B7E0C7A-3C51-4E56-9D0B-7E3E2C7A11F0}");
const char16_t kTestPaneText[] = u"{5B7E0C7A-3C51-4E56-9D0B-7E3E2C7A11F0}";
const char16_t kUnregisteredPane[] = u"{5B7E0C7A-3C51-4E56-9D0B-7E3E2C7A11F1}";
const char16_t kToolbar[] = u"{3771A974-AC8A-4508-A2EB-D209DC803E22}";

// A pane as the suite meets it: a class of its own answering IActivityComponent.
class TestPane final : public platform::DispatchObject<TestPane, platform::Chain<IActivityComponent, IDispatch>> {
 public:
  STDMETHODIMP ReceiveMessage(BSTR message_id, VARIANT, VARIANT, LONG, LONG* handled) override {
    *handled = 1;
    last_message = message_id ? message_id : u"";
    ++messages;
    return S_OK;
  }
  STDMETHODIMP IsAvailable(VARIANT_BOOL* available) override {
    *available = VARIANT_TRUE;
    return S_OK;
  }
  static std::span<const platform::DispatchMember<TestPane>> dispatch_members() { return {}; }

  inline static std::u16string last_message;
  inline static int messages = 0;
};

class PaneStackTest : public SuiteTest {
 protected:
  void SetUp() override {
    SuiteTest::SetUp();
    TestPane::last_message.clear();
    TestPane::messages = 0;
    start();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(platform::class_factory_of<TestPane>(IID_IClassFactory, factory.put_void()), S_OK);
    ASSERT_EQ(CoRegisterClassObject(CLSID_TestPane, factory.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_),
              S_OK);
    auto activity = create<IActivityHost>(host::CLSID_ActivityHost);
    ComPtr<IDispatch> area;
    ASSERT_EQ(activity->GetActivityArea(area.put()), S_OK);
    platform::Variant stack;
    ASSERT_EQ(invoke(area.get(), host::kActivityAreaPaneStack, DISPATCH_PROPERTYGET, {}, stack.put()), S_OK);
    ASSERT_EQ(stack.vt(), VT_DISPATCH);
    stack_ = stack.as_dispatch().value();
  }
  void TearDown() override {
    stack_.reset();
    EXPECT_EQ(CoRevokeClassObject(cookie_), S_OK);
    SuiteTest::TearDown();
  }

  ComPtr<IActivityComponent> current_pane() {
    platform::Variant pane;
    EXPECT_EQ(invoke(stack_.get(), host::kPaneStackCurrentPane, DISPATCH_PROPERTYGET, {}, pane.put()), S_OK);
    ComPtr<IActivityComponent> component;
    if (pane.vt() == VT_DISPATCH)
      EXPECT_EQ(pane.as_dispatch().value()->QueryInterface(IID_IActivityComponent, component.put_void()), S_OK);
    else
      EXPECT_EQ(pane.vt(), VT_EMPTY) << "no pane: empty";
    return component;
  }

  DWORD cookie_ = 0;
  ComPtr<IDispatch> stack_;
};

TEST_F(PaneStackTest, ShowsAPaneByClsidStringAndRecordsEveryOperation) {
  EXPECT_FALSE(current_pane()) << "nothing shown yet";
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackSetToolbar, DISPATCH_METHOD, {text_arg(kToolbar)}, nullptr), S_OK);
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackShowPane, DISPATCH_METHOD,
                   {text_arg(kTestPaneText), text_arg(u"Share by E-mail")}, nullptr),
            S_OK);
  auto pane = current_pane();
  ASSERT_TRUE(pane);
  LONG handled = 0;
  VARIANT empty;
  VariantInit(&empty);
  platform::Bstr message(host::kReturnToCaller);
  EXPECT_EQ(pane->ReceiveMessage(message.get(), empty, empty, 0, &handled), S_OK);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(TestPane::last_message, host::kReturnToCaller) << "delivered to the pane shown";
  EXPECT_EQ(TestPane::messages, 1);
  pane.reset();
  // Recorded on the way.
  ASSERT_EQ(session_.state().pane_messages.size(), 1u);
  const auto& delivered = session_.state().pane_messages[0];
  EXPECT_EQ(delivered.pane, kTestPaneText);
  EXPECT_EQ(delivered.message_id, host::kReturnToCaller);
  EXPECT_EQ(delivered.value, u"empty");
  EXPECT_EQ(delivered.handled, 1);
  EXPECT_EQ(delivered.result, S_OK);

  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackShowPane, DISPATCH_METHOD,
                   {text_arg(kUnregisteredPane), text_arg(u"t")}, nullptr),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackShowPane, DISPATCH_METHOD, {text_arg(u"not a clsid"), text_arg(u"t")},
                   nullptr),
            CO_E_CLASSSTRING);
  EXPECT_TRUE(current_pane()) << "a failed ShowPane leaves the pane shown";
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackBack, DISPATCH_METHOD, {}, nullptr), S_OK);
  EXPECT_FALSE(current_pane());
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackEnd, DISPATCH_METHOD, {bool_arg(true)}, nullptr), S_OK);
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackReturnToCaller, DISPATCH_METHOD, {}, nullptr), S_OK);

  std::vector<std::string> recorded;
  for (const auto& op : session_.state().pane_operations) {
    std::string text = narrow(op.name) + "(";
    for (std::size_t i = 0; i < op.arguments.size(); ++i) text += (i ? ", " : "") + narrow(op.arguments[i]);
    recorded.push_back(text + ")" + (op.result == S_OK ? "" : " failed"));
  }
  EXPECT_EQ(recorded, (std::vector<std::string>{
                          "CurrentPane()", "SetToolbar(\"{3771A974-AC8A-4508-A2EB-D209DC803E22}\")",
                          "ShowPane(\"{5B7E0C7A-3C51-4E56-9D0B-7E3E2C7A11F0}\", \"Share by E-mail\")", "CurrentPane()",
                          "ShowPane(\"{5B7E0C7A-3C51-4E56-9D0B-7E3E2C7A11F1}\", \"t\") failed",
                          "ShowPane(\"not a clsid\", \"t\") failed", "CurrentPane()", "Back()", "CurrentPane()", "End(true)",
                          "ReturnToCaller()"}));
}

TEST_F(PaneStackTest, ToolbarAsPropertyAndEndWithoutTrue) {
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackSetToolbar, DISPATCH_PROPERTYPUT, {text_arg(kToolbar)}, nullptr), S_OK);
  EXPECT_EQ(session_.state().toolbar, kToolbar);
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackSetToolbar, DISPATCH_METHOD, {text_arg(u"")}, nullptr), S_OK);
  EXPECT_EQ(session_.state().toolbar, u"") << "empty: no toolbar";
  ASSERT_EQ(invoke(stack_.get(), host::kPaneStackShowPane, DISPATCH_METHOD, {text_arg(kTestPaneText), text_arg(u"t")},
                   nullptr),
            S_OK);
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackEnd, DISPATCH_METHOD, {bool_arg(false)}, nullptr), S_FALSE);
  EXPECT_TRUE(current_pane()) << "only End(true) leaves the task";
  EXPECT_EQ(invoke(stack_.get(), host::kPaneStackEnd, DISPATCH_METHOD, {}, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(stack_.get(), 3, DISPATCH_METHOD, {}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(session_.state().pane_operations.back().result, DISP_E_BADPARAMCOUNT) << "failures are recorded too";
}

TEST_F(PaneStackTest, PanesStillShownAreReleasedWhenTheSuiteStops) {
  ASSERT_EQ(invoke(stack_.get(), host::kPaneStackShowPane, DISPATCH_METHOD, {text_arg(kTestPaneText), text_arg(u"t")},
                   nullptr),
            S_OK);
  const LONG with_pane = platform::this_module().objects();
  stack_.reset();
  session_.stop();
  EXPECT_LT(platform::this_module().objects(), with_pane);
  EXPECT_EQ(platform::this_module().objects(), objects_before_);
}

}  // namespace
