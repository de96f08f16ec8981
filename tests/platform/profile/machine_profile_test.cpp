#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/machine_profile.h"
#include "platform/path_mapping.h"
#include "platform/winbase.h"
#include "platform/winnls.h"
#include "tests/platform/files/files_test_support.h"

namespace {

using files_test::TempFolder;
using platform::MachineProfileError;

class MachineProfileTest : public ::testing::Test {
 protected:
  std::string write(const std::string& json) {
    const std::string file = folder_ / "profile.json";
    files_test::write_text(file, json);
    return file;
  }
  TempFolder folder_;
  platform::ScopedMachineProfile machine_;
};

TEST_F(MachineProfileTest, AProfileFileSetsDrivesSharesFoldersCodePageAndLocale) {
  std::filesystem::create_directories(folder_ / "c/Photos");
  std::filesystem::create_directories(folder_ / "nas");
  const std::string file = write(R"({
    "drives": { "C": { "folder": ")" + folder_.path() + R"(/c/", "type": "fixed" },
                "e:": { "folder": "/media/stick", "type": "removable" },
                "Z": null },
    "shares": { "\\\\nas\\photos": ")" + folder_.path() + R"(/nas" },
    "temp_folder": ")" + folder_.path() + R"(/c/Temp",
    "pictures_folder": ")" + folder_.path() + R"(/c/Photos",
    "ansi_code_page": 1251,
    "locale": { "base": "en-US", "date_order": "year-month-day" }
  })");
  platform::apply_machine_profile(platform::read_machine_profile(file));

  EXPECT_EQ(GetDriveTypeA("C:\\"), static_cast<UINT>(DRIVE_FIXED));
  EXPECT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
  EXPECT_EQ(GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR)) << "null removes a drive";
  EXPECT_EQ(GetDriveTypeA("\\\\NAS\\Photos\\"), static_cast<UINT>(DRIVE_REMOTE));
  EXPECT_EQ(platform::posix_path_of(u"c:\\photos"), folder_ / "c/Photos");
  EXPECT_EQ(GetACP(), 1251u);
  WCHAR order[4] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILDATE, order, 4), 0);
  EXPECT_EQ(std::u16string(order), u"2") << "the locale section is in force";
  WCHAR temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  EXPECT_EQ(std::u16string(temp), u"C:\\Temp\\");
  const auto current = platform::current_machine_profile();
  EXPECT_EQ(current.pictures_folder, folder_ / "c/Photos");
  EXPECT_EQ(current.source, file);
}

TEST_F(MachineProfileTest, TheGuardRestoresTheMachineItFound) {
  ASSERT_TRUE(platform::set_ansi_code_page(1252));
  {
    platform::ScopedMachineProfile inner;
    platform::map_drive(u'Q', folder_.path(), DRIVE_CDROM);
    platform::unmap_drive(u'Z');
    ASSERT_TRUE(platform::set_ansi_code_page(1250));
    EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_CDROM));
  }
  EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  EXPECT_EQ(GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_FIXED));
  EXPECT_EQ(GetACP(), 1252u);
}

TEST_F(MachineProfileTest, BadProfilesAreRefusedNamingTheFileAndTheKey) {
  struct Row {
    int line;
    std::string json;
    std::string message;  // a part of the error's text after the file name
  };
  const Row rows[] = {
      {__LINE__, R"({"drives": {"C": {"folder": "/x", "type": "floppy"}}})",
       "drives.C.type: unknown drive type \"floppy\""},
      {__LINE__, R"({"drives": {"C": {"folder": "relative/x"}}})", "drives.C.folder: \"relative/x\" is not an absolute folder"},
      {__LINE__, R"({"drives": {"C": {"type": "fixed"}}})", "drives.C.folder: missing"},
      {__LINE__, R"({"drives": {"CD": "/x"}})", "drives.CD: \"CD\" is not a drive letter"},
      {__LINE__, R"({"drives": {"C": {"folder": "/x", "colour": "red"}}})", "drives.C.colour: unknown key"},
      {__LINE__, R"({"drives": []})", "drives: expected an object, found array"},
      {__LINE__, R"({"shares": {"server\\share": "/x"}})", "shares.server\\share: \"server\\share\" is not a share name"},
      {__LINE__, R"({"temp_folder": "tmp"})", "temp_folder: \"tmp\" is not an absolute folder"},
      {__LINE__, R"({"pictures_folder": 7})", "pictures_folder: expected a string, found number"},
      {__LINE__, R"({"ansi_code_page": 1234})", "ansi_code_page: code page 1234 is not a code page"},
      {__LINE__, R"({"ansi_code_page": "1252"})", "ansi_code_page: expected a code page number"},
      {__LINE__, R"({"locale": "de"})", "locale: expected an object, found string"},
      {__LINE__, R"({"drive": {}})", "drive: unknown key"},
      {__LINE__, R"({"drives": {"C": "/x"},})", "(file): not valid JSON"},
      {__LINE__, R"([1, 2])", "(file): expected a JSON object, found array"},
  };
  for (const auto& row : rows) {
    const std::string file = write(row.json);
    try {
      (void)platform::read_machine_profile(file);
      ADD_FAILURE() << "line " << row.line << ": accepted";
    } catch (const MachineProfileError& e) {
      const std::string text = e.what();
      EXPECT_EQ(text.rfind("machine profile " + file + ": ", 0), 0u) << "line " << row.line << ": " << text;
      EXPECT_NE(text.find(row.message), std::string::npos) << "line " << row.line << ": " << text;
    }
  }
  EXPECT_THROW((void)platform::read_machine_profile(folder_ / "missing.json"), MachineProfileError);
}

TEST_F(MachineProfileTest, ARefusedProfileChangesNothing) {
  const std::string file =
      write(R"({"drives": {"Q": "/srv/q"}, "ansi_code_page": 1250, "locale": {"date_order": "sideways"}})");
  ASSERT_TRUE(platform::set_ansi_code_page(1252));
  const auto locale_before = platform::current_locale_profile();
  try {
    platform::apply_machine_profile(platform::read_machine_profile(file));
    ADD_FAILURE() << "accepted";
  } catch (const MachineProfileError& e) {
    EXPECT_NE(std::string(e.what()).find(file + ": locale: "), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("date_order"), std::string::npos) << e.what();
  }
  EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(platform::current_locale_profile(), locale_before);
}

TEST_F(MachineProfileTest, SettersCheckTheirValuesLikeTheReader) {
  EXPECT_THROW(platform::map_drive(u'1', "/x"), MachineProfileError);
  EXPECT_THROW(platform::map_drive(u'C', "x"), MachineProfileError);
  EXPECT_THROW(platform::map_drive(u'C', "/x", DRIVE_NO_ROOT_DIR), MachineProfileError);
  EXPECT_THROW(platform::map_share(u"\\\\server", "/x"), MachineProfileError);
  EXPECT_THROW(platform::set_temp_folder("relative"), MachineProfileError);
}

}  // namespace
