// The Share and Save managers as a host meets them: created through the registry with the suite running,
// listing the registered components and answering for file categories.
#include <gtest/gtest.h>

#include <string>

#include "host/media_services.h"
#include "host/working_folder.h"
#include "platform/fileapi.h"
#include "host/sub_manager.h"
#include "platform/objidl.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "platform/support/reg_key.h"
#include "tests/zozed/suite_module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

using zozed_test::take;

class ServiceManagerTest : public zozed_test::SuiteModuleTest {
 protected:
  platform::ComPtr<ISubManager> create() { return SuiteModuleTest::create<ISubManager>(zozed::CLSID_STGShareManager); }
};

TEST_F(ServiceManagerTest, ListsRegisteredComponentsByPriorityWithHostNames) {
  start();
  auto manager = create();
  ASSERT_TRUE(manager);
  LONG count = -1;
  ASSERT_EQ(manager->GetCount(&count), S_OK);
  ASSERT_EQ(count, 2);
  // The Pro edition's Export (1000) sorts before the Std edition's E-mail (1030).
  const struct {
    int line;
    const char16_t* key;
    const char16_t* name;
    LONG priority;
  } kRows[] = {
      {__LINE__, u"{E86C3B9B-13A0-4ced-8ABA-9150A7C47609}", u"Export", 1000},
      {__LINE__, u"{126239D4-FA95-4566-A14E-2A111932D54A}", u"E-mail", 1030},
  };
  for (LONG i = 0; i < count; ++i) {
    const auto& row = kRows[i];
    SCOPED_TRACE(row.line);
    BSTR b = nullptr;
    ASSERT_EQ(manager->GetKey(i, &b), S_OK);
    EXPECT_EQ(take(b), row.key);
    ASSERT_EQ(manager->GetName(i, &b), S_OK);
    EXPECT_EQ(take(b), row.name);
    LONG priority = 0;
    ASSERT_EQ(manager->GetPriority(i, &priority), S_OK);
    EXPECT_EQ(priority, row.priority);
  }
  BSTR b = reinterpret_cast<BSTR>(&count);  // must be cleared on failure
  EXPECT_EQ(manager->GetKey(count, &b), E_INVALIDARG);
  EXPECT_EQ(b, nullptr);
}

TEST_F(ServiceManagerTest, FileCategoryCodes) {
  start();
  auto manager = create();
  ASSERT_TRUE(manager);
  BSTR category = nullptr;
  BSTR path = nullptr;
  // Export names no File Category.
  ASSERT_EQ(manager->GetFileCategory(0, &category, &path), S_FALSE);
  EXPECT_EQ(take(category), u"");
  EXPECT_EQ(take(path), u"");
  ASSERT_EQ(manager->GetFileCategory(1, &category, &path), S_OK);
  EXPECT_EQ(take(category), u"E-mail Pictures");
  EXPECT_EQ(take(path), u"Software\\Quarn\\Tessagram7\\Options\\TSGShare\\{126239D4-FA95-4566-A14E-2A111932D54A}");
  EXPECT_EQ(manager->GetFileCategory(2, &category, &path), E_INVALIDARG);
  EXPECT_EQ(manager->GetFileCategory(-1, &category, &path), E_INVALIDARG);
  EXPECT_EQ(manager->GetFileCategory(1, nullptr, &path), E_POINTER);
}

TEST_F(ServiceManagerTest, EmptyConfigurationRootFails) {
  suite::SuiteSettings settings;
  settings.configuration_root.clear();
  start(std::move(settings));
  auto manager = create();
  ASSERT_TRUE(manager);
  BSTR category = nullptr;
  BSTR path = nullptr;
  EXPECT_EQ(manager->GetFileCategory(1, &category, &path), E_FAIL);
  EXPECT_EQ(category, nullptr);
  EXPECT_EQ(path, nullptr);
}

