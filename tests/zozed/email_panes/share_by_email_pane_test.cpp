#include <ctime>

#include "tests/zozed/email_panes/share_pane_scenario.h"

namespace share_pane_test {
namespace {

using Scenario = SharePaneScenario;

constexpr int kBack = 11111;
constexpr int kSend = 11113;
constexpr int kLeave = 11114;
constexpr int kSendNow = 1318;
constexpr int kSaveForLater = 1319;
constexpr int kEmbed = 1490;

std::u16string message(const char16_t* id, const char16_t* value, const char16_t* extra) {
  return std::u16string(id) + u" " + value + u" " + extra;
}

TEST_F(Scenario, ActivationShowsTheStepTheItemsAndATrayViewUntilThePaneGoes) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  EXPECT_EQ(control(1161).text(host::kSkinImage), u"BulletButton3");
  EXPECT_EQ(control(kSendNow).state(), host::kChoiceSelected);
  EXPECT_EQ(control(kSaveForLater).state(), 0);
  EXPECT_EQ(control(kSend).text(host::kSkinToolTip), u"Send");
  EXPECT_EQ(control(104).get(host::kTrayCount).as_long(), 1);
  IDispatch* host_tray = session_.state().item_tray.get();
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayCaption).as_bstr(), u"Items to send");
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayViewCount).as_long(), 1);
  const HWND focus = GetFocus();
  EXPECT_TRUE(focus == GetDlgItem(pane_, kSend) || GetParent(focus) == GetDlgItem(pane_, kSend));
  click(kLeave);
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayViewCount).as_long(), 0);
}

TEST_F(Scenario, SendFollowsWhatTheTrayHoldsAndEveryPaneHearsOfIt) {
  start_suite(u"Outlook Express");
  show(kEmailOptionsPane);
  open_pane({picture("a.jpg")});
  const auto tray = control(104).dispatch();
  const Variant first(static_cast<LONG>(0));
  (void)platform::invoke_method(tray.get(), host::kTrayRemoveItem, {first.get()});
  EXPECT_EQ(control(kSend).state(), host::kButtonNotAvailable);
  platform::put_property(tray.get(), host::kTrayItems, *item_list({picture("b.jpg"), picture("c.jpg")}).get());
  (void)platform::invoke_method(tray.get(), host::kTrayRemoveItem, {first.get()});
  EXPECT_EQ(control(kSend).state(), host::kButtonNormal);
  const auto changed = message(host::kTrayChanged, u"array[1]", u"empty");
  EXPECT_EQ(messages_to(kEmailOptionsPane).back(), changed);
  EXPECT_EQ(messages_to(kShareByEmail).back(), changed);
  click(kSend);
  ASSERT_EQ(session_.state().sent_mail.size(), 1u);
  ASSERT_EQ(session_.state().sent_mail[0].paths.size(), 1u) << "only what the tray holds";
  EXPECT_NE(session_.state().sent_mail[0].paths[0].find(u"c.jpg"), std::u16string::npos);
}

TEST_F(Scenario, WhenNoFileCanBePreparedSendIsOffAndTheFailureNamesTheFile) {
  set_option("Convert to JPEG", "Yes");
  start_suite(u"Outlook Express");
  open_pane({file_of_size("broken.jpg", 100)});
  EXPECT_EQ(control(104).get(host::kTrayCount).as_long(), 0);
  EXPECT_EQ(control(kSend).state(), host::kButtonNotAvailable);
  ASSERT_EQ(session_.state().messages.size(), 1u);
  const auto& details = session_.state().messages[0].details;
  ASSERT_EQ(details.size(), 1u) << testing::PrintToString(details);
  EXPECT_NE(details[0].find("broken.jpg: "), std::string::npos) << details[0];
}

