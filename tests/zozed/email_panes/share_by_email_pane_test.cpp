// The Share-by-e-mail pane in a running suite: a machine and registry of the test's own, real
// pictures and files, the pane shown through the suite's pane stack and driven by pane messages
// and clicks, with the mail program scripted and the messages it sends read back.
#include <gtest/gtest.h>
#include <unistd.h>
#include <vips/vips8>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/locale_profile.h"
#include "platform/machine_profile.h"
#include "platform/path_mapping.h"
#include "platform/support/safe_array.h"
#include "suite/host/suite_items.h"
#include "suite/media/vips_runtime.h"
#include "tests/zozed/email_panes/email_pane_fixture.h"

namespace email_pane_test {
namespace {

namespace fs = std::filesystem;
using zozed_test::dword;
using zozed_test::put_option;
using zozed_test::stored_option;
using zozed_test::sz;

constexpr int kBack = 11111;
constexpr int kSend = 11113;
constexpr int kLeave = 11114;
constexpr int kSendNow = 1318;
constexpr int kSaveForLater = 1319;
constexpr int kEmbed = 1490;

class Scenario : public EmailPaneTest {
 protected:
  void SetUp() override {
    EmailPaneTest::SetUp();
    suite::media::start_vips();
    root_ = fs::temp_directory_path() / ("zozed-share-pane-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const char* sub : {"temp", "pictures", "items", "outbox"}) fs::create_directories(root_ / sub);
    platform::set_temp_folder((root_ / "temp").string());
    platform::set_pictures_folder((root_ / "pictures").string());
    put_option(u"Convert to JPEG", sz(u"No"));
  }
  void TearDown() override {
    EmailPaneTest::TearDown();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // The suite with a mail program of that name ("" for none) writing into the test's outbox.
  void start_suite(std::u16string client, bool client_can_embed = true) {
    suite::SuiteSettings settings;
    settings.mail = {std::move(client), client_can_embed, (root_ / "outbox").string(), false};
    start(std::move(settings));
  }

  std::u16string picture(const std::string& name) {
    const fs::path path = root_ / "items" / name;
    vips::VImage::black(16, 12, vips::VImage::option()->set("bands", 3)).write_to_file(path.string().c_str());
    return platform::windows_path_of(path.string());
  }
  std::u16string file_of_size(const std::string& name, std::size_t bytes) {
    const fs::path path = root_ / "items" / name;
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    return platform::windows_path_of(path.string());
  }
  static Variant item_list(const std::vector<std::u16string>& paths) {
    auto array = platform::SafeArray::create_vector(VT_UNKNOWN, 0, static_cast<ULONG>(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ComPtr<IMediaItem> item;
      EXPECT_EQ(suite::create_file_item(paths[i], item.put()), S_OK);
      EXPECT_EQ(array.put_element(static_cast<LONG>(i), static_cast<IUnknown*>(item.get())), S_OK);
    }
    return Variant(std::move(array));
  }

  // Shows the share pane and hands it `paths` as the options pane does, at step 3.
  void open_pane(const std::vector<std::u16string>& paths, bool came_from_pane = true, bool return_to_caller = false) {
    show(kShareByEmail);
    if (return_to_caller) {
      EXPECT_EQ(send(host::kReturnToCaller), 1);
    }
    if (came_from_pane) {
      EXPECT_EQ(send(host::kCameFromPane), 1);
    }
    EXPECT_EQ(send(host::kItemsAndStep, item_list(paths), Variant(LONG{3})), 1);
  }

  platform::ScopedMachineProfile machine_;
  fs::path root_;
};

TEST_F(Scenario, ActivationShowsTheStepTheItemsAndATrayViewUntilThePaneGoes) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  EXPECT_EQ(control(1161).text(host::kSkinImage), u"BulletButton3");
  EXPECT_EQ(control(kSendNow).state(), host::kChoiceSelected);
  EXPECT_EQ(control(kSaveForLater).state(), 0);
  EXPECT_EQ(control(kSend).text(host::kSkinToolTip), u"Send");
  EXPECT_EQ(control(104).get(host::kTrayCount).as_long(), 1);
  IDispatch* host_tray = state().item_tray.get();
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayCaption).as_bstr(), u"Items to send");
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayViewCount).as_long(), 1);
  const HWND focus = GetFocus();
  EXPECT_TRUE(focus == GetDlgItem(pane(), kSend) || GetParent(focus) == GetDlgItem(pane(), kSend));
  click(kLeave);
  EXPECT_EQ(platform::get_property(host_tray, host::kTrayViewCount).as_long(), 0);
}

