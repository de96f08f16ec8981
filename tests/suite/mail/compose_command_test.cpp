// The compose command lines, read back the way each mail program reads them: whatever the
// subject, body and file names hold, the program gets exactly those.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "suite/mail/compose_command.h"
#include "tests/suite/mail/mail_test_support.h"

namespace {

using namespace mail_test;
using suite::mail::ComposeRequest;
using suite::mail::ComposeStyle;
using Arguments = std::vector<std::string>;

const ComposeRequest kAwkward{
    "Ferien, Strand & \"Sonne\" — 'Tag', 1=2?",
    "Hallo,\nhier: <b>50%</b>\n'quoted', \"double\", a=b&c",
    {"/home/u/out box/a b.jpg", "/home/u/out box/x,y.jpg", "/home/u/out box/it's \"q\".jpg",
     "/home/u/out box/Grüße 100%.jpg", "/home/u/out box/-dash&=?#+.jpg"},
};

void read_field(ComposeRequest& into, const std::string& name, const std::string& value) {
  if (name == "subject") into.subject = value;
  if (name == "body") into.body = value;
  if (name == "attach") into.files.push_back(path_of_uri(value));
  if (name == "attachment")
    for (const auto& uri : split(value, ',')) into.files.push_back(path_of_uri(uri));
}

// "name=value" pairs cut at `separator`, each part URI-decoded once, as Thunderbird reads its
// -compose argument (',') and mail programs read a mailto: URI ('&'). Thunderbird would take a
// value quoted right after '=' as it is, so no quote may be there.
ComposeRequest pairs_read(const std::string& text, char separator, ComposeRequest read = {}) {
  for (const auto& pair : split(text, separator)) {
    EXPECT_EQ(pair.find_first_of("'\""), std::string::npos) << pair;
    read_field(read, percent_decoded(pair.substr(0, pair.find('='))), percent_decoded(pair.substr(pair.find('=') + 1)));
  }
  return read;
}

ComposeRequest mailto_read(const std::string& uri, ComposeRequest read = {}) {
  EXPECT_EQ(uri.rfind("mailto:?", 0), 0u) << uri;
  return pairs_read(uri.substr(uri.find('?') + 1), '&', std::move(read));
}

TEST(ComposeCommand, EachMailProgramReadsBackExactlyTheTextAndTheFiles) {
  const struct {
    ComposeStyle style;
    std::function<ComposeRequest(const Arguments&)> reads;
  } kRows[] = {
      {ComposeStyle::thunderbird,
       [](const Arguments& arguments) {
         EXPECT_EQ(arguments.at(0), "-compose");
         return pairs_read(arguments.at(1), ',');
       }},
      {ComposeStyle::mailto_uri, [](const Arguments& arguments) { return mailto_read(arguments.at(0)); }},
      // Claws Mail: --compose URI, then --attach and every path after it.
      {ComposeStyle::claws,
       [](const Arguments& arguments) {
         EXPECT_EQ(arguments.at(0), "--compose");
         EXPECT_EQ(arguments.at(2), "--attach");
         return mailto_read(arguments.at(1), {"", "", Arguments(arguments.begin() + 3, arguments.end())});
       }},
      // KMail: --composer, then --name=value options taken as they are.
      {ComposeStyle::kmail,
       [](const Arguments& arguments) {
         EXPECT_EQ(arguments.at(0), "--composer");
         ComposeRequest read;
         for (std::size_t i = 1; i < arguments.size(); ++i) {
           const auto equals = arguments[i].find('=');
           read_field(read, arguments[i].substr(2, equals - 2), arguments[i].substr(equals + 1));
         }
         return read;
       }},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(suite::mail::compose_style_name(row.style));
    const ComposeRequest read = row.reads(suite::mail::compose_arguments(row.style, kAwkward));
    EXPECT_EQ(read.subject, kAwkward.subject);
    EXPECT_EQ(read.body, kAwkward.body);
    EXPECT_EQ(read.files, kAwkward.files);
  }
}

TEST(ComposeCommand, TheArgumentsTakeThePlaceOfTheExecLinesFieldCode) {
  const ComposeRequest request{"Hi", "", {}};
  const struct {
    Arguments exec;
    ComposeStyle style;
    Arguments expected;
  } kRows[] = {
      {{"flatpak", "run", "--command=thunderbird", "org.mozilla.Thunderbird", "@@u", "%u", "@@"}, ComposeStyle::thunderbird,
       {"flatpak", "run", "--command=thunderbird", "org.mozilla.Thunderbird", "@@u", "-compose", "subject=Hi", "@@"}},
      {{"kmail", "-qwindowtitle", "%c", "%i", "%u"}, ComposeStyle::kmail,
       {"kmail", "-qwindowtitle", "Mail Program", "--composer", "--subject=Hi"}},
      {{"env", "A=1", "evolution", "--rate=50%%"}, ComposeStyle::mailto_uri,
       {"env", "A=1", "evolution", "--rate=50%", "mailto:?subject=Hi"}},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(suite::mail::compose_command(row.exec, row.style, request, "Mail Program"), row.expected) << row.exec[0];
}

// A program named by its path, and one that cannot be given files, are the hand-off tests' cases.
TEST(ComposeCommand, TheStyleComesFromTheProgramOrTheDesktopId) {
  const struct {
    Arguments exec;
    const char* desktop_id;
    ComposeStyle style;
  } kRows[] = {
      {{"flatpak", "run", "--command=thunderbird", "org.mozilla.Thunderbird", "%u"}, "", ComposeStyle::thunderbird},
      {{"/opt/mail/run-it", "%u"}, "thunderbird.desktop", ComposeStyle::thunderbird},
      {{"env", "GDK_BACKEND=x11", "kmail", "%u"}, "org.kde.kmail2.desktop", ComposeStyle::kmail},
      {{"sylpheed", "--compose", "%u"}, "sylpheed.desktop", ComposeStyle::claws},
      {{"geary", "%U"}, "org.gnome.Geary.desktop", ComposeStyle::mailto_uri},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(suite::mail::compose_style_of(row.exec, row.desktop_id), row.style) << row.exec[0] << " " << row.desktop_id;
}

TEST(ComposeCommand, AProgramThatCannotStartIsReported) {
  std::string error;
  EXPECT_FALSE(suite::mail::start_detached({"/nonexistent/zozed-mailer", "-compose"}, error));
  EXPECT_NE(error.find("zozed-mailer"), std::string::npos) << error;
}

}  // namespace
