// Handing a message to the desktop's mail program, against a desktop made for each case: a
// mailto: handler that is a script recording the command it was started with, registered in a
// mimeapps.list of its own. The mail service runs in a process of its own (mail_probe), since
// GIO reads the desktop's folders once per process.
#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;

struct Desktop {
  const char* program;  // the handler script's file name; nullptr: no handler at all
  const char* name;     // its desktop entry's Name
  bool session;         // DISPLAY is set
};

// A desktop of its own, the probe's outbox and the prepared files a session would delete.
class HandOff {
 public:
  explicit HandOff(const Desktop& desktop) : desktop_(desktop) {
    for (const char* sub : {"home", "data/applications", "config", "cache", "tmp/prepared", "bin", "none"})
      fs::create_directories(root() / sub);
    if (!desktop.program) return;
    const fs::path script = root() / "bin" / desktop.program;
    const std::string record = (root() / "record").string();
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" << record << ".part' && mv '" << record
                          << ".part' '" << record << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    std::ofstream(root() / "data/applications/zozed-test-mailer.desktop")
        << "[Desktop Entry]\nType=Application\nName=" << desktop.name << "\nExec=" << script.string()
        << " %u\nMimeType=x-scheme-handler/mailto;\n";
    std::ofstream(root() / "config/mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/mailto=zozed-test-mailer.desktop\n";
  }

  fs::path root() const { return folder_.path(); }
  fs::path outbox() const { return root() / "outbox"; }
  std::string prepare(const std::string& name, const std::string& data) const {
    return folder_.write("tmp/prepared/" + name, data);
  }

  // Runs the probe: its "key=value" lines.
  std::map<std::string, std::string> send(const std::string& subject, const std::string& body,
                                          const std::vector<std::string>& files) const {
    std::vector<std::string> env{"HOME=" + (root() / "home").string(),
                                 "XDG_DATA_HOME=" + (root() / "data").string(),
                                 "XDG_CONFIG_HOME=" + (root() / "config").string(),
                                 "XDG_CACHE_HOME=" + (root() / "cache").string(),
                                 "XDG_DATA_DIRS=" + (root() / "none").string(),
                                 "XDG_CONFIG_DIRS=" + (root() / "none").string(),
                                 "TMPDIR=" + (root() / "tmp").string(),
                                 "PATH=/usr/bin:/bin",
                                 "GIO_USE_VFS=local"};
    if (desktop_.session) env.push_back("DISPLAY=:97");
    std::vector<std::string> args{ZOZED_MAIL_PROBE, outbox().string(), subject, body};
    args.insert(args.end(), files.begin(), files.end());
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (auto& arg : args) argv.push_back(arg.data());
    for (auto& variable : env) envp.push_back(variable.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    gchar* out = nullptr;
    gchar* err = nullptr;
    gint status = 0;
    GError* error = nullptr;
    std::map<std::string, std::string> lines;
    const bool ran = g_spawn_sync(nullptr, argv.data(), envp.data(), G_SPAWN_DEFAULT, nullptr, nullptr, &out, &err, &status, &error);
    EXPECT_TRUE(ran) << (error ? error->message : "");
    if (error) g_error_free(error);
    EXPECT_TRUE(g_spawn_check_wait_status(status, nullptr)) << (err ? err : "");
    std::string text = out ? out : "";
    g_free(out);
    g_free(err);
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      const std::string line = text.substr(start, end - start);
      if (const auto equals = line.find('='); equals != std::string::npos)
        lines[line.substr(0, equals)] = line.substr(equals + 1);
      start = end + 1;
    }
    return lines;
  }

  fs::path record() const { return root() / "record"; }

  // The arguments the handler was started with, once it has written them down.
  std::vector<std::string> recorded_arguments() const {
    for (int i = 0; i < 3000 && !fs::exists(record()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> arguments;
    const std::string text = read_all(record());
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find('\0', start);
      arguments.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return arguments;
  }

 private:
  Desktop desktop_;
  TempFolder folder_;
};

std::string percent_decoded_field(const std::string& fields, const std::string& name) {
  const std::string key = name + "=";
  for (std::size_t start = 0; start <= fields.size();) {
    const std::size_t end = std::min(fields.find(',', start), fields.size());
    if (fields.compare(start, key.size(), key) == 0) return percent_decoded(fields.substr(start + key.size(), end - start - key.size()));
    start = end + 1;
  }
  return "(no " + name + ")";
}

TEST(MailHandOff, TheComposeWindowGetsCopiesThatOutliveTheSuite) {
  const std::string subject = "Grüße, „Tom's“ & co";
  const std::string body = "Hallo,\nanbei die Bilder.";
  const std::vector<std::pair<std::string, std::string>> files{{"Grüße, „Tom's“ 1.jpg", "JPEG one"},
                                                               {"read me.txt", "text\n"}};
  for (const char* program : {"thunderbird", "evolution"}) {
    SCOPED_TRACE(program);
    HandOff desktop({program, "Test Mailer", true});
    std::vector<std::string> prepared;
    for (const auto& [name, data] : files) prepared.push_back(desktop.prepare(name, data));
    auto sent = desktop.send(subject, body, prepared);
    EXPECT_EQ(sent["name"], "Test Mailer");
    EXPECT_EQ(sent["embed"], "0") << "a compose window takes pictures as attachments only";
    EXPECT_EQ(sent["hr"], "0x00000000");
    EXPECT_EQ(sent["handed_to"], "zozed-test-mailer.desktop");
    EXPECT_EQ(sent["handler"], "Test Mailer");
    EXPECT_EQ(sent["not_handed_off"], "");
    const fs::path message = sent["message"];
    EXPECT_EQ(message.parent_path(), desktop.outbox());
    Parsed parsed(read_all(message));
    ASSERT_NE(parsed.message, nullptr);
    EXPECT_STREQ(g_mime_message_get_subject(parsed.message), subject.c_str());
    const fs::path copies = sent["copies"];
    EXPECT_EQ(copies, fs::path(message).replace_extension());

    // The suite stops: its temporary files go, the mail program reads the copies later.
    fs::remove_all(desktop.root() / "tmp" / "prepared");
    const auto arguments = desktop.recorded_arguments();
    std::vector<std::string> attached;
    if (std::string(program) == "thunderbird") {
      EXPECT_EQ(sent["how"], "thunderbird -compose");
      ASSERT_EQ(arguments.size(), 2u);
      EXPECT_EQ(arguments[0], "-compose");
      EXPECT_EQ(percent_decoded_field(arguments[1], "subject"), subject);
      EXPECT_EQ(percent_decoded_field(arguments[1], "body"), body);
      std::string list = percent_decoded_field(arguments[1], "attachment");
      for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        attached.push_back(path_of_uri(list.substr(start, end - start)));
        start = end + 1;
      }
    } else {
      EXPECT_EQ(sent["how"], "mailto: URI with attach=");
      ASSERT_EQ(arguments.size(), 1u);
      const std::string& uri = arguments[0];
      ASSERT_EQ(uri.rfind("mailto:?", 0), 0u) << uri;
      for (std::size_t start = 8; start <= uri.size();) {
        const std::size_t end = std::min(uri.find('&', start), uri.size());
        const std::string pair = uri.substr(start, end - start);
        if (pair.rfind("attach=", 0) == 0) attached.push_back(path_of_uri(percent_decoded(pair.substr(7))));
        if (pair.rfind("subject=", 0) == 0) {
          EXPECT_EQ(percent_decoded(pair.substr(8)), subject);
        }
        start = end + 1;
      }
    }
    ASSERT_EQ(attached.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(fs::path(attached[i]), copies / files[i].first);
      EXPECT_EQ(read_all(attached[i]), files[i].second);
    }
  }
}

TEST(MailHandOff, WithoutAComposeWindowTheMessageOnlyGoesToTheOutbox) {
  const struct {
    const char* case_name;
    Desktop desktop;
    const char* name;         // what the components are told
    const char* embed;
    const char* why;          // part of the reason given
  } kRows[] = {
      {"a handler that cannot take files", {"firefox", "Web Browser", true}, "zozed Outbox", "1", "Web Browser"},
      {"no desktop session", {"thunderbird", "Test Mailer", false}, "Test Mailer", "1", "no desktop session"},
      {"no handler", {nullptr, "", true}, "zozed Outbox", "1", "no mail program"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.case_name);
    HandOff desktop(row.desktop);
    const auto photo = desktop.prepare("p.jpg", "JPEG");
    auto sent = desktop.send("S", "B", {photo});
    EXPECT_EQ(sent["name"], row.name);
    EXPECT_EQ(sent["embed"], row.embed);
    EXPECT_EQ(sent["hr"], "0x00000000");
    EXPECT_EQ(sent["handed_to"], "");
    EXPECT_EQ(sent["copies"], "");
    EXPECT_NE(sent["not_handed_off"].find(row.why), std::string::npos) << sent["not_handed_off"];
    ASSERT_FALSE(sent["message"].empty());
    Parsed parsed(read_all(sent["message"]));
    EXPECT_NE(parsed.message, nullptr);
    // The message alone: nothing copied beside it, nothing started.
    EXPECT_EQ(std::distance(fs::directory_iterator(desktop.outbox()), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists(desktop.record()));
  }
}

}  // namespace
