// The Share and Save managers as a host meets them, created through the registry with the suite
// running: the components they list and the file categories they answer for, and as command
// targets which commands each takes, what it asks of the pane stack and the host's command
// target, what it sends the pane it shows, and its S_OK / S_FALSE answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/media_services.h"
#include "host/pane_messages.h"
#include "host/sub_manager.h"
#include "host/working_folder.h"
#include "platform/fileapi.h"
#include "platform/support/bstr.h"
#include "platform/support/reg_key.h"
#include "platform/support/variant.h"
#include "tests/zozed/module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

using ::testing::ElementsAre;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;
using zozed_test::take;

constexpr char16_t kShare[] = u"{30355CD8-0A54-4ce7-838E-BF048256AF96}";
constexpr char16_t kOpenComponent[] = u"{2878F2A0-7731-41ee-A836-A7583C00D30B}";
constexpr char16_t kEmailSharedItems[] = u"{F2BFE090-B34B-45d6-93EE-905255ECF886}";
constexpr char16_t kGatherRound[] = u"{38C4802F-4F53-4eeb-863B-B0AFD79FF4F6}";
constexpr char16_t kSave[] = u"{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}";
constexpr char16_t kSaveAs[] = u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}";
constexpr char16_t kFurtherSave[] = u"{78D11833-5CF0-41fd-A5CA-F901403DC07E}";
constexpr char16_t kShareByEmail[] = u"{126239D4-FA95-4566-A14E-2A111932D54A}";
constexpr char16_t kArchive[] = u"{3DF39197-6128-4667-B6A5-DC42D42BEF7A}";
constexpr char16_t kEmailToolbar[] = u"{3771A974-AC8A-4508-A2EB-D209DC803E22}";
constexpr char16_t kEmailOptionsPane[] = u"{86A49DF4-EA73-4648-9CEB-11641256FC82}";
constexpr char16_t kEmailSettings[] =
    u"Software\\Quarn\\Tessagram7\\Options\\TSGShare\\{126239D4-FA95-4566-A14E-2A111932D54A}";

const CLSID& kShareManager = zozed::CLSID_STGShareManager;
const CLSID& kSaveManager = zozed::CLSID_STGSaveManager;

class ServiceManagerTest : public zozed_test::SuiteModuleTest {
 protected:
  ComPtr<ISubManager> manager(const CLSID& clsid = kShareManager) { return create<ISubManager>(clsid); }

  // GetFileCategory's answer, category and settings path.
  static std::tuple<HRESULT, std::u16string, std::u16string> category(ISubManager* manager, LONG index) {
    BSTR category = nullptr;
    BSTR path = nullptr;
    const HRESULT hr = manager->GetFileCategory(index, &category, &path);
    return {hr, take(category), take(path)};
  }

  // Each entry the manager lists, as "key name priority".
  static std::vector<std::u16string> listing(ISubManager* listed) {
    LONG count = 0;
    EXPECT_EQ(listed->GetCount(&count), S_OK);
    std::vector<std::u16string> out;
    for (LONG i = 0; i < count; ++i) {
      BSTR key = nullptr;
      BSTR name = nullptr;
      LONG priority = 0;
      EXPECT_EQ(listed->GetKey(i, &key), S_OK);
      EXPECT_EQ(listed->GetName(i, &name), S_OK);
      EXPECT_EQ(listed->GetPriority(i, &priority), S_OK);
      const std::string number = std::to_string(priority);
      out.push_back(take(key) + u" " + take(name) + u" " + std::u16string(number.begin(), number.end()));
    }
    return out;
  }
};

using Lines = std::vector<std::u16string>;

TEST_F(ServiceManagerTest, ListsTheRegisteredComponentsByPriorityWithHostNames) {
  start();
  // Share: the Pro edition's Export (1000) before the Std edition's E-mail (1030). Save: equal
  // priorities (1000, Std then StdPlus) keep the order of their roots; 2000 comes last.
  EXPECT_EQ(listing(manager().get()), (Lines{u"{E86C3B9B-13A0-4ced-8ABA-9150A7C47609} Export 1000",
                                             std::u16string(kShareByEmail) + u" E-mail 1030"}));
  const auto save = manager(kSaveManager);
  EXPECT_EQ(listing(save.get()), (Lines{u"{5006CC56-A905-4b84-9243-D9EA83D46CE9} Save 1000",
                                        std::u16string(kArchive) + u" Archive 1000", std::u16string(kSaveAs) + u" Save As 2000"}));
  BSTR b = reinterpret_cast<BSTR>(&b);  // must be cleared on failure
  EXPECT_EQ(save->GetKey(3, &b), E_INVALIDARG);
  EXPECT_EQ(b, nullptr);
  VARIANT_BOOL stack = VARIANT_FALSE;
  ASSERT_EQ(save->GetIsActivityPaneStack(2, &stack), S_OK);
  EXPECT_EQ(stack, VARIANT_TRUE);
}

