#include <ctime>

#include "tests/zozed/email_panes/share_pane_scenario.h"

namespace share_pane_test {
namespace {

using Scenario = SharePaneScenario;

constexpr int kBack = 11111;
constexpr int kSend = 11113;
constexpr int kLeave = 11114;
constexpr int kHeading = 1161;
constexpr int kSendNow = 1318;
constexpr int kSaveForLater = 1319;
constexpr int kEmbed = 1490;
constexpr int kTray = 104;

const std::u16string kItemsAndStep(host::kItemsAndStep);
const std::u16string kSendOutcome(host::kSendOutcome);
const std::u16string kReturnToCaller(host::kReturnToCaller);

TEST_F(Scenario, InitialisedFromTheOptionsWithTheStepAndTheTray) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  EXPECT_EQ(control(kHeading).image(), u"BulletButton3");
  EXPECT_EQ(control(kSendNow).state(), host::kChoiceSelected);
  EXPECT_EQ(control(kSaveForLater).state(), 0);
  EXPECT_EQ(control(kSend).text(), u"Send");
  EXPECT_EQ(control(kSend).tooltip(), u"Send");
  EXPECT_EQ(control(kBack).text(), u"Back");
  EXPECT_EQ(control(kLeave).text(), u"Leave");
  EXPECT_EQ(platform::get_property(control(kTray).control.get(), host::kTrayCount).as_long(), 1);
  IDispatch* host_tray = session_.state().item_tray.get();
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayCaption).as_bstr(), u"Items to send");
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayViewCount).as_long(), 1) << "a view while activated";
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == GetDlgItem(pane_, kSend) || GetParent(focus) == GetDlgItem(pane_, kSend));
  click(kLeave);
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayViewCount).as_long(), 0) << "closed with the pane";
}

TEST_F(Scenario, SendFollowsWhatTheTrayHoldsAndEveryPaneHearsOfIt) {
  start_suite(u"Outlook Express");
  show(kEmailOptionsPane);
  open_pane({picture("a.jpg")});
  const auto tray = control(kTray).control;
  const Variant first(static_cast<LONG>(0));
  (void)platform::invoke_method(tray.get(), host::kTrayRemoveItem, {first.get()});
  EXPECT_EQ(control(kSend).state(), host::kButtonNotAvailable) << "an empty tray sends nothing";
  const Variant two = item_list({picture("b.jpg"), picture("c.jpg")});
  platform::put_property(tray.get(), host::kTrayItems, *two.get());
  (void)platform::invoke_method(tray.get(), host::kTrayRemoveItem, {first.get()});
  EXPECT_EQ(control(kSend).state(), host::kButtonNormal);
  const std::u16string changed = std::u16string(host::kTrayChanged) + u" array[1] empty";
  EXPECT_EQ(messages_to(kEmailOptionsPane).back(), changed);
  EXPECT_EQ(messages_to(kShareByEmail).back(), changed);

  click(kSend);
  ASSERT_EQ(session_.state().sent_mail.size(), 1u);
  EXPECT_EQ(session_.state().sent_mail[0].paths.size(), 1u) << "only what is left in the tray";
  EXPECT_NE(session_.state().sent_mail[0].paths[0].find(u"c.jpg"), std::u16string::npos);
}

TEST_F(Scenario, BackIsHiddenUnlessThePaneWasReachedFromAnother) {
  for (const bool came_from_pane : {false, true}) {
    SCOPED_TRACE(came_from_pane ? "came from a pane" : "opened directly");
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")}, came_from_pane);
    EXPECT_EQ(control(kBack).state(), came_from_pane ? host::kButtonNormal : host::kButtonNotAvailable);
    session_.stop();
  }
}

