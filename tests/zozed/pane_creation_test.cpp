#include <gtest/gtest.h>

#include "host/activity_component.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "tests/zozed/module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

using zozed_test::ModuleTest;

struct PaneClass {
  int line;
  const CLSID* clsid;
};

const PaneClass kPanes[] = {
    {__LINE__, &zozed::CLSID_STGSharedSaveAs},     {__LINE__, &zozed::CLSID_STGShareByEmail},
    {__LINE__, &zozed::CLSID_STGSharedExport},     {__LINE__, &zozed::CLSID_STGArchivePane},
    {__LINE__, &zozed::CLSID_STGEmailGenPan},      {__LINE__, &zozed::CLSID_STGEmailOptPane},
    {__LINE__, &zozed::CLSID_STGSlideShowOptPane}, {__LINE__, &zozed::CLSID_STGEmailDonePane},
    {__LINE__, &zozed::CLSID_STGEmailOptions},
};

using PaneCreation = ModuleTest;

TEST_F(PaneCreation, EveryPaneClassIsCreatedThroughTheRegistryAndAnswersItsInterfaces) {
  ASSERT_EQ(register_module(), S_OK);
  for (const auto& pane : kPanes) {
    SCOPED_TRACE("pane at line " + std::to_string(pane.line));
    IActivityComponent* component = nullptr;
    ASSERT_EQ(CoCreateInstance(*pane.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IActivityComponent,
                               reinterpret_cast<void**>(&component)),
              S_OK);
    const platform::Bstr message(u"{00000000-0000-0000-0000-000000000001}");
    VARIANT empty;
    VariantInit(&empty);
    LONG handled = 7;
    EXPECT_EQ(component->ReceiveMessage(message.get(), empty, empty, 0, &handled), S_OK);
    EXPECT_TRUE(handled == 0 || handled == 1) << "the handled flag is written, whatever the pane does with the message";
    VARIANT_BOOL available = VARIANT_FALSE;
    EXPECT_EQ(component->IsAvailable(&available), S_OK);
    EXPECT_EQ(available, VARIANT_TRUE);
    EXPECT_EQ(component->IsAvailable(nullptr), E_POINTER);

    // Late bound, as script hosts and the host's dispatch helpers call it.
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(component->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(u"IsAvailable");
    DISPID id = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
    EXPECT_EQ(dispatch->Release(), 1u);
    EXPECT_EQ(component->Release(), 0u);
  }
}

TEST_F(PaneCreation, TheManagersNeedTheHostAndNothingIsServedBeforeRegistration) {
  IUnknown* object = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(CoCreateInstance(zozed::CLSID_STGShareByEmail, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&object)),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(register_module(), S_OK);
  // Without a running host the managers cannot reach its environment, and no half-built object escapes.
  for (const CLSID* manager : {&zozed::CLSID_STGShareManager, &zozed::CLSID_STGSaveManager}) {
    object = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(CoCreateInstance(*manager, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
  }
}

}  // namespace
