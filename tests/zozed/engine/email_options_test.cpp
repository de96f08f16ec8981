// The e-mail option records against a registry of the test's own: defaults and the write-back
// of an incomplete key, the type and size rules that make a stored value count as missing, and
// the limits handed to photo conversion.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/zozed/engine/engine_fixture.h"
#include "tests/zozed/registry_values.h"
#include "zozed/email/engine/email_send_settings.h"
#include "zozed/email/engine/email_share_options.h"
#include "zozed/email/engine/preparation_limits.h"

namespace zozed_test {
namespace {

using zozed::email::EmailShareOptions;

class EmailOptionsTest : public EngineTest {
 protected:
  std::filesystem::path default_folder() const { return root_ / "pictures" / "Mail Pictures"; }
};

TEST_F(EmailOptionsTest, EmptyKeyLoadsEveryDefaultCreatesTheFolderAndWritesTheWholeRecord) {
  const EmailShareOptions options;  // written back whole: the stored record shows every default
  EXPECT_TRUE(std::filesystem::is_directory(default_folder()));
  const std::u16string location = platform::windows_path_of(default_folder().string());
  EXPECT_EQ(options.save_location, location);

  const std::pair<const char16_t*, RegValue> expected[] = {
      {u"Warn about attachment size", sz(u"Yes")}, {u"Attachment size limit", dword(1000)},
      {u"Save for later sending", sz(u"No")},      {u"Embed in HTML", sz(u"Yes")},
      {u"Convert to JPEG", sz(u"Yes")},            {u"JPEG Optimization", dword(0)},
      {u"Screen size", dword(1)},                  {u"File size", dword(50)},
      {u"Slide duration", dword(5)},               {u"Play associated sounds", sz(u"Yes")},
      {u"Extend slide duration to sound length", sz(u"Yes")},
      {u"Fade out background sound", sz(u"Yes")},  {u"Loop background sound", sz(u"Yes")},
      {u"Save location", sz(location, false)},
  };
  for (const auto& [name, value] : expected) EXPECT_EQ(stored_option(name), value) << fakes::narrow(name);

  // A complete key is not written back: the default folder is not made again.
  std::filesystem::remove(default_folder());
  EXPECT_EQ(EmailShareOptions().save_location, location);
  EXPECT_FALSE(std::filesystem::exists(default_folder()));
}

TEST_F(EmailOptionsTest, ValuesOfTheWrongTypeOrSizeCountAsMissingAndAreRewritten) {
  const WORD short_number = 9;
  put_option(u"Warn about attachment size", sz(u"yes"));        // lower case: present, false
  put_option(u"Embed in HTML", dword(0));                        // a number: missing
  put_option(u"Convert to JPEG", sz(std::u16string(300, u'Y'))); // beyond 260 bytes: missing
  put_option(u"Save for later sending", sz(u"Yes"));
  put_option(u"Attachment size limit", sz(u"2000"));             // text: missing
  put_option(u"Screen size", RegValue{REG_BINARY, dword(7).data});  // not REG_DWORD: missing
  put_option(u"File size", RegValue{REG_DWORD, {short_number, 0}});  // two bytes: missing
  put_option(u"Slide duration", dword(9));

  const EmailShareOptions options;
  EXPECT_EQ((std::vector<DWORD>{options.warn_about_attachment_size, options.embed_in_html, options.convert_to_jpeg,
                                options.save_for_later_sending, options.attachment_size_limit, options.screen_size,
                                options.file_size, options.slide_duration}),
            (std::vector<DWORD>{0, 1, 1, 1, 1000, 1, 50, 9}));
  EXPECT_EQ(stored_option(u"Embed in HTML"), sz(u"Yes"));
  EXPECT_EQ(stored_option(u"Attachment size limit"), dword(1000));
  EXPECT_EQ(stored_option(u"Screen size"), dword(1));
  EXPECT_EQ(stored_option(u"File size"), dword(50));
  EXPECT_EQ(stored_option(u"Warn about attachment size"), sz(u"No"));
}

TEST_F(EmailOptionsTest, SaveLocationMustLeaveRoomInItsBufferToBeRead) {
  for (const std::size_t bytes : {4158, 4160, 5000}) {
    SCOPED_TRACE(bytes);
    put_option(u"Save location", sz(std::u16string(bytes / 2, u'x'), false));
    const EmailShareOptions options;
    if (bytes < 4160) {
      EXPECT_EQ(options.save_location, std::u16string(bytes / 2, u'x'));
    } else {
      EXPECT_NE(options.save_location.find(u"Mail Pictures"), std::u16string::npos);
      EXPECT_TRUE(std::filesystem::is_directory(default_folder()));
    }
  }
}

TEST_F(EmailOptionsTest, SaveWritesTheLocationWithoutItsTerminatorOnlyBelow2080Characters) {
  EmailShareOptions options;
  options.save_location = std::u16string(2079, u'a');
  options.Save();
  EXPECT_EQ(stored_option(u"Save location"), sz(options.save_location, false));
  options.save_location = std::u16string(2080, u'b');
  options.Save();
  EXPECT_EQ(options.save_location.size(), 2080u);
  EXPECT_EQ(stored_option(u"Save location"), sz(std::u16string(2079, u'a'), false));
}

TEST_F(EmailOptionsTest, DefaultFolderNameFallsBackWhenTheHostHasNoEnvironment) {
  classes_.reset();
  EXPECT_NE(EmailShareOptions().save_location.find(u"\\For Email"), std::u16string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "pictures" / "For Email"));
}

TEST_F(EmailOptionsTest, WithoutAPicturesFolderTheDefaultLocationIsEmptyAndNotStoredForGood) {
  platform::set_pictures_folder((root_ / "no such folder").string());
  EXPECT_TRUE(EmailShareOptions().save_location.empty());
  EXPECT_FALSE(stored_option(u"Save location")) << "an empty default would stay after the folder appears";
  EXPECT_TRUE(stored_option(u"Screen size")) << "the rest of the record is completed";

  put_option(u"Save location", sz(u"", false));  // stored empty by an earlier version
  platform::set_pictures_folder((root_ / "pictures").string());
  EXPECT_NE(EmailShareOptions().save_location.find(u"Mail Pictures"), std::u16string::npos);
}

TEST_F(EmailOptionsTest, SendSettingsNeverWriteTheirDefaultsAndReadAnyFourByteValue) {
  {
    const zozed::email::EmailSendSettings settings;
    EXPECT_EQ(std::tuple(settings.optimization, settings.max_size_photo, settings.max_size_att, settings.method_send),
              std::tuple(0u, 50u, 1024u, 1u));
    EXPECT_TRUE(settings.environment);
  }
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kEmailOptions, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);