TEST_F(ServiceManagerTest, ReadsOnlyTheRootsTheHostReports) {
  platform::RegKey entry;
  ASSERT_EQ(entry.create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Test\\Second\\TSGShare\\{00000000-0000-0000-0000-000000000001}"),
            ERROR_SUCCESS);
  ASSERT_EQ(entry.set_dword(u"Name", 7019), ERROR_SUCCESS);
  ASSERT_EQ(entry.set_dword(u"Priority", 5), ERROR_SUCCESS);
  suite::SuiteSettings settings;
  settings.catalogue_roots = {u"SOFTWARE\\Test\\Missing", u"SOFTWARE\\Test\\Second",
                              u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client"};
  start(std::move(settings));
  auto manager = create();
  ASSERT_TRUE(manager);
  LONG count = 0;
  ASSERT_EQ(manager->GetCount(&count), S_OK);
  ASSERT_EQ(count, 2);
  BSTR b = nullptr;
  ASSERT_EQ(manager->GetName(0, &b), S_OK);
  EXPECT_EQ(take(b), u"Share");
  ASSERT_EQ(manager->GetKey(1, &b), S_OK);
  EXPECT_EQ(take(b), u"{126239D4-FA95-4566-A14E-2A111932D54A}");
}

TEST_F(ServiceManagerTest, HostShutdownEmptiesTheList) {
  start();
  auto manager = create();
  ASSERT_TRUE(manager);
  session_.stop();
  LONG count = -1;
  ASSERT_EQ(manager->GetCount(&count), S_OK);
  EXPECT_EQ(count, 0);
}

TEST_F(ServiceManagerTest, AnswersItsInterfacesAndTheFreeThreadedMarshaler) {
  start();
  auto manager = create();
  ASSERT_TRUE(manager);
  const struct {
    int line;
    const IID* iid;
  } kRows[] = {
      {__LINE__, &IID_IDispatch}, {__LINE__, &IID_IShutdownSink}, {__LINE__, &IID_ICommandTarget},
      {__LINE__, &IID_IMarshal},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    platform::ComPtr<IUnknown> answered;
    EXPECT_EQ(manager->QueryInterface(*row.iid, answered.put_void()), S_OK);
    EXPECT_TRUE(answered);
  }
  platform::ComPtr<IUnknown> self;
  ASSERT_EQ(manager->GetUnknown(self.put()), S_OK);
  platform::ComPtr<IUnknown> identity;
  ASSERT_EQ(manager->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
  EXPECT_EQ(self.get(), identity.get());
}

TEST_F(ServiceManagerTest, SaveManagerListsTheSaveComponents) {
  start();
  platform::ComPtr<ISubManager> manager;
  ASSERT_EQ(CoCreateInstance(zozed::CLSID_STGSaveManager, nullptr, CLSCTX_INPROC_SERVER, IID_ISubManager,
                             manager.put_void()),
            S_OK);
  LONG count = 0;
  ASSERT_EQ(manager->GetCount(&count), S_OK);
  ASSERT_EQ(count, 3);
  // Equal priorities (1000, Std then StdPlus) keep the order of their roots; 2000 comes last.
  const char16_t* const kKeys[] = {u"{5006CC56-A905-4b84-9243-D9EA83D46CE9}", u"{3DF39197-6128-4667-B6A5-DC42D42BEF7A}",
                                   u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}"};
  for (LONG i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    BSTR b = nullptr;
    ASSERT_EQ(manager->GetKey(i, &b), S_OK);
    EXPECT_EQ(take(b), kKeys[i]);
  }
  VARIANT_BOOL stack = VARIANT_FALSE;
  ASSERT_EQ(manager->GetIsActivityPaneStack(2, &stack), S_OK);
  EXPECT_EQ(stack, VARIANT_TRUE);
}

TEST_F(ServiceManagerTest, ShareKeepsAConfiguredComponentFolder) {
  start();
  const std::u16string settings_path =
      u"Software\\Quarn\\Tessagram7\\Options\\TSGShare\\{126239D4-FA95-4566-A14E-2A111932D54A}";
  platform::RegKey settings;
  ASSERT_EQ(settings.create(HKEY_CURRENT_USER, settings_path), ERROR_SUCCESS);
  ASSERT_EQ(settings.set_string(u"CmpntDir", u"C:\\Mine"), ERROR_SUCCESS);
  auto manager = create();
  ASSERT_TRUE(manager);
  BSTR category = nullptr;
  BSTR path = nullptr;
  ASSERT_EQ(manager->GetFileCategory(1, &category, &path), S_OK);
  EXPECT_EQ(take(category), u"E-mail Pictures");
  EXPECT_EQ(take(path), settings_path);
  std::u16string folder;
  ASSERT_EQ(settings.get_string(u"CmpntDir", folder), ERROR_SUCCESS);
  EXPECT_EQ(folder, u"C:\\Mine");
}

TEST_F(ServiceManagerTest, ShareMakesTheEmailComponentFolderBelowTheHostsBaseFolder) {
  start();
  platform::ComPtr<IWorkingFolder> working;
  ASSERT_EQ(CoCreateInstance(host::CLSID_WorkingFolder, nullptr, CLSCTX_ALL, IID_IWorkingFolder, working.put_void()),
            S_OK);
  BSTR base_text = nullptr;
  ASSERT_EQ(working->GetBaseFolder(&base_text), S_OK);
  std::u16string expected = take(base_text);
  if (expected.empty() || expected.back() != u'\\') expected += u'\\';
  expected += u"Pictures to E-mail";
  const bool existed = GetFileAttributesW(expected.c_str()) != INVALID_FILE_ATTRIBUTES;

  auto manager = create();
  ASSERT_TRUE(manager);
  BSTR category = nullptr;
  BSTR path = nullptr;
  ASSERT_EQ(manager->GetFileCategory(1, &category, &path), S_OK);
  const std::u16string settings_path = take(path);
  SysFreeString(category);
  platform::RegKey settings;
  ASSERT_EQ(settings.open(HKEY_CURRENT_USER, settings_path), ERROR_SUCCESS);
  std::u16string folder;
  ASSERT_EQ(settings.get_string(u"CmpntDir", folder), ERROR_SUCCESS);
  EXPECT_EQ(folder, expected);
  EXPECT_NE(GetFileAttributesW(expected.c_str()), INVALID_FILE_ATTRIBUTES);
  if (!existed) (void)RemoveDirectoryW(expected.c_str());
}

}  // namespace