TEST_F(ServiceManagerTest, FileCategoryCodes) {
  start();
  const auto share = manager();
  ASSERT_TRUE(share);
  using Answer = std::tuple<HRESULT, std::u16string, std::u16string>;
  EXPECT_EQ(category(share.get(), 0), (Answer{S_FALSE, u"", u""})) << "Export names no File Category";
  EXPECT_EQ(category(share.get(), 1), (Answer{S_OK, u"E-mail Pictures", kEmailSettings}));
  EXPECT_EQ(category(share.get(), 2), (Answer{E_INVALIDARG, u"", u""}));
  EXPECT_EQ(category(share.get(), -1), (Answer{E_INVALIDARG, u"", u""}));
  BSTR path = nullptr;
  EXPECT_EQ(share->GetFileCategory(1, nullptr, &path), E_POINTER);
}

TEST_F(ServiceManagerTest, TheEmailComponentFolderIsMadeBelowTheBaseFolderUnlessOneIsConfigured) {
  start();
  const auto working = create<IWorkingFolder>(host::CLSID_WorkingFolder);
  BSTR base_text = nullptr;
  ASSERT_EQ(working->GetBaseFolder(&base_text), S_OK);
  std::u16string made = take(base_text);
  if (made.empty() || made.back() != u'\\') made += u'\\';
  made += u"Pictures to E-mail";
  const bool existed = GetFileAttributesW(made.c_str()) != INVALID_FILE_ATTRIBUTES;

  for (const std::u16string configured : {u"", u"C:\\Mine"}) {
    SCOPED_TRACE(configured.empty() ? "made" : "configured");
    platform::RegKey settings;
    ASSERT_EQ(settings.create(HKEY_CURRENT_USER, kEmailSettings), ERROR_SUCCESS);
    if (!configured.empty()) {
      ASSERT_EQ(settings.set_string(u"CmpntDir", configured), ERROR_SUCCESS);
    }
    EXPECT_EQ(std::get<0>(category(manager().get(), 1)), S_OK);
    std::u16string folder;
    ASSERT_EQ(settings.get_string(u"CmpntDir", folder), ERROR_SUCCESS);
    EXPECT_EQ(folder, configured.empty() ? made : configured);
  }
  EXPECT_NE(GetFileAttributesW(made.c_str()), INVALID_FILE_ATTRIBUTES);
  if (!existed) (void)RemoveDirectoryW(made.c_str());
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
  const auto share = manager();
  EXPECT_EQ(listing(share.get()),
            (Lines{u"{00000000-0000-0000-0000-000000000001} Share 5", std::u16string(kShareByEmail) + u" E-mail 1030"}));

  session_.stop();  // the host's shutdown empties the list
  EXPECT_EQ(listing(share.get()), Lines{});
}

TEST_F(ServiceManagerTest, AnswersItsInterfacesAndTheFreeThreadedMarshaler) {
  start();
  const auto share = manager();
  ASSERT_TRUE(share);
  for (const IID* iid : {&IID_IDispatch, &IID_IShutdownSink, &IID_ICommandTarget, &IID_IMarshal}) {
    ComPtr<IUnknown> answered;
    EXPECT_EQ(share->QueryInterface(*iid, answered.put_void()), S_OK);
    EXPECT_TRUE(answered);
  }
  ComPtr<IUnknown> self;
  ASSERT_EQ(share->GetUnknown(self.put()), S_OK);
  ComPtr<IUnknown> identity;
  ASSERT_EQ(share->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
  EXPECT_EQ(self.get(), identity.get());
}

TEST_F(ServiceManagerTest, WithoutAConfigurationRootOnlyTheShareManagerReportsErrorInformation) {
  suite::SuiteSettings settings;
  settings.configuration_root.clear();
  start(std::move(settings));
  const auto share = manager();
  ASSERT_TRUE(share);
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(share->QueryInterface(IID_ISupportErrorInfo, support.put_void()), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISubManager), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ICommandTarget), S_FALSE);

  BSTR category = reinterpret_cast<BSTR>(&settings);
  BSTR path = reinterpret_cast<BSTR>(&settings);
  ASSERT_EQ(share->GetFileCategory(1, &category, &path), E_FAIL);
  EXPECT_EQ(category, nullptr);
  EXPECT_EQ(path, nullptr);
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
  GUID guid{};
  ASSERT_EQ(info->GetGUID(&guid), S_OK);
  EXPECT_TRUE(IsEqualGUID(guid, IID_ISubManager));
  BSTR source = nullptr;
  ASSERT_EQ(info->GetSource(&source), S_OK);
  EXPECT_EQ(take(source), u"STGZozedAradizuzOdaru.STGShareManager.1");

  ComPtr<ISupportErrorInfo> none;
  EXPECT_EQ(manager(kSaveManager)->QueryInterface(IID_ISupportErrorInfo, none.put_void()), E_NOINTERFACE);
}

