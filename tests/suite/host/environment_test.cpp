#include <gtest/gtest.h>

#include "host/environment.h"
#include "platform/winuser.h"
#include "suite/host/host_strings.h"
#include "tests/suite/host/suite_host_test_support.h"

using namespace suite_host_test;

namespace {

class EnvironmentTest : public SuiteTest {};

TEST_F(EnvironmentTest, AnswersEveryTextComponentsAskForByNumber) {
  start();
  auto environment = create<IClientEnvironment>(host::CLSID_ClientEnvironment);
  // The numbers the catalogue entries, the managers and the e-mail panes ask for.
  const LONG used[] = {7019, 7022, 7120, 7121, 61449, 61514, 61516, 61669, 61765, 61803, 61884, 62159, 62228, 62274, 62418};
  for (const LONG id : used) {
    platform::Bstr text;
    EXPECT_EQ(environment->GetHostString(id, text.put()), S_OK) << id;
    EXPECT_FALSE(text.view().empty()) << id;
    EXPECT_EQ(text.view(), suite::find_host_string(id).value_or(u"")) << id;
  }
  platform::Bstr text;
  EXPECT_EQ(environment->GetHostString(62228, text.put()), S_OK);
  EXPECT_EQ(text.view(), u"Share by E-mail");
}

TEST_F(EnvironmentTest, UnknownNumbersAndNullOutputsFail) {
  start();
  auto environment = create<IClientEnvironment>(host::CLSID_ClientEnvironmentConfig);
  BSTR text = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(environment->GetHostString(1, &text), HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(text, nullptr) << "cleared on failure";
  EXPECT_EQ(environment->GetHostString(-1, &text), HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(environment->GetHostString(7019, nullptr), E_POINTER);
  EXPECT_EQ(environment->GetCatalogueRoot(0, nullptr), E_POINTER);
  EXPECT_EQ(environment->GetCatalogueRoot(-1, &text), E_INVALIDARG);
  HCURSOR cursor = reinterpret_cast<HCURSOR>(1);
  EXPECT_EQ(environment->GetCursor(7054, &cursor), HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(cursor, nullptr);
}

TEST_F(EnvironmentTest, TheBusyCursorIsTheSystemWaitCursorAndThereAreNoResourcesOrImagesYet) {
  start();
  auto environment = create<IClientEnvironment>(host::CLSID_ClientEnvironment);
  HCURSOR cursor = nullptr;
  ASSERT_EQ(environment->GetCursor(host::kBusyCursor, &cursor), S_OK);
  EXPECT_NE(cursor, nullptr);
  EXPECT_EQ(cursor, LoadCursorW(nullptr, IDC_WAIT));
  VARIANT resource;
  resource.vt = VT_I4;
  EXPECT_EQ(environment->GetResource(1000, host::kResourceDialogTemplate, &resource), S_FALSE);
  EXPECT_EQ(resource.vt, VT_EMPTY);
  IUnknown* image = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(environment->GetImage(0, &image), S_FALSE);
  EXPECT_EQ(image, nullptr);
}

// The roots by index until the end, an empty string answered with S_FALSE; the paths beside them.
TEST_F(EnvironmentTest, CatalogueRootsAndPathsFollowTheSettings) {
  const std::vector<std::u16string> editions{u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client",
                                             u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\StdPlus\\Client",
                                             u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Pro\\Client"};
  const std::vector<std::u16string> own{u"SOFTWARE\\Test\\B", u"SOFTWARE\\Test\\A"};
  for (const bool defaults : {true, false}) {
    SCOPED_TRACE(defaults ? "the editions" : "the settings' own");
    suite::SuiteSettings settings;
    if (!defaults) {
      settings.catalogue_roots = own;
      settings.configuration_root = u"Software\\Test\\Config";
    }
    start(std::move(settings));
    auto environment = create<IClientEnvironment>(host::CLSID_ClientEnvironmentSettings);
    std::vector<std::u16string> roots;
    for (LONG index = 0;; ++index) {
      ASSERT_LT(index, 1000);
      platform::Bstr root;
      const HRESULT hr = environment->GetCatalogueRoot(index, root.put());
      if (hr == S_FALSE) {
        EXPECT_FALSE(root.is_null()) << "the end is an empty string, not null";
        EXPECT_TRUE(root.view().empty());
        break;
      }
      ASSERT_EQ(hr, S_OK);
      roots.emplace_back(root.view());
    }
    EXPECT_EQ(roots, defaults ? editions : own);
    platform::Bstr path;
    ASSERT_EQ(environment->get_ConfigurationRoot(path.put()), S_OK);
    EXPECT_EQ(path.view(), defaults ? u"Software\\Quarn\\Tessagram7" : u"Software\\Test\\Config");
    ASSERT_EQ(environment->get_SettingsPath(path.put()), S_OK);
    EXPECT_EQ(path.view(), u"Software\\Quarn\\Tessagram7\\Settings");
    ASSERT_EQ(environment->get_FormatLoaderBasePath(path.put()), S_OK);
    EXPECT_EQ(path.view(), u"Software\\Quarn\\Tessagram7");
    environment.reset();
    session_.stop();
  }
}

TEST_F(EnvironmentTest, AutomationCallersReachTheSameAnswers) {
  start();
  auto environment = create<IClientEnvironment>(host::CLSID_ClientEnvironment);
  LPOLESTR name = const_cast<LPOLESTR>(u"hoststring");
  DISPID id = 0;
  ASSERT_EQ(environment->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
  VARIANT number;
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = 7022;
  platform::Variant result;
  ASSERT_EQ(invoke(environment.get(), id, DISPATCH_METHOD, {number}, result.put()), S_OK);
  EXPECT_EQ(result.as_bstr().value_or(u"?"), u"Save");
  number.lVal = 2;
  EXPECT_EQ(invoke(environment.get(), id, DISPATCH_METHOD, {number}, result.put()),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
}

}  // namespace
