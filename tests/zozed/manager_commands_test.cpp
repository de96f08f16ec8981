// The managers as command targets: which commands each takes, what it asks of the host's pane
// stack and command target, what it sends the pane it shows, and its S_OK / S_FALSE answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/pane_messages.h"
#include "host/sub_manager.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/reg_key.h"
#include "platform/support/variant.h"
#include "tests/zozed/suite_module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

using ::testing::ElementsAre;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

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

struct Outcome {
  HRESULT hr = E_FAIL;
  LONG handled = -1;
};

class ManagerCommandsTest : public zozed_test::SuiteModuleTest {
 protected:
  Outcome exec(const CLSID& manager, std::u16string_view id, const Variant& first = Variant(),
               const Variant& second = Variant(), const Variant& third = Variant()) {
    auto target = create<ICommandTarget>(manager);
    Outcome out;
    if (!target) return out;
    Bstr command(id);
    out.hr = target->ExecCommand(command.get(), *first.get(), *second.get(), *third.get(), &out.handled);
    return out;
  }

  // The pane stack calls, as "Name(arg, ...)".
  std::vector<std::u16string> operations() {
    std::vector<std::u16string> out;
    for (const auto& op : session_.state().pane_operations) {
      std::u16string text = op.name + u"(";
      for (std::size_t i = 0; i < op.arguments.size(); ++i) text += (i ? u", " : u"") + op.arguments[i];
      out.push_back(text + u")");
    }
    return out;
  }

  // The pane messages, as "id value extra flags".
  std::vector<std::u16string> messages() {
    std::vector<std::u16string> out;
    for (const auto& m : session_.state().pane_messages)
      out.push_back(m.message_id + u" " + m.value + u" " + m.extra + u" " + std::u16string(1, u'0' + m.flags));
    return out;
  }

  static std::u16string quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }
};

TEST_F(ManagerCommandsTest, CommandsEachManagerDoesNotTakeAnswerFalse) {
  start();
  const struct {
    int line;
    const CLSID* manager;
    const char16_t* id;
    const char16_t* key;
  } kRows[] = {
      {__LINE__, &zozed::CLSID_STGShareManager, kGatherRound, kShareByEmail},
      {__LINE__, &zozed::CLSID_STGShareManager, kShare, u"{00000000-0000-0000-0000-000000000000}"},
      {__LINE__, &zozed::CLSID_STGShareManager, kShare, u"{126239d4-fa95-4566-a14e-2a111932d54a}"},  // exact keys only
      {__LINE__, &zozed::CLSID_STGShareManager, kOpenComponent, kArchive},   // a Save component
      {__LINE__, &zozed::CLSID_STGShareManager, kSave, kArchive},            // the Save manager's id
      {__LINE__, &zozed::CLSID_STGShareManager, kSaveAs, kArchive},          // registered, taken by the host
      {__LINE__, &zozed::CLSID_STGShareManager, u"30355CD8-0A54-4ce7-838E-BF048256AF96", kShareByEmail},
      {__LINE__, &zozed::CLSID_STGSaveManager, kShare, kShareByEmail},
      {__LINE__, &zozed::CLSID_STGSaveManager, kSave, kShareByEmail},        // a Share component
      {__LINE__, &zozed::CLSID_STGSaveManager, kOpenComponent, kShareByEmail},
      {__LINE__, &zozed::CLSID_STGSaveManager, kEmailSharedItems, kShareByEmail},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    const Outcome out = exec(*row.manager, row.id, Variant(row.key));
    EXPECT_EQ(out.hr, S_FALSE);
    EXPECT_EQ(out.handled, 0);
  }
  EXPECT_TRUE(session_.state().pane_operations.empty());
  EXPECT_TRUE(session_.state().commands.empty());
}

TEST_F(ManagerCommandsTest, ShareShowsTheComponentWithoutToolbarAndForwardsTheCommand) {
  start();
  const Outcome out = exec(zozed::CLSID_STGShareManager, kShare, Variant(kShareByEmail), Variant(LONG{7}), Variant(LONG{3}));
  EXPECT_EQ(out.hr, S_OK);
  EXPECT_EQ(out.handled, 1);
  EXPECT_THAT(operations(), ElementsAre(u"SetToolbar(\"\")", u"ShowPane(" + quoted(kShareByEmail) + u", \"E-mail\")",
                                        u"CurrentPane()"));
  EXPECT_THAT(messages(), ElementsAre(std::u16string(kShare) + u" " + quoted(kShareByEmail) + u" 7 3"));
}