  put_option(u"Resolution", RegValue{REG_BINARY, dword(7).data});
  put_option(u"Max Size Photo", sz(u"a long text"));
  zozed::email::EmailSendSettings settings;
  EXPECT_EQ(settings.resolution, 7u);
  EXPECT_EQ(settings.max_size_photo, 50u);
  settings.warn_att_exceeds = 1;
  settings.Save();
  EXPECT_EQ(stored_option(u"Resolution"), dword(7));
  EXPECT_EQ(stored_option(u"Warn Att Exceeds"), dword(1));
  EXPECT_EQ(stored_option(u"Send Options"), dword(0));
  EXPECT_FALSE(stored_option(u"Screen size")) << "the two records share no values";
}

TEST_F(EmailOptionsTest, LimitsFollowConversionOptimizationAndScreenSize) {
  struct Row {
    int line;
    bool convert;
    DWORD optimization, screen, file_size;
    zozed::email::PreparationLimits expected;
  };
  const Row rows[] = {
      {__LINE__, true, 0, 2, 50, {true, 1024, 768, 0}},
      {__LINE__, true, 0, 7, 50, {true, 640, 480, 0}},  // out of range: the smallest box
      {__LINE__, true, 1, 2, 50, {true, 0, 0, 51200}},
      {__LINE__, true, 1, 0, 4194303, {true, 0, 0, 4194303u * 1024u}},
      {__LINE__, true, 1, 0, 4194304, {true, 0, 0, 0xFFFFFFFFu}},  // never wraps to a tiny target
      {__LINE__, true, 2, 1, 50, {true, 0, 0, 0}},
      {__LINE__, false, 0, 1, 50, {false, 0, 0, 0}},
  };
  const auto fields = [](const zozed::email::PreparationLimits& l) {
    return std::tuple(l.convert, l.max_width, l.max_height, l.target_bytes);
  };
  EmailShareOptions options;
  for (const Row& row : rows) {
    options.convert_to_jpeg = row.convert;
    options.jpeg_optimization = row.optimization;
    options.screen_size = row.screen;
    options.file_size = row.file_size;
    EXPECT_EQ(fields(zozed::email::LimitsFor(options)), fields(row.expected)) << "row at line " << row.line;
  }
}

}  // namespace
}  // namespace zozed_test
