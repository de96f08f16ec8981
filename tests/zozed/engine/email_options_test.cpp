// The e-mail option records against a registry of the test's own: defaults and the write-back
// of an incomplete key, the type and size rules that make a stored value count as missing, and
// the limits handed to photo conversion.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/support/reg_key.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/email_options_key.h"
#include "zozed/email/engine/email_send_settings.h"
#include "zozed/email/engine/email_share_options.h"
#include "zozed/email/engine/preparation_limits.h"

namespace zozed_test {
namespace {

using zozed::email::EmailSendSettings;
using zozed::email::EmailShareOptions;
using zozed::email::kEmailOptionsKey;

constexpr char16_t kKey[] = u"Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions";

class EmailOptionsTest : public EngineTest {
 protected:
  struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };

  std::optional<Stored> stored(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    Stored value;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
      value.data.resize(size);
      status = RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return value;
  }

  // The save location as stored, in bytes of UTF-16.
  std::vector<BYTE> stored_location() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    std::vector<BYTE> data(8192);
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG status = RegQueryValueExW(key, u"Save location", nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {};
    data.resize(size);
    return data;
  }

  void put(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void put_text(const char* name, const char* text) { put(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1)); }
  void put_number(const char* name, DWORD value) { put(name, REG_DWORD, &value, sizeof(value)); }

