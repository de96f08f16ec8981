// The compose command lines, read back the way each mail program reads them: whatever the
// subject, body and file names hold, the program gets exactly those.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "suite/mail/compose_command.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;
using suite::mail::ComposeRequest;
using suite::mail::ComposeStyle;
using Fields = std::multimap<std::string, std::string>;

const ComposeRequest kAwkward{
    "Ferien, Strand & \"Sonne\" — 'Tag' 1=2?",
    "Hallo,\nhier die Bilder: <b>50%</b>\n'quoted', \"double\", a=b&c",
    {"/home/u/out box/a b.jpg", "/home/u/out box/x,y.jpg", "/home/u/out box/it's \"q\".jpg",
     "/home/u/out box/Grüße 100%.jpg", "/home/u/out box/-dash&=?#+.jpg"},
};

// Thunderbird's reading of its -compose argument: pairs split at commas outside quotes (a quote
// opens right after '=' and closes before a comma or the end), quoted values taken as they are,
// the others URI-decoded.
Fields thunderbird_reads(const std::string& argument) {
  std::vector<std::string> pairs(1);
  char quote = 0;
  char previous = 0;
  for (std::size_t i = 0; i < argument.size(); previous = argument[i], ++i) {
    const char c = argument[i];
    const char next = i + 1 < argument.size() ? argument[i + 1] : 0;
    if (quote && c == quote && (next == ',' || next == 0)) {
      quote = 0;
      pairs.back() += c;
    } else if ((c == '\'' || c == '"') && previous == '=') {
      if (!quote) quote = c;
      pairs.back() += c;
    } else if (c == ',' && !quote) {
      pairs.emplace_back();
    } else {
      pairs.back() += c;
    }
  }
  Fields fields;
  for (const auto& pair : pairs) {
    const auto equals = pair.find('=');
    if (equals == std::string::npos) continue;
    std::string value = pair.substr(equals + 1);
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
      value = value.substr(1, value.size() - 2);
    else
      value = percent_decoded(value);
    fields.emplace(pair.substr(0, equals), value);
  }
  return fields;
}

// A mailto: URI's query as Evolution, Geary and Claws Mail read it: '&'-separated pairs, each
// name and value percent-decoded once.
Fields mailto_reads(const std::string& uri) {
  Fields fields;
  EXPECT_EQ(uri.rfind("mailto:?", 0), 0u) << uri;
  const std::string query = uri.substr(uri.find('?') + 1);
  for (std::size_t start = 0; start <= query.size();) {
    const std::size_t end = std::min(query.find('&', start), query.size());
    const std::string pair = query.substr(start, end - start);
    const auto equals = pair.find('=');
    fields.emplace(percent_decoded(pair.substr(0, equals)), percent_decoded(pair.substr(equals + 1)));
    start = end + 1;
  }
  return fields;
}