TEST_F(Scenario, TheMailProgramDecidesTheSendChoiceAndTheEmbedBox) {
  struct Row {
    int line;
    const char16_t* client;
    bool client_can_embed;
    const char* embed_option;
    const char16_t* send_now_text;
    LONG box_state;
    bool box_enabled;
  };
  const Row rows[] = {
      {__LINE__, u"Outlook Express", false, "Yes", u"Send now with my e-mail program (Outlook Express)", 2, true},
      {__LINE__, u"Outlook Express", true, "No", u"Send now with my e-mail program (Outlook Express)", 0, true},
      {__LINE__, u"Microsoft Outlook", true, "Yes", u"Send now with my e-mail program (Microsoft Outlook)", 2, true},
      {__LINE__, u"Microsoft Outlook", false, "Yes", u"Send now with my e-mail program (Microsoft Outlook)", 0, false},
      {__LINE__, u"Thunderbird", true, "Yes", u"Send now with my e-mail program (Thunderbird)", 0, false},
      {__LINE__, u"", true, "Yes", u"Send now with my e-mail program", 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    set_option("Embed in HTML", row.embed_option);
    start_suite(row.client, row.client_can_embed);
    open_pane({picture("a.jpg")});
    EXPECT_EQ(control(kSendNow).text(), row.send_now_text);
    EXPECT_EQ(control(kEmbed).state(), row.box_state);
    EXPECT_EQ(control(kEmbed).enabled(), row.box_enabled);
    session_.stop();
  }
}

TEST_F(Scenario, ItemsThatCannotBeEmbeddedClearTheBox) {
  start_suite(u"Outlook Express");
  open_pane({file_of_size("notes.txt", 10)});
  EXPECT_EQ(control(kEmbed).state(), host::kCheckClear);
  EXPECT_FALSE(control(kEmbed).enabled());
}

TEST_F(Scenario, SendingWithoutAMailProgramIsRefusedOnThePane) {
  start_suite(u"");
  open_pane({picture("a.jpg")});
  click(kSend);
  ASSERT_EQ(session_.state().messages.size(), 1u);
  EXPECT_EQ(session_.state().messages[0].text, u"There is no e-mail program to send with.");
  EXPECT_EQ(session_.state().messages[0].further.substr(0, 21), u"Set up an e-mail prog");
  EXPECT_TRUE(session_.state().sent_mail.empty());
  EXPECT_FALSE(pane_shown(kEmailDonePane));
}

TEST_F(Scenario, TheSizeWarningComesOnlyAboveTheLimitAndItsAnswerDecides) {
  enum class User { nothing, continues, cancels, closes };
  struct Row {
    int line;
    const char* warn;
    DWORD limit;
    User user;
    bool asked;
    bool sent;
  };
  // One file of 2,000 bytes counts as 2 KB.
  const Row rows[] = {
      {__LINE__, "Yes", 2, User::nothing, false, true},   {__LINE__, "Yes", 1, User::continues, true, true},
      {__LINE__, "Yes", 1, User::cancels, true, false},   {__LINE__, "Yes", 1, User::closes, true, false},
      {__LINE__, "No", 1, User::nothing, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    set_option("Warn about attachment size", row.warn);
    set_option("Attachment size limit", row.limit);
    start_suite(u"Outlook Express");
    open_pane({file_of_size("big.txt", 2000)});
    bool asked = false;
    std::u16string limit_text;
    std::u16string total_text;
    platform::ui::ScopedDriver driver([&](HWND dialog) {
      if (!dialog) return;
      asked = true;
      const auto text_of = [&](int id) {
        return ControlView{ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(
                                                        SendMessageW(GetDlgItem(dialog, id), host::kAxGetControl, 0, 0)))
                               .As<IDispatch>()}
            .text();
      };
      limit_text = text_of(1415);
      total_text = text_of(1417);
      if (row.user == User::closes) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      } else {
        const int button = row.user == User::continues ? 1364 : 1365;
        EXPECT_TRUE(platform::ui::click(GetWindow(GetDlgItem(dialog, button), GW_CHILD)));
      }
    });
    click(kSend);
    EXPECT_EQ(asked, row.asked);
    if (row.asked) {
      EXPECT_EQ(limit_text, u"Your limit: 1 KB");
      EXPECT_EQ(total_text, u"Size of the attachments: 2 KB");
    }
    EXPECT_EQ(session_.state().sent_mail.size(), row.sent ? 1u : 0u);
    EXPECT_EQ(pane_shown(kEmailDonePane), row.sent);
    session_.stop();
  }
}

TEST_F(Scenario, TheDontWarnBoxIsSavedTheMomentItIsTicked) {
  set_option("Attachment size limit", DWORD{1});
  start_suite(u"Outlook Express");
  open_pane({file_of_size("big.txt", 2000)});
  int idle = 0;
  std::string while_open;
  platform::ui::ScopedDriver driver([&](HWND dialog) {
    if (!dialog) return;
    if (idle++ == 0) {
      EXPECT_TRUE(platform::ui::click(GetWindow(GetDlgItem(dialog, 1411), GW_CHILD)));
    } else {
      while_open = option_text("Warn about attachment size");
      EXPECT_TRUE(platform::ui::click(GetWindow(GetDlgItem(dialog, 1365), GW_CHILD)));
    }
  });
  click(kSend);
  EXPECT_EQ(while_open, "No");
  EXPECT_TRUE(session_.state().sent_mail.empty()) << "cancelled all the same";
}