  // A wide REG_SZ of exactly `bytes` bytes of data.
  void put_wide_location(std::size_t bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::u16string text(bytes / 2, u'x');
    ASSERT_EQ(RegSetValueExW(key, u"Save location", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                             static_cast<DWORD>(bytes)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::filesystem::path default_folder() const { return root_ / "pictures" / "Mail Pictures"; }
};

TEST_F(EmailOptionsTest, EmptyKeyLoadsEveryDefaultCreatesTheFolderAndWritesTheWholeRecord) {
  const EmailShareOptions options;
  EXPECT_TRUE(options.warn_about_attachment_size);
  EXPECT_EQ(options.attachment_size_limit, 1000u);
  EXPECT_FALSE(options.save_for_later_sending);
  EXPECT_TRUE(options.embed_in_html);
  EXPECT_TRUE(options.convert_to_jpeg);
  EXPECT_EQ(options.jpeg_optimization, 0u);
  EXPECT_EQ(options.screen_size, 1u);
  EXPECT_EQ(options.file_size, 50u);
  EXPECT_EQ(options.slide_duration, 5u);
  EXPECT_TRUE(options.play_associated_sounds);
  EXPECT_TRUE(options.extend_slide_duration_to_sound_length);
  EXPECT_TRUE(options.fade_out_background_sound);
  EXPECT_TRUE(options.loop_background_sound);
  EXPECT_TRUE(std::filesystem::is_directory(default_folder()));
  ASSERT_FALSE(options.save_location.empty());
  EXPECT_EQ(options.save_location.back(), u's');
  EXPECT_NE(options.save_location.find(u"\\Mail Pictures"), std::u16string::npos);

  struct Row {
    int line;
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  const auto yes = std::vector<BYTE>{'Y', 'e', 's', 0};
  const auto no = std::vector<BYTE>{'N', 'o', 0};
  const auto dword = [](DWORD v) {
    std::vector<BYTE> d(4);
    std::memcpy(d.data(), &v, 4);
    return d;
  };
  const Row rows[] = {
      {__LINE__, "Warn about attachment size", REG_SZ, yes},
      {__LINE__, "Attachment size limit", REG_DWORD, dword(1000)},
      {__LINE__, "Save for later sending", REG_SZ, no},
      {__LINE__, "Embed in HTML", REG_SZ, yes},
      {__LINE__, "Convert to JPEG", REG_SZ, yes},
      {__LINE__, "JPEG Optimization", REG_DWORD, dword(0)},
      {__LINE__, "Screen size", REG_DWORD, dword(1)},
      {__LINE__, "File size", REG_DWORD, dword(50)},
      {__LINE__, "Slide duration", REG_DWORD, dword(5)},
      {__LINE__, "Play associated sounds", REG_SZ, yes},
      {__LINE__, "Extend slide duration to sound length", REG_SZ, yes},
      {__LINE__, "Fade out background sound", REG_SZ, yes},
      {__LINE__, "Loop background sound", REG_SZ, yes},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const auto value = stored(row.name);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, row.type);
    EXPECT_EQ(value->data, row.data);
  }
  const auto location = stored("Save location");
  ASSERT_TRUE(location);
  EXPECT_EQ(location->type, static_cast<DWORD>(REG_SZ));

  // A complete key is not written back: the default folder is not made again.
  std::filesystem::remove(default_folder());
  const EmailShareOptions again;
  EXPECT_EQ(again.save_location, options.save_location);
  EXPECT_FALSE(std::filesystem::exists(default_folder()));
}

TEST_F(EmailOptionsTest, ValuesOfTheWrongTypeOrSizeCountAsMissingAndAreRewritten) {
  const std::string long_text(300, 'Y');
  const DWORD binary_number = 7;
  const WORD short_number = 9;
  put_text("Warn about attachment size", "yes");         // lower case: present, false
  put_number("Embed in HTML", 0);                        // a number: missing
  put_text("Convert to JPEG", long_text.c_str());        // beyond 260 bytes: missing
  put_text("Save for later sending", "Yes");
  put_text("Attachment size limit", "2000");             // text: missing
  put("Screen size", REG_BINARY, &binary_number, 4);    // not REG_DWORD: missing
  put("File size", REG_DWORD, &short_number, 2);        // two bytes: missing
  put_number("Slide duration", 9);

  const EmailShareOptions options;
  EXPECT_FALSE(options.warn_about_attachment_size);
  EXPECT_TRUE(options.embed_in_html);
  EXPECT_TRUE(options.convert_to_jpeg);
  EXPECT_TRUE(options.save_for_later_sending);
  EXPECT_EQ(options.attachment_size_limit, 1000u);
  EXPECT_EQ(options.screen_size, 1u);
  EXPECT_EQ(options.file_size, 50u);
  EXPECT_EQ(options.slide_duration, 9u);

  EXPECT_EQ(stored("Embed in HTML")->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored("Attachment size limit")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored("Screen size")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored("File size")->data.size(), 4u);
  EXPECT_EQ(stored("Warn about attachment size")->data, (std::vector<BYTE>{'N', 'o', 0}));
}

TEST_F(EmailOptionsTest, SaveLocationMustLeaveRoomInItsBufferToBeRead) {
  struct Row {
    int line;
    std::size_t bytes;
    bool read;
  };
  for (const Row row : {Row{__LINE__, 4158, true}, Row{__LINE__, 4160, false}, Row{__LINE__, 5000, false}}) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    put_wide_location(row.bytes);
    const EmailShareOptions options;
    if (row.read) {
      EXPECT_EQ(options.save_location, std::u16string(row.bytes / 2, u'x'));
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
  EXPECT_EQ(stored_location().size(), 2079u * 2);

  options.save_location = std::u16string(2080, u'b');
  options.Save();
  EXPECT_EQ(options.save_location.size(), 2080u);
  const auto kept = stored_location();
  ASSERT_EQ(kept.size(), 2079u * 2);
  EXPECT_EQ(kept[0], 'a');
}

TEST_F(EmailOptionsTest, DefaultFolderNameFallsBackWhenTheHostHasNoEnvironment) {
  classes_.reset();
  classes_ = nullptr;
  const EmailShareOptions options;
  EXPECT_NE(options.save_location.find(u"\\For Email"), std::u16string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "pictures" / "For Email"));
}

TEST_F(EmailOptionsTest, WithoutAPicturesFolderTheDefaultLocationIsEmptyAndNotStoredForGood) {
  platform::set_pictures_folder((root_ / "no such folder").string());
  {
    const EmailShareOptions options;
    EXPECT_TRUE(options.save_location.empty());
  }
  EXPECT_FALSE(stored("Save location")) << "an empty default would stay after the folder appears";
  EXPECT_TRUE(stored("Screen size")) << "the rest of the record is completed";

  put_wide_location(0);  // stored empty by an earlier version
  platform::set_pictures_folder((root_ / "pictures").string());
  const EmailShareOptions options;
  EXPECT_NE(options.save_location.find(u"Mail Pictures"), std::u16string::npos);
}

TEST_F(EmailOptionsTest, SendSettingsNeverWriteTheirDefaultsAndReadAnyFourByteValue) {
  {
    const EmailSendSettings settings;
    EXPECT_EQ(settings.optimization, 0u);
    EXPECT_EQ(settings.max_size_photo, 50u);
    EXPECT_EQ(settings.max_size_att, 1024u);
    EXPECT_EQ(settings.method_send, 1u);
    EXPECT_TRUE(settings.environment);
  }
  platform::RegKey key;
  EXPECT_NE(key.open(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);

  const DWORD seven = 7;
  put("Resolution", REG_BINARY, &seven, 4);
  put_text("Max Size Photo", "a long text");
  EmailSendSettings settings;
  EXPECT_EQ(settings.resolution, 7u);
  EXPECT_EQ(settings.max_size_photo, 50u);
  settings.warn_att_exceeds = 1;
  settings.Save();
  EXPECT_EQ(stored("Resolution")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored("Warn Att Exceeds")->data[0], 1);
  EXPECT_EQ(stored("Send Options")->data.size(), 4u);
  EXPECT_FALSE(stored("Screen size")) << "the two records share no values";
}

TEST_F(EmailOptionsTest, LimitsFollowConversionOptimizationAndScreenSize) {
  struct Row {
    int line;
    bool convert;
    DWORD optimization;
    DWORD screen;
    DWORD file_size;
    zozed::email::PreparationLimits expected;
  };
  const Row rows[] = {
      {__LINE__, true, 0, 0, 50, {true, 640, 480, 0}},
      {__LINE__, true, 0, 1, 50, {true, 800, 600, 0}},
      {__LINE__, true, 0, 2, 50, {true, 1024, 768, 0}},
      {__LINE__, true, 0, 7, 50, {true, 640, 480, 0}},
      {__LINE__, true, 1, 2, 50, {true, 0, 0, 51200}},
      {__LINE__, true, 1, 0, 3, {true, 0, 0, 3072}},
      {__LINE__, true, 1, 0, 4194303, {true, 0, 0, 4194303u * 1024u}},
      {__LINE__, true, 1, 0, 4194304, {true, 0, 0, 0xFFFFFFFFu}},  // never wraps to a tiny target
      {__LINE__, true, 1, 0, 4194305, {true, 0, 0, 0xFFFFFFFFu}},
      {__LINE__, true, 2, 1, 50, {true, 0, 0, 0}},
      {__LINE__, true, 0xFFFFFFFF, 1, 50, {true, 0, 0, 0}},
      {__LINE__, false, 0, 1, 50, {false, 0, 0, 0}},
  };
  EmailShareOptions options;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    options.convert_to_jpeg = row.convert;
    options.jpeg_optimization = row.optimization;
    options.screen_size = row.screen;
    options.file_size = row.file_size;
    const auto limits = zozed::email::LimitsFor(options);
    EXPECT_EQ(limits.convert, row.expected.convert);
    EXPECT_EQ(limits.max_width, row.expected.max_width);
    EXPECT_EQ(limits.max_height, row.expected.max_height);
    EXPECT_EQ(limits.target_bytes, row.expected.target_bytes);
  }
}

}  // namespace
}  // namespace zozed_test