TEST_F(Scenario, TheMailProgramAndTheItemsDecideTheSendChoiceAndTheEmbedBox) {
  struct Row {
    int line;
    const char16_t* client;
    bool client_can_embed;
    const char* embed_option;
    bool picture;
    const char16_t* send_now_text;
    LONG box_state;
    bool box_enabled;
  };
  const char16_t* const kWithExpress = u"Send now with my e-mail program (Outlook Express)";
  const char16_t* const kWithOutlook = u"Send now with my e-mail program (Microsoft Outlook)";
  const Row rows[] = {
      {__LINE__, u"Outlook Express", false, "Yes", true, kWithExpress, 2, true},
      {__LINE__, u"Outlook Express", true, "No", true, kWithExpress, 0, true},
      {__LINE__, u"Outlook Express", true, "Yes", false, kWithExpress, 0, false},
      {__LINE__, u"Microsoft Outlook", true, "Yes", true, kWithOutlook, 2, true},
      {__LINE__, u"Microsoft Outlook", false, "Yes", true, kWithOutlook, 0, false},
      {__LINE__, u"Thunderbird", true, "Yes", true, u"Send now with my e-mail program (Thunderbird)", 0, false},
      {__LINE__, u"", true, "Yes", true, u"Send now with my e-mail program", 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    set_option("Embed in HTML", row.embed_option);
    start_suite(row.client, row.client_can_embed);
    open_pane({row.picture ? picture("a.jpg") : file_of_size("notes.txt", 10)});
    EXPECT_EQ(control(kSendNow).text(), row.send_now_text);
    EXPECT_EQ(control(kEmbed).state(), row.box_state);
    EXPECT_EQ(control(kEmbed).enabled(), row.box_enabled);
    session_.stop();
  }
}

TEST_F(Scenario, SendingWithoutAMailProgramIsRefusedOnThePane) {
  start_suite(u"");
  open_pane({picture("a.jpg")});
  click(kSend);
  ASSERT_EQ(session_.state().messages.size(), 1u);
  EXPECT_EQ(session_.state().messages[0].text, u"There is no e-mail program to send with.");
  EXPECT_TRUE(session_.state().sent_mail.empty());
  EXPECT_FALSE(done_pane_shown());
}

TEST_F(Scenario, TheSizeWarningComesOnlyAboveTheLimitAndItsAnswerDecides) {
  enum class User { continues, cancels, closes };
  struct Row {
    int line;
    const char* warn;
    DWORD limit;
    User user;
    bool asked;
    bool sent;
  };
  // 2,000 bytes count as 2 KB.
  const Row rows[] = {
      {__LINE__, "Yes", 2, User::cancels, false, true},  {__LINE__, "Yes", 1, User::continues, true, true},
      {__LINE__, "Yes", 1, User::cancels, true, false},  {__LINE__, "Yes", 1, User::closes, true, false},
      {__LINE__, "No", 1, User::cancels, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    set_option("Warn about attachment size", row.warn);
    set_option("Attachment size limit", row.limit);
    start_suite(u"Outlook Express");
    open_pane({file_of_size("big.txt", 2000)});
    std::vector<std::u16string> shown;
    platform::ui::ScopedDriver driver([&](HWND dialog) {
      if (!dialog) return;
      shown = {control_of(dialog, 1415).text(), control_of(dialog, 1417).text()};
      if (row.user == User::closes)
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      else
        EXPECT_TRUE(control_of(dialog, row.user == User::continues ? 1364 : 1365).click());
    });
    click(kSend);
    const std::vector<std::u16string> texts{u"Your limit: 1 KB", u"Size of the attachments: 2 KB"};
    EXPECT_EQ(shown, row.asked ? texts : std::vector<std::u16string>());
    EXPECT_EQ(session_.state().sent_mail.size(), row.sent ? 1u : 0u);
    EXPECT_EQ(done_pane_shown(), row.sent);
    session_.stop();
  }
}

TEST_F(Scenario, TheDontWarnBoxIsSavedTheMomentItIsTicked) {
  set_option("Attachment size limit", DWORD{1});
  start_suite(u"Outlook Express");
  open_pane({file_of_size("big.txt", 2000)});
  std::vector<std::string> while_open;
  platform::ui::ScopedDriver driver([&](HWND dialog) {
    if (!dialog) return;
    while_open.push_back(option("Warn about attachment size"));
    EXPECT_TRUE(control_of(dialog, while_open.size() == 1 ? 1411 : 1365).click());
  });
  click(kSend);
  EXPECT_EQ(while_open, (std::vector<std::string>{"Yes", "No"}));
  EXPECT_TRUE(session_.state().sent_mail.empty());
}

TEST_F(Scenario, ChoicesAndTheEmbedBoxSaveTheRecordReloadedWhenTheHostSaysSo) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  set_option("Attachment size limit", DWORD{5});
  SendMessageW(pane_, 0x8073, 8, 0);
  click(kEmbed);
  EXPECT_EQ(option("Embed in HTML"), "No");
  EXPECT_EQ(option("Attachment size limit"), "1000") << "the record the pane held";
  set_option("Attachment size limit", DWORD{5});
  SendMessageW(pane_, 0x8073, 9, 0);
  click(kSaveForLater);
  EXPECT_EQ(option("Save for later sending"), "Yes");
  EXPECT_EQ(option("Attachment size limit"), "5");
  EXPECT_EQ(control(kSendNow).state(), 0);
  EXPECT_EQ(control(kSend).text(), u"Save");
  EXPECT_FALSE(control(kEmbed).enabled());
  click(kSendNow);
  EXPECT_EQ(option("Save for later sending"), "No");
  EXPECT_TRUE(control(kEmbed).enabled());
  EXPECT_EQ(control(kEmbed).state(), host::kCheckClear);
}

TEST_F(Scenario, SendNowHandsTheMessageOverAndTellsTheFinishedPane) {
  for (const bool embed : {true, false}) {
    SCOPED_TRACE(embed ? "embedded" : "attached");
    set_option("Embed in HTML", embed ? "Yes" : "No");
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")}, true, true);
    click(kSend);
    ASSERT_EQ(session_.state().sent_mail.size(), 1u);
    EXPECT_EQ(session_.state().sent_mail[0].embedded, embed);
    EXPECT_TRUE(fs::exists(session_.state().sent_mail[0].message_file));
    EXPECT_EQ(messages_to(kEmailDonePane),
              (std::vector<std::u16string>{message(host::kReturnToCaller, u"empty", u"empty"),
                                           message(host::kItemsAndStep, u"array[1]", u"4"),
                                           message(host::kSendOutcome, u"I2 0", u"\"\"")}));
    EXPECT_EQ(session_.state().panes.back().title, u"Share by E-mail");
    session_.stop();
  }
}

TEST_F(Scenario, AMailProgramThatFailsStillEndsTheTask) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  fs::remove_all(root_ / "outbox");
  std::ofstream(root_ / "outbox") << "a file where the outbox should be";
  click(kSend);
  EXPECT_TRUE(session_.state().sent_mail.empty());
  EXPECT_EQ(messages_to(kEmailDonePane).back(), message(host::kSendOutcome, u"I2 0", u"\"\""));
}