TEST_F(ManagerCommandsTest, TheSharedHostCommandOpensAComponentOfEitherManager) {
  start();
  Outcome out = exec(zozed::CLSID_STGShareManager, kOpenComponent, Variant(kShareByEmail));
  EXPECT_EQ(out.hr, S_OK);
  EXPECT_EQ(out.handled, 1);
  out = exec(zozed::CLSID_STGSaveManager, kOpenComponent, Variant(kSaveAs));
  EXPECT_EQ(out.hr, S_OK);
  EXPECT_EQ(out.handled, 1);
  EXPECT_THAT(operations(),
              ElementsAre(u"SetToolbar(\"\")", u"ShowPane(" + quoted(kShareByEmail) + u", \"E-mail\")", u"CurrentPane()",
                          u"SetToolbar(" + quoted(kEmailToolbar) + u")", u"ShowPane(" + quoted(kSaveAs) + u", \"Save As\")",
                          u"CurrentPane()"));
  // With no component named, the Save manager asks the host for "SaveAs".
  out = exec(zozed::CLSID_STGSaveManager, kOpenComponent);
  EXPECT_EQ(out.hr, S_OK);
  ASSERT_EQ(session_.state().commands.size(), 1u);
  EXPECT_EQ(session_.state().commands[0].command_id, kSaveAs);
}