class ManagerCommandsTest : public zozed_test::SuiteModuleTest {
 protected:
  // What one ExecCommand did, as text: the answer and the handled flag, then the pane stack's
  // calls, the pane messages ("id value extra flags") and the commands handed to the host, with
  // the well-known GUIDs by name.
  std::u16string exec(const CLSID& manager, std::u16string_view id, const Variant& first, const Variant& second,
                      const Variant& third) {
    auto& state = session_.state();
    state.pane_operations.clear();
    state.pane_messages.clear();
    state.commands.clear();
    LONG handled = -1;
    const HRESULT hr = create<ICommandTarget>(manager)->ExecCommand(Bstr(id).get(), *first.get(), *second.get(),
                                                                     *third.get(), &handled);
    std::u16string text = hr == S_OK ? u"S_OK " : hr == S_FALSE ? u"S_FALSE " : u"failed ";
    text += std::u16string(1, u'0' + handled);
    for (const auto& op : state.pane_operations) {
      text += u" | " + op.name + u"(";
      for (std::size_t i = 0; i < op.arguments.size(); ++i) text += (i ? u", " : u"") + op.arguments[i];
      text += u")";
    }
    for (const auto& m : state.pane_messages)
      text += u" | message " + m.message_id + u" " + m.value + u" " + m.extra + u" " + std::u16string(1, u'0' + m.flags);
    for (const auto& c : state.commands) {
      text += u" | host " + c.method + u" " + c.command_id;
      for (const auto& argument : c.arguments) text += u" " + argument;
    }
    for (const auto& [guid, name] : kNames)
      for (auto at = text.find(guid); at != std::u16string::npos; at = text.find(guid))
        text.replace(at, std::u16string_view(guid).size(), name);
    return text;
  }

  static constexpr std::pair<const char16_t*, const char16_t*> kNames[] = {
      {kShare, u"Share"}, {kOpenComponent, u"OpenComponent"}, {kEmailSharedItems, u"EmailSharedItems"},
      {kSave, u"Save"}, {kSaveAs, u"SaveAs"}, {kFurtherSave, u"FurtherSave"}, {kShareByEmail, u"ShareByEmail"},
      {kArchive, u"Archive"}, {kEmailToolbar, u"EmailToolbar"}, {kEmailOptionsPane, u"EmailOptionsPane"},
      {host::kItemsAndStep, u"ItemsAndStep"}, {host::kReturnToCaller, u"ReturnToCaller"},
  };
};