TEST_F(Scenario, SendNowHandsTheMessageOverAndTellsTheFinishedPane) {
  struct Row {
    int line;
    bool clear_embed_box;
    bool embedded;
    const char* embed_option;
  };
  const Row rows[] = {{__LINE__, false, true, "Yes"}, {__LINE__, true, false, "No"}};
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    set_option("Embed in HTML", "Yes");
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")}, true, true);
    if (row.clear_embed_box) click(kEmbed);
    EXPECT_EQ(option_text("Embed in HTML"), row.embed_option);
    click(kSend);
    ASSERT_EQ(session_.state().sent_mail.size(), 1u);
    const auto& mail = session_.state().sent_mail[0];
    EXPECT_EQ(mail.embedded, row.embedded);
    EXPECT_TRUE(fs::exists(mail.message_file));
    EXPECT_EQ(mail.message_file.substr(mail.message_file.size() - 4), ".eml");
    EXPECT_EQ(messages_to(kEmailDonePane),
              (std::vector<std::u16string>{kReturnToCaller + u" empty empty", kItemsAndStep + u" array[1] 4",
                                           kSendOutcome + u" I2 0 \"\""}));
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
  EXPECT_EQ(messages_to(kEmailDonePane).back(), kSendOutcome + u" I2 0 \"\"");
}

std::u16string today_day_first() {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%s-%04d", local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900);
  return std::u16string(text, text + strlen(text));
}

TEST_F(Scenario, SaveForLaterWritesTodaysFolderAndTellsTheFinishedPane) {
  const platform::ScopedLocaleProfile day_first(platform::LocaleProfile::en_gb());
  const std::u16string location = platform::windows_path_of((root_ / "pictures" / "Later").string());
  set_option("Save location", location);
  start_suite(u"Outlook Express");
  // Whatever the finished pane asks about the folder is answered.
  platform::ui::ScopedDriver driver([](HWND dialog) {
    if (dialog) EndDialog(dialog, 1);
  });
  open_pane({picture("a.jpg")});
  click(kSaveForLater);
  EXPECT_EQ(option_text("Save for later sending"), "Yes");
  EXPECT_EQ(control(kSendNow).state(), 0);
  EXPECT_EQ(control(kSend).text(), u"Save");
  EXPECT_FALSE(control(kEmbed).enabled());
  click(kSend);
  const std::u16string folder = location + u"\\" + today_day_first();
  EXPECT_TRUE(fs::exists(*platform::posix_path_of(folder + u"\\a.jpg")));
  EXPECT_TRUE(session_.state().sent_mail.empty());
  EXPECT_EQ(messages_to(kEmailDonePane), (std::vector<std::u16string>{kItemsAndStep + u" array[1] 4",
                                                                       kSendOutcome + u" I2 -1 \"" + folder + u"\""}));
}

TEST_F(Scenario, ASaveLocationOfOneCharacterReportsTheFailureAndStillFinishes) {
  set_option("Save for later sending", "Yes");
  set_option("Save location", std::u16string(u"x"));
  start_suite(u"Outlook Express");
  platform::ui::ScopedDriver driver([](HWND dialog) {
    if (dialog) EndDialog(dialog, 1);
  });
  open_pane({picture("a.jpg")});
  click(kSend);
  ASSERT_EQ(session_.state().messages.size(), 1u);
  EXPECT_EQ(session_.state().messages[0].text, u"Some of the items could not be prepared for e-mail.");
  EXPECT_EQ(messages_to(kEmailDonePane).back(), kSendOutcome + u" I2 -1 \"\"");
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
      {__LINE__, true, false, kBack, u"Back"},      {__LINE__, true, true, kBack, u"Back"},
      {__LINE__, true, true, kLeave, u"ReturnToCaller"}, {__LINE__, true, false, kLeave, u"End"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")}, row.came_from_pane, row.return_to_caller);
    click(row.button);
    const auto& ops = session_.state().pane_operations;
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.back().name, row.operation);
    if (ops.back().name == u"End") {
      EXPECT_EQ(ops.back().arguments, (std::vector<std::u16string>{u"true"}));
    }
    session_.stop();
  }
}

}  // namespace
}  // namespace share_pane_test