TEST_F(ManagerCommandsTest, SaveSetsTheComponentsOwnToolbar) {
  // A later catalogue root gives the archive component a toolbar of its own and no name.
  platform::RegKey entry;
  ASSERT_EQ(entry.create(HKEY_LOCAL_MACHINE, std::u16string(u"SOFTWARE\\Test\\Later\\TSGSave\\") + kArchive), ERROR_SUCCESS);
  ASSERT_EQ(entry.set_dword(u"Name", 61516), ERROR_SUCCESS);
  ASSERT_EQ(entry.set_string(u"Toolbar", u"{ABCDEF00-0000-0000-0000-000000000001}"), ERROR_SUCCESS);
  suite::SuiteSettings settings;
  settings.catalogue_roots.push_back(u"SOFTWARE\\Test\\Later");
  start(std::move(settings));
  const struct {
    int line;
    const char16_t* key;
    const char16_t* toolbar;
    const char16_t* title;
  } kRows[] = {
      {__LINE__, kSaveAs, kEmailToolbar, u"Save As"},
      {__LINE__, kArchive, u"{ABCDEF00-0000-0000-0000-000000000001}", u"Save As"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    session_.state().pane_operations.clear();
    const Outcome out = exec(zozed::CLSID_STGSaveManager, kSave, Variant(row.key));
    EXPECT_EQ(out.hr, S_OK);
    EXPECT_EQ(out.handled, 1);
    EXPECT_THAT(operations(), ElementsAre(u"SetToolbar(" + quoted(row.toolbar) + u")",
                                          u"ShowPane(" + quoted(row.key) + u", " + quoted(row.title) + u")",
                                          u"CurrentPane()"));
  }
}

TEST_F(ManagerCommandsTest, EmailSharedItemsOpensTheOptionsPaneWithTheItems) {
  start();
  const std::u16string items = u"\"a.jpg\"";
  const std::u16string items_and_step = std::u16string(host::kItemsAndStep) + u" " + items + u" empty 0";
  const std::u16string return_to_caller = std::u16string(host::kReturnToCaller) + u" empty empty 0";
  const struct {
    int line;
    Variant second;
    bool returns;
  } kRows[] = {
      {__LINE__, Variant(LONG{1}), true},
      {__LINE__, Variant(LONG{-5}), true},
      {__LINE__, Variant(LONG{0}), false},
      {__LINE__, Variant(SHORT{1}), false},  // only a 32-bit integer asks to return
      {__LINE__, Variant(true), false},
      {__LINE__, Variant(), false},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    session_.state().pane_operations.clear();
    session_.state().pane_messages.clear();
    const Outcome out = exec(zozed::CLSID_STGShareManager, kEmailSharedItems, Variant(u"a.jpg"), [&] {
      Variant copy;
      EXPECT_EQ(row.second.copy(copy), S_OK);
      return copy;
    }());
    EXPECT_EQ(out.hr, S_OK);
    EXPECT_EQ(out.handled, 1);
    EXPECT_THAT(operations(), ElementsAre(u"SetToolbar(" + quoted(kEmailToolbar) + u")",
                                          u"ShowPane(" + quoted(kEmailOptionsPane) + u", \"Share by E-mail\")",
                                          u"CurrentPane()"));
    if (row.returns)
      EXPECT_THAT(messages(), ElementsAre(items_and_step, return_to_caller));
    else
      EXPECT_THAT(messages(), ElementsAre(items_and_step));
  }
}

TEST_F(ManagerCommandsTest, TheFurtherSaveCommandIsReissuedAsSaveAs) {
  start();
  const Outcome out = exec(zozed::CLSID_STGSaveManager, kFurtherSave, Variant(u"x"), Variant(LONG{2}));
  EXPECT_EQ(out.hr, S_OK);
  EXPECT_EQ(out.handled, 1);
  ASSERT_EQ(session_.state().commands.size(), 1u);
  const auto& issued = session_.state().commands[0];
  EXPECT_EQ(issued.method, u"ExecCommand");
  EXPECT_EQ(issued.command_id, kSaveAs);
  EXPECT_THAT(issued.arguments, ElementsAre(u"\"x\"", u"2", u"empty"));
  EXPECT_TRUE(session_.state().pane_operations.empty());
}

TEST_F(ManagerCommandsTest, UpdatingACommand) {
  start();
  const Variant context(u"ctx");
  Bstr id(kShare);
  LONG state = -1;
  auto share = create<ICommandTarget>(zozed::CLSID_STGShareManager);
  ASSERT_TRUE(share);
  EXPECT_EQ(share->UpdateCommand(id.get(), *context.get(), &state), S_OK);
  ASSERT_EQ(session_.state().commands.size(), 1u);
  EXPECT_EQ(session_.state().commands[0].command_id, u"{3FF23853-B441-4c8e-90D0-06047214517B}");
  EXPECT_THAT(session_.state().commands[0].arguments, ElementsAre(u"\"ctx\"", u"empty", u"empty"));

  auto save = create<ICommandTarget>(zozed::CLSID_STGSaveManager);
  ASSERT_TRUE(save);
  EXPECT_EQ(save->UpdateCommand(id.get(), *context.get(), &state), S_OK);
  EXPECT_EQ(session_.state().commands.size(), 1u);
  EXPECT_EQ(share->UpdateCommand(id.get(), *context.get(), nullptr), E_POINTER);
}

TEST_F(ManagerCommandsTest, AHandlerThatFailsLeavesTheCommandUntaken) {
  start();
  auto share = create<ICommandTarget>(zozed::CLSID_STGShareManager);
  ASSERT_TRUE(share);
  auto save = create<ICommandTarget>(zozed::CLSID_STGSaveManager);
  ASSERT_TRUE(save);
  // Without the suite there is no activity host to show panes in.
  session_.stop();
  const Variant key(kShareByEmail);
  const Variant none;
  LONG handled = -1;
  Bstr email(kEmailSharedItems);
  EXPECT_EQ(share->ExecCommand(email.get(), *key.get(), *none.get(), *none.get(), &handled), S_FALSE);
  EXPECT_EQ(handled, 0);
  Bstr further(kFurtherSave);
  handled = -1;
  EXPECT_EQ(save->ExecCommand(further.get(), *key.get(), *none.get(), *none.get(), &handled), S_FALSE);
  EXPECT_EQ(handled, 0);
  LONG state = -1;
  EXPECT_EQ(share->UpdateCommand(email.get(), *none.get(), &state), S_FALSE);
  EXPECT_EQ(share->ExecCommand(email.get(), *key.get(), *none.get(), *none.get(), nullptr), E_POINTER);
}

TEST_F(ManagerCommandsTest, OnlyTheShareManagerReportsErrorInformation) {
  suite::SuiteSettings settings;
  settings.configuration_root.clear();
  start(std::move(settings));
  auto share = create<ISubManager>(zozed::CLSID_STGShareManager);
  ASSERT_TRUE(share);
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(share->QueryInterface(IID_ISupportErrorInfo, support.put_void()), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISubManager), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ICommandTarget), S_FALSE);

  BSTR category = nullptr;
  BSTR path = nullptr;
  ASSERT_EQ(share->GetFileCategory(1, &category, &path), E_FAIL);
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
  GUID guid{};
  ASSERT_EQ(info->GetGUID(&guid), S_OK);
  EXPECT_TRUE(IsEqualGUID(guid, IID_ISubManager));
  BSTR source = nullptr;
  ASSERT_EQ(info->GetSource(&source), S_OK);
  EXPECT_EQ(zozed_test::take(source), u"STGZozedAradizuzOdaru.STGShareManager.1");
  ComPtr<IErrorInfo> again;
  EXPECT_EQ(GetErrorInfo(0, again.put()), S_FALSE);  // taking it clears it

  auto save = create<ISubManager>(zozed::CLSID_STGSaveManager);
  ASSERT_TRUE(save);
  ComPtr<ISupportErrorInfo> none;
  EXPECT_EQ(save->QueryInterface(IID_ISupportErrorInfo, none.put_void()), E_NOINTERFACE);
}

}  // namespace