TEST_F(Scenario, SendFollowsWhatTheTrayHoldsAndEveryPaneHearsOfIt) {
  start_suite(u"Outlook Express");
  show(kEmailOptionsPane);
  open_pane({picture("a.jpg")});
  const auto tray = control(104).dispatch();
  const Variant first(LONG{0});
  (void)platform::invoke_method(tray.get(), host::kTrayRemoveItem, {first.get()});
  EXPECT_EQ(control(kSend).state(), host::kButtonNotAvailable);
  platform::put_property(tray.get(), host::kTrayItems, *item_list({picture("b.jpg"), picture("c.jpg")}).get());
  (void)platform::invoke_method(tray.get(), host::kTrayRemoveItem, {first.get()});
  EXPECT_EQ(control(kSend).state(), host::kButtonNormal);
  const auto changed = message(host::kTrayChanged, u"array[1]", u"empty");
  EXPECT_EQ(messages_to(kEmailOptionsPane).back(), changed);
  EXPECT_EQ(messages_to(kShareByEmail).back(), changed);
  click(kSend);
  ASSERT_EQ(state().sent_mail.size(), 1u);
  ASSERT_EQ(state().sent_mail[0].paths.size(), 1u) << "only what the tray holds";
  EXPECT_NE(state().sent_mail[0].paths[0].find(u"c.jpg"), std::u16string::npos);
}

// The failure naming the file is the command's "Nothing to send" report.
TEST_F(Scenario, WhenNoFileCanBePreparedSendIsOff) {
  put_option(u"Convert to JPEG", sz(u"Yes"));
  start_suite(u"Outlook Express");
  open_pane({file_of_size("broken.jpg", 100)});
  EXPECT_EQ(control(104).get(host::kTrayCount).as_long(), 0);
  EXPECT_EQ(control(kSend).state(), host::kButtonNotAvailable);
  EXPECT_EQ(state().messages.size(), 1u);
}

