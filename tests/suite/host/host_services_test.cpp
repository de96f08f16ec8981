#include <gtest/gtest.h>

#include "host/activity_host.h"
#include "host/message_service.h"
#include "host/working_folder.h"
#include "platform/fileapi.h"
#include "platform/shlobj.h"
#include "platform/support/dispatch_driver.h"
#include "tests/suite/host/suite_host_test_support.h"

using namespace suite_host_test;

namespace {

class HostServicesTest : public SuiteTest {};

TEST_F(HostServicesTest, WorkingFolderIsMyPicturesOrTheTemporaryFolder) {
  start();
  auto folder = create<IWorkingFolder>(host::CLSID_WorkingFolder);
  platform::Bstr base;
  ASSERT_EQ(folder->GetBaseFolder(base.put()), S_OK);
  WCHAR expected[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, expected))) {
    ASSERT_GT(GetTempPathW(MAX_PATH, expected), 0u);
  }
  EXPECT_EQ(base.view(), std::u16string_view(expected));
  EXPECT_FALSE(base.view().empty());
  EXPECT_EQ(folder->GetBaseFolder(nullptr), E_POINTER);
}

TEST_F(HostServicesTest, MessagesAreAnsweredByTheAnswererAndRecorded) {
  struct Row {
    int line;
    LONG buttons;
    LONG scripted;  // 0: the default answerer
    LONG expected;
  };
  const Row rows[] = {
      {__LINE__, host::kButtonsOk, 0, host::kAnswerOk},
      {__LINE__, host::kButtonsYesNo, 0, host::kAnswerYes},
      {__LINE__, host::kButtonsYesNoCancel, 0, host::kAnswerYes},
      {__LINE__, host::kButtonsYesNo, host::kAnswerNo, host::kAnswerNo},
      {__LINE__, host::kButtonsYesNoCancel, host::kAnswerCancel, host::kAnswerCancel},
  };
  for (const auto& row : rows) {
    suite::SuiteSettings settings;
    if (row.scripted) settings.answerer = [&](const suite::MessageRequest&) { return row.scripted; };
    suite::Session session;
    ASSERT_EQ(session.start(std::move(settings)), S_OK);
    auto service = create<IMessageService>(host::CLSID_MessageService);
    platform::Bstr text(u"first"), caption(u"second"), further(u"");
    LONG answer = -1;
    EXPECT_EQ(service->ShowMessage(nullptr, text.get(), caption.get(), further.get(), row.buttons, &answer), S_OK)
        << "line " << row.line;
    EXPECT_EQ(answer, row.expected) << "line " << row.line;
    ASSERT_EQ(session.state().messages.size(), 1u) << "line " << row.line;
    EXPECT_EQ(session.state().messages[0].text, u"first") << "line " << row.line;
    EXPECT_EQ(session.state().messages[0].caption, u"second") << "line " << row.line;
    EXPECT_EQ(session.state().messages[0].buttons, row.buttons) << "line " << row.line;
  }
}

TEST_F(HostServicesTest, ReissuedCommandsAreTakenAndRecorded) {
  start();
  auto activity = create<IActivityHost>(host::CLSID_ActivityHost);
  platform::ComPtr<ICommandTarget> target;
  ASSERT_EQ(activity->GetCommandTarget(target.put()), S_OK);
  platform::Bstr id(u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}");
  VARIANT first = text_arg(u"key");
  VARIANT second;
  VariantInit(&second);
  second.vt = VT_I4;
  second.lVal = 1;
  VARIANT third;
  VariantInit(&third);
  LONG handled = 0;
  EXPECT_EQ(target->ExecCommand(id.get(), first, second, third, &handled), S_OK);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(target->ExecCommand(id.get(), first, second, third, nullptr), E_POINTER);
  ASSERT_EQ(session_.state().commands.size(), 1u);
  const auto& command = session_.state().commands[0];
  EXPECT_EQ(command.method, u"ExecCommand");
  EXPECT_EQ(command.command_id, u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}");
  const std::vector<std::u16string> arguments{u"\"key\"", u"1", u"empty"};
  EXPECT_EQ(command.arguments, arguments);
  (void)VariantClear(&first);
}

TEST_F(HostServicesTest, ProgressReachesTheSuiteOnlyAsAPercentage) {
  std::vector<LONG> told;
  suite::SuiteSettings settings;
  settings.progress = [&](LONG percent) { told.push_back(percent); };
  start(std::move(settings));
  auto activity = create<IActivityHost>(host::CLSID_ActivityHost);
  platform::ComPtr<IDispatch> area;
  ASSERT_EQ(activity->GetActivityArea(area.put()), S_OK);
  const struct {
    int line;
    platform::Variant value;
    bool taken;
  } rows[] = {
      {__LINE__, platform::Variant(LONG{40}), true},
      {__LINE__, platform::Variant(SHORT{100}), true},
      {__LINE__, platform::Variant(LONG{0}), true},
      {__LINE__, platform::Variant(LONG{101}), false},
      {__LINE__, platform::Variant(LONG{-1}), false},
      {__LINE__, platform::Variant(std::u16string_view(u"half")), false},
  };
  for (const auto& row : rows) {
    bool taken = true;
    try {
      platform::put_property(area.get(), host::kActivityAreaProgress, *row.value.get());
    } catch (const platform::ComError&) {
      taken = false;
    }
    EXPECT_EQ(taken, row.taken) << "line " << row.line;
  }
  const std::vector<LONG> expected{40, 100, 0};
  EXPECT_EQ(told, expected);
  EXPECT_EQ(session_.state().progress, expected);
  LONG handle = 0;
  EXPECT_EQ(activity->GetHostHandle(&handle), S_OK);
  EXPECT_EQ(activity->GetHostHandle(nullptr), E_POINTER);
}

}  // namespace