std::vector<std::string> values(const Fields& fields, const std::string& name) {
  std::vector<std::string> out;
  for (auto [at, end] = fields.equal_range(name); at != end; ++at) out.push_back(at->second);
  return out;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> out(1);
  for (const char c : text) {
    if (c == separator)
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

TEST(ComposeCommand, ThunderbirdGetsExactlyTheTextAndTheFiles) {
  const auto command = suite::mail::compose_command({"thunderbird", "%u"}, ComposeStyle::thunderbird, kAwkward);
  ASSERT_EQ(command.size(), 3u);
  EXPECT_EQ(command[0], "thunderbird");
  EXPECT_EQ(command[1], "-compose");
  const Fields fields = thunderbird_reads(command[2]);
  EXPECT_EQ(values(fields, "subject"), std::vector<std::string>{kAwkward.subject});
  EXPECT_EQ(values(fields, "body"), std::vector<std::string>{kAwkward.body});
  const auto attachment = values(fields, "attachment");
  ASSERT_EQ(attachment.size(), 1u);
  std::vector<std::string> paths;
  for (const auto& uri : split(attachment[0], ',')) paths.push_back(path_of_uri(uri));
  EXPECT_EQ(paths, kAwkward.files);
  EXPECT_EQ(fields.size(), 3u) << command[2];
}

TEST(ComposeCommand, MailtoUriProgramsGetExactlyTheTextAndTheFiles) {
  for (const auto& program : {"evolution", "geary"}) {
    SCOPED_TRACE(program);
    const auto command = suite::mail::compose_command({program, "%U"}, ComposeStyle::mailto_uri, kAwkward);
    ASSERT_EQ(command.size(), 2u);
    const Fields fields = mailto_reads(command[1]);
    EXPECT_EQ(values(fields, "subject"), std::vector<std::string>{kAwkward.subject});
    EXPECT_EQ(values(fields, "body"), std::vector<std::string>{kAwkward.body});
    std::vector<std::string> paths;
    for (const auto& uri : values(fields, "attach")) paths.push_back(path_of_uri(uri));
    EXPECT_EQ(paths, kAwkward.files);
  }
}

TEST(ComposeCommand, ClawsMailGetsTheFilesAsPathsAfterTheMailtoUri) {
  const auto command = suite::mail::compose_command({"claws-mail"}, ComposeStyle::claws, kAwkward);
  ASSERT_EQ(command.size(), 4u + kAwkward.files.size());
  EXPECT_EQ(command[1], "--compose");
  const Fields fields = mailto_reads(command[2]);
  EXPECT_EQ(values(fields, "subject"), std::vector<std::string>{kAwkward.subject});
  EXPECT_EQ(values(fields, "body"), std::vector<std::string>{kAwkward.body});
  EXPECT_TRUE(values(fields, "attach").empty());
  EXPECT_EQ(command[3], "--attach");
  EXPECT_EQ(std::vector<std::string>(command.begin() + 4, command.end()), kAwkward.files);
}

TEST(ComposeCommand, KmailGetsOneOptionPerField) {
  const ComposeRequest request{"-s looks like an option", "Body\nline", {"/p/a b.jpg", "/p/ü,1.jpg"}};
  const std::vector<std::string> expected{
      "kmail",  "--composer", "--subject=-s looks like an option", "--body=Body\nline",
      "--attach=file:///p/a%20b.jpg", "--attach=file:///p/%C3%BC%2C1.jpg"};
  EXPECT_EQ(suite::mail::compose_command({"kmail", "%u"}, ComposeStyle::kmail, request), expected);
}

TEST(ComposeCommand, EmptyFieldsAreLeftOut) {
  const ComposeRequest empty{"", "", {}};
  const struct {
    ComposeStyle style;
    std::vector<std::string> expected;
  } kRows[] = {
      {ComposeStyle::thunderbird, {"mailer", "-compose"}},
      {ComposeStyle::kmail, {"mailer", "--composer"}},
      {ComposeStyle::claws, {"mailer", "--compose", "mailto:"}},
      {ComposeStyle::mailto_uri, {"mailer", "mailto:"}},
      {ComposeStyle::none, {"mailer"}},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(suite::mail::compose_command({"mailer"}, row.style, empty), row.expected)
        << suite::mail::compose_style_name(row.style);
}

TEST(ComposeCommand, TheExecLineKeepsItsOwnArguments) {
  const ComposeRequest request{"Hi", "", {}};
  const struct {
    std::vector<std::string> exec;
    ComposeStyle style;
    std::vector<std::string> expected;
  } kRows[] = {
      {{"/usr/bin/flatpak", "run", "--command=thunderbird", "org.mozilla.Thunderbird", "@@u", "%u", "@@"},
       ComposeStyle::thunderbird,
       {"/usr/bin/flatpak", "run", "--command=thunderbird", "org.mozilla.Thunderbird", "@@u", "-compose", "subject=Hi", "@@"}},
      {{"kmail", "-qwindowtitle", "%c", "%u"}, ComposeStyle::kmail,
       {"kmail", "-qwindowtitle", "Mail Program", "--composer", "--subject=Hi"}},
      {{"env", "GDK_BACKEND=x11", "evolution"}, ComposeStyle::mailto_uri,
       {"env", "GDK_BACKEND=x11", "evolution", "mailto:?subject=Hi"}},
      {{"geary", "%i", "%U", "--rate=50%%", "%k"}, ComposeStyle::mailto_uri, {"geary", "mailto:?subject=Hi", "--rate=50%"}},
      {{"mailer", "%F", "%u"}, ComposeStyle::mailto_uri, {"mailer", "mailto:?subject=Hi"}},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.exec.front() + " " + row.exec.back());
    EXPECT_EQ(suite::mail::compose_command(row.exec, row.style, request, "Mail Program"), row.expected);
  }
}

TEST(ComposeCommand, TheStyleComesFromTheProgramOrTheDesktopId) {
  const struct {
    std::vector<std::string> exec;
    const char* desktop_id;
    ComposeStyle style;
  } kRows[] = {
      {{"thunderbird", "%u"}, "thunderbird.desktop", ComposeStyle::thunderbird},
      {{"/usr/lib/thunderbird/thunderbird", "%u"}, "mozilla-thunderbird.desktop", ComposeStyle::thunderbird},
      {{"/usr/bin/flatpak", "run", "--command=thunderbird", "org.mozilla.Thunderbird", "@@u", "%u", "@@"},
       "org.mozilla.Thunderbird.desktop", ComposeStyle::thunderbird},
      {{"icedove", "%u"}, "icedove.desktop", ComposeStyle::thunderbird},
      {{"env", "GDK_BACKEND=x11", "kmail", "%u"}, "org.kde.kmail2.desktop", ComposeStyle::kmail},
      {{"claws-mail", "--compose", "%u"}, "claws-mail.desktop", ComposeStyle::claws},
      {{"sylpheed", "--compose", "%u"}, "sylpheed.desktop", ComposeStyle::claws},
      {{"evolution", "%U"}, "org.gnome.Evolution.desktop", ComposeStyle::mailto_uri},
      {{"geary", "%U"}, "org.gnome.Geary.desktop", ComposeStyle::mailto_uri},
      {{"/opt/mail/run-it", "%u"}, "thunderbird.desktop", ComposeStyle::thunderbird},
      {{"firefox-esr", "%u"}, "firefox-esr.desktop", ComposeStyle::none},
      {{"chromium", "%U"}, "chromium.desktop", ComposeStyle::none},
      {{"mutt", "%u"}, "mutt.desktop", ComposeStyle::none},
      {{}, "", ComposeStyle::none},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(suite::mail::compose_style_of(row.exec, row.desktop_id), row.style) << row.desktop_id;
}

TEST(ComposeCommand, PercentEncodingLeavesOnlyUnreservedCharacters) {
  const struct {
    std::string text;
    std::string encoded;
    std::string uri;
  } kRows[] = {
      {"/a b,c'\"%ü~-._", "%2Fa%20b%2Cc%27%22%25%C3%BC~-._", "file:///a%20b%2Cc%27%22%25%C3%BC~-._"},
      {"/x/\n&=?#+;", "%2Fx%2F%0A%26%3D%3F%23%2B%3B", "file:///x/%0A%26%3D%3F%23%2B%3B"},
      {"/plain/Name-1.jpg", "%2Fplain%2FName-1.jpg", "file:///plain/Name-1.jpg"},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(suite::mail::percent_encoded(row.text), row.encoded);
    EXPECT_EQ(suite::mail::file_uri(row.text), row.uri);
    EXPECT_EQ(path_of_uri(row.uri), row.text) << "GLib reads the URI back";
  }
}

TEST(ComposeCommand, AProgramThatCannotStartIsReported) {
  std::string error;
  EXPECT_FALSE(suite::mail::start_detached({"/nonexistent/zozed-mailer", "-compose"}, error));
  EXPECT_NE(error.find("zozed-mailer"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(suite::mail::start_detached({}, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