TEST_F(ManagerCommandsTest, EachCommandAsTheManagersTakeIt) {
  // A later catalogue root gives the archive component a toolbar of its own and the Save As name.
  platform::RegKey entry;
  ASSERT_EQ(entry.create(HKEY_LOCAL_MACHINE, std::u16string(u"SOFTWARE\\Test\\Later\\TSGSave\\") + kArchive), ERROR_SUCCESS);
  ASSERT_EQ(entry.set_dword(u"Name", 61516), ERROR_SUCCESS);
  ASSERT_EQ(entry.set_string(u"Toolbar", u"{ABCDEF00-0000-0000-0000-000000000001}"), ERROR_SUCCESS);
  suite::SuiteSettings settings;
  settings.catalogue_roots.push_back(u"SOFTWARE\\Test\\Later");
  start(std::move(settings));
  // Showing a pane: its toolbar, the pane with its title, then asking for it.
  const auto shows = [](std::u16string_view toolbar, std::u16string_view pane, std::u16string_view title) {
    return u"S_OK 1 | SetToolbar(\"" + std::u16string(toolbar) + u"\") | ShowPane(\"" + std::u16string(pane) + u"\", \"" +
           std::u16string(title) + u"\") | CurrentPane()";
  };
  const std::u16string to_options =
      shows(u"EmailToolbar", u"EmailOptionsPane", u"Share by E-mail") + u" | message ItemsAndStep \"a.jpg\" empty 0";
  const std::u16string and_return = to_options + u" | message ReturnToCaller empty empty 0";
  const Variant three(LONG{3});  // the flags the forwarded message carries
  const struct {
    int line;
    const CLSID* manager;
    const char16_t* id;
    Variant first, second;
    std::u16string done;
  } kRows[] = {
      // Commands a manager does not take, and keys it does not list (they match exactly).
      {__LINE__, &kShareManager, kGatherRound, Variant(kShareByEmail), Variant(), u"S_FALSE 0"},
      {__LINE__, &kShareManager, kShare, Variant(u"{00000000-0000-0000-0000-000000000000}"), Variant(), u"S_FALSE 0"},
      {__LINE__, &kShareManager, kShare, Variant(u"{126239d4-fa95-4566-a14e-2a111932d54a}"), Variant(), u"S_FALSE 0"},
      {__LINE__, &kSaveManager, kShare, Variant(kShareByEmail), Variant(), u"S_FALSE 0"},
      {__LINE__, &kSaveManager, kSave, Variant(kShareByEmail), Variant(), u"S_FALSE 0"},  // a Share component
      // Showing a component (Share shows no toolbar), the command forwarded to it.
      {__LINE__, &kShareManager, kShare, Variant(kShareByEmail), Variant(LONG{7}),
       shows(u"", u"ShareByEmail", u"E-mail") + u" | message Share \"ShareByEmail\" 7 3"},
      {__LINE__, &kShareManager, kOpenComponent, Variant(kShareByEmail), Variant(LONG{7}),
       shows(u"", u"ShareByEmail", u"E-mail") + u" | message OpenComponent \"ShareByEmail\" 7 3"},
      {__LINE__, &kSaveManager, kOpenComponent, Variant(kSaveAs), Variant(),
       shows(u"EmailToolbar", u"SaveAs", u"Save As") + u" | message OpenComponent \"SaveAs\" empty 3"},
      {__LINE__, &kSaveManager, kSave, Variant(kArchive), Variant(),
       shows(u"{ABCDEF00-0000-0000-0000-000000000001}", u"Archive", u"Save As") + u" | message Save \"Archive\" empty 3"},
      // The items to e-mail go to the options pane, told to return when a 32-bit integer but 0 asks so.
      {__LINE__, &kShareManager, kEmailSharedItems, Variant(u"a.jpg"), Variant(LONG{-5}), and_return},
      {__LINE__, &kShareManager, kEmailSharedItems, Variant(u"a.jpg"), Variant(LONG{0}), to_options},
      {__LINE__, &kShareManager, kEmailSharedItems, Variant(u"a.jpg"), Variant(SHORT{1}), to_options},
      // The Save manager hands the further save command, and opening no component, to the host.
      {__LINE__, &kSaveManager, kFurtherSave, Variant(u"x"), Variant(LONG{2}), u"S_OK 1 | host ExecCommand SaveAs \"x\" 2 3"},
      {__LINE__, &kSaveManager, kOpenComponent, Variant(), Variant(), u"S_OK 1 | host ExecCommand SaveAs empty empty 3"},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(exec(*row.manager, row.id, row.first, row.second, three), row.done) << "row at line " << row.line;
}

TEST_F(ManagerCommandsTest, UpdatingACommand) {
  start();
  const Variant context(u"ctx");
  Bstr id(kShare);
  LONG state = -1;
  auto share = create<ICommandTarget>(kShareManager);
  ASSERT_TRUE(share);
  EXPECT_EQ(share->UpdateCommand(id.get(), *context.get(), &state), S_OK);
  ASSERT_EQ(session_.state().commands.size(), 1u);
  EXPECT_EQ(session_.state().commands[0].command_id, u"{3FF23853-B441-4c8e-90D0-06047214517B}");
  EXPECT_THAT(session_.state().commands[0].arguments, ElementsAre(u"\"ctx\"", u"empty", u"empty"));

  EXPECT_EQ(create<ICommandTarget>(kSaveManager)->UpdateCommand(id.get(), *context.get(), &state), S_OK);
  EXPECT_EQ(session_.state().commands.size(), 1u);
  EXPECT_EQ(share->UpdateCommand(id.get(), *context.get(), nullptr), E_POINTER);
}

TEST_F(ManagerCommandsTest, AHandlerThatFailsLeavesTheCommandUntaken) {
  start();
  auto share = create<ICommandTarget>(kShareManager);
  auto save = create<ICommandTarget>(kSaveManager);
  ASSERT_TRUE(share && save);
  // Without the suite there is no activity host to show panes in.
  session_.stop();
  const Variant key(kShareByEmail);
  const Variant none;
  Bstr email(kEmailSharedItems);
  Bstr further(kFurtherSave);
  for (const auto& [target, id] : {std::pair{share.get(), email.get()}, std::pair{save.get(), further.get()}}) {
    LONG handled = -1;
    EXPECT_EQ(target->ExecCommand(id, *key.get(), *none.get(), *none.get(), &handled), S_FALSE);
    EXPECT_EQ(handled, 0);
  }
  LONG state = -1;
  EXPECT_EQ(share->UpdateCommand(email.get(), *none.get(), &state), S_FALSE);
  EXPECT_EQ(share->ExecCommand(email.get(), *key.get(), *none.get(), *none.get(), nullptr), E_POINTER);
}

}  // namespace