TEST_F(Scenario, TheMailProgramAndTheItemsDecideTheSendChoiceAndTheEmbedBox) {
  struct Row {
    int line;
    const char16_t* client;
    bool client_can_embed;
    const char16_t* embed_option;
    bool picture;
    const char16_t* send_now_text;
    LONG box_state;
    bool box_enabled;
  };
  const char16_t* const kWithExpress = u"Send now with my e-mail program (Outlook Express)";
  const char16_t* const kWithOutlook = u"Send now with my e-mail program (Microsoft Outlook)";
  const Row rows[] = {
      {__LINE__, u"Outlook Express", false, u"Yes", true, kWithExpress, 2, true},  // the name decides, not the host
      {__LINE__, u"Outlook Express", true, u"No", true, kWithExpress, 0, true},
      {__LINE__, u"Outlook Express", true, u"Yes", false, kWithExpress, 0, false},
      {__LINE__, u"Microsoft Outlook", true, u"Yes", true, kWithOutlook, 2, true},
      {__LINE__, u"Microsoft Outlook", false, u"Yes", true, kWithOutlook, 0, false},
      {__LINE__, u"", true, u"Yes", true, u"Send now with my e-mail program", 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    put_option(u"Embed in HTML", sz(row.embed_option));
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
  ASSERT_EQ(state().messages.size(), 1u);
  EXPECT_EQ(state().messages[0].text, u"There is no e-mail program to send with.");
  EXPECT_TRUE(state().sent_mail.empty());
  EXPECT_FALSE(shown(kEmailDonePane));
}

TEST_F(Scenario, TheSizeWarningComesOnlyAboveTheLimitAndItsAnswerDecides) {
  // 2,000 bytes count as 2 KB. Continue and Cancel are the command's --yes and --no.
  struct Row {
    int line;
    const char16_t* warn;
    DWORD limit;
    bool asked, sent;
  };
  const Row rows[] = {{__LINE__, u"Yes", 2, false, true}, {__LINE__, u"Yes", 1, true, false}, {__LINE__, u"No", 1, false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    put_option(u"Warn about attachment size", sz(row.warn));
    put_option(u"Attachment size limit", dword(row.limit));
    start_suite(u"Outlook Express");
    open_pane({file_of_size("big.txt", 2000)});
    std::vector<std::u16string> shown_texts;
    platform::ui::ScopedDriver driver([&](HWND dialog) {
      if (!dialog) return;
      shown_texts = {control_of(dialog, 1415).text(), control_of(dialog, 1417).text()};
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    click(kSend);
    const std::vector<std::u16string> texts{u"Your limit: 1 KB", u"Size of the attachments: 2 KB"};
    EXPECT_EQ(shown_texts, row.asked ? texts : std::vector<std::u16string>());
    EXPECT_EQ(state().sent_mail.size(), row.sent ? 1u : 0u);
    EXPECT_EQ(shown(kEmailDonePane), row.sent);
    session_.stop();
  }
}

TEST_F(Scenario, TheDontWarnBoxIsSavedTheMomentItIsTicked) {
  put_option(u"Attachment size limit", dword(1));
  start_suite(u"Outlook Express");
  open_pane({file_of_size("big.txt", 2000)});
  std::vector<std::optional<zozed_test::RegValue>> while_open;
  platform::ui::ScopedDriver driver([&](HWND dialog) {
    if (!dialog) return;
    while_open.push_back(stored_option(u"Warn about attachment size"));
    EXPECT_TRUE(control_of(dialog, while_open.size() == 1 ? 1411 : 1365).click());
  });
  click(kSend);
  EXPECT_EQ(while_open, (std::vector<std::optional<zozed_test::RegValue>>{sz(u"Yes"), sz(u"No")}));
  EXPECT_TRUE(state().sent_mail.empty());
}

TEST_F(Scenario, ChoicesAndTheEmbedBoxSaveTheRecordReloadedWhenTheHostSaysSo) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  put_option(u"Attachment size limit", dword(5));
  SendMessageW(pane(), 0x8073, 8, 0);
  click(kEmbed);
  EXPECT_EQ(stored_option(u"Embed in HTML"), sz(u"No"));
  EXPECT_EQ(stored_option(u"Attachment size limit"), dword(1000)) << "the record the pane held";
  put_option(u"Attachment size limit", dword(5));
  SendMessageW(pane(), 0x8073, 9, 0);
  click(kSaveForLater);
  EXPECT_EQ(stored_option(u"Save for later sending"), sz(u"Yes"));
  EXPECT_EQ(stored_option(u"Attachment size limit"), dword(5));
  EXPECT_EQ(control(kSendNow).state(), 0);
  EXPECT_EQ(control(kSend).text(), u"Save");
  EXPECT_FALSE(control(kEmbed).enabled());
  click(kSendNow);
  EXPECT_EQ(stored_option(u"Save for later sending"), sz(u"No"));
  EXPECT_TRUE(control(kEmbed).enabled());
  EXPECT_EQ(control(kEmbed).state(), host::kCheckClear);
}

TEST_F(Scenario, SendNowHandsTheMessageOverAndTellsTheFinishedPane) {
  for (const bool embed : {true, false}) {
    SCOPED_TRACE(embed ? "embedded" : "attached");
    put_option(u"Embed in HTML", sz(embed ? u"Yes" : u"No"));
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")}, true, true);
    click(kSend);
    ASSERT_EQ(state().sent_mail.size(), 1u);
    EXPECT_EQ(state().sent_mail[0].embedded, embed);
    EXPECT_TRUE(fs::exists(state().sent_mail[0].message_file));
    EXPECT_EQ(messages_to(kEmailDonePane), (std::vector<std::u16string>{message(host::kReturnToCaller, u"empty", u"empty"),
                                                                        message(host::kItemsAndStep, u"array[1]", u"4"),
                                                                        message(host::kSendOutcome, u"I2 0", u"\"\"")}));
    EXPECT_EQ(state().panes.back().title, u"Share by E-mail");
    session_.stop();
  }
}

TEST_F(Scenario, AMailProgramThatFailsStillEndsTheTask) {
  start_suite(u"Outlook Express");
  open_pane({picture("a.jpg")});
  fs::remove_all(root_ / "outbox");
  std::ofstream(root_ / "outbox") << "a file where the outbox should be";
  click(kSend);
  EXPECT_TRUE(state().sent_mail.empty());
  EXPECT_EQ(messages_to(kEmailDonePane).back(), message(host::kSendOutcome, u"I2 0", u"\"\""));
}

std::u16string today_day_first() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%d-%b-%Y", &local);  // the C locale's month names
  return std::u16string(text, text + length);
}

TEST_F(Scenario, SaveForLaterWritesTodaysFolderOrReportsThatItCannot) {
  const platform::ScopedLocaleProfile day_first(platform::LocaleProfile::en_gb());
  platform::ui::ScopedDriver answer_any_dialog([](HWND dialog) {
    if (dialog) EndDialog(dialog, 1);
  });
  put_option(u"Save for later sending", sz(u"Yes"));
  const std::u16string good = platform::windows_path_of((root_ / "pictures" / "Later").string());
  for (const std::u16string& location : {good, std::u16string(u"x")}) {
    put_option(u"Save location", sz(location, false));
    start_suite(u"Outlook Express");
    open_pane({picture("a.jpg")});
    click(kSend);
    const std::u16string folder = location == good ? good + u"\\" + today_day_first() : u"";
    if (location == good) {
      EXPECT_TRUE(fs::exists(platform::posix_path_of(folder + u"\\a.jpg").value_or("")));
      EXPECT_TRUE(state().messages.empty());
    } else {
      ASSERT_EQ(state().messages.size(), 1u) << "a location of one character";
      EXPECT_EQ(state().messages[0].text, u"Some of the items could not be prepared or copied.");
    }
    EXPECT_TRUE(state().sent_mail.empty());
    EXPECT_EQ(messages_to(kEmailDonePane),
              (std::vector<std::u16string>{message(host::kItemsAndStep, u"array[1]", u"4"),
                                           message(host::kSendOutcome, u"I2 -1", u"\"" + folder + u"\"")}));
    session_.stop();
  }
}

TEST_F(Scenario, BackAndLeaveGoWhereThePaneWasReachedFrom) {
  struct Row {
    int line;
    bool came_from_pane, return_to_caller;
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
    const auto& last = state().pane_operations.back();
    EXPECT_EQ(last.name, row.operation);
    const bool end = row.operation == std::u16string_view(u"End");
    EXPECT_EQ(last.arguments, end ? std::vector<std::u16string>{u"true"} : std::vector<std::u16string>());
    session_.stop();
  }
}

}  // namespace
}  // namespace email_pane_test