std::u16string today_day_first() {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%s-%04d", local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900);
  return std::u16string(text, text + std::strlen(text));
}

TEST_F(Scenario, SaveForLaterWritesTodaysFolderOrReportsThatItCannot) {
  const platform::ScopedLocaleProfile day_first(platform::LocaleProfile::en_gb());
  platform::ui::ScopedDriver answer_any_dialog([](HWND dialog) {
    if (dialog) EndDialog(dialog, 1);
  });
  set_option("Save for later sending", "Yes");
  const std::u16string good = platform::windows_path_of((root_ / "pictures" / "Later").string());
  for (const std::u16string& location : {good, std::u16string(u"x")}) {
    set_option("Save location", location);
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")});
    click(kSend);
    const std::u16string folder = location == good ? good + u"\\" + today_day_first() : u"";
    if (location == good) {
      EXPECT_TRUE(fs::exists(platform::posix_path_of(folder + u"\\a.jpg").value_or("")));
      EXPECT_TRUE(session_.state().messages.empty());
    } else {
      ASSERT_EQ(session_.state().messages.size(), 1u) << "a location of one character";
      EXPECT_EQ(session_.state().messages[0].text, u"Some of the items could not be prepared or copied.");
    }
    EXPECT_TRUE(session_.state().sent_mail.empty());
    EXPECT_EQ(messages_to(kEmailDonePane), (std::vector<std::u16string>{
                                               message(host::kItemsAndStep, u"array[1]", u"4"),
                                               message(host::kSendOutcome, u"I2 -1", (u"\"" + folder + u"\"").c_str())}));
    session_.stop();
  }
}

TEST_F(Scenario, BackAndLeaveGoWhereThePaneWasReachedFrom) {
  struct Row {
    int line;
    bool came_from_pane;
    bool return_to_caller;
    int button;
    const char16_t* operation;
  };
  const Row rows[] = {
      {__LINE__, true, true, kBack, u"Back"},  {__LINE__, true, true, kLeave, u"ReturnToCaller"},
      {__LINE__, false, false, kLeave, u"End"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")}, row.came_from_pane, row.return_to_caller);
    EXPECT_EQ(control(kBack).state(), row.came_from_pane ? host::kButtonNormal : host::kButtonNotAvailable);
    click(row.button);
    const auto& last = session_.state().pane_operations.back();
    EXPECT_EQ(last.name, row.operation);
    const bool end = row.operation == std::u16string_view(u"End");
    EXPECT_EQ(last.arguments, end ? std::vector<std::u16string>{u"true"} : std::vector<std::u16string>());
    session_.stop();
  }
}

}  // namespace
}  // namespace share_pane_test
