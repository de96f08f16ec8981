// Handing a message to the desktop's mail program, against a desktop made for each case: the
// mailto: handler is a script that writes down the arguments it was started with, registered in
// a mimeapps.list of its own. The mail service runs in a process of its own (mail_probe), since
// GIO reads the desktop's folders once per process. How each family of mail programs reads its
// command line back is the compose command's test: one family stands for them here.
#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "suite/mail/compose_command.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;
using suite::mail::ComposeStyle;

// The desktop below `root`, with a script `program` (none: no handler) as its mailto: handler
// "Test Mailer".
void make_desktop(const fs::path& root, const char* program) {
  for (const char* sub : {"home", "data/applications", "config", "tmp/prepared", "bin", "none"}) fs::create_directories(root / sub);
  if (!program) return;
  const fs::path script = root / "bin" / program;
  const std::string record = (root / "record").string();
  std::ofstream(script) << "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" << record << ".part' && mv '" << record << ".part' '"
                        << record << "'\n";
  fs::permissions(script, fs::perms::owner_all);
  std::ofstream(root / "data/applications/zozed-test-mailer.desktop")
      << "[Desktop Entry]\nType=Application\nName=Test Mailer\nExec=" << script.string() << " %u\n";
  std::ofstream(root / "config/mimeapps.list") << "[Default Applications]\nx-scheme-handler/mailto=zozed-test-mailer.desktop\n";
}

// Runs the probe in the desktop below `root`: its "key=value" lines.
std::map<std::string, std::string> run_probe(const fs::path& root, bool session, std::vector<std::string> args) {
  std::vector<std::string> env{"HOME=" + (root / "home").string(),    "XDG_DATA_HOME=" + (root / "data").string(),
                               "XDG_CONFIG_HOME=" + (root / "config").string(), "XDG_CACHE_HOME=" + (root / "home").string(),
                               "XDG_DATA_DIRS=" + (root / "none").string(),     "XDG_CONFIG_DIRS=" + (root / "none").string(),
                               "TMPDIR=" + (root / "tmp").string(),             "PATH=/usr/bin:/bin"};
  if (session) env.push_back("DISPLAY=:97");
  args.insert(args.begin(), {ZOZED_MAIL_PROBE, (root / "outbox").string()});
  std::vector<char*> argv, envp;
  for (auto& arg : args) argv.push_back(arg.data());
  for (auto& variable : env) envp.push_back(variable.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  gchar* out = nullptr;
  gint status = 0;
  EXPECT_TRUE(g_spawn_sync(nullptr, argv.data(), envp.data(), G_SPAWN_DEFAULT, nullptr, nullptr, &out, nullptr, &status, nullptr));
  EXPECT_TRUE(g_spawn_check_wait_status(status, nullptr));
  std::map<std::string, std::string> lines;
  for (const auto& line : split(out ? out : "", '\n'))
    if (const auto equals = line.find('='); equals != std::string::npos) lines[line.substr(0, equals)] = line.substr(equals + 1);
  g_free(out);
  return lines;
}

// The arguments the handler was started with, once it has written them down.
std::vector<std::string> recorded(const fs::path& root) {
  for (int i = 0; i < 3000 && !fs::exists(root / "record"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  auto arguments = split(read_all(root / "record"), '\0');
  arguments.pop_back();  // after the last terminator
  return arguments;
}

TEST(MailHandOff, TheComposeWindowGetsCopiesOnlyWhereItCanBeOpened) {
  const struct {
    const char* case_name;
    const char* program;  // nullptr: no handler
    bool session;
    const char* name;     // what the components are told
    const char* embed;
    ComposeStyle style;   // none: no compose window
    const char* why;      // part of the reason when there is none
  } kRows[] = {
      {"Thunderbird", "thunderbird", true, "Test Mailer", "0", ComposeStyle::thunderbird, ""},
      {"a web browser", "firefox", true, "zozed Outbox", "1", ComposeStyle::none, "Test Mailer, the desktop's"},
      {"no desktop session", "thunderbird", false, "Test Mailer", "1", ComposeStyle::none, "no desktop session"},
      {"no handler", nullptr, true, "zozed Outbox", "1", ComposeStyle::none, "no mail program"},
  };
  const std::string subject = "Grüße, „Tom's“ & co";
  const std::vector<std::pair<std::string, std::string>> files{{"Grüße, „Tom's“ 1.jpg", "JPEG one"}, {"read me.txt", "text\n"}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.case_name);
    TempFolder folder;
    const fs::path& root = folder.path();
    make_desktop(root, row.program);
    std::vector<std::string> args{subject, "Hallo,\nanbei."};
    for (const auto& [name, data] : files) args.push_back(folder.write("tmp/prepared/" + name, data));

    auto sent = run_probe(root, row.session, args);
    EXPECT_EQ(sent["name"], row.name);
    EXPECT_EQ(sent["embed"], row.embed) << "a compose window takes pictures as attachments only";
    EXPECT_EQ(sent["hr"], "0x00000000");
    const fs::path message = sent["message"];
    EXPECT_EQ(message.parent_path(), root / "outbox");
    Parsed parsed(read_all(message));
    ASSERT_NE(parsed.message, nullptr) << "the message is in the outbox in every case";
    EXPECT_STREQ(g_mime_message_get_subject(parsed.message), subject.c_str());
    if (row.style == ComposeStyle::none) {
      EXPECT_EQ(sent["handed_to"] + sent["copies"], "");
      EXPECT_NE(sent["not_handed_off"].find(row.why), std::string::npos) << sent["not_handed_off"];
      EXPECT_EQ(std::distance(fs::directory_iterator(root / "outbox"), fs::directory_iterator()), 1) << "nothing beside it";
      EXPECT_FALSE(fs::exists(root / "record")) << "nothing started";
      continue;
    }
    EXPECT_EQ(sent["handed_to"], "zozed-test-mailer.desktop");
    EXPECT_EQ(sent["handler"], "Test Mailer");
    EXPECT_EQ(sent["how"], suite::mail::compose_style_name(row.style));
    const fs::path copies = sent["copies"];
    EXPECT_EQ(copies, fs::path(message).replace_extension());
    // The suite stops and its temporary files go; the mail program reads the copies later.
    fs::remove_all(root / "tmp" / "prepared");
    suite::mail::ComposeRequest expected{subject, "Hallo,\nanbei.", {}};
    for (const auto& [name, data] : files) {
      expected.files.push_back((copies / name).string());
      EXPECT_EQ(read_all(copies / name), data);
    }
    EXPECT_EQ(recorded(root), suite::mail::compose_arguments(row.style, expected));
  }
}

}  // namespace
